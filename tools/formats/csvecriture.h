#pragma once

#include "core/sauvegarde/ecrituresure.h"

#include <QStringList>

// A spreadsheet file as French spreadsheets open it: UTF-8 with a byte-order mark, ";" between
// fields, a field holding ";", ",", a double quote, a line break or blanks at its ends between
// double quotes with its quotes doubled, a text a spreadsheet would evaluate behind an apostrophe
// (protegerFormule), lines ended by CRLF. Written aside and put in place by terminer(), with the
// base's permissions (EcritureSure). Raises ErreurOutil.
class EcritureCsv {
public:
    EcritureCsv(const QString& fichier, const QString& base);
    void ligne(const QStringList& champs);
    void terminer();

private:
    void vider();

    EcritureSure m_fichier;
    QByteArray m_tampon;
};

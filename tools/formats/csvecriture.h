#pragma once

#include <QSaveFile>
#include <QStringList>

// A spreadsheet file as French spreadsheets open it: UTF-8 with a byte-order mark, ";" between
// fields, a field holding ";", ",", a double quote, a line break or blanks at its ends between
// double quotes with its quotes doubled, a text a spreadsheet would evaluate behind an apostrophe
// (protegerFormule), lines ended by CRLF. Written aside and put in place by terminer().
class EcritureCsv {
public:
    explicit EcritureCsv(const QString& fichier);
    void ligne(const QStringList& champs);
    // Raises ErreurOutil when the file could not be written.
    void terminer();

private:
    QSaveFile m_fichier;
};

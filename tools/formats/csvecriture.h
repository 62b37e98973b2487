#pragma once

#include <QSaveFile>
#include <QStringList>

// A spreadsheet file as French spreadsheets open it: UTF-8 with a byte-order mark, ";" between
// fields, a field holding ";", a double quote or a line break between double quotes with its
// quotes doubled, lines ended by CRLF. Written aside and put in place by terminer().
class EcritureCsv {
public:
    explicit EcritureCsv(const QString& fichier);
    void ligne(const QStringList& champs);
    // Raises ErreurOutil when the file could not be written.
    void terminer();

private:
    QSaveFile m_fichier;
};

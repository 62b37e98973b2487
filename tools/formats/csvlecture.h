#pragma once

#include <QStringList>
#include <QVector>

// One record of a spreadsheet file, with the line it starts on (1 for the first).
struct LigneCsv {
    int numero;
    QStringList champs;
};

// Reads a spreadsheet file: UTF-8 (with or without a byte-order mark) or else Windows-1252; ";" or
// "," between fields, as the first line shows; a field between double quotes may hold separators,
// doubled quotes and line breaks. Blank lines are skipped. Raises ErreurOutil.
QVector<LigneCsv> lireCsv(const QString& fichier);

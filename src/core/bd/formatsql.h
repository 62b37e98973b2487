#pragma once

#include <QString>

// Stored text: a typed double quote is kept as $B, so that it never ends an SQL literal.
QString FormatSql(const QString& texte);
// Every $B of stored text is shown as an apostrophe.
QString DecodeSql(const QString& texte);
// A text value between the double quotes of a statement, a double quote inside doubled (the
// dialect's own escape), so that whatever the value holds stays data.
QString TexteSql(const QString& valeur);

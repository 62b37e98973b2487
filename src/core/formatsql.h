#pragma once

#include <QString>

// Stored text: a typed double quote is kept as $B, so that it never ends an SQL literal.
QString FormatSql(const QString& texte);
// Every $B of stored text is shown as an apostrophe.
QString DecodeSql(const QString& texte);

#pragma once

#include <QDateTime>
#include <QString>

// Stored text: a typed double quote is kept as $B, so that it never ends an SQL literal.
QString FormatSql(const QString& texte);
// Every $B of stored text is shown as an apostrophe.
QString DecodeSql(const QString& texte);
// A text value between the double quotes of a statement, a double quote inside doubled (the
// dialect's own escape), so that whatever the value holds stays data.
QString TexteSql(const QString& valeur);
// A date as the dialect's literal: "#yyyy/MM/dd#", or "#yyyy/MM/dd HH:mm:ss#" with its time.
QString DateSql(const QDate& jour);
QString DateSql(const QDateTime& instant);

#pragma once

#include <QDateTime>
#include <QString>
#include <QVariantList>

// A statement of the program's SQL dialect made ready for SQLite: every literal is a bound
// parameter, never SQL text.
struct RequeteTraduite {
    QString sql;
    QVariantList parametres;
};

// Reads the dialect token by token: "text" literals (two double quotes stand for one),
// #date# literals, now(), month(x), true/false, "delete * from", and a French collation for the
// text columns of an ORDER BY. Anything it cannot translate raises ErreurBd; it never guesses.
RequeteTraduite traduireSql(const QString& texte, const QDateTime& maintenant);

// The collation registered on every connection for "order by" on text columns.
inline constexpr const char* CollationFrancaise = "FRANCAIS";
struct sqlite3;
void enregistrerCollationFrancaise(sqlite3* connexion);

// The stored form of a date: "yyyy-MM-dd HH:mm:ss".
QString texteDateStockee(const QDateTime& d);

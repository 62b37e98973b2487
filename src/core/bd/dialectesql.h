#pragma once

#include <QDateTime>
#include <QString>
#include <QVariantList>

// The engines the dialect runs on.
enum class Cible { Sqlite, Postgres };

// A statement of the program's SQL dialect made ready for an engine: every literal is a bound
// parameter, never SQL text.
struct RequeteTraduite {
    QString sql;
    QVariantList parametres;
};

// Reads the dialect token by token: "text" literals (two double quotes stand for one),
// #date# literals, now(), month(x), true/false, "delete * from", and a French collation for the
// text columns of an ORDER BY. Anything it cannot translate raises ErreurBd; it never guesses.
RequeteTraduite traduireSql(const QString& texte, const QDateTime& maintenant, Cible cible = Cible::Sqlite);

// The collation of "order by" on text columns: registered on every SQLite connection, created with
// a server's tables.
inline constexpr const char* CollationFrancaise = "FRANCAIS";
struct sqlite3;
void enregistrerCollationFrancaise(sqlite3* connexion);

// The stored form of a date: "yyyy-MM-dd HH:mm:ss".
QString texteDateStockee(const QDateTime& d);

#pragma once

#include <QStringList>

// The seven tables of Brevanta.mdb. Rows refer to each other by name, not by key.
namespace Schema {
QStringList tables();
// Columns of a table, in order.
QStringList colonnes(const QString& table);
// Statements of an empty database, its search index included (SQLite's own dialect).
QStringList instructionsCreation();
// The indexes alone, each created only when missing: a database made by an older version gets
// them when the program opens it.
QStringList instructionsIndex();
// Sorting on these columns follows the French text order; the others hold numbers or ISO dates.
bool estColonneTexte(const QString& colonne);
// The name of a column as the schema writes it ("DatePrevue" for "dateprevue"); other names unchanged.
QString nomColonne(const QString& nom);
// Statements of an empty database on a PostgreSQL server, its search index included.
QStringList instructionsCreationServeur();
// The channel on which a server tells the programs listening that a table was written.
QString canalAvertissement();
// Columns holding dates, stored as "yyyy-MM-dd HH:mm:ss".
bool estColonneDate(const QString& colonne);
} // namespace Schema

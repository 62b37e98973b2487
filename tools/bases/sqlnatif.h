#pragma once

#include "core/bd/connection.h"

#include <QStringList>

// The tool's statements in the engine's own SQL, each value written "?": a server numbers them
// "$1", "$2"... Errors come as ErreurBd.
namespace Natif {
Curseur lire(Connection& c, const QString& sql, const QVariantList& valeurs = {});
int executer(Connection& c, const QString& sql, const QVariantList& valeurs = {});
// The first value of the first row; a null value when there is no row.
QVariant valeur(Connection& c, const QString& sql, const QVariantList& valeurs = {});
// "ORDER BY" columns that sort texts byte by byte on both engines, as SQLite does by default.
QString ordreBinaire(const QStringList& colonnes, Cible cible);
// An order that gives a table's rows the same way every time: the order they were entered (a file's
// rowid, a server's Id or Rang), or else, for the lists of a server, the names.
QString ordreStable(const QString& table, Cible cible);
} // namespace Natif

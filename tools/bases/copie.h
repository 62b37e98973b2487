#pragma once

#include <QVector>

class Connection;

// Copies every row of the seven tables of source into the empty tables of cible, as stored: texts
// byte for byte ($B kept), dates, integers, NULLs apart from empty texts, the Ids of actions and
// appointments, whose numbering then goes on after them. Runs inside cible's transaction; source is
// read in one transaction of its own, so that what others save meanwhile is copied whole or not at
// all. Each table's rows are counted in cible before returning: ErreurOutil when a count differs,
// or when a row is refused. Returns the rows copied, table by table in the schema's order.
QVector<qint64> copierTables(Connection& source, Connection& cible);
// Raises ErreurOutil when one of the seven tables of a database holds a row.
void exigerVide(Connection& c, const QString& base);

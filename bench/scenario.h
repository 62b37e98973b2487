#pragma once

#include "banc.h"

#include <QVector>

// Every interaction of the table, in the order they run, on the database of the working directory
// (a file, or the server its Brevanta.ini names). The saves are undone at the end, the Ids they
// used aside.
QVector<Resultat> derouler(Banc& banc, const QString& base);
// Scrolls both lists of actions down to their last row.
void defilerListes();

#pragma once

#include "banc.h"

#include <QVector>

// Every interaction of the table, in the order they run, on the Brevanta.mdb of the working
// directory. The saves are undone at the end, the Ids they used aside.
QVector<Resultat> derouler(Banc& banc, const QString& fichier);

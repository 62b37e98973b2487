#pragma once

#include <QString>

// One line for the user, in UTF-8: results on standard output, refusals and warnings on standard error.
void ecrireSortie(const QString& ligne);
void ecrireErreur(const QString& ligne);

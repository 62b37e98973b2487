#pragma once

#include <QString>

// Drops from a file the triggers Brevanta does not create, which would run their SQL at every save,
// once the person at the terminal answers « oui », or at once when sansQuestion. Returns the
// report; raises ErreurOutil when the answer is no.
QString enleverDeclencheursEtrangers(const QString& fichier, bool sansQuestion);

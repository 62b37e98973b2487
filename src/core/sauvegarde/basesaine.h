#pragma once

#include <QString>

// Whether a file is a Brevanta database that SQLite reads without fault: its pages pass
// quick_check and it holds the seven tables. Only reads.
bool baseSaine(const QString& fichier);
// Whether a file is a whole Brevanta database, as a finished copy is: as long as its header says, with
// the seven tables. Reads its first pages only, where baseSaine reads every page.
bool copieEntiere(const QString& fichier);

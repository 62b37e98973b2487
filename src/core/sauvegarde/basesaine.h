#pragma once

#include <QString>

// Whether a file is a Brevanta database that SQLite reads without fault: its pages pass
// quick_check and it holds the seven tables. Only reads.
bool baseSaine(const QString& fichier);

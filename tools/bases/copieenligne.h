#pragma once

#include <QString>

class CopieBase;

// Runs a copy to its end with a progress bar, waiting a few seconds while another program holds a
// lock. False when the lock was still held: the copy is left unfinished. Raises ErreurBd.
bool copierJusquauBout(CopieBase& copie, const QString& libelle);

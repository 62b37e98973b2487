#pragma once

#include <QString>

// Makes a new base file with brevanta-db (its "init" or "demo" command), run as a child process
// from the program's own folder: the program itself holds no generator. False, after saying why,
// when no base was made; nothing is left behind then.
bool creerBase(const QString& commande, const QString& fichier);

#pragma once

#include <QStringList>

// Runs one command of brevanta-db (arguments without the program name); returns the exit status.
int executerCommande(const QStringList& arguments);

#pragma once

#include <QStringList>

// brevanta-db bench FICHIER [--scale mid|big] [--clients N] [--contacts N] [--actions N]
// [--appointments N]: a new database of that size for the speed measurements. Gives the exit status.
int commandeBench(const QStringList& arguments);

// The lines of the usage text for this command.
extern const char* const usageBench;

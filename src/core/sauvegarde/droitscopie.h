#pragma once

#include <QString>
#include <sys/types.h>

// The permissions a file written from a base gets: the base's own read and write bits, so that a
// private base (0600) gives private copies and exports; 0600 when the base is no file (a server).
mode_t droitsCopie(const QString& base);

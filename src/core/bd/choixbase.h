#pragma once

#include <QString>

// The database of the working folder: the server that Brevanta.ini names ([Base] Serveur=), or
// else the file Brevanta.mdb.
QString baseDuDossier();

// Whether a server's address holds a password, in its user part ("user:secret@") or as a
// parameter ("?password=secret"): Brevanta takes none there, where whoever reads Brevanta.ini or a
// command line would read it too.
bool contientMotDePasse(const QString& base);
// Why such an address is refused, and where the password goes instead.
QString refusMotDePasse();

// The address without its password, to be shown.
QString adresseMontrable(const QString& base);

#pragma once

#include <QString>

// The database of the working folder: the server that Brevanta.ini names ([Base] Serveur=), or
// else the file Brevanta.mdb.
QString baseDuDossier();

// The address without its password, to be shown.
QString adresseMontrable(const QString& base);

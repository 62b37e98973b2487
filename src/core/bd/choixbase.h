#pragma once

#include <QString>
#include <QVariant>

// A setting of the working folder's Brevanta.ini ("Groupe/Cle"); defaut without the file or the key.
QVariant reglageDuDossier(const QString& cle, const QVariant& defaut = QVariant());

// The database of the working folder: the server that Brevanta.ini names ([Base] Serveur=), or
// else the file Brevanta.mdb.
QString baseDuDossier();

// Whether a server's address holds a password, in its user part ("user:secret@") or as a
// parameter ("?password=secret"): Brevanta takes none there, where whoever reads Brevanta.ini or a
// command line would read it too.
bool contientMotDePasse(const QString& base);
// Why such an address is refused, and where the password goes instead.
QString refusMotDePasse();

// The database to open: the one asked for (--base) when given; else that of the working folder
// when it has a Brevanta.ini naming a server or a Brevanta.mdb; else the user's own base when it
// exists. Empty when there is none.
QString baseTrouvee(const QString& demandee);

// The user's own base, where a new one is made: Brevanta.mdb of the application's data folder
// (~/.local/share/Brevanta).
QString baseUtilisateur();

// The address without its password, to be shown.
QString adresseMontrable(const QString& base);

#pragma once

#include "core/bd/moteur.h"
#include "erreuroutil.h"

#include <QString>
#include <memory>

class Connection;
class ErreurBd;

// The tool's French text for a failure of a database, named as a command names it: a file, or a
// server's address shown without its password.
ErreurOutil erreurBase(const QString& base, const ErreurBd& e);
// Opens an existing Brevanta database, a file or a server's, as the program opens it; ErreurOutil
// saying why it cannot.
std::unique_ptr<Connection> ouvrirBase(const QString& base, Acces acces = Acces::Ecriture);
// Refuses a server's address where only a file will do: a server is backed up and restored with its
// own tools.
void exigerFichier(const QString& base);

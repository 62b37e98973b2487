#pragma once

#include <QString>
#include <functional>

class Connection;

// Fills a database just created, inside one transaction of the program's connection to it.
using Remplissage = std::function<void(Connection&)>;

// Creates a new Brevanta database, a file with the seven tables and the search index, or the tables
// in an empty database of a server, then runs remplir. All or nothing: on any failure the file is
// removed, the server's new tables dropped. Never replaces a file, never touches a server's database
// that holds a Brevanta table. Raises ErreurOutil.
void creerBase(const QString& base, const Remplissage& remplir = {});
// What the help of a command that creates a database says of one that exists.
QString aideJamaisRemplace();
// Runs remplir in one transaction on an existing Brevanta database, then commits.
void remplirBase(const QString& base, const Remplissage& remplir);
// Before many rows go into a file: more cache, and no search index, which would be fed row by row;
// the program builds it when it first opens the file. Nothing on a server.
void preparerRemplissageEnMasse(Connection& c);

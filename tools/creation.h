#pragma once

#include <QString>
#include <functional>

class BaseSqlite;

// Fills a database just created, inside its creating transaction.
using Remplissage = std::function<void(BaseSqlite&)>;

// Creates a new database file with the seven tables, then runs remplir. All or nothing: on any failure
// the file is removed. Never replaces an existing file. Raises ErreurOutil.
void creerBase(const QString& fichier, const Remplissage& remplir = {});

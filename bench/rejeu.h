#pragma once

#include "core/dialectesql.h"

#include <QList>
#include <QString>

struct sqlite3;

// SQLite alone, through its C API on a connection of its own: how long it takes to run and step
// through statements, the floor under the program's time for them.
class Rejeu {
public:
    explicit Rejeu(const QString& fichier);
    ~Rejeu();
    Rejeu(const Rejeu&) = delete;
    Rejeu& operator=(const Rejeu&) = delete;

    // Milliseconds to prepare each statement, bind its values and step through all its rows.
    double duree(const QList<RequeteTraduite>& instructions);
    sqlite3* connexion() const { return m_connexion; }

private:
    sqlite3* m_connexion = nullptr;
};

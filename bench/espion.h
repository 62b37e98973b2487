#pragma once

#include "core/bd/dialectesql.h"

#include <QList>
#include <QString>

struct sqlite3;

// A SELECT as the engine received it: its text as prepared, and what replays it alone (on a file,
// the text with the values written in; on a server, the text and the values as sent).
struct InstructionVue {
    QString modele;
    RequeteTraduite rejeu;
};

// Notes the SELECT statements the program runs, with their values, on every connection SQLite
// opens from now on and on the server; the benchmark's own SQLite connection is left out.
namespace Espion {
void installer();
void exclure(sqlite3* connexion);
void commencer();
// The SELECTs run since commencer().
QList<InstructionVue> arreter();
} // namespace Espion

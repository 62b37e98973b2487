#pragma once

#include <QList>
#include <QString>

struct sqlite3;

// A statement as SQLite ran it: its text with "?" and the same with the values written in.
struct InstructionVue {
    QString modele;
    QString texte;
};

// Notes the SELECT statements the program runs, with their values, on every connection SQLite
// opens from now on; the benchmark's own connection is left out.
namespace Espion {
void installer();
void exclure(sqlite3* connexion);
void commencer();
// The SELECTs run since commencer().
QList<InstructionVue> arreter();
} // namespace Espion

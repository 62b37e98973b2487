#pragma once

#include <QStringList>

// What a file must hold before the program writes to it, and what it may not hold: a trigger runs
// its SQL at every save, a view can stand where a table is expected.
namespace StructureFichier {
// One line of sqlite_master: its type ("table", "view", "trigger", "index") and name.
struct Objet {
    QString type;
    QString nom;
};
// The triggers and views Brevanta does not create, named: "déclencheur Piege", "vue Client".
QStringList etrangers(const QList<Objet>& objets);
// The names of the triggers alone among them.
QStringList declencheursEtrangers(const QList<Objet>& objets);
// One column as the file declares it: its name and its declared type ("TEXT", "VARCHAR(50)", "").
struct Colonne {
    QString nom;
    QString type;
};
// "RDV.DatePrevue (BLOB)" for each column of the schema whose declared type gives SQLite another
// affinity than the one the program reads: text for names, texts and dates, a number otherwise.
QStringList colonnesMalTypees(const QString& table, const QList<Colonne>& colonnes);
// "Client.Fax" for each column of the schema that a table lacks, given each table's columns; a
// table with none is absent.
QStringList colonnesAbsentes(const QString& table, const QStringList& presentes);
} // namespace StructureFichier

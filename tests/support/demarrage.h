#pragma once

#include <QStringList>

// What the started program did: its status (-1 when it did not end by itself), what it told on
// standard output (MESSAGE and FENETRE lines) and on standard error.
struct Issue {
    int statut;
    QString sortie;
    QString erreurs;
};

// Starts the program (tests/support/demarrage_enfant) in the folder, as a user starts Brevanta there.
// As root and sansPrivilege, "nobody" runs it, for whom permissions count.
Issue demarrerDans(const QString& programme, const QString& dossier, bool sansPrivilege = false,
                   const QStringList& arguments = {});

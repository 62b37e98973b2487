#pragma once

#include <QStringList>

// What the started program did: its status (-1 when it did not end by itself), what it told on
// standard output (MESSAGE and FENETRE lines) and on standard error.
struct Issue {
    int statut;
    QString sortie, erreurs;
};

// Starts the program (tests/support/demarrage_enfant) in the folder, as a user starts Brevanta there.
// As root and sansPrivilege, "nobody" runs it, for whom permissions count. Last, each NOM=valeur of
// `environnement` is set in its environment, each NOM alone removed.
Issue demarrerDans(const QString& programme, const QString& dossier, bool sansPrivilege = false,
                   const QStringList& arguments = {}, const QStringList& environnement = {});

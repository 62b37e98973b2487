#include "bases/verification.h"
#include "bases/verificationpostgres.h"
#include "commandes/commande.h"
#include "console.h"
#include "core/bd/choixbase.h"
#include "core/bd/connection.h"

Commande commandeCheck() {
    return {
        QStringLiteral("check BASE"),
        QStringLiteral("vérifie l'intégrité et les tables d'une base Brevanta"),
        QStringLiteral("Signale chaque défaut sur une ligne ; la base n'est jamais modifiée.\n"
                       "Un fichier : intégrité SQLite, tables et colonnes, index de recherche s'il existe.\n"
                       "Un serveur : tables, colonnes et leurs types, collation française, numérotation "
                       "des actions et rendez-vous, interlocuteurs et actions dont le client manque."),
        1,
        1,
        {},
        [](const Appel& a) {
            const QString& base = a.arguments[0];
            const QStringList defauts =
                Connection::estServeur(base) ? verifierServeur(base) : verifierBase(base);
            if (defauts.isEmpty()) {
                ecrireSortie(QStringLiteral("Base correcte : %1").arg(adresseMontrable(base)));
                return 0;
            }
            for (const QString& defaut : defauts)
                ecrireErreur(defaut);
            ecrireErreur(QStringLiteral("La base %1 n'est pas correcte.").arg(adresseMontrable(base)));
            return 1;
        }};
}

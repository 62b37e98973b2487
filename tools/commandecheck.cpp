#include "commande.h"
#include "console.h"
#include "verification.h"

Commande commandeCheck() {
    return {QStringLiteral("check FICHIER"),
            QStringLiteral("vérifie l'intégrité et les tables d'une base Brevanta"),
            QStringLiteral("Signale chaque défaut sur une ligne ; le fichier n'est jamais modifié."),
            1,
            1,
            {},
            [](const Appel& a) {
                const QString& fichier = a.arguments[0];
                const QStringList defauts = verifierBase(fichier);
                if (defauts.isEmpty()) {
                    ecrireSortie(QStringLiteral("Base correcte : %1").arg(fichier));
                    return 0;
                }
                for (const QString& defaut : defauts)
                    ecrireErreur(defaut);
                ecrireErreur(QStringLiteral("La base %1 n'est pas correcte.").arg(fichier));
                return 1;
            }};
}

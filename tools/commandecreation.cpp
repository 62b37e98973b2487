#include "commande.h"
#include "console.h"
#include "core/horloge.h"
#include "creation.h"
#include "demo.h"

namespace {
const QString JamaisRemplace = QStringLiteral("Le fichier n'est jamais remplacé s'il existe déjà.");

int creer(const QString& fichier, const Remplissage& remplir) {
    creerBase(fichier, remplir);
    ecrireSortie(QStringLiteral("Base créée : %1").arg(fichier));
    return 0;
}
} // namespace

Commande commandeInit() {
    return {QStringLiteral("init FICHIER"),
            QStringLiteral("crée une base Brevanta vide"),
            JamaisRemplace,
            1,
            1,
            {},
            [](const Appel& a) { return creer(a.arguments[0], {}); }};
}

Commande commandeDemo() {
    return {
        QStringLiteral("demo FICHIER"),
        QStringLiteral("crée une base Brevanta remplie d'un exemple"),
        QStringLiteral("Actions et rendez-vous sont placés autour de la date du jour.\n") + JamaisRemplace,
        1,
        1,
        {},
        [](const Appel& a) {
            return creer(a.arguments[0], [](BaseSqlite& base) { remplirDemo(base, Horloge::aujourdhui()); });
        }};
}

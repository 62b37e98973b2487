#include "bases/creation.h"
#include "commandes/commande.h"
#include "console.h"
#include "core/bd/choixbase.h"
#include "core/bd/horloge.h"
#include "generation/demo.h"

namespace {
int creer(const QString& base, const Remplissage& remplir) {
    creerBase(base, remplir);
    ecrireSortie(QStringLiteral("Base créée : %1").arg(adresseMontrable(base)));
    return 0;
}
} // namespace

Commande commandeInit() {
    return {
        QStringLiteral("init BASE"),
        QStringLiteral("crée une base Brevanta vide"),
        QStringLiteral("Sur un serveur, les tables sont créées dans la base nommée, qui doit exister.\n") +
            aideJamaisRemplace(),
        1,
        1,
        {},
        [](const Appel& a) { return creer(a.arguments[0], {}); }};
}

Commande commandeDemo() {
    return {QStringLiteral("demo BASE"),
            QStringLiteral("crée une base Brevanta remplie d'un exemple"),
            QStringLiteral("Actions et rendez-vous sont placés autour de la date du jour.\n") +
                aideJamaisRemplace(),
            1,
            1,
            {},
            [](const Appel& a) {
                return creer(a.arguments[0],
                             [](Connection& base) { remplirDemo(base, Horloge::aujourdhui()); });
            }};
}

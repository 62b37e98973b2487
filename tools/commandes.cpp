#include "commandes.h"

#include "commandebench.h"
#include "core/horloge.h"
#include "creation.h"
#include "demo.h"
#include "erreuroutil.h"
#include "verification.h"

#include <cstdio>

namespace {

const char* const usage = "Usage : brevanta-db COMMANDE FICHIER\n"
                          "  init FICHIER    crée une base Brevanta vide\n"
                          "  demo FICHIER    crée une base Brevanta remplie d'un exemple\n"
                          "  check FICHIER   vérifie l'intégrité et les tables d'une base Brevanta\n"
                          "Le fichier n'est jamais remplacé s'il existe déjà.\n";

void ecrire(std::FILE* flux, const QString& ligne) {
    std::fputs(ligne.toUtf8().constData(), flux);
    std::fputc('\n', flux);
}

int verifier(const QString& fichier) {
    const QStringList defauts = verifierBase(fichier);
    if (defauts.isEmpty()) {
        ecrire(stdout, QStringLiteral("Base correcte : %1").arg(fichier));
        return 0;
    }
    for (const QString& defaut : defauts)
        ecrire(stderr, defaut);
    ecrire(stderr, QStringLiteral("La base %1 n'est pas correcte.").arg(fichier));
    return 1;
}

} // namespace

int executerCommande(const QStringList& arguments) {
    if (arguments.size() == 1 && (arguments[0] == "-h" || arguments[0] == "--help")) {
        std::fputs(usage, stdout);
        std::fputs(usageBench, stdout);
        return 0;
    }
    const QString commande = arguments.value(0);
    const QString fichier = arguments.value(1);
    if (commande == "bench")
        return commandeBench(arguments.mid(1));
    const bool connue = commande == "init" || commande == "demo" || commande == "check";
    if (arguments.size() != 2 || !connue || fichier.isEmpty()) {
        ecrire(stderr, connue || arguments.size() != 2
                           ? QStringLiteral("Arguments incorrects.")
                           : QStringLiteral("Commande inconnue : %1").arg(commande));
        std::fputs(usage, stderr);
        std::fputs(usageBench, stderr);
        return 1;
    }
    try {
        if (commande == "check")
            return verifier(fichier);
        if (commande == "init")
            creerBase(fichier);
        else
            creerBase(fichier, [](BaseSqlite& base) { remplirDemo(base, Horloge::aujourdhui()); });
        ecrire(stdout, QStringLiteral("Base créée : %1").arg(fichier));
        return 0;
    } catch (const ErreurOutil& e) {
        ecrire(stderr, e.texte());
        return 1;
    }
}

#include "commandes/commande.h"
#include "console.h"

#include <QCoreApplication>
#include <vector>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments().mid(1);
    std::vector<std::unique_ptr<Commande>> liste;
    for (auto fabrique :
         {commandeInit, commandeDemo, commandeCheck, commandeBackup, commandeRestore, commandeExport,
          commandeImport, commandeCalendar, commandeContacts, commandeBench, commandeCopy})
        liste.push_back(fabrique());
    for (const auto& c : liste)
        if (c->nom() == arguments.value(0))
            return c->lancer(arguments.mid(1));
    // Otherwise the general usage: asked for, or after the reason.
    const bool aide = Commande::estAide(arguments);
    if (!aide)
        ecrireErreur(arguments.isEmpty() ? QStringLiteral("Commande absente.")
                                         : QStringLiteral("Commande inconnue : %1").arg(arguments[0]));
    QStringList usage{QStringLiteral("Usage : brevanta-db COMMANDE ARGUMENTS")};
    for (const auto& c : liste)
        usage << QStringLiteral("  %1  %2").arg(c->syntaxe().leftJustified(52), c->resume());
    usage << QStringLiteral("BASE : un fichier (Brevanta.mdb) ou une base d'un serveur PostgreSQL "
                            "(postgresql://utilisateur@hôte:port/base).")
          << QStringLiteral("« brevanta-db COMMANDE --help » décrit une commande.");
    (aide ? ecrireSortie : ecrireErreur)(usage.join(QLatin1Char('\n')));
    return aide ? 0 : 1;
}

#include "commandes/commandes.h"

#include "commandes/commande.h"
#include "console.h"
#include "core/bd/erreurbd.h"
#include "erreuroutil.h"

#include <QVector>

namespace {

const QVector<Commande>& commandes() {
    static const QVector<Commande> liste{commandeInit(),   commandeDemo(),     commandeCheck(),
                                         commandeBackup(), commandeRestore(),  commandeExport(),
                                         commandeImport(), commandeCalendar(), commandeContacts(),
                                         commandeBench(),  commandeCopy()};
    return liste;
}

const Commande* trouver(const QString& nom) {
    for (const Commande& c : commandes())
        if (c.nom() == nom)
            return &c;
    return nullptr;
}

QString usage() {
    QStringList lignes{QStringLiteral("Usage : brevanta-db COMMANDE ARGUMENTS")};
    for (const Commande& c : commandes())
        lignes << QStringLiteral("  %1  %2").arg(c.syntaxe.leftJustified(52), c.resume);
    lignes << QStringLiteral("BASE : un fichier (Brevanta.mdb) ou une base d'un serveur PostgreSQL "
                             "(postgresql://utilisateur@hôte:port/base).")
           << QStringLiteral("« brevanta-db COMMANDE --help » décrit une commande.");
    return lignes.join(QLatin1Char('\n'));
}

QString aide(const Commande& c) {
    const QString resume = c.resume.left(1).toUpper() + c.resume.mid(1);
    return QStringLiteral("Usage : brevanta-db %1\n%2.\n%3").arg(c.syntaxe, resume, c.aide).trimmed();
}

bool estAide(const QString& argument) {
    return argument == QLatin1String("-h") || argument == QLatin1String("--help");
}

// Arguments and options in any order; false when they do not fit the command.
bool lireAppel(const Commande& c, const QStringList& arguments, Appel& appel) {
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (c.options.contains(a)) {
            if (i + 1 >= arguments.size() || appel.options.contains(a))
                return false;
            appel.options.insert(a, arguments[++i]);
        } else if (a.startsWith(QLatin1String("--")) || a.isEmpty()) {
            return false;
        } else {
            appel.arguments << a;
        }
    }
    return appel.arguments.size() >= c.minimum && appel.arguments.size() <= c.maximum;
}

} // namespace

int executerCommande(const QStringList& arguments) {
    if (arguments.size() == 1 && estAide(arguments[0])) {
        ecrireSortie(usage());
        return 0;
    }
    const Commande* c = trouver(arguments.value(0));
    if (!c) {
        ecrireErreur(arguments.isEmpty() ? QStringLiteral("Commande absente.")
                                         : QStringLiteral("Commande inconnue : %1").arg(arguments[0]));
        ecrireErreur(usage());
        return 1;
    }
    const QStringList suite = arguments.mid(1);
    if (suite.size() == 1 && estAide(suite[0])) {
        ecrireSortie(aide(*c));
        return 0;
    }
    Appel appel;
    if (!lireAppel(*c, suite, appel)) {
        ecrireErreur(QStringLiteral("Arguments incorrects."));
        ecrireErreur(QStringLiteral("Usage : brevanta-db %1").arg(c->syntaxe));
        return 1;
    }
    try {
        return c->executer(appel);
    } catch (const ErreurOutil& e) {
        ecrireErreur(e.texte());
        return 1;
    } catch (const ErreurBd& e) {
        ecrireErreur(QStringLiteral("Erreur de la base de données : %1").arg(e.texte()));
        return 1;
    }
}

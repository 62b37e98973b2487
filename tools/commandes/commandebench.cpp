#include "bases/creation.h"
#include "commandes/commande.h"
#include "console.h"
#include "core/bd/choixbase.h"
#include "core/bd/horloge.h"
#include "erreuroutil.h"
#include "generation/basevolumineuse.h"

#include <QElapsedTimer>

namespace {
const Volumes Moyenne{3000, 10000, 50000, 20000};
const Volumes Grande{20000, 100000, 1000000, 300000};

// The scale, then each count given in place of its own; ErreurOutil for a wrong value.
Volumes volumes(const Appel& a) {
    const QString echelle = a.options.value(QStringLiteral("--scale"), QStringLiteral("mid"));
    if (echelle != QLatin1String("mid") && echelle != QLatin1String("big"))
        throw ErreurOutil(QStringLiteral("Échelle inconnue : %1 (mid ou big).").arg(echelle));
    Volumes v = echelle == QLatin1String("big") ? Grande : Moyenne;
    const QList<std::pair<QString, int*>> nombres{{QStringLiteral("--clients"), &v.clients},
                                                  {QStringLiteral("--contacts"), &v.contacts},
                                                  {QStringLiteral("--actions"), &v.actions},
                                                  {QStringLiteral("--appointments"), &v.rdv}};
    for (const auto& [option, nombre] : nombres) {
        if (!a.options.contains(option))
            continue;
        bool ok = false;
        *nombre = a.options.value(option).toInt(&ok);
        if (!ok || *nombre < 0)
            throw ErreurOutil(
                QStringLiteral("Nombre incorrect pour %1 : %2").arg(option, a.options.value(option)));
    }
    return v;
}
} // namespace

Commande commandeBench() {
    return {
        QStringLiteral("bench BASE [--scale mid|big] [--clients N] [--contacts N] [--actions N] "
                       "[--appointments N]"),
        QStringLiteral("crée une base volumineuse pour les mesures de vitesse"),
        QStringLiteral("mid (par défaut) : 3 000 clients, 10 000 interlocuteurs, 50 000 actions, 20 000 "
                       "rendez-vous ; big : 20 000, 100 000, 1 000 000 et 300 000. Un nombre donné remplace "
                       "celui de l'échelle. Mêmes volumes, même jour : mêmes lignes. L'index de recherche "
                       "d'un fichier est laissé à Brevanta, qui le construit à sa première ouverture.\n") +
            aideJamaisRemplace(),
        1,
        1,
        {QStringLiteral("--scale"), QStringLiteral("--clients"), QStringLiteral("--contacts"),
         QStringLiteral("--actions"), QStringLiteral("--appointments")},
        [](const Appel& a) {
            const Volumes v = volumes(a);
            QElapsedTimer duree;
            duree.start();
            creerBase(a.arguments[0],
                      [&](Connection& base) { remplirVolumineuse(base, v, Horloge::aujourdhui()); });
            ecrireSortie(QStringLiteral("Base créée : %1 (%2 clients, %3 interlocuteurs, %4 actions, %5 "
                                        "rendez-vous) en %6 s")
                             .arg(adresseMontrable(a.arguments[0]))
                             .arg(v.clients)
                             .arg(v.contacts)
                             .arg(v.actions)
                             .arg(v.rdv)
                             .arg(double(duree.elapsed()) / 1000, 0, 'f', 1));
            return 0;
        }};
}

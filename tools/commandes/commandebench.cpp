#include "bases/creation.h"
#include "commandes/commande.h"
#include "core/bd/choixbase.h"
#include "core/bd/horloge.h"
#include "erreuroutil.h"
#include "generation/basevolumineuse.h"

#include <QElapsedTimer>

namespace {
const Volumes Moyenne{3000, 10000, 50000, 20000};
const Volumes Grande{20000, 100000, 1000000, 300000};
// The options that give one count in place of the scale's.
const std::pair<const char*, int Volumes::*> Nombres[]{{"clients", &Volumes::clients},
                                                       {"contacts", &Volumes::contacts},
                                                       {"actions", &Volumes::actions},
                                                       {"appointments", &Volumes::rdv}};

class Bench : public Commande {
    using Commande::Commande;
    // The scale, then each count given in place of its own; ErreurOutil for a wrong value.
    Volumes volumes() const {
        const QString echelle = valeur(QStringLiteral("scale"));
        if (echelle != QLatin1String("mid") && echelle != QLatin1String("big"))
            throw ErreurOutil(QStringLiteral("Échelle inconnue : %1 (mid ou big).").arg(echelle));
        Volumes v = echelle == QLatin1String("big") ? Grande : Moyenne;
        for (const auto& [nom, nombre] : Nombres) {
            if (!donnee(nom))
                continue;
            bool ok = false;
            v.*nombre = valeur(nom).toInt(&ok);
            if (!ok || v.*nombre < 0)
                throw ErreurOutil(
                    QStringLiteral("Nombre incorrect pour --%1 : %2").arg(QLatin1String(nom), valeur(nom)));
        }
        return v;
    }

    QString executer(const QStringList& a) override {
        const Volumes v = volumes();
        QElapsedTimer duree;
        duree.start();
        creerBase(a[0], [&](Connection& base) { remplirVolumineuse(base, v, Horloge::aujourdhui()); });
        return QStringLiteral(
                   "Base créée : %1 (%2 clients, %3 interlocuteurs, %4 actions, %5 rendez-vous) en %6 s")
            .arg(adresseMontrable(a[0]))
            .arg(v.clients)
            .arg(v.contacts)
            .arg(v.actions)
            .arg(v.rdv)
            .arg(double(duree.elapsed()) / 1000, 0, 'f', 1);
    }
};

} // namespace

std::unique_ptr<Commande> commandeBench() {
    QList<QCommandLineOption> options{{"scale", QString(), "mid|big", "mid"}};
    for (const auto& nombre : Nombres)
        options.append({nombre.first, QString(), "N"});
    return std::make_unique<Bench>(
        "bench", QStringList{"BASE"}, "crée une base volumineuse pour les mesures de vitesse",
        "mid (par défaut) : 3 000 clients, 10 000 interlocuteurs, 50 000 actions, 20 000 rendez-vous ; big : "
        "20 000, 100 000, 1 000 000 et 300 000. Un nombre donné remplace celui de l'échelle. Mêmes volumes, "
        "même jour : mêmes lignes. L'index de recherche d'un fichier est laissé à Brevanta, qui le construit "
        "à sa première ouverture.\n" +
            aideJamaisRemplace(),
        options);
}

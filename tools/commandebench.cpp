#include "commandebench.h"

#include "basevolumineuse.h"
#include "core/horloge.h"
#include "creation.h"
#include "erreuroutil.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>

const char* const usageBench =
    "  bench FICHIER [--scale mid|big] [--clients N] [--contacts N] [--actions N] [--appointments N]\n"
    "                  crée une base volumineuse pour les mesures de vitesse (mid par défaut :\n"
    "                  3 000 clients, 10 000 interlocuteurs, 50 000 actions, 20 000 rendez-vous ;\n"
    "                  big : 20 000, 100 000, 1 000 000 et 300 000)\n";

namespace {

// The volumes the options ask for: the scale first, then each count given; ErreurOutil for a wrong one.
Volumes lireVolumes(const QStringList& options) {
    if (options.size() % 2 != 0)
        throw ErreurOutil(QStringLiteral("Valeur manquante après %1.").arg(options.last()));
    Volumes v{3000, 10000, 50000, 20000};
    for (int i = 0; i < options.size(); i += 2) {
        if (options[i] != "--scale")
            continue;
        if (options[i + 1] == "big")
            v = {20000, 100000, 1000000, 300000};
        else if (options[i + 1] != "mid")
            throw ErreurOutil(QStringLiteral("Échelle inconnue : %1 (mid ou big).").arg(options[i + 1]));
    }
    const QList<std::pair<QString, int*>> nombres{{"--clients", &v.clients},
                                                  {"--contacts", &v.contacts},
                                                  {"--actions", &v.actions},
                                                  {"--appointments", &v.rdv}};
    for (int i = 0; i < options.size(); i += 2) {
        const auto option = std::find_if(nombres.begin(), nombres.end(),
                                         [&](const auto& n) { return n.first == options[i]; });
        if (option == nombres.end()) {
            if (options[i] == "--scale")
                continue;
            throw ErreurOutil(QStringLiteral("Option inconnue : %1").arg(options[i]));
        }
        bool ok = false;
        *option->second = options[i + 1].toInt(&ok);
        if (!ok || *option->second < 0)
            throw ErreurOutil(
                QStringLiteral("Nombre incorrect pour %1 : %2").arg(options[i], options[i + 1]));
    }
    return v;
}

} // namespace

int commandeBench(const QStringList& arguments) {
    try {
        const QString fichier = arguments.value(0);
        if (fichier.isEmpty() || fichier.startsWith("--"))
            throw ErreurOutil(QStringLiteral("Arguments incorrects."));
        const Volumes v = lireVolumes(arguments.mid(1));
        QElapsedTimer duree;
        duree.start();
        creerBase(fichier, [&](BaseSqlite& base) { remplirVolumineuse(base, v, Horloge::aujourdhui()); });
        std::printf("%s\n", QStringLiteral("Base créée : %1 (%2 clients, %3 interlocuteurs, %4 actions, %5 "
                                           "rendez-vous) en %6 s")
                                .arg(fichier)
                                .arg(v.clients)
                                .arg(v.contacts)
                                .arg(v.actions)
                                .arg(v.rdv)
                                .arg(double(duree.elapsed()) / 1000, 0, 'f', 1)
                                .toUtf8()
                                .constData());
        return 0;
    } catch (const ErreurOutil& e) {
        std::fprintf(stderr, "%s\n", e.texte().toUtf8().constData());
        return 1;
    }
}

#include "banc.h"

#include "app/principal.h"
#include "core/bd/connection.h"
#include "core/bd/horloge.h"
#include "espion.h"
#include "gui/mainwindow/frmclient.h"
#include "gui/mainwindow/listesactions.h"
#include "rejeu.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>

namespace {
double mediane(QVector<double> valeurs) {
    std::sort(valeurs.begin(), valeurs.end());
    const int n = int(valeurs.size());
    return n % 2 ? valeurs[n / 2] : (valeurs[n / 2 - 1] + valeurs[n / 2]) / 2;
}
// The statements sent, and those of the rebuild that reused its lists without sending them.
QList<RequeteTraduite> plancher(const QList<InstructionVue>& vues, bool reconstruction) {
    QList<RequeteTraduite> instructions;
    QStringList modeles;
    for (const InstructionVue& v : vues) {
        instructions << v.rejeu;
        modeles << v.modele;
    }
    if (reconstruction)
        for (const QString& liste : frmClient->listesActions().instructions()) {
            const RequeteTraduite r = traduireSql(liste, Horloge::maintenant(), Connexion->cible());
            if (!modeles.contains(r.sql.trimmed()))
                instructions << r;
        }
    return instructions;
}
} // namespace

void laisserAfficher() {
    QApplication::sendPostedEvents();
    QApplication::processEvents();
}

Resultat Banc::mesurer(const Interaction& i) {
    QVector<double> durees, moteur;
    int lignes = 0;
    for (int k = 0; k <= m_repetitions; ++k) {
        i.preparer();
        laisserAfficher();
        QElapsedTimer chrono;
        Espion::commencer();
        chrono.start();
        i.agir();
        laisserAfficher();
        const double ms = double(chrono.nsecsElapsed()) / 1e6;
        const QList<InstructionVue> vues = Espion::arreter();
        if (k == 0)
            continue;
        durees << ms;
        lignes = i.lignes();
        if (i.sql != Sql::Aucun)
            moteur << m_rejeu.duree(plancher(vues, i.sql == Sql::Reconstruction));
    }
    Resultat r{i.nom, lignes, mediane(durees), {}};
    if (!moteur.isEmpty())
        r.moteurMs = mediane(moteur);
    return r;
}

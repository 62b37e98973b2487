#include "banc.h"

#include "app/principal.h"
#include "core/bd/connection.h"
#include "core/bd/horloge.h"
#include "core/donnees/actions.h"
#include "espion.h"
#include "gui/mainwindow/frmclient.h"
#include "gui/mainwindow/listesactions.h"
#include "rejeu.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <algorithm>

namespace {
double mediane(QVector<double> valeurs) {
    std::sort(valeurs.begin(), valeurs.end());
    const int n = int(valeurs.size());
    return n % 2 ? valeurs[n / 2] : (valeurs[n / 2 - 1] + valeurs[n / 2]) / 2;
}
// The statements sent, but for the lists' own reads, and those of the rebuild whether sent or not:
// their first rows, or all of them.
QList<RequeteTraduite> plancher(const QList<InstructionVue>& vues, bool premieresLignes) {
    QList<RequeteTraduite> instructions;
    // A list's read: its table, then the continuation, if any, before the list's criteria; a
    // server numbers the values in the order they come.
    const auto sansNumeros = [](QString sql) {
        return sql.section(QStringLiteral(" order by "), 0, 0)
            .trimmed()
            .replace(QRegularExpression(QStringLiteral("\\$\\d+")), QStringLiteral("$"));
    };
    QList<QPair<QString, QString>> listes;
    for (const QString& liste : frmClient->listesActions().instructions()) {
        const QString limite = QStringLiteral(" limit ") + QString::number(Actions::LignesParLecture);
        // As sent: a server's statement without an order would be given one.
        const QString sql = sansNumeros(traduireSql(liste, Horloge::maintenant(), Connexion->cible()).sql);
        listes << qMakePair(sql.section(QStringLiteral(" where "), 0, 0),
                            sql.section(QStringLiteral(" where "), 1).trimmed());
        instructions << traduireSql(premieresLignes ? liste + limite : liste, Horloge::maintenant(),
                                    Connexion->cible());
    }
    const auto lectureDeListe = [&](const QString& modele) {
        if (!modele.contains(QLatin1String(" order by ")))
            return false;
        const QString sql = sansNumeros(modele);
        for (const auto& [table, criteres] : listes)
            if (sql.startsWith(table) && sql.endsWith(criteres))
                return true;
        return false;
    };
    for (const InstructionVue& v : vues)
        if (!lectureDeListe(v.modele))
            instructions << v.rejeu;
    return instructions;
}
} // namespace

void laisserAfficher() {
    QApplication::sendPostedEvents();
    QApplication::processEvents();
}

Resultat Banc::mesurer(const Interaction& i) {
    QVector<double> durees, moteur, premiers, planchers;
    int lignes = 0;
    const bool listes = i.sql == Sql::Reconstruction;
    for (int k = 0; k <= m_repetitions; ++k) {
        i.preparer();
        laisserAfficher();
        QElapsedTimer chrono;
        Espion::commencer();
        chrono.start();
        i.agir();
        laisserAfficher();
        const double premier = double(chrono.nsecsElapsed()) / 1e6;
        if (listes) {
            m_defiler();
            laisserAfficher();
        }
        const double ms = double(chrono.nsecsElapsed()) / 1e6;
        const QList<InstructionVue> vues = Espion::arreter();
        if (k == 0)
            continue;
        durees << ms;
        lignes = i.lignes();
        if (listes) {
            premiers << premier;
            planchers << m_rejeu.duree(plancher(vues, true));
            moteur << m_rejeu.duree(plancher(vues, false));
        } else if (i.sql == Sql::Envoye) {
            QList<RequeteTraduite> envoyees;
            for (const InstructionVue& v : vues)
                envoyees << v.rejeu;
            moteur << m_rejeu.duree(envoyees);
        }
    }
    Resultat r{i.nom, lignes, mediane(durees), {}, {}, {}};
    if (!moteur.isEmpty())
        r.moteurMs = mediane(moteur);
    if (listes) {
        r.premierEcranMs = mediane(premiers);
        r.plancherPremierEcranMs = mediane(planchers);
    }
    return r;
}

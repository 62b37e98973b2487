#include "core/donnees/echeances.h"

#include "core/bd/connection.h"
#include "core/bd/formatsql.h"
#include "core/bd/recordset.h"
#include "core/textes/regional.h"

#include <QStringList>

namespace {
// "3 actions et 1 rendez-vous": the kinds that have some.
QString compte(int actions, int rdv) {
    QStringList parts;
    if (actions > 0)
        parts << QStringLiteral("%1 action%2").arg(actions).arg(actions > 1 ? "s" : "");
    if (rdv > 0)
        parts << QStringLiteral("%1 rendez-vous").arg(rdv);
    return parts.join(QStringLiteral(" et "));
}

int nombre(Connection& c, const QString& table, const QString& condition) {
    Recordset rs;
    rs.open(QStringLiteral("select count(*) as n from ") + table + QStringLiteral(" where Fait=0 and ") +
                condition,
            &c);
    return rs.eof() ? 0 : rs.field(0).toInt();
}
} // namespace

Echeance echeance(qint64 prevue, bool fait, const QDateTime& maintenant) {
    if (fait || prevue == Regional::InstantInvalide)
        return Echeance::Aucune;
    const QDate jour = Regional::dateDeInstant(prevue).date();
    if (jour < maintenant.date())
        return Echeance::EnRetard;
    return jour == maintenant.date() ? Echeance::Aujourdhui : Echeance::Aucune;
}

QString texteEcheance(Echeance e) {
    switch (e) {
    case Echeance::EnRetard:
        return QStringLiteral("En retard : prévu avant aujourd'hui et pas encore fait");
    case Echeance::Aujourdhui:
        return QStringLiteral("Prévu aujourd'hui");
    case Echeance::Aucune:
        break;
    }
    return QString();
}

QString ResumeJour::texte() const {
    QStringList parts;
    const QString retard = compte(actionsEnRetard, rdvEnRetard);
    if (!retard.isEmpty())
        parts << retard + QStringLiteral(" en retard");
    const QString jour = compte(actionsAujourdhui, rdvAujourdhui);
    if (!jour.isEmpty())
        parts << jour + QStringLiteral(" aujourd'hui");
    return parts.join(QStringLiteral(", "));
}

bool ResumeJour::operator==(const ResumeJour& r) const {
    return actionsEnRetard == r.actionsEnRetard && rdvEnRetard == r.rdvEnRetard &&
           actionsAujourdhui == r.actionsAujourdhui && rdvAujourdhui == r.rdvAujourdhui;
}

ResumeJour ResumeJour::lire(Connection& connexion, const QDate& aujourdhui) {
    const QString debut = DateSql(aujourdhui);
    const QString enRetard = QStringLiteral("DatePrevue<") + debut;
    const QString duJour = QStringLiteral("DatePrevue>=") + debut + QStringLiteral(" and DatePrevue<") +
                           DateSql(aujourdhui.addDays(1));
    ResumeJour r;
    r.actionsEnRetard = nombre(connexion, QStringLiteral("Actions"), enRetard);
    r.rdvEnRetard = nombre(connexion, QStringLiteral("RDV"), enRetard);
    r.actionsAujourdhui = nombre(connexion, QStringLiteral("Actions"), duJour);
    r.rdvAujourdhui = nombre(connexion, QStringLiteral("RDV"), duJour);
    return r;
}

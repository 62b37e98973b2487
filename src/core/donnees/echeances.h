#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

class Connection;

// Where a to-do item stands against today: the lists mark what is late and what is due today.
enum class Echeance { Aucune, EnRetard, Aujourdhui };

// By the day alone: an item of today stays "today" until midnight, whatever its time.
Echeance echeance(qint64 prevue, bool fait, const QDateTime& maintenant);
// What the mark means, for the tooltip; empty for none.
QString texteEcheance(Echeance e);

// The to-do actions and appointments late or due today, as the day's summary counts them.
struct ResumeJour {
    int actionsEnRetard = 0;
    int rdvEnRetard = 0;
    int actionsAujourdhui = 0;
    int rdvAujourdhui = 0;

    bool vide() const { return actionsEnRetard + rdvEnRetard + actionsAujourdhui + rdvAujourdhui == 0; }
    // « 3 actions en retard, 2 actions et 1 rendez-vous aujourd'hui »; empty when there is nothing.
    QString texte() const;
    bool operator==(const ResumeJour& r) const;

    // Through the index of the to-do dates.
    static ResumeJour lire(Connection& connexion, const QDate& aujourdhui);
};

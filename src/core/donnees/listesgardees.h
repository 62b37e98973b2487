#pragma once

#include "core/bd/connection.h"
#include "core/donnees/actions.h"

#include <QStringList>
#include <memory>
#include <optional>

// The two lists of the main window, actions and appointments, as read in one state.
struct ListesLues {
    // What the lists' result depends on.
    struct Etat {
        QStringList instructions;
        // The moment that "Aujourd'hui" compares with; the week and the month are in the statements.
        QString horloge;
        VersionDonnees version;
        bool operator==(const Etat& e) const;
    };
    Etat etat;
    std::shared_ptr<Actions> actions;
    std::shared_ptr<Actions> rdv;
};

// The lists shown before those on screen, for a return to the filters just left: kept only in their
// own order and while short enough, however they came to be left.
class ListesGardees {
public:
    explicit ListesGardees(int plafond = 500000);
    // Keeps these lists in place of the kept ones, or none when they are too long or sorted.
    void garder(ListesLues lues);
    // When the kept lists were read in this state, they become the lists shown, and those are kept.
    bool revenir(const ListesLues::Etat& e, ListesLues& montrees);
    void oublier() { m_gardees.reset(); }

private:
    int m_plafond;
    std::optional<ListesLues> m_gardees;
};

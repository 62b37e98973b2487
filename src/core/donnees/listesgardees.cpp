#include "core/donnees/listesgardees.h"

#include <utility>

bool ListesLues::Etat::operator==(const Etat& e) const {
    return instructions == e.instructions && horloge == e.horloge && version == e.version;
}

ListesGardees::ListesGardees(int plafond) : m_plafond(plafond) {}

void ListesGardees::garder(ListesLues lues) {
    if (lues.actions->Count() + lues.rdv->Count() <= m_plafond && lues.actions->OrdreNaturel() &&
        lues.rdv->OrdreNaturel())
        m_gardees = std::move(lues);
    else
        m_gardees.reset();
}

bool ListesGardees::revenir(const ListesLues::Etat& e, ListesLues& montrees) {
    if (!m_gardees || !(m_gardees->etat == e))
        return false;
    ListesLues quittees = std::exchange(montrees, std::move(*m_gardees));
    garder(std::move(quittees));
    return true;
}

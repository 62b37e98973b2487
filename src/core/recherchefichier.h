#pragma once

#include "core/recherchemoteur.h"

// The search on a file: the FTS5 index of IndexRecherche, whose keys give the order of the results.
class RechercheFichier : public RechercheMoteur {
public:
    explicit RechercheFichier(Connection& c) : m_c(c) {}

    bool indexAJour() override;
    void construireIndex(const Avancement& avancement) override;
    ResultatRecherche chercher(const QStringList& mots, const QDateTime& maintenant) override;

private:
    Connection& m_c;
};

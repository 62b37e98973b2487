#pragma once

#include "core/recherche/recherchemoteur.h"

// The search on a file: the FTS5 index of IndexRechercheSqlite, whose keys give the order of the results.
class RechercheSqlite : public RechercheMoteur {
public:
    explicit RechercheSqlite(Connection& c) : m_c(c) {}

    bool indexAJour() override;
    void construireIndex(const Avancement& avancement) override;
    ResultatRecherche chercher(const QStringList& mots, const QDateTime& maintenant) override;

private:
    Connection& m_c;
};

#pragma once

#include "core/recherche/recherchemoteur.h"

// The search on a PostgreSQL server, over the table of IndexRecherchePostgres.
class RecherchePostgres : public RechercheMoteur {
public:
    explicit RecherchePostgres(Connection& c) : m_c(c) {}

    bool indexAJour() override;
    void construireIndex(const Avancement& avancement) override;
    ResultatRecherche chercher(const QStringList& mots, const QDateTime& maintenant) override;

private:
    // Actions and appointments of one state, planned closest to now first, when too many match to
    // read them all.
    QVector<Trouve> autourDeMaintenant(const QVariantList& valeurs, bool fait, int nombre);
    QVector<Trouve> lire(const QString& sql, const QVariantList& valeurs);

    Connection& m_c;
};

#pragma once

#include "core/lignes.h"

#include <libpq-fe.h>

// The rows of a server's answer, all received, as text: dates come as the server writes them
// ("2026-03-29 02:30:00", no time zone), never through a local-time conversion.
class LignesPostgres : public Lignes {
public:
    explicit LignesPostgres(PGresult* resultat) : m_resultat(resultat) {}
    ~LignesPostgres() override { PQclear(m_resultat); }
    LignesPostgres(const LignesPostgres&) = delete;
    LignesPostgres& operator=(const LignesPostgres&) = delete;

    bool suivant() override { return ++m_ligne < PQntuples(m_resultat); }
    int nombreColonnes() const override { return PQnfields(m_resultat); }
    QString nomColonne(int i) const override;
    QVariant valeur(int i) const override;
    ValeurBrute brute(int i) const override;

private:
    PGresult* m_resultat;
    int m_ligne = -1;
};

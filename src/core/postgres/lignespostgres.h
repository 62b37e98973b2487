#pragma once

#include "core/bd/lignes.h"

#include <libpq-fe.h>
#include <vector>

// The rows of a server's answer, all received, as text: dates come as the server writes them
// ("2026-03-29 02:30:00", no time zone), never through a local-time conversion.
class LignesPostgres : public Lignes {
public:
    explicit LignesPostgres(PGresult* resultat);
    ~LignesPostgres() override { PQclear(m_resultat); }
    LignesPostgres(const LignesPostgres&) = delete;
    LignesPostgres& operator=(const LignesPostgres&) = delete;

    bool suivant() override { return ++m_ligne < m_nombre; }
    int nombreColonnes() const override { return PQnfields(m_resultat); }
    QString nomColonne(int i) const override;
    QVariant valeur(int i) const override;
    ValeurBrute brute(int i) const override;

private:
    // How each column's text reads, known once from its type: long lists read many values.
    enum class Lecture : quint8 { Entier, Booleen, Reel, Texte };

    PGresult* m_resultat;
    int m_nombre;
    std::vector<Lecture> m_lectures;
    int m_ligne = -1;
};

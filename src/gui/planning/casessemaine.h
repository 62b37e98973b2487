#pragma once

#include "widgets/grillemodele.h"

#include <array>

// The cells of a week's two grids, the texts and their keys: each item goes below the items
// already placed in its column, so that a day's items placed in order of time read down.
class CasesSemaine {
public:
    static constexpr int Colonnes = 6;

    void placer(int colonne, const QString& texte, const QString& cle);
    bool vide() const { return m_textes.isEmpty(); }
    QVector<LigneGrille> textes() const { return lignes(m_textes); }
    QVector<LigneGrille> cles() const { return lignes(m_cles); }
    // Grid row (1 for the first under the header) and column of the last item placed.
    int derniereLigne() const { return m_derniereLigne; }
    int derniereColonne() const { return m_derniereColonne; }

private:
    static QVector<LigneGrille> lignes(const QVector<QStringList>& cellules);

    QVector<QStringList> m_textes, m_cles;
    std::array<int, Colonnes> m_hauteurs{};
    int m_derniereLigne = 0, m_derniereColonne = 0;
};

#include "gui/planning/casessemaine.h"

void CasesSemaine::placer(int colonne, const QString& texte, const QString& cle) {
    const int ligne = m_hauteurs[colonne]++;
    if (ligne == m_textes.size()) {
        m_textes.append(QStringList(Colonnes, QString()));
        m_cles.append(QStringList(Colonnes, QString()));
    }
    m_textes[ligne][colonne] = texte;
    m_cles[ligne][colonne] = cle;
    m_derniereLigne = ligne + 1;
    m_derniereColonne = colonne;
}

QVector<LigneGrille> CasesSemaine::lignes(const QVector<QStringList>& cellules) {
    QVector<LigneGrille> l;
    l.reserve(cellules.size());
    for (const QStringList& c : cellules)
        l.append({c, QString(), QColor()});
    return l;
}

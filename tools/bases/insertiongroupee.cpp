#include "bases/insertiongroupee.h"

#include "bases/sqlnatif.h"

namespace {
// Far below the engines' limits on values per statement (32 766 for SQLite, 65 535 for a server).
constexpr int ValeursParInstruction = 3000;
} // namespace

InsertionGroupee::InsertionGroupee(Connection& c, const QString& table, const QStringList& colonnes)
    : m_connexion(c), m_colonnes(int(colonnes.size())),
      m_debut(QStringLiteral("INSERT INTO %1 (%2) VALUES ").arg(table, colonnes.join(QLatin1Char(',')))),
      m_ligne(QLatin1Char('(') + QStringList(colonnes.size(), QStringLiteral("?")).join(QLatin1Char(',')) +
              QLatin1Char(')')),
      m_parInstruction(std::max(1, ValeursParInstruction / m_colonnes)),
      m_pleine(instruction(m_parInstruction)) {
    m_attente.reserve(m_parInstruction * m_colonnes);
}

QString InsertionGroupee::instruction(int lignes) const {
    return m_debut + QStringList(lignes, m_ligne).join(QLatin1Char(','));
}

void InsertionGroupee::ajouter(const QVariantList& valeurs) {
    m_attente += valeurs;
    if (m_attente.size() == m_parInstruction * m_colonnes)
        terminer();
}

void InsertionGroupee::terminer() {
    if (m_attente.isEmpty())
        return;
    const int lignes = int(m_attente.size()) / m_colonnes;
    Natif::executer(m_connexion, lignes == m_parInstruction ? m_pleine : instruction(lignes), m_attente);
    m_attente.clear();
}

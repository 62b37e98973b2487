#pragma once

#include <QStringList>
#include <QVariantList>

class Connection;

// Rows of one table written many to a statement: a server gets a few thousand values at a time
// instead of a round trip per row. Errors come as ErreurBd.
class InsertionGroupee {
public:
    InsertionGroupee(Connection& c, const QString& table, const QStringList& colonnes);
    // The values in the order of the columns.
    void ajouter(const QVariantList& valeurs);
    // Writes the rows still waiting; the rows added afterwards make a new group.
    void terminer();

private:
    QString instruction(int lignes) const;

    Connection& m_connexion;
    int m_colonnes;
    QString m_debut;
    QString m_ligne;
    int m_parInstruction;
    QString m_pleine;
    QVariantList m_attente;
};

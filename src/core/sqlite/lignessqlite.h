#pragma once

#include "core/bd/lignes.h"

#include <memory>

class ReserveInstructions;
struct sqlite3_stmt;

// The rows of a prepared SQLite statement. The statement goes back to its connection's reserve
// after the last row or when the rows go.
class LignesSqlite : public Lignes {
public:
    LignesSqlite(std::shared_ptr<ReserveInstructions> reserve, const QString& sql, sqlite3_stmt* instruction);
    ~LignesSqlite() override;
    LignesSqlite(const LignesSqlite&) = delete;
    LignesSqlite& operator=(const LignesSqlite&) = delete;

    bool suivant() override;
    int nombreColonnes() const override;
    QString nomColonne(int i) const override;
    QVariant valeur(int i) const override;
    ValeurBrute brute(int i) const override;

private:
    void rendre();
    sqlite3_stmt* instruction() const;

    std::shared_ptr<ReserveInstructions> m_reserve;
    QString m_sql;
    sqlite3_stmt* m_instruction = nullptr;
};

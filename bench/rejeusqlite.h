#pragma once

#include "rejeu.h"

struct sqlite3;

// SQLite through its C API: each statement prepared, its values bound, stepped to its last row.
class RejeuSqlite : public Rejeu {
public:
    explicit RejeuSqlite(const QString& fichier);
    ~RejeuSqlite() override;
    RejeuSqlite(const RejeuSqlite&) = delete;
    RejeuSqlite& operator=(const RejeuSqlite&) = delete;

    QString moteur() const override { return QStringLiteral("SQLite"); }
    sqlite3* connexion() const { return m_connexion; }

protected:
    qint64 executer(const QByteArray& sql, const std::vector<const char*>& valeurs) override;

private:
    sqlite3* m_connexion = nullptr;
};

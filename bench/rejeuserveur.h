#pragma once

#include "rejeu.h"

struct pg_conn;

// PostgreSQL through libpq: each statement sent with its values as text (PQexecParams), all its
// rows received.
class RejeuServeur : public Rejeu {
public:
    explicit RejeuServeur(const QString& adresse);
    ~RejeuServeur() override;
    RejeuServeur(const RejeuServeur&) = delete;
    RejeuServeur& operator=(const RejeuServeur&) = delete;

    QString moteur() const override { return QStringLiteral("PostgreSQL"); }

protected:
    qint64 executer(const QByteArray& sql, const std::vector<const char*>& valeurs) override;

private:
    pg_conn* m_connexion = nullptr;
};

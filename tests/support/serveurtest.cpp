#include "support/serveurtest.h"

#include <QRandomGenerator>
#include <QUrl>
#include <libpq-fe.h>
#include <stdexcept>

namespace {
const char* const variable = "BREVANTA_ESSAI_PG";

// One libpq session, closed on leaving.
class Session {
public:
    explicit Session(const QString& url) : m_pg(PQconnectdb(url.toUtf8().constData())) {
        if (PQstatus(m_pg) != CONNECTION_OK)
            echouer(url);
    }
    ~Session() { PQfinish(m_pg); }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    QString executer(const QString& sql) const {
        PGresult* r = PQexec(m_pg, sql.toUtf8().constData());
        const ExecStatusType statut = PQresultStatus(r);
        if (statut != PGRES_COMMAND_OK && statut != PGRES_TUPLES_OK) {
            PQclear(r);
            echouer(sql);
        }
        const QString valeur =
            PQntuples(r) > 0 && PQnfields(r) > 0 ? QString::fromUtf8(PQgetvalue(r, 0, 0)) : QString();
        PQclear(r);
        return valeur;
    }

private:
    [[noreturn]] void echouer(const QString& quoi) const {
        throw std::runtime_error(
            (quoi + QStringLiteral(" : ") + QString::fromUtf8(PQerrorMessage(m_pg))).trimmed().toStdString());
    }

    PGconn* m_pg;
};
} // namespace

QString ServeurTest::urlServeur() {
    const QString valeur = qEnvironmentVariable(variable);
    return valeur.startsWith(QLatin1String("postgresql://")) ? valeur : QString();
}

QString ServeurTest::indisponible() {
    if (!urlServeur().isEmpty())
        return {};
    // When the server could not start, the variable holds the reason.
    const QString detail = qEnvironmentVariableIsSet(variable)
                               ? qEnvironmentVariable(variable)
                               : QStringLiteral("%1 n'est pas défini (ctest le donne)").arg(variable);
    return QStringLiteral("serveur PostgreSQL d'essai indisponible : ") + detail;
}

ServeurTest::ServeurTest()
    : m_nom(QStringLiteral("brevanta_t") + QString::number(QRandomGenerator::global()->generate64(), 36)) {
    const QString serveur = urlServeur();
    if (serveur.isEmpty())
        throw std::runtime_error(indisponible().toStdString());
    Session(serveur).executer(QStringLiteral("create database ") + m_nom);
    QUrl url(serveur);
    url.setPath(QLatin1Char('/') + m_nom);
    m_url = url.toString(QUrl::FullyEncoded);
    sql(QStringLiteral("create extension if not exists unaccent"));
}

ServeurTest::~ServeurTest() {
    try {
        Session(urlServeur()).executer(QStringLiteral("drop database if exists %1 with (force)").arg(m_nom));
    } catch (const std::exception& e) {
        qWarning("%s", e.what());
    }
}

QString ServeurTest::sql(const QString& requete) const {
    return Session(m_url).executer(requete);
}

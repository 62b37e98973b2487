#include "support/serveurtest.h"

#include "core/bd/schema.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QUrl>
#include <libpq-fe.h>
#include <stdexcept>

static const char* const variable = "BREVANTA_ESSAI_PG";

SessionServeur::SessionServeur(const QString& url) : m_pg(PQconnectdb(url.toUtf8().constData()), PQfinish) {
    if (PQstatus(m_pg.get()) != CONNECTION_OK)
        throw std::runtime_error(
            (url + " : " + QString::fromUtf8(PQerrorMessage(m_pg.get()))).trimmed().toStdString());
}

QList<QStringList> SessionServeur::executer(const QString& sql) const {
    PGresult* r = PQexec(m_pg.get(), sql.toUtf8().constData());
    const ExecStatusType statut = PQresultStatus(r);
    if (statut != PGRES_COMMAND_OK && statut != PGRES_TUPLES_OK) {
        PQclear(r);
        throw std::runtime_error(
            (sql + " : " + QString::fromUtf8(PQerrorMessage(m_pg.get()))).trimmed().toStdString());
    }
    QList<QStringList> lignes(PQntuples(r));
    for (int i = 0; i < lignes.size(); ++i)
        for (int j = 0; j < PQnfields(r); ++j)
            lignes[i] << QString::fromUtf8(PQgetvalue(r, i, j));
    PQclear(r);
    return lignes;
}

QString ServeurTest::urlServeur() {
    const QString valeur = qEnvironmentVariable(variable);
    return valeur.startsWith("postgresql://") ? valeur : QString();
}

QString ServeurTest::indisponible() {
    if (!urlServeur().isEmpty())
        return {};
    // When the server could not start, the variable holds the reason.
    const QString detail = qEnvironmentVariableIsSet(variable)
                               ? qEnvironmentVariable(variable)
                               : QString("%1 n'est pas défini (ctest le donne)").arg(variable);
    return "serveur PostgreSQL d'essai indisponible : " + detail;
}

ServeurTest::ServeurTest()
    : m_nom("brevanta_t" + QString::number(QRandomGenerator::global()->generate64(), 36)) {
    const QString serveur = urlServeur();
    if (serveur.isEmpty())
        throw std::runtime_error(indisponible().toStdString());
    SessionServeur(serveur).executer("create database " + m_nom);
    QUrl url(serveur);
    url.setPath('/' + m_nom);
    m_url = url.toString(QUrl::FullyEncoded);
    sql("create extension if not exists unaccent");
}

// For a destructor, which may not throw: a failure is only reported.
static void nettoyer(const QString& url, const QString& sql) {
    try {
        SessionServeur(url).executer(sql);
    } catch (const std::exception& e) {
        qWarning("%s", e.what());
    }
}

ServeurTest::~ServeurTest() {
    nettoyer(urlServeur(), QString("drop database if exists %1 with (force)").arg(m_nom));
}

QString ServeurTest::sql(const QString& requete) const {
    return SessionServeur(m_url).executer(requete).value(0).value(0);
}

QStringList ServeurTest::lignes(QString sql) const {
    // A server's "select *" also reads Rang (a file's rowid order): a test reads only the columns a file has.
    static const QRegularExpression tout("^\\s*select\\s+\\*\\s+from\\s+(\\w+)\\b",
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = tout.match(sql);
    for (const QString& table : Schema::tables())
        if (m.hasMatch() && table.compare(m.captured(1), Qt::CaseInsensitive) == 0)
            sql.replace(m.capturedStart(0), m.capturedLength(0),
                        QString("select %1 from %2").arg(Schema::colonnes(table).join(','), table));
    QStringList lignes;
    for (const QStringList& ligne : SessionServeur(m_url).executer(sql))
        lignes << ligne.join('|');
    return lignes;
}

QString avecUtilisateur(const QString& url, const QString& utilisateur) {
    QUrl u(url);
    u.setUserName(utilisateur);
    return u.toString();
}

RoleServeur::RoleServeur()
    : m_nom(QStringLiteral("brevanta_r") + QString::number(QRandomGenerator::global()->generate(), 36)) {
    SessionServeur(avecUtilisateur(ServeurTest::urlServeur(), "postgres"))
        .executer(QStringLiteral("create role %1 login").arg(m_nom));
}

RoleServeur::~RoleServeur() {
    nettoyer(avecUtilisateur(ServeurTest::urlServeur(), "postgres"),
             QStringLiteral("drop role if exists %1").arg(m_nom));
}

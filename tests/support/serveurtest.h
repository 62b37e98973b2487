#pragma once

#include "core/bd/connection.h"
#include "support/basetest.h"

#include <QString>
#include <QtTest>
#include <memory>

struct pg_conn;

// One libpq session, as another program's, closed with the object.
class SessionServeur {
    std::unique_ptr<pg_conn, void (*)(pg_conn*)> m_pg;

public:
    explicit SessionServeur(const QString& url);
    // Runs PostgreSQL's own SQL; the rows of the last statement, values as text (NULL as empty).
    QList<QStringList> executer(const QString& sql) const;
};

// A fresh empty database, with unaccent but no tables, on the tests' throwaway server (scripts/pg-essais)
// whose URL ctest gives in BREVANTA_ESSAI_PG. Dropped at the end, even with sessions still open on it.
class ServeurTest {
    QString m_nom, m_url;

public:
    // URL of the server's own database; empty when it cannot be used.
    static QString urlServeur();
    // Why the server cannot be used; empty when it can.
    static QString indisponible();

    ServeurTest();
    ~ServeurTest();
    Q_DISABLE_COPY(ServeurTest)

    QString nom() const { return m_nom; }
    QString url() const { return m_url; }
    // Runs PostgreSQL's own SQL in the database, outside the program's layer; the first value it returns.
    QString sql(const QString& requete) const;
    // Its rows, values joined by '|', NULL as empty.
    QStringList lignes(QString requete) const;
};

// The address with another user in it.
QString avecUtilisateur(const QString& url, const QString& utilisateur);

// A role of the test server for one test, able to log in, with no right of its own; dropped with the
// object, which must outlive the databases it has rights in.
class RoleServeur {
    QString m_nom;

public:
    RoleServeur();
    ~RoleServeur();
    Q_DISABLE_COPY(RoleServeur)
    QString nom() const { return m_nom; }
};

// The server process of the program's connection.
inline qint64 pidDe(Connection& c) {
    Curseur pid = c.lireNatif("select pg_backend_pid()");
    return pid.suivant() ? pid.valeur(0).toLongLong() : 0;
}

// Skips the test function (or, in initTestCase, the whole test) when the server cannot be used.
#define EXIGER_SERVEUR_TEST()                                                                                \
    do {                                                                                                     \
        if (const QString raison_ = ServeurTest::indisponible(); !raison_.isEmpty())                         \
            QSKIP(qPrintable(raison_));                                                                      \
    } while (false)

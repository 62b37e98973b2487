// The throwaway PostgreSQL server of the tests and the fresh databases each case gets on it.
#include "support/serveurtest.h"

#include <QtTest>
#include <libpq-fe.h>
#include <memory>

class TestServeurEssai : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { EXIGER_SERVEUR_TEST(); }

    // Two cases never share a database, and a database goes with its case, sessions still open or not.
    void basesFraiches() {
        QStringList noms;
        // Left open across the drop: a failed case may leave the program's own sessions behind.
        std::unique_ptr<PGconn, void (*)(PGconn*)> restee(nullptr, PQfinish);
        {
            ServeurTest a, b;
            noms << a.nom() << b.nom();
            QVERIFY(a.url() != b.url());
            QCOMPARE(a.sql("select current_database()"), a.nom());
            a.sql("create table t (x int)");
            const QString tables = "select count(*) from pg_tables where schemaname = 'public'";
            QCOMPARE(a.sql(tables), "1");
            QCOMPARE(b.sql(tables), "0");
            QCOMPARE(b.sql("select unaccent('Élève à Noël')"), "Eleve a Noel");
            restee.reset(PQconnectdb(b.url().toUtf8().constData()));
            QCOMPARE(PQstatus(restee.get()), CONNECTION_OK);
        }
        ServeurTest temoin;
        QCOMPARE(temoin.sql(QString("select count(*) from pg_database where datname in ('%1', '%2')")
                                .arg(noms[0], noms[1])),
                 "0");
    }
};

QTEST_GUILESS_MAIN(TestServeurEssai)
#include "testserveuressai.moc"

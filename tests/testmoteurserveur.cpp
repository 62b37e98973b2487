// The engine of a team's server: what a file does not show (connection, isolation, the server's
// own types and order), on the throwaway PostgreSQL server of the tests, whose databases are fresh.
#include "core/bd/connection.h"
#include "core/bd/erreurbd.h"
#include "core/bd/recordset.h"
#include "core/postgres/moteurpostgres.h"
#include "support/basetest.h"
#include "support/serveurtest.h"

#include <QtTest>
#include <libpq-fe.h>
#include <memory>

// A state of a connection lost: an exception of connection or an administrator's intervention.
static bool perdue(const QString& etat) {
    return etat.startsWith("08") || etat.startsWith("57P");
}

// Ends the connection's session on the server, as a network fault or an administrator would.
static void couper(Connection& c, const ServeurTest& base) {
    base.sql(QString("select pg_terminate_backend(%1)").arg(pidDe(c)));
}

// Each case on a fresh database with the tables, and a connection of the program open on it.
class TestMoteurServeur : public QObject {
    Q_OBJECT

    std::unique_ptr<ServeurTest> m_base;
    std::unique_ptr<Connection> m_c;

private slots:
    void initTestCase() { EXIGER_SERVEUR_TEST(); }
    void init() {
        m_base = std::make_unique<ServeurTest>();
        MoteurPostgres::creerTables(m_base->url());
        m_c = std::make_unique<Connection>();
        m_c->open(m_base->url());
    }
    void cleanup() {
        m_c.reset();
        m_base.reset();
    }

    // Dialect, types and order as on a file: quotes, an hour that the clocks skip, month(now()),
    // true as -1, the Id of an insert, the French order of names.
    void dialecteSurLeServeur() {
        Connection& c = *m_c;
        QCOMPARE(c.cible(), Cible::Postgres);
        for (const char* nom : {"Zèbre", "école", "Eau", "Client 10", "client 9", "L'Île \"du\" Nord"})
            c.execute(QString("insert into Client (Nom) values (\"%1\")")
                          .arg(QString::fromUtf8(nom).replace("\"", "\"\"")));
        QCOMPARE(colonne(c, "select Nom from Client order by Nom"),
                 QStringList({"client 9", "Client 10", "Eau", "école", "L'Île \"du\" Nord", "Zèbre"}));
        c.execute("insert into Actions (Client,Interlocuteur,Commentaire,DatePrevue,Fait,DateSaisie) "
                  "values (\"Eau\", \"\", \"x\", #2026/03/29 02:30:00#, true, now())");
        const qint64 id = c.lastInsertId();
        QVERIFY(id > 0);
        QCOMPARE(m_base->lignes(QString("select DatePrevue, Fait from Actions where Id = %1").arg(id)),
                 QStringList("2026-03-29 02:30:00|-1"));
        Recordset rs;
        rs.open("select * from Actions where Fait=true and Interlocuteur=\"\"", &c);
        QVERIFY(!rs.eof());
        QCOMPARE(rs.date(rs.position("DatePrevue")).toString("yyyy-MM-dd HH:mm"), "2026-03-29 02:30");
        QCOMPARE(colonne(c, "select count(*) as NbEnr from Actions where month(DateSaisie)=month(now())"),
                 QStringList{"1"});
        QCOMPARE(c.execute("update Client set Ville=\"Lyon\" where Nom<>\"Eau\""), 5);
        QCOMPARE(c.execute("delete * from Actions"), 1);
    }

    // What the start-up says: a server that does not answer, a database without the tables, a
    // database that already has them.
    void refusDuServeur() {
        ServeurTest base;
        Connection c;
        QCOMPARE(etatDe([&] { c.open(base.url()); }), "42P01");
        QVERIFY(!c.isOpen());
        MoteurPostgres::creerTables(base.url());
        QCOMPARE(etatDe([&] { MoteurPostgres::creerTables(base.url()); }), "42P07");
        QUrl ailleurs(base.url());
        ailleurs.setPort(1);
        const auto absent = erreurDe([&] { c.open(ailleurs.toString()); });
        QVERIFY(absent.etat() == "08001" && absent.message().contains("ne répond pas"));
    }

    // A lost connection is told, then the next statement reconnects.
    void connexionPerdue() {
        Connection& c = *m_c;
        const ServeurTest& base = *m_base;
        couper(c, base);
        const QString etat = etatDe([&] { c.execute("insert into Service (Nom) values (\"a\")"); });
        QVERIFY2(perdue(etat), qPrintable(etat));
        c.execute("insert into Service (Nom) values (\"b\")");
        QCOMPARE(base.sql("select string_agg(Nom, ',') from Service"), "b");
        // Lost inside a save: its commit fails, even after an error the caller let pass, and is never
        // reported as done on a new connection.
        QString echec;
        {
            Transaction saisie(&c);
            c.execute("insert into Service (Nom) values (\"c\")");
            couper(c, base);
            QVERIFY(!etatDe([&] { c.execute("insert into Service (Nom) values (\"e\")"); }).isEmpty());
            echec = etatDe([&] { saisie.commit(); });
        }
        QVERIFY2(perdue(echec), qPrintable(echec));
        QCOMPARE(base.sql("select string_agg(Nom, ',') from Service"), "b");
        c.execute("insert into Service (Nom) values (\"d\")");
    }

    // The server tells what others commit: lists are read again only then.
    void versionDesDonnees() {
        Connection& a = *m_c;
        Connection b;
        b.open(m_base->url());
        const VersionDonnees debut = a.version();
        QCOMPARE(a.version(), debut);
        b.execute("insert into Service (Nom) values (\"Achats\")");
        const VersionDonnees apresAutre = a.version();
        QVERIFY(apresAutre != debut);
        QCOMPARE(a.version(), apresAutre);
        {
            Transaction enCours(&b);
            b.execute("delete * from Service");
            QCOMPARE(a.version(), apresAutre);
        }
        QCOMPARE(a.version(), apresAutre);
        m_base->sql("update Actions set Fait = 0");
        QVERIFY(a.version() != apresAutre);
    }

    // A table another program holds is waited for, then refused as busy: the window never freezes.
    void verrouTenuAilleurs() {
        Connection::setAttenteVerrou(200);
        Connection c;
        c.open(m_base->url());
        Connection::setAttenteVerrou(5000);
        std::unique_ptr<PGconn, void (*)(PGconn*)> autre(PQconnectdb(m_base->url().toUtf8().constData()),
                                                         PQfinish);
        PQclear(PQexec(autre.get(), "BEGIN; LOCK TABLE Client IN ACCESS EXCLUSIVE MODE"));
        const auto occupee = erreurDe([&] { c.execute("insert into Client (Nom) values (\"ACME\")"); });
        QVERIFY(occupee.etat() == "55P03" && occupee.message().contains("occupée"));
        PQclear(PQexec(autre.get(), "COMMIT"));
        c.execute("insert into Client (Nom) values (\"ACME\")");
    }

    // An action checked against its client and a deletion of that client, by two programs at once:
    // one of them fails, and no action is left without its client.
    void aucunOrphelin() {
        Connection& a = *m_c;
        Connection b;
        b.open(m_base->url());
        a.execute("insert into Client (Nom) values (\"ACME\")");
        QString echec;
        {
            Transaction saisie(&a);
            QCOMPARE(colonne(a, "select Nom from Client where Nom=\"ACME\"").size(), 1);
            {
                Transaction suppression(&b);
                b.execute("delete * from Actions where Client=\"ACME\"");
                b.execute("delete * from Client where Nom=\"ACME\"");
                suppression.commit();
            }
            echec = etatDe([&] {
                a.execute("insert into Actions (Client,Interlocuteur,Commentaire,DatePrevue,Fait,"
                          "DateSaisie) values (\"ACME\", \"\", \"x\", now(), 0, now())");
                saisie.commit();
            });
        }
        QCOMPARE(echec, "40001");
        QCOMPARE(m_base->sql("select count(*) from Actions"), "0");
    }

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

QTEST_GUILESS_MAIN(TestMoteurServeur)
#include "testmoteurserveur.moc"

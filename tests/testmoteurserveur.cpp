// The engine of a team's server: what a file does not show (connection, isolation, the server's
// own types and order), on the throwaway PostgreSQL server of the tests.
#include "core/bd/connection.h"
#include "core/bd/erreurbd.h"
#include "core/bd/recordset.h"
#include "core/postgres/moteurpostgres.h"
#include "support/serveurtest.h"

#include <QtTest>
#include <libpq-fe.h>
#include <memory>

namespace {

QStringList colonne(Connection& c, const QString& sql) {
    Recordset rs;
    rs.open(sql, &c);
    QStringList valeurs;
    for (; !rs.eof(); rs.moveNext())
        valeurs << rs.texte(0);
    return valeurs;
}

// The SQLSTATE a statement fails with; empty when it succeeds.
template <typename F> QString etatDe(F&& f) {
    try {
        f();
    } catch (const ErreurBd& e) {
        return e.etat();
    }
    return QString();
}

} // namespace

class TestMoteurServeur : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { EXIGER_SERVEUR_TEST(); }

    // Dialect, types and order as on a file: quotes, an hour that the clocks skip, month(now()),
    // true as -1, the Id of an insert, the French order of names.
    void dialecteSurLeServeur() {
        ServeurTest base;
        MoteurPostgres::creerTables(base.url());
        Connection c;
        c.open(base.url());
        QCOMPARE(c.cible(), Cible::Postgres);
        for (const char* nom : {"Zèbre", "école", "Eau", "Client 10", "client 9", "L'Île \"du\" Nord"})
            c.execute(QStringLiteral("insert into Client (Nom) values (\"%1\")")
                          .arg(QString::fromUtf8(nom).replace(QLatin1String("\""), QLatin1String("\"\""))));
        QCOMPARE(colonne(c, QStringLiteral("select Nom from Client order by Nom")),
                 QStringList({"client 9", "Client 10", "Eau", "école", "L'Île \"du\" Nord", "Zèbre"}));
        c.execute(QStringLiteral(
            "insert into Actions (Client,Interlocuteur,Commentaire,DatePrevue,Fait,DateSaisie) "
            "values (\"Eau\", \"\", \"x\", #2026/03/29 02:30:00#, true, now())"));
        const qint64 id = c.lastInsertId();
        QVERIFY(id > 0);
        QCOMPARE(
            base.sql(
                QStringLiteral("select DatePrevue::text || ' ' || Fait from Actions where Id = %1").arg(id)),
            QStringLiteral("2026-03-29 02:30:00 -1"));
        Recordset rs;
        rs.open(QStringLiteral("select * from Actions where Fait=true and Interlocuteur=\"\""), &c);
        QVERIFY(!rs.eof());
        QCOMPARE(
            rs.date(rs.position(QStringLiteral("DatePrevue"))).toString(QStringLiteral("yyyy-MM-dd HH:mm")),
            QStringLiteral("2026-03-29 02:30"));
        QCOMPARE(
            colonne(c, QStringLiteral(
                           "select count(*) as NbEnr from Actions where month(DateSaisie)=month(now())")),
            QStringList{QStringLiteral("1")});
        QCOMPARE(c.execute(QStringLiteral("update Client set Ville=\"Lyon\" where Nom<>\"Eau\"")), 5);
        QCOMPARE(c.execute(QStringLiteral("delete * from Actions")), 1);
    }

    // What the start-up says: a server that does not answer, a database without the tables, a
    // database that already has them.
    void refusDuServeur() {
        ServeurTest base;
        Connection c;
        QCOMPARE(etatDe([&] { c.open(base.url()); }), QStringLiteral("42P01"));
        QVERIFY(!c.isOpen());
        MoteurPostgres::creerTables(base.url());
        QCOMPARE(etatDe([&] { MoteurPostgres::creerTables(base.url()); }), QStringLiteral("42P07"));
        QUrl ailleurs(base.url());
        ailleurs.setPort(1);
        try {
            c.open(ailleurs.toString());
            QFAIL("un serveur absent a été ouvert");
        } catch (const ErreurBd& e) {
            QCOMPARE(e.etat(), QStringLiteral("08001"));
            QVERIFY(e.message().contains(QStringLiteral("ne répond pas")));
        }
    }

    // A lost connection is told, then the next statement reconnects.
    void connexionPerdue() {
        ServeurTest base;
        MoteurPostgres::creerTables(base.url());
        Connection c;
        c.open(base.url());
        Curseur pid = c.lireNatif(QStringLiteral("select pg_backend_pid()"));
        QVERIFY(pid.suivant());
        base.sql(QStringLiteral("select pg_terminate_backend(%1)").arg(pid.valeur(0).toLongLong()));
        const QString etat =
            etatDe([&] { c.execute(QStringLiteral("insert into Service (Nom) values (\"a\")")); });
        QVERIFY2(etat.startsWith(QLatin1String("08")) || etat.startsWith(QLatin1String("57P")),
                 qPrintable(etat));
        c.execute(QStringLiteral("insert into Service (Nom) values (\"b\")"));
        QCOMPARE(base.sql(QStringLiteral("select string_agg(Nom, ',') from Service")), QStringLiteral("b"));

        // Lost inside a save: its commit fails, even after an error the caller let pass, and is never
        // reported as done on a new connection.
        QString echec;
        {
            Transaction saisie(&c);
            c.execute(QStringLiteral("insert into Service (Nom) values (\"c\")"));
            Curseur pid = c.lireNatif(QStringLiteral("select pg_backend_pid()"));
            QVERIFY(pid.suivant());
            base.sql(QStringLiteral("select pg_terminate_backend(%1)").arg(pid.valeur(0).toLongLong()));
            QVERIFY(!etatDe([&] {
                         c.execute(QStringLiteral("insert into Service (Nom) values (\"e\")"));
                     }).isEmpty());
            echec = etatDe([&] { saisie.commit(); });
        }
        QVERIFY2(echec.startsWith(QLatin1String("08")) || echec.startsWith(QLatin1String("57P")),
                 qPrintable(echec));
        QCOMPARE(base.sql(QStringLiteral("select string_agg(Nom, ',') from Service")), QStringLiteral("b"));
        c.execute(QStringLiteral("insert into Service (Nom) values (\"d\")"));
    }

    // The server tells what others commit: lists are read again only then.
    void versionDesDonnees() {
        ServeurTest base;
        MoteurPostgres::creerTables(base.url());
        Connection a, b;
        a.open(base.url());
        b.open(base.url());
        const VersionDonnees debut = a.version();
        QCOMPARE(a.version(), debut);
        b.execute(QStringLiteral("insert into Service (Nom) values (\"Achats\")"));
        const VersionDonnees apresAutre = a.version();
        QVERIFY(apresAutre != debut);
        QCOMPARE(a.version(), apresAutre);
        {
            Transaction enCours(&b);
            b.execute(QStringLiteral("delete * from Service"));
            QCOMPARE(a.version(), apresAutre);
        }
        QCOMPARE(a.version(), apresAutre);
        base.sql(QStringLiteral("update Actions set Fait = 0"));
        QVERIFY(a.version() != apresAutre);
    }

    // A table another program holds is waited for, then refused as busy: the window never freezes.
    void verrouTenuAilleurs() {
        ServeurTest base;
        MoteurPostgres::creerTables(base.url());
        Connection::setAttenteVerrou(200);
        Connection c;
        c.open(base.url());
        Connection::setAttenteVerrou(5000);
        std::unique_ptr<PGconn, void (*)(PGconn*)> autre(PQconnectdb(base.url().toUtf8().constData()),
                                                         PQfinish);
        PQclear(PQexec(autre.get(), "BEGIN; LOCK TABLE Client IN ACCESS EXCLUSIVE MODE"));
        try {
            c.execute(QStringLiteral("insert into Client (Nom) values (\"ACME\")"));
            QFAIL("écrit malgré le verrou d'un autre programme");
        } catch (const ErreurBd& e) {
            QCOMPARE(e.etat(), QStringLiteral("55P03"));
            QVERIFY(e.message().contains(QStringLiteral("occupée")));
        }
        PQclear(PQexec(autre.get(), "COMMIT"));
        c.execute(QStringLiteral("insert into Client (Nom) values (\"ACME\")"));
    }

    // An action checked against its client and a deletion of that client, by two programs at once:
    // one of them fails, and no action is left without its client.
    void aucunOrphelin() {
        ServeurTest base;
        MoteurPostgres::creerTables(base.url());
        Connection a, b;
        a.open(base.url());
        b.open(base.url());
        a.execute(QStringLiteral("insert into Client (Nom) values (\"ACME\")"));
        QString echec;
        {
            Transaction saisie(&a);
            QCOMPARE(colonne(a, QStringLiteral("select Nom from Client where Nom=\"ACME\"")).size(), 1);
            {
                Transaction suppression(&b);
                b.execute(QStringLiteral("delete * from Actions where Client=\"ACME\""));
                b.execute(QStringLiteral("delete * from Client where Nom=\"ACME\""));
                suppression.commit();
            }
            echec = etatDe([&] {
                a.execute(
                    QStringLiteral("insert into Actions (Client,Interlocuteur,Commentaire,DatePrevue,Fait,"
                                   "DateSaisie) values (\"ACME\", \"\", \"x\", now(), 0, now())"));
                saisie.commit();
            });
        }
        QCOMPARE(echec, QStringLiteral("40001"));
        QCOMPARE(base.sql(QStringLiteral("select count(*) from Actions")), QStringLiteral("0"));
    }
};

QTEST_GUILESS_MAIN(TestMoteurServeur)
#include "testmoteurserveur.moc"

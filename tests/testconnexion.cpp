// The program's connection: statements kept, record sets, transactions, damaged files, its errors.
#include "core/bd/connection.h"
#include "core/bd/erreurbd.h"
#include "core/bd/recordset.h"
#include "core/donnees/actions.h"
#include "support/basetest.h"

#include <QFile>
#include <QtEndian>
#include <QtTest>
#include <memory>

// Spoils the header of a leaf page in the middle of a table, as a failing disk would.
static void endommagerTable(const BaseTest& base, const QString& table) {
    const qint64 taille = base.lignes("PRAGMA page_size").value(0).toInt();
    const int racine =
        base.lignes("select rootpage from sqlite_master where name='" + table + "'").value(0).toInt();
    QFile f(base.fichier());
    QVERIFY(f.open(QIODevice::ReadWrite) && f.seek((racine - 1) * taille));
    const QByteArray page = f.read(taille);
    QCOMPARE(int(page[0]), 5); // an interior page over the leaves
    const auto mot = [&page](int i) { return qFromBigEndian<quint16>(page.constData() + i); };
    const qint64 feuille = qFromBigEndian<quint32>(page.constData() + mot(12 + 2 * (mot(3) / 2)));
    QVERIFY(f.seek((feuille - 1) * taille) && f.write(QByteArray(8, '\xff')) == 8);
}

class TestConnexion : public QObject {
    Q_OBJECT

    std::unique_ptr<BaseTest> m_base;
    std::unique_ptr<Connection> m_c;

private slots:
    void init() {
        m_base = std::make_unique<BaseTest>();
        m_c.reset(ouvrir(*m_base));
    }
    void cleanup() {
        m_c.reset();
        m_base.reset();
    }

    // Statements are kept prepared; closing the connection ends a record set still open, and
    // opening adds the indexes a database made by an older version lacks.
    void instructionsGardeesEtIndex() {
        if (m_base->serveur())
            QSKIP(
                "a file's statements and indexes: a server's rows come whole, its tables with their indexes");
        for (int i = 0; i < 3; ++i)
            m_c->execute("insert into Actions (Commentaire, DatePrevue) values (\"même\", #2003/02/17#)");
        QCOMPARE(colonne(*m_c, "select Commentaire from Actions").size(), 3);
        Recordset rs;
        rs.open("select * from Actions", m_c.get());
        m_c->close();
        QVERIFY_THROWS_EXCEPTION(ErreurBd, rs.moveNext());
        rs.close();
        m_base->sqlite("DROP INDEX ActionsAFaire");
        m_c.reset(ouvrir(*m_base));
        QCOMPARE(m_base->lignes("select name from sqlite_master where name='ActionsAFaire'"),
                 QStringList{"ActionsAFaire"});
    }

    void recordset() {
        Recordset rs;
        rs.open("select * from Client", m_c.get());
        QVERIFY(rs.eof());
        QVERIFY_THROWS_EXCEPTION(ErreurBd, rs.field("Nom"));
        QVERIFY_THROWS_EXCEPTION(ErreurBd, rs.moveNext());
        rs.close();
        // Rows written by another tool may hold NULLs.
        m_base->sql("insert into Actions (Fait) values (NULL)");
        rs.open("select * from Actions");
        QCOMPARE(rs.field("Commentaire").toText(), QString());
        QCOMPARE(rs.field("Fait").toInt(), 0);
        QVERIFY(!rs.field("DatePrevue").toDateTime().isValid());
        QVERIFY_THROWS_EXCEPTION(ErreurBd, rs.field("Inconnue"));
        rs.close();
        // Reopened without a connection, it uses the one it kept; MoveFirst reads from the start again.
        m_c->execute("insert into Actions (Commentaire) values (\"deux\")");
        rs.open("select Id from Actions order by Id");
        rs.moveNext();
        QCOMPARE(rs.field("id").toInt(), 2);
        rs.moveFirst();
        QCOMPARE(rs.field("ID").toInt(), 1);
        rs.moveNext();
        rs.moveNext();
        QVERIFY(rs.eof());
    }

    // A damaged page ends the reading with the engine's error, never with a shorter list.
    void pageEndommagee() {
        if (m_base->serveur())
            QSKIP("damaged pages are a fault of files");
        const QString suite =
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) ";
        m_base->sqlite(suite +
                       "INSERT INTO Client (Nom, Ville) SELECT printf('Client %04d', i), 'Lyon' FROM n");
        m_base->sqlite(suite +
                       "INSERT INTO Actions (Client, Interlocuteur, Commentaire, DatePrevue, Fait) "
                       "SELECT 'ACME', 'Durand', 'Relancer', date('2003-01-01', i || ' days'), 0 FROM n");
        for (const char* table : {"Client", "Actions"})
            endommagerTable(*m_base, table);
        m_c.reset(ouvrir(*m_base));
        QVERIFY_THROWS_EXCEPTION(ErreurBd, colonne(*m_c, "select * from Client"));
        Actions actions;
        actions.SetTypeDonnees(0);
        // Read on to the end, as a scroll to the last row does.
        const auto lireTout = [&] {
            actions.CreationCollection(*m_c, Action(), 3, 1, 1, 2);
            actions.LireSuite(*m_c, -1);
        };
        QVERIFY_THROWS_EXCEPTION(ErreurBd, lireTout());
    }

    void transactionToutOuRien() {
        m_c->execute("insert into Client (Nom) values (\"ACME\")");
        const ErreurBd e = erreurDe([&] {
            Transaction t(m_c.get());
            m_c->execute("update Client set Nom=\"ACME2\" where Nom=\"ACME\"");
            m_c->execute("update Clients set Nom=\"x\"");
            t.commit();
        });
        // A server writes the names it did not find in lower case.
        QVERIFY(e.texte().contains("Clients", Qt::CaseInsensitive));
        QCOMPARE(colonne(*m_c, "select Nom from Client"), QStringList{"ACME"});
        {
            Transaction t(m_c.get());
            m_c->execute("update Client set Nom=\"ACME2\" where Nom=\"ACME\"");
            t.commit();
        }
        QCOMPARE(colonne(*m_c, "select Nom from Client"), QStringList{"ACME2"});
    }

    void messagesEnFrancais() {
        const QList<std::pair<ErreurBd, const char*>> cas{
            {ErreurBd(5, "database is locked"), "occupée par un autre programme"},
            {ErreurBd(1544, "attempt to write a readonly database"), "lecture seule"},
            {ErreurBd(1032, "attempt to write a readonly database"), "déplacé ou supprimé"},
            {ErreurBd(13, "database or disk is full"), "Le disque est plein"},
            {ErreurBd(11, "database disk image is malformed"), "endommagé"},
            {ErreurBd(1, "no such table: RDV"), "une table ou une colonne manque"}};
        for (const auto& [erreur, phrase] : cas) {
            QVERIFY2(erreur.message().startsWith(erreur.explication()), phrase);
            QVERIFY2(erreur.explication().contains(QString::fromUtf8(phrase)), phrase);
            QVERIFY(erreur.message().endsWith(
                QString("Erreur %1 : %2").arg(erreur.numero()).arg(erreur.texte())));
        }
        QCOMPARE(ErreurBd(1, "near x: syntax error").message(), "Erreur 1 : near x: syntax error");
    }
};

QTEST_GUILESS_MAIN(TestConnexion)
#include "testconnexion.moc"

// The program's connection and SQL dialect run on the engine: statements kept, record sets,
// transactions, damaged files, errors; literals, dates, the forms it accepts and refuses.
#include "core/bd/connection.h"
#include "core/bd/erreurbd.h"
#include "core/bd/horloge.h"
#include "core/bd/recordset.h"
#include "core/donnees/actions.h"
#include "core/textes/regional.h"
#include "support/basetest.h"

#include <QFile>
#include <QtEndian>
#include <QtTest>
#include <memory>

static void ajouterAction(Connection* c, const QString& commentaire, const QString& date, int fait = 0) {
    c->execute(QString("insert into Actions (Interlocuteur,Commentaire,Client,DatePrevue,Fait,DateSaisie) "
                       "values (\"Durand\",\"%1\",\"ACME\",#%2#,%3,#2003/02/10#)")
                   .arg(commentaire, date)
                   .arg(fait));
}

class TestDialecteSql : public QObject {
    Q_OBJECT

    std::unique_ptr<BaseTest> m_base;
    std::unique_ptr<Connection> m_c;

private slots:
    void init() {
        Regional::appliquer();
        m_base = std::make_unique<BaseTest>();
        m_c.reset(ouvrir(*m_base));
        Horloge::fixer(Regional::dateHeure(QDate(2003, 2, 17), QTime(10, 0)));
    }

    void cleanup() {
        m_c.reset();
        m_base.reset();
        Horloge::reprendre();
    }

    // Literals as typed in the statement, then as stored when it differs. Statements refused before
    // they run, or undone with their whole transaction: the row in place; kept whole when the
    // transaction ends well.
    void litterauxEtRefus() {
        const QList<QStringList> cas{{"Le \"\"Fournil\"\"", "Le \"Fournil\""},
                                     {"Le $BFournil$B"},
                                     {"L'Atelier d'Yves"},
                                     {"N° #12# #02/17/2003#"},
                                     {"x\"\"); drop table Client; --", "x\"); drop table Client; --"},
                                     {"now() month(x) true delete * from"},
                                     {""}};
        for (const QStringList& c : cas) {
            const QString ecrit = c[0];
            m_c->execute("insert into Client (Nom,Ville) values (\"" + ecrit + "\",\"Lyon\")");
            QCOMPARE(colonne(*m_c, "select Nom from Client where Nom=\"" + ecrit + "\""),
                     QStringList{c.value(1, ecrit)});
            QCOMPARE(m_c->lastStatement(), "select Nom from Client where Nom=\"" + ecrit + "\"");
            QCOMPARE(m_c->execute("delete * from Client where Nom=\"" + ecrit + "\""), 1);
        }
        m_c->execute("insert into Client (Nom) values (\"ACME\")");
        for (const char* sql :
             {"select Nom from Client where Nom='ACME'", "select Nom from Client where Nom=\"ACME",
              "select Nom from Client where Nom=#31/31/2003#", "select Nom from Client where Nom=#2/1/03#",
              "select upper(Nom) from Client", "delete from Client; delete from Service",
              "select count(Nom from Client"})
            QVERIFY2(!erreurDe([&] { m_c->execute(sql); }).texte().isEmpty(), sql);
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

    void comparaisonsDeDates() {
        ajouterAction(m_c.get(), "veille", "2003/02/16");
        ajouterAction(m_c.get(), "minuit", "02/17/2003");
        ajouterAction(m_c.get(), "après-midi", "2003/02/17 14:30:00");
        ajouterAction(m_c.get(), "mars", "2003/03/01");
        ajouterAction(m_c.get(), "février d'une autre année", "1999/02/05");
        const QString s = "select Commentaire from Actions where ";
        const QStringList avant{"minuit", "veille", "février d'une autre année"};
        QCOMPARE(colonne(*m_c, s + "DatePrevue<=#2003/02/17# order by DatePrevue desc"), avant);
        QCOMPARE(colonne(*m_c, s + "DatePrevue>=#02/17/2003# and DatePrevue<#2003/02/17 14:30:00#"),
                 QStringList{"minuit"});
        // The clock says 17/02/2003 10:00.
        QCOMPARE(colonne(*m_c, s + "DatePrevue<=now() order by DatePrevue desc"), avant);
        QCOMPARE(colonne(*m_c, s + "month(DatePrevue)=month(now()) order by DatePrevue"),
                 (QStringList{"février d'une autre année", "veille", "minuit", "après-midi"}));
        QCOMPARE(colonne(*m_c, "select DatePrevue from Actions where Commentaire=\"après-midi\""),
                 QStringList{"17/02/2003 14:30:00"});
        // A text shaped like a stored date stays text.
        ajouterAction(m_c.get(), "2003-02-17 00:00:00", "2003/02/17");
        QCOMPARE(colonne(*m_c, "select Commentaire from Actions where Id=6"),
                 QStringList{"2003-02-17 00:00:00"});
    }

    // Dates in the clocks' jumps of Paris and Santiago (typed, stored, shown) read, compare and write
    // back as stored, in any zone.
    void datesMurales() {
        const QList<std::array<QString, 3>> cas{
            {"2024/03/31 02:30:00", "2024-03-31 02:30:00", "31/03/2024 02:30:00"},
            {"2024/10/27 02:30:00", "2024-10-27 02:30:00", "27/10/2024 02:30:00"},
            {"09/08/2024", "2024-09-08 00:00:00", "08/09/2024"},
            {"2024/04/06 23:30:00", "2024-04-06 23:30:00", "06/04/2024 23:30:00"}};
        for (const auto& [litteral, stockee, affichee] : cas) {
            m_c->execute("delete * from Actions");
            ajouterAction(m_c.get(), "avant", "2024/03/30 23:59:59");
            ajouterAction(m_c.get(), "saut", litteral);
            const QString stockees = "select DatePrevue from Actions order by Id";
            QCOMPARE(m_base->lignes(stockees), (QStringList{"2024-03-30 23:59:59", stockee}));
            Horloge::fixer(Regional::lireDateStockee(stockee));
            QCOMPARE(colonne(*m_c, "select Commentaire from Actions where DatePrevue=now()"),
                     QStringList{"saut"});
            Recordset rs;
            rs.open("select DatePrevue from Actions where Commentaire=\"saut\"", m_c.get());
            QCOMPARE(rs.date(0), Horloge::maintenant());
            Actions actions;
            actions.SetTypeDonnees(0);
            actions.CreationCollection(*m_c, Action(), 0, 1, 1, 2);
            QCOMPARE(actions.Count(), 2);
            Action* saut = actions.Item(0);
            QCOMPARE(Regional::texteDate(saut->DatePrevue), affichee);
            QCOMPARE(Regional::lireDate(affichee), saut->DatePrevue);
            QVERIFY(actions.Item(1)->DatePrevue < saut->DatePrevue);
            saut->SetDataBd(*m_c);
            QCOMPARE(m_base->lignes(stockees), (QStringList{"2024-03-30 23:59:59", stockee}));
        }
        // Now is the wall clock, comparable with stored dates.
        Horloge::reprendre();
        const QDateTime maintenant = Horloge::maintenant();
        QCOMPARE(Regional::lireDateStockee(texteDateStockee(maintenant)), maintenant);
    }

    void formesTriEtEgalite() {
        ajouterAction(m_c.get(), "à faire", "2003/02/17");
        ajouterAction(m_c.get(), "faite", "2003/02/18", -1);
        QCOMPARE(m_c->execute("update Actions set Fait=true where Commentaire=\"à faire\""), 1);
        QCOMPARE(
            colonne(*m_c, "select Commentaire from Actions where Fait =-1 and Fait=true order by DatePrevue"),
            (QStringList{"à faire", "faite"}));
        m_c->execute("update actions set fait=false where ID=1");
        QCOMPARE(colonne(*m_c, "select Commentaire from RdV where Fait=0"), QStringList());
        QCOMPARE(colonne(*m_c, "select Commentaire from ACTIONS where Fait=0"), QStringList{"à faire"});
        Recordset rs;
        rs.open("select count(Nom)as NbEnr from Service", m_c.get());
        QCOMPARE(rs.field("nbEnr").toInt(), 0);
        rs.open("select max(id) as maxId from Actions");
        QCOMPARE(rs.field("MaxId").toInt(), 2);
        rs.open("select 1 from Actions where Commentaire=\"faite\"");
        QVERIFY(!rs.eof());
        QCOMPARE(m_c->lastInsertId(), 2);
        // Names sorted the French way, compared exactly.
        for (const char* nom :
             {"Finance", "éducation", "Eau", "Client 10", "Direction", "achats", "client 9", "Zèbre"})
            m_c->execute(QString("insert into Service (Nom) values (\"%1\")").arg(QString::fromUtf8(nom)));
        QCOMPARE(colonne(*m_c, "select Nom from Service order by Nom"),
                 (QStringList{"achats", "client 9", "Client 10", "Direction", "Eau", "éducation", "Finance",
                              "Zèbre"}));
        QCOMPARE(colonne(*m_c, "select Nom from Service where Nom=\"finance\""), QStringList());
        m_c->execute("insert into Service (Nom) values (\"finance\")");
        QVERIFY_THROWS_EXCEPTION(ErreurBd, m_c->execute("insert into Service (Nom) values (\"Finance\")"));
    }

    // Faults of files: statements are kept prepared; closing the connection ends a record set still
    // open; opening adds the indexes a database made by an older version lacks; a damaged page ends
    // the reading with the engine's error, never with a shorter list.
    void fichiers() {
        if (m_base->serveur())
            QSKIP("a server's rows come whole, its tables with their indexes, and it has no pages");
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
        const QString suite =
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) ";
        m_base->sqlite(suite +
                       "INSERT INTO Client (Nom, Ville) SELECT printf('Client %04d', i), 'Lyon' FROM n");
        m_base->sqlite(suite +
                       "INSERT INTO Actions (Client, Interlocuteur, Commentaire, DatePrevue, Fait) "
                       "SELECT 'ACME', 'Durand', 'Relancer', date('2003-01-01', i || ' days'), 0 FROM n");
        // The header of a leaf page in the middle of each table spoilt, as a failing disk would.
        const qint64 taille = m_base->lignes("PRAGMA page_size").value(0).toInt();
        for (const QString table : {"Client", "Actions"}) {
            const int racine = m_base->lignes("select rootpage from sqlite_master where name='" + table + "'")
                                   .value(0)
                                   .toInt();
            QFile f(m_base->fichier());
            QVERIFY(f.open(QIODevice::ReadWrite) && f.seek((racine - 1) * taille));
            const QByteArray page = f.read(taille);
            QCOMPARE(int(page[0]), 5); // an interior page over the leaves
            const auto mot = [&page](int i) { return qFromBigEndian<quint16>(page.constData() + i); };
            const qint64 feuille = qFromBigEndian<quint32>(page.constData() + mot(12 + 2 * (mot(3) / 2)));
            QVERIFY(f.seek((feuille - 1) * taille) && f.write(QByteArray(8, '\xff')) == 8);
        }
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

    void messagesEnFrancais() {
        const QList<std::pair<ErreurBd, const char*>> cas{
            {ErreurBd(5, "database is locked"), "occupée par un autre programme"},
            {ErreurBd(1544, "attempt to write a readonly database"), "lecture seule"},
            {ErreurBd(1032, "attempt to write a readonly database"), "déplacé ou supprimé"},
            {ErreurBd(11, "database disk image is malformed"), "endommagé"}};
        for (const auto& [erreur, phrase] : cas) {
            QVERIFY2(erreur.message().startsWith(erreur.explication()), phrase);
            QVERIFY2(erreur.explication().contains(QString::fromUtf8(phrase)), phrase);
            QVERIFY(erreur.message().endsWith(
                QString("Erreur %1 : %2").arg(erreur.numero()).arg(erreur.texte())));
        }
        QCOMPARE(ErreurBd(1, "near x: syntax error").message(), "Erreur 1 : near x: syntax error");
    }
};

QTEST_GUILESS_MAIN(TestDialecteSql)
#include "testdialectesql.moc"

#include "core/connection.h"
#include "core/horloge.h"
#include "core/message.h"
#include "core/principal.h"
#include "core/recordset.h"
#include "data/actions.h"
#include "support/basetest.h"

#include <QtTest>
#include <memory>
#include <stdexcept>

namespace {

const QDateTime Dimanche(QDate(2024, 3, 10), QTime(15, 0));
const QDateTime Lundi(QDate(2024, 3, 11), QTime(9, 0));

QString commentaires(const Actions& actions) {
    QStringList c;
    for (const Action& a : actions)
        c << a.Commentaire;
    return c.join(' ');
}

} // namespace

class TestActions : public QObject {
    Q_OBJECT

    std::unique_ptr<BaseTest> m_base;

    void ajouter(const QString& client, const QString& contact, const QString& commentaire,
                 const QString& prevue, int fait) {
        m_base->sqlite(QString("INSERT INTO Actions (Client, Interlocuteur, Commentaire, DatePrevue, Fait, "
                               "DateSaisie) VALUES ('%1', '%2', '%3', '2024-%4', %5, '2024-01-01 00:00:00')")
                           .arg(client, contact, commentaire, prevue)
                           .arg(fait));
    }

    int lignes(const QString& table) {
        Recordset rs;
        rs.open("select count(Id) as NbEnr from " + table, Connexion);
        return rs.field("NbEnr").toInt();
    }

private slots:
    void init() {
        Message::setAutoAnswer(true);
        Message::effacer();
        m_base = std::make_unique<BaseTest>();
        Connexion = ouvrir(*m_base);
    }

    void cleanup() {
        delete Connexion;
        Connexion = nullptr;
        m_base.reset();
        Horloge::reprendre();
    }

    void filtres_data() {
        QTest::addColumn<QDateTime>("horloge");
        QTest::addColumn<QList<int>>("filtre"); // Periode, Fait, AFaire, scope
        QTest::addColumn<QString>("client");
        QTest::addColumn<QString>("contact");
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("attendus");

        QTest::newRow("aucun") << Dimanche << QList<int>{3, 1, 1, 2} << ""
                               << ""
                               << ""
                               << "avr lunS dim18 dim0 cliB ctB sans lun guil fev m2019";
        QTest::newRow("a faire, client, mois")
            << Dimanche << QList<int>{2, 0, 1, 1} << "ClientA"
            << ""
            << " where  Fait=0 and Client=\"ClientA\" and month(DatePrevue)=month(now()) "
            << "dim18 ctB sans lun m2019";
        QTest::newRow("faites, contact")
            << Dimanche << QList<int>{3, 1, 0, 0} << "ClientA"
            << "ContactA"
            << " where  Fait =-1 and Client=\"ClientA\" and Interlocuteur=\"ContactA\" "
            << "dim0 fev";
        QTest::newRow("jusqu'a maintenant") << Dimanche << QList<int>{0, 0, 0, 2} << ""
                                            << ""
                                            << " where  DatePrevue<=now() "
                                            << "dim0 cliB ctB sans lun guil fev m2019";
        QTest::newRow("semaine du dimanche")
            << Dimanche << QList<int>{1, 1, 1, 2} << ""
            << ""
            << " where  DatePrevue>=#2024/03/04# and DatePrevue<=#2024/03/10# "
            << "dim0 cliB ctB sans lun";
        QTest::newRow("semaine du lundi") << Lundi << QList<int>{1, 1, 1, 2} << ""
                                          << ""
                                          << " where  DatePrevue>=#2024/03/11# and DatePrevue<=#2024/03/17# "
                                          << "lunS";
        QTest::newRow("contact vide") << Dimanche << QList<int>{3, 1, 1, 0} << "ClientA"
                                      << ""
                                      << " where  Client=\"ClientA\" and Interlocuteur=\"\" "
                                      << "sans";
        QTest::newRow("guillemets") << Dimanche << QList<int>{3, 1, 1, 1} << "D \"et\" fils"
                                    << ""
                                    << " where  Client=\"D \"\"et\"\" fils\" "
                                    << "guil";
    }

    void filtres() {
        QFETCH(QDateTime, horloge);
        QFETCH(QList<int>, filtre);
        QFETCH(QString, client);
        QFETCH(QString, contact);
        QFETCH(QString, where);
        QFETCH(QString, attendus);

        ajouter("ClientA", "ContactA", "lun", "03-04 10:00:00", 0);
        ajouter("ClientA", "", "sans", "03-04 11:00:00", 0);
        ajouter("ClientA", "ContactB", "ctB", "03-05 00:00:00", 0);
        ajouter("ClientB", "ContactA", "cliB", "03-06 00:00:00", 2);
        ajouter("ClientA", "ContactA", "dim0", "03-10 00:00:00", -1);
        ajouter("ClientA", "ContactA", "dim18", "03-10 18:00:00", 0);
        ajouter("ClientA", "ContactA", "lunS", "03-11 08:00:00", 1);
        ajouter("ClientA", "ContactA", "avr", "04-01 00:00:00", 0);
        ajouter("ClientA", "ContactA", "fev", "02-28 00:00:00", -1);
        ajouter("D \"et\" fils", "ContactA", "guil", "03-01 00:00:00", 0);
        m_base->sqlite("INSERT INTO Actions (Client, Interlocuteur, Commentaire, DatePrevue, Fait) "
                       "VALUES ('ClientA', 'ContactA', 'm2019', '2019-03-20 00:00:00', 0)");
        Horloge::fixer(horloge);

        Action criteres;
        criteres.Client = client;
        criteres.Interlocuteur = contact;
        Actions actions;
        actions.SetTypeDonnees(0);
        actions.CreationCollection(criteres, filtre[0], qint16(filtre[1]), qint16(filtre[2]), filtre[3]);
        QCOMPARE(Connexion->lastStatement(), "select * from Actions" + where + " order by DatePrevue desc");
        QCOMPARE(commentaires(actions), attendus);
    }

    void enregistrementEtRelecture() {
        Action nouveau;
        nouveau.SetTypeDonnees(1);
        nouveau.Client = "ClientA";
        nouveau.DatePrevue = QDateTime(QDate(2024, 3, 12), QTime(14, 30));
        Action autre = nouveau;
        nouveau.SetDataBd();
        autre.Commentaire = "Devis de l$Bentreprise";
        autre.SetDataBd();
        QVERIFY(nouveau.Id != autre.Id);
        nouveau.Commentaire = "2024-03-12";
        nouveau.Fait = -1;
        nouveau.SetDataBd();
        QCOMPARE(lignes("RDV"), 2);
        QCOMPARE(lignes("Actions"), 0);

        Actions rdv;
        rdv.SetTypeDonnees(1);
        rdv.CreationCollection(Action(), 3, 1, 1, 2);
        QCOMPARE(Connexion->lastStatement(), QString("select * from RDV order by DatePrevue desc"));
        const Action* relu = rdv.Item(QString::number(nouveau.Id), true);
        QVERIFY(relu);
        // A comment that looks like a date stays a comment.
        QCOMPARE(relu->Commentaire, QString("2024-03-12"));
        QCOMPARE(relu->Fait, qint16(-1));
        QCOMPARE(relu->DatePrevue, nouveau.DatePrevue);
        QCOMPARE(relu->DateSaisie, QDateTime(QDate(1899, 12, 30), QTime(0, 0)));
        QCOMPARE(rdv.Item(autre.Id, true)->Commentaire, QString("Devis de l'entreprise"));

        // A record read from an appointment collection writes back to appointments, under its Id.
        Action* premier = rdv.Item(0);
        premier->SetTypeDonnees(2);
        premier->SetDataBd();
        QVERIFY(Connexion->lastStatement().startsWith("update RDV set "));
        QCOMPARE(lignes("RDV"), 2);

        Action exemple;
        exemple.SetTypeDonnees(0);
        exemple.Id = 12;
        exemple.Commentaire = "Relancer le devis";
        exemple.Client = "ClientA";
        exemple.Interlocuteur = "ContactA";
        exemple.DatePrevue = QDateTime(QDate(2003, 2, 17), QTime(0, 0));
        exemple.DateSaisie = QDateTime(QDate(2003, 2, 10), QTime(0, 0));
        exemple.SetDataBd();
        QCOMPARE(
            Connexion->lastStatement(),
            QString("update Actions set Interlocuteur=\"ContactA\",Commentaire=\"Relancer le devis\","
                    "Client=\"ClientA\",DatePrevue=#2003/02/17#,Fait=0,DateSaisie=#2003/02/10# where ID=12"));
        QCOMPARE(exemple.Id, 12);
        QVERIFY(Message::textesAffiches().isEmpty());
    }

    void lignesIncompletesEtRecherches() {
        m_base->sqlite("INSERT INTO Actions (Id) VALUES (7)");
        m_base->sqlite(
            "INSERT INTO Actions (Id, Commentaire, DatePrevue) VALUES (12, 'douze', '2024-03-04 10:00:00')");

        Actions actions;
        actions.SetTypeDonnees(0);
        actions.CreationCollection(Action(), 3, 1, 1, 2);
        const Action* vide = actions.Item("7", true);
        QVERIFY(vide);
        QCOMPARE(vide->Client, QString());
        QCOMPARE(vide->Fait, qint16(0));
        QVERIFY(!vide->DatePrevue.isValid());

        QCOMPARE(actions.Item("12", true)->Commentaire, QString("douze"));
        QCOMPARE(actions.Item(12, true), actions.Item(0));
        QCOMPARE(actions.Item("0", true), nullptr);
        QCOMPARE(actions.Item("13", true), nullptr);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, actions.Item(2));
        actions.Remove(0);
        QCOMPARE(actions.Item(0), vide);

        actions.Add(QDateTime(), 0, QDateTime(), "ClientA", "x", "ContactA", -1, "cle");
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                                 actions.Add(QDateTime(), 0, QDateTime(), "", "", "", -1, "cle"));
        QCOMPARE(actions.Count(), 2);
    }
};

QTEST_GUILESS_MAIN(TestActions)
#include "testactions.moc"

#include "core/message.h"
#include "data/donneessql.h"

#include <QtTest>
#include <stdexcept>

namespace {

DonneesSql actionExemple(QTime heure) {
    DonneesSql champs;
    champs.Add("Interlocuteur", QString("ContactA"), 0);
    champs.Add("Commentaire", QString("Relancer le devis"), 0);
    champs.Add("Client", QString("ClientA"), 0);
    champs.Add("DatePrevue", QDateTime(QDate(2003, 2, 17), heure), 2);
    champs.Add("Fait", 0, 1);
    champs.Add("DateSaisie", QDateTime(QDate(2003, 2, 10), QTime(0, 0)), 2);
    return champs;
}

} // namespace

class TestDonneesSql : public QObject {
    Q_OBJECT

private slots:
    void init() {
        Message::setAutoAnswer(true);
        Message::effacer();
    }

    void formesDeLExemple() {
        const DonneesSql jour = actionExemple(QTime(0, 0));
        QCOMPARE(
            jour.GenereRequeteSql(0, "Actions"),
            QString(
                "insert into Actions (Interlocuteur,Commentaire,Client,DatePrevue,Fait,DateSaisie) values "
                "(\"ContactA\",\"Relancer le devis\",\"ClientA\",#2003/02/17#,0,#2003/02/10#)"));
        QCOMPARE(jour.GenereRequeteSql(1, "Actions"),
                 QString("update Actions set Interlocuteur=\"ContactA\",Commentaire=\"Relancer le devis\","
                         "Client=\"ClientA\",DatePrevue=#2003/02/17#,Fait=0,DateSaisie=#2003/02/10#"));

        const DonneesSql heure = actionExemple(QTime(14, 30));
        QVERIFY(heure.GenereRequeteSql(0, "Actions").contains("\"ClientA\",#2003/02/17 14:30:00#,0,"));
        QVERIFY(heure.GenereRequeteSql(1, "Actions").contains(",DatePrevue=#2003/02/17 14:30:00#,Fait=0,"));

        DonneesSql conditions;
        conditions.Add("Client", QString("ClientA"), 0);
        conditions.Add("Fait", 0, 1);
        QCOMPARE(conditions.GenereRequeteSql(2), QString("Client = \"ClientA\" and Fait = 0 "));
        QVERIFY(Message::textesAffiches().isEmpty());
    }

    void textesDesValeurs_data() {
        QTest::addColumn<QVariant>("valeur");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("insertion");
        QTest::addColumn<QString>("miseAJour");
        QTest::newRow("decimal") << QVariant(-12.5) << 1 << "-12,5"
                                 << "-12.5";
        QTest::newRow("grand nombre") << QVariant(1234567.0) << 1 << "1234567"
                                      << "1234567";
        QTest::newRow("date en texte") << QVariant("05/03/2003 08:15") << 2 << "#2003/03/05 08:15:00#"
                                       << "#2003/03/05 08:15:00#";
        QTest::newRow("texte 1") << QVariant("1") << 3 << "true"
                                 << "true";
        QTest::newRow("vrai") << QVariant(true) << 3 << "true"
                              << "true";
        QTest::newRow("moins un") << QVariant(-1) << 3 << "true"
                                  << "true";
        QTest::newRow("deux") << QVariant(2) << 3 << "false"
                              << "false";
        QTest::newRow("moins deux") << QVariant(-2) << 3 << "false"
                                    << "false";
    }

    void textesDesValeurs() {
        QFETCH(QVariant, valeur);
        QFETCH(int, type);
        QFETCH(QString, insertion);
        QFETCH(QString, miseAJour);
        DonneesSql champs;
        champs.Add("Champ", valeur, type);
        QCOMPARE(champs.GenereRequeteSql(0, "T"), "insert into T (Champ) values (" + insertion + ")");
        QCOMPARE(champs.GenereRequeteSql(1, "T"), "update T set Champ=" + miseAJour);
    }

    void homonymesEtCopie() {
        DonneesSql champs;
        champs.Add("Client", QString("A"), 0);
        champs.Add("Fait", 0, 1);
        champs.Add("Client", QString("B"), 0);
        champs.Add("Client", QString("C"), 0);
        QCOMPARE(Message::textesAffiches(), QStringList({"c la", "c la", "c la"}));

        Message::effacer();
        DonneesSql copie = champs.Clone();
        QCOMPARE(Message::textesAffiches().size(), 3);
        // The copy is its own: changing it leaves the original as it was.
        copie.Item("Client")->ModifVal(QString("Z"));
        QCOMPARE(copie.GenereRequeteSql(2),
                 QString("Client = \"Z\" and Fait = 0 and Client = \"B\" and Client = \"C\" "));
        QCOMPARE(champs.GenereRequeteSql(1, "T"),
                 QString("update T set Client=\"A\",Fait=0,Client=\"B\",Client=\"C\""));
    }

    void recherchesEtRetraits() {
        DonneesSql champs = actionExemple(QTime(0, 0));
        QCOMPARE(champs.Item(0)->NomChamp, QString("Interlocuteur"));
        QCOMPARE(champs.Item("fait"), nullptr);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, champs.Item(6));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, champs.Remove(-1));

        champs.Item("Fait")->ModifVal(-1);
        champs.Remove(0);
        QStringList noms;
        for (const DonneeSql& champ : champs)
            noms << champ.NomChamp;
        QCOMPARE(noms, QStringList({"Commentaire", "Client", "DatePrevue", "Fait", "DateSaisie"}));
        QVERIFY(champs.GenereRequeteSql(1, "Actions").contains(",Fait=-1,"));

        champs.RemoveAll();
        for (int instruction : {0, 1, 2})
            QCOMPARE(champs.GenereRequeteSql(instruction, "Actions"), QString());
    }

    void champsHorsFormes() {
        DonneesSql champs;
        champs.Add("Actif", true, 3);
        champs.Add("Inconnu", QString("x"), 7);
        QCOMPARE(champs.GenereRequeteSql(0), QString("insert into  (Actif) values (true)"));
        QCOMPARE(champs.GenereRequeteSql(2), QString());
        QCOMPARE(champs.GenereRequeteSql(5, "T"), QString());
        champs.Remove(0);
        QCOMPARE(champs.GenereRequeteSql(1, "T"), QString());
    }
};

QTEST_GUILESS_MAIN(TestDonneesSql)
#include "testdonneessql.moc"

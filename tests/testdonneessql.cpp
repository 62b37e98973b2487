// Values as the SQL, the screen and the stored text write them, French dates and numbers, and the
// words a search takes from a text.
#include "core/bd/routines.h"
#include "core/donnees/avertissement.h"
#include "core/donnees/donneessql.h"
#include "core/recherche/recherche.h"
#include "core/textes/regional.h"

#include <QtTest>
#include <stdexcept>

static DonneesSql actionExemple() {
    DonneesSql champs;
    champs.Add("Interlocuteur", QString("ContactA"), 0);
    champs.Add("Commentaire", QString("Relancer le devis"), 0);
    champs.Add("Client", QString("ClientA"), 0);
    champs.Add("DatePrevue", QDateTime(QDate(2003, 2, 17), QTime(14, 30)), 2);
    champs.Add("Fait", 0, 1);
    champs.Add("DateSaisie", QDateTime(QDate(2003, 2, 10), QTime(0, 0)), 2);
    return champs;
}

static void valeur(const char* nom, const QVariant& v, int type, const QString& insertion,
                   const QString& miseAJour = QString()) {
    QTest::newRow(nom) << v << type << insertion << (miseAJour.isNull() ? insertion : miseAJour);
}

class TestDonneesSql : public QObject {
    Q_OBJECT

    QStringList m_avertissements;

private slots:
    void initTestCase() {
        Regional::appliquer();
        installerAvertisseur([this](const QString& t) { m_avertissements << t; });
    }
    void init() { m_avertissements.clear(); }

    // A date and time with its time, a date at midnight without.
    void exemple() {
        const DonneesSql champs = actionExemple();
        QCOMPARE(
            champs.GenereRequeteSql(0, "Actions"),
            "insert into Actions (Interlocuteur,Commentaire,Client,DatePrevue,Fait,DateSaisie) "
            "values (\"ContactA\",\"Relancer le devis\",\"ClientA\",#2003/02/17 14:30:00#,0,#2003/02/10#)");
        QCOMPARE(champs.GenereRequeteSql(1, "Actions"),
                 "update Actions set Interlocuteur=\"ContactA\",Commentaire=\"Relancer le devis\","
                 "Client=\"ClientA\",DatePrevue=#2003/02/17 14:30:00#,Fait=0,DateSaisie=#2003/02/10#");
        DonneesSql conditions;
        conditions.Add("Client", QString("ClientA"), 0);
        conditions.Add("Fait", 0, 1);
        QCOMPARE(conditions.GenereRequeteSql(2), "Client = \"ClientA\" and Fait = 0 ");
        QCOMPARE(conditions.GenereRequeteSql(5, "Actions"), QString());
    }

    void valeurs_data() {
        QTest::addColumn<QVariant>("valeur");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("insertion");
        QTest::addColumn<QString>("miseAJour");
        valeur("decimal", -12.5, 1, "-12,5", "-12.5");
        valeur("grand nombre", 1234567.0, 1, "1234567");
        valeur("date en texte", "05/03/2003 08:15", 2, "#2003/03/05 08:15:00#");
        valeur("heure sautée à Paris", "31/03/2024 02:30", 2, "#2024/03/31 02:30:00#");
        valeur("minuit sauté à Santiago", QDate(2024, 9, 8), 2, "#2024/09/08#");
        valeur("texte 1", "1", 3, "true");
        valeur("vrai", true, 3, "true");
        valeur("moins un", -1, 3, "true");
        valeur("deux", 2, 3, "false");
        valeur("moins deux", -2, 3, "false");
    }

    // Without a table name; booleans never make a condition.
    void valeurs() {
        QFETCH(QVariant, valeur);
        QFETCH(int, type);
        QFETCH(QString, insertion);
        QFETCH(QString, miseAJour);
        DonneesSql champs;
        champs.Add("Champ", valeur, type);
        QCOMPARE(champs.GenereRequeteSql(0), "insert into  (Champ) values (" + insertion + ")");
        QCOMPARE(champs.GenereRequeteSql(1, "T"), "update T set Champ=" + miseAJour);
        QCOMPARE(champs.GenereRequeteSql(2), type == 3 ? QString() : "Champ = " + insertion + " ");
    }

    void recherchesHomonymesEtCopie() {
        DonneesSql champs = actionExemple();
        champs.Add("Client", QString("B"), 0);
        champs.Add("Client", QString("C"), 0);
        QCOMPARE(m_avertissements, QStringList({"c la", "c la", "c la"}));
        QVERIFY(champs.GenereRequeteSql(1, "T").endsWith(",Client=\"B\",Client=\"C\""));
        DonneesSql copie = champs.Clone();
        QCOMPARE(m_avertissements.size(), 6);
        copie.Item("Client")->ModifVal(QString("Z"));
        QCOMPARE(copie.Item(2)->Valeur, QVariant("Z"));
        QCOMPARE(champs.Item(2)->Valeur, QVariant("ClientA"));
        QCOMPARE(champs.Item("client"), nullptr);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, champs.Item(8));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, champs.Remove(-1));
        champs.Remove(0);
        QCOMPARE(champs.Item(0)->NomChamp, "Commentaire");
        // Nothing left to write, whether the set is empty or its only column has no known type.
        champs.RemoveAll();
        champs.Add("Inconnu", QString("x"), 7);
        for (int instruction : {0, 1, 2})
            QCOMPARE(champs.GenereRequeteSql(instruction, "T"), QString());
    }

    void textesRegionaux() {
        QCOMPARE(FormatDateSql(QDate(2003, 3, 5)), QString("03/05/2003"));
        QCOMPARE(Regional::texteDate(Regional::dateHeure(QDate(2003, 3, 5))), QString("05/03/2003"));
        QCOMPARE(Regional::texteDate(Regional::dateHeure(QDate(2003, 3, 5), QTime(9, 5))),
                 QString("05/03/2003 09:05:00"));
        QCOMPARE(Regional::lireDate("05/03/2003 09:05"), Regional::dateHeure(QDate(2003, 3, 5), QTime(9, 5)));
        QVERIFY(!Regional::lireDate("31/02/2003").isValid());
        QCOMPARE(QStringList({Regional::texteNombre(12.5), Regional::texteNombre(1234567),
                              Regional::texteNombre(-0.25)}),
                 QStringList({"12,5", "1234567", "-0,25"}));
        QCOMPARE(Regional::texteDate(Regional::dateZero()), QString("30/12/1899"));
    }

    // Lists read stored dates straight to milliseconds: the same dates as QDate and QTime accept.
    void instantsStockes() {
        for (const char* texte :
             {"2024-02-29 23:59:59", "1899-12-30", "0001-01-01 00:00:00", "9999-12-31", "1600-03-01 12:00:00",
              "2023-02-29", "0000-06-01", "2024-13-01", "2024-04-31", "2024-01-01 24:00:00",
              "2024-01-01 12:60:00", "2024-1-01", "2024-01-01T00:00:00", "2024-01-01 00:00", "aaaa-01-01"}) {
            const QString t = QString::fromLatin1(texte);
            const QDate jour = QDate::fromString(t.left(10), "yyyy-MM-dd");
            const QTime heure = t.size() == 10 ? QTime(0, 0) : QTime::fromString(t.mid(11), "HH:mm:ss");
            const bool valide = jour.isValid() && heure.isValid() && (t.size() == 10 || t[10] == ' ');
            QCOMPARE(Regional::LectureInstants().instant(QLatin1String(texte)),
                     valide ? Regional::dateHeure(jour, heure).toMSecsSinceEpoch()
                            : Regional::InstantInvalide);
            QCOMPARE(Regional::lireDateStockee(t), valide ? Regional::dateHeure(jour, heure) : QDateTime());
        }
    }

    // The words a search is made of, whatever is typed or pasted.
    void mots_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QStringList>("attendus");
        QTest::newRow("apostrophes") << "l'atelier d’Anne" << QStringList{"latelier", "dAnne"};
        QTest::newRow("répétitions") << "Dupont dupont DUPONT Lyon dupont" << QStringList{"Dupont", "Lyon"};
        QStringList seize;
        QString colle;
        for (int i = 0; i < 2000; ++i)
            colle += QString("m%1 m%1 ").arg(i);
        for (int i = 0; i < Recherche::MotsMax; ++i)
            seize << QString("m%1").arg(i);
        QTest::newRow("texte collé") << colle << seize;
    }
    void mots() {
        QFETCH(QString, texte);
        QFETCH(QStringList, attendus);
        QCOMPARE(Recherche::mots(texte), attendus);
    }
};

QTEST_GUILESS_MAIN(TestDonneesSql)
#include "testdonneessql.moc"

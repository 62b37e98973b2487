// Shared routines: quote encoding, SQL dates, combo boxes, regional texts.
#include "app/principal.h"
#include "core/bd/connection.h"
#include "core/bd/formatsql.h"
#include "core/bd/routines.h"
#include "core/textes/regional.h"
#include "support/basetest.h"
#include "widgets/listes.h"

#include <QComboBox>
#include <QtTest>

class TestRegional : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Regional::appliquer(); }

    // Typed, stored, shown.
    void encodageDesGuillemets() {
        const QList<QStringList> cas{{"", "", ""},
                                     {"L'Atelier", "L'Atelier", "L'Atelier"},
                                     {"ACME\"\"", "ACME$B$B", "ACME''"},
                                     {"\"\"", "$B$B", "''"},
                                     {"Le \"Fournil\" d'or", "Le $BFournil$B d'or", "Le 'Fournil' d'or"}};
        for (const QStringList& c : cas) {
            QCOMPARE(FormatSql(c[0]), c[1]);
            QCOMPARE(DecodeSql(c[1]), c[2]);
        }
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

    void listesDeChoix() {
        BaseTest base;
        Connexion = ouvrir(base);
        QComboBox liste;
        liste.addItem("ancien");
        InitCombo("Fonction", &liste, "");
        QCOMPARE(liste.count(), 0);
        QCOMPARE(IndexCombo("x", &liste), qint16(-1));

        for (const char* nom : {"Comptable", " Directeur ", "directeur", "Acheteur \"senior\""})
            Connexion->execute(QStringLiteral("insert into Fonction (Nom) values (\"%1\")")
                                   .arg(QString::fromUtf8(nom).replace("\"", "\"\"")));
        InitCombo("Fonction", &liste, "");
        QCOMPARE(liste.count(), 4);
        QCOMPARE(liste.itemText(0), QString(" Directeur "));
        QCOMPARE(liste.itemText(1), QString("Acheteur \"senior\""));
        QCOMPARE(IndexCombo("Directeur", &liste), qint16(0));
        QCOMPARE(IndexCombo("  directeur", &liste), qint16(3));
        QCOMPARE(IndexCombo("DIRECTEUR", &liste), qint16(-1));

        // A table that cannot be read leaves the list as it stands, silently.
        base.sql("DROP TABLE Decision");
        InitCombo("Decision", &liste, "");
        QCOMPARE(liste.count(), 4);
        delete Connexion;
        Connexion = nullptr;
    }
};

QTEST_MAIN(TestRegional)
#include "testregional.moc"

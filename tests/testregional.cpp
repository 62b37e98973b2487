// French dates and numbers: as shown, as typed, as stored.
#include "core/bd/routines.h"
#include "core/textes/regional.h"

#include <QtTest>

class TestRegional : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Regional::appliquer(); }

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
};

QTEST_GUILESS_MAIN(TestRegional)
#include "testregional.moc"

#include "core/recherche/recherche.h"

#include <QTest>

// The words a search is made of, whatever is typed or pasted.
class TestMotsRecherche : public QObject {
    Q_OBJECT
private slots:
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

QTEST_MAIN(TestMotsRecherche)
#include "testmotsrecherche.moc"

// Backups: brevanta-db's online copy and restore, and the program's own daily copy.
#include "app/sauvegardequotidienne.h"
#include "support/fenetretest.h"
#include "support/outil.h"

#include <QPointer>
#include <QProcess>

static int compter(Connection& c, const QString& table) {
    return colonne(c, "select count(*) as N from " + table).value(0, "-1").toInt();
}

static int compter(const QString& fichier, const QString& table) {
    Connection c;
    c.open(fichier);
    return compter(c, table);
}

// Enough rows for a copy to take many steps.
static void remplir(const BaseTest& base, int clients) {
    base.sqlite(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                               "INSERT INTO Client (Nom, Commentaire) SELECT 'Client ' || i, "
                               "printf('%.300c', 'x') FROM n")
                    .arg(clients));
}

static QStringList copies(const QString& dossier) {
    return QDir(dossier + "/sauvegardes").entryList(QDir::Files, QDir::Name);
}

class TestSauvegardes : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { Horloge::reprendre(); }

    // The program writes all along the copy; the copy is consistent and restores.
    void sauvegardePendantLesEcrituresPuisRestauration() {
        BaseTest base;
        remplir(base, 20000);
        Connection programme;
        programme.open(base.fichier());
        QProcess copie;
        demarrerOutil(copie, base.dossier(), {"backup", "Brevanta.mdb", "copie.mdb"});
        int ecrites = 0;
        while (copie.state() != QProcess::NotRunning) {
            programme.execute(
                QStringLiteral("insert into Client (Nom) values (\"Pendant %1\")").arg(ecrites++));
            copie.waitForFinished(1);
        }
        QVERIFY2(copie.exitCode() == 0, copie.readAllStandardError().constData());
        QVERIFY(ecrites > 0);
        QVERIFY(outilDit(base.dossier(), {"check", "copie.mdb"}, 0));
        const int copiees = compter(base.dossier() + "/copie.mdb", "Client");
        QVERIFY(copiees >= 20000 && copiees <= 20000 + ecrites);
        // Restored under the program's open connection, which then reads the restored rows.
        QVERIFY(outilDit(base.dossier(), {"restore", "copie.mdb", "Brevanta.mdb"}, 0));
        QCOMPARE(compter(programme, "Client"), copiees);
        QCOMPARE(compter(base.fichier() + ".avant-restauration", "Client"), 20000 + ecrites);
    }

    void restaurationRefusee() {
        BaseTest base;
        remplir(base, 2000);
        QCOMPARE(lancerOutil(base.dossier(), {"backup", "Brevanta.mdb", "copie.mdb"}).code, 0);
        const QByteArray avant = contenu(base.fichier());
        // Another program in the middle of a write: nothing changes, not even the copy aside.
        {
            AutreSession autre(base);
            QVERIFY(autre.executer("BEGIN IMMEDIATE") &&
                    autre.executer("INSERT INTO Client (Nom) VALUES ('en cours')"));
            QVERIFY(outilDit(base.dossier(), {"restore", "copie.mdb", "Brevanta.mdb"}, 1,
                             "occupée par un autre programme : rien n'a été changé"));
        }
        QCOMPARE(contenu(base.fichier()), avant);
        QVERIFY(!QFile::exists(base.fichier() + ".avant-restauration"));
        // A damaged backup is refused before anything is written.
        const QString copie = base.dossier() + "/copie.mdb";
        QVERIFY(ecrire(copie, contenu(copie).replace(8192, 512, QByteArray(512, '\x5a'))));
        QVERIFY(outilDit(base.dossier(), {"restore", "copie.mdb", "Brevanta.mdb"}, 1, "abîmée"));
        QCOMPARE(contenu(base.fichier()), avant);
        QVERIFY(!QFile::exists(base.fichier() + ".avant-restauration"));
    }

    // Five weeks of start-ups, weekends off until February and the Monday of the third week missed:
    // the last seven days with a copy stay, and the first copy of each of the last four weeks.
    void rotationDesCopiesQuotidiennes() {
        BaseTest base;
        QObject parent;
        QDir().mkpath(base.dossier() + "/sauvegardes");
        QVERIFY(ecrire(base.dossier() + "/sauvegardes/notes.txt", {}));
        for (QDate jour(2025, 1, 6); jour <= QDate(2025, 2, 5); jour = jour.addDays(1)) {
            if ((jour.dayOfWeek() > 5 && jour < QDate(2025, 2, 1)) || jour == QDate(2025, 1, 20))
                continue;
            Horloge::fixer(QDateTime(jour, QTime(9, 0)));
            QPointer<SauvegardeQuotidienne> s = SauvegardeQuotidienne::lancer(base.fichier(), &parent);
            QVERIFY(s);
            QTRY_VERIFY(s.isNull());
            Horloge::fixer(QDateTime(jour, QTime(17, 0)));
            QVERIFY(!SauvegardeQuotidienne::lancer(base.fichier(), &parent));
        }
        QStringList attendues;
        for (const char* jour : {"2025-01-13", "2025-01-21", "2025-01-27", "2025-01-30", "2025-01-31",
                                 "2025-02-01", "2025-02-02", "2025-02-03", "2025-02-04", "2025-02-05"})
            attendues << QStringLiteral("Brevanta-%1-090000.mdb").arg(jour);
        QCOMPARE(copies(base.dossier()), attendues << "notes.txt");
        QCOMPARE(lancerOutil(base.dossier(), {"check", "sauvegardes/" + attendues[0]}).code, 0);
    }

    // Once the window is up; a failure is told and the window stays.
    void copieAuDemarrage() {
        Message::effacer();
        {
            FenetreTest f({client("Dupont")});
            QTRY_COMPARE(copies(f.base.dossier()).size(), 1);
            QCOMPARE(compter(f.base.dossier() + "/sauvegardes/" + copies(f.base.dossier())[0], "Client"), 1);
        }
        FenetreTest f;
        QVERIFY(ecrire(f.base.dossier() + "/sauvegardes", {}));
        QTRY_VERIFY(Message::dernierTexte().startsWith(
            "La sauvegarde quotidienne de Brevanta.mdb n'a pas pu être faite"));
        QVERIFY(frmClient->isVisible());
    }
};

QTEST_MAIN(TestSauvegardes)
#include "testsauvegardes.moc"

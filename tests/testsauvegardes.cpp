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

// brevanta-db run with files limited to `octets`, as on a disk that fills up.
static Resultat lancerSurDisquePlein(const QString& dossier, qint64 octets, const QStringList& arguments) {
    QProcess p;
    p.setWorkingDirectory(dossier);
    p.start("/bin/sh",
            QStringList{"-c",
                        QStringLiteral("trap '' XFSZ; ulimit -f %1; exec \"$0\" \"$@\"").arg(octets / 512),
                        BREVANTA_DB} +
                arguments);
    if (!p.waitForFinished(120000))
        return {};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

// Read and written by its owner alone, as a base kept private.
static bool prive(const QString& fichier) {
    return (QFileInfo(fichier).permissions() & QFile::Permissions(0x7077)) ==
           (QFile::ReadOwner | QFile::WriteOwner);
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

    // Each step of a restore failing in turn: the base is never changed, and the message says where
    // the old content is.
    void restaurationSansPerte_data() {
        QTest::addColumn<QString>("panne");
        QTest::addColumn<bool>("copieDeCote");
        QTest::newRow("un dossier porte le nom de la copie de côté") << "dossier" << false;
        QTest::newRow("disque plein pendant la copie de côté") << "plein" << false;
        // The base can be read and copied aside, but not written.
        QTest::newRow("base impossible à écrire") << "immuable" << true;
    }
    void restaurationSansPerte() {
        QFETCH(QString, panne);
        QFETCH(bool, copieDeCote);
        BaseTest base, petite;
        remplir(base, 3000);
        remplir(petite, 50);
        QCOMPARE(lancerOutil(base.dossier(), {"backup", petite.fichier(), "copie.mdb"}).code, 0);
        const QString avantRestauration = base.fichier() + ".avant-restauration";
        const QByteArray avant = contenu(base.fichier());
        const QStringList restore{"restore", "copie.mdb", "Brevanta.mdb"};
        Resultat r;
        if (panne == "dossier") {
            QVERIFY(QDir().mkdir(avantRestauration));
            r = lancerOutil(base.dossier(), restore);
        } else if (panne == "plein") {
            // Room for the backup's check, not for the copy aside.
            QVERIFY(2 * QFileInfo(base.dossier() + "/copie.mdb").size() < avant.size());
            r = lancerSurDisquePlein(base.dossier(), avant.size() / 2, restore);
        } else {
            if (QProcess::execute("chattr", {"+i", base.fichier()}) != 0)
                QSKIP("chattr +i is not allowed here");
            r = lancerOutil(base.dossier(), restore);
            QCOMPARE(QProcess::execute("chattr", {"-i", base.fichier()}), 0);
        }
        QVERIFY2(r.code == 1 && r.erreurs.contains("Brevanta.mdb n'a pas été changée"),
                 qPrintable(r.erreurs));
        QVERIFY2(panne != "plein" || r.erreurs.contains("le disque est plein"), qPrintable(r.erreurs));
        QCOMPARE(contenu(base.fichier()), avant);
        QCOMPARE(QFileInfo(avantRestauration).isFile(), copieDeCote);
        if (copieDeCote) {
            QVERIFY2(r.erreurs.contains(avantRestauration), qPrintable(r.erreurs));
            QCOMPARE(compter(avantRestauration, "Client"), 3000);
        }
        QCOMPARE(QDir(base.dossier()).entryList({"*.partiel"}, QDir::Files | QDir::Dirs), QStringList());
    }

    // What killed copies left is taken back, and every copy is as private as the base.
    void restesEtDroitsDesCopies() {
        BaseTest base;
        remplir(base, 200);
        const QString dossier = base.dossier();
        QVERIFY(QFile::setPermissions(base.fichier(), QFile::ReadOwner | QFile::WriteOwner));
        for (const QString reste : {"copie.mdb.partiel", "Brevanta.mdb.avant-restauration.partiel"})
            QVERIFY(ecrire(dossier + "/" + reste, "reste d'une copie tuée"));
        QVERIFY(outilDit(dossier, {"backup", "Brevanta.mdb", "copie.mdb"}, 0));
        QVERIFY(outilDit(dossier, {"restore", "copie.mdb", "Brevanta.mdb"}, 0));
        QCOMPARE(QDir(dossier).entryList({"*.partiel"}, QDir::AllEntries), QStringList());
        for (const QString copie : {"copie.mdb", "Brevanta.mdb.avant-restauration"})
            QVERIFY2(prive(dossier + "/" + copie), qPrintable(copie));
        // One that cannot be taken back says what to do.
        QVERIFY(QDir().mkdir(dossier + "/autre.mdb.partiel"));
        QVERIFY(
            outilDit(dossier, {"backup", "Brevanta.mdb", "autre.mdb"}, 1, "supprimez-le, puis recommencez"));
        // The daily copy cleans what an earlier one left in its folder.
        QObject parent;
        QDir().mkpath(dossier + "/sauvegardes");
        QVERIFY(ecrire(dossier + "/sauvegardes/Brevanta-2025-01-05-090000.mdb.partiel", "reste"));
        Horloge::fixer(QDateTime(QDate(2025, 1, 6), QTime(9, 0)));
        QPointer<SauvegardeQuotidienne> s = SauvegardeQuotidienne::lancer(base.fichier(), &parent);
        QVERIFY(s);
        QTRY_VERIFY(s.isNull());
        QCOMPARE(copies(dossier), QStringList{"Brevanta-2025-01-06-090000.mdb"});
        QVERIFY(prive(dossier + "/sauvegardes/" + copies(dossier)[0]));
    }

    // A damaged base is not copied and the copies stay; a file that merely has today's name is no copy.
    void copieQuotidienneDUneBaseSaine() {
        BaseTest base;
        remplir(base, 2000);
        QObject parent;
        Message::setAutoAnswer(true);
        Message::effacer();
        QDir().mkpath(base.dossier() + "/sauvegardes");
        QVERIFY(ecrire(base.dossier() + "/sauvegardes/Brevanta-2025-01-06-080000.mdb", "pas une base"));
        for (int jour : {6, 7}) {
            if (jour == 7)
                QVERIFY(ecrire(base.fichier(),
                               contenu(base.fichier()).replace(8192, 512, QByteArray(512, '\x5a'))));
            Horloge::fixer(QDateTime(QDate(2025, 1, jour), QTime(9, 0)));
            QPointer<SauvegardeQuotidienne> s = SauvegardeQuotidienne::lancer(base.fichier(), &parent);
            QVERIFY(s);
            QTRY_VERIFY(s.isNull());
            QCOMPARE(copies(base.dossier()),
                     QStringList({"Brevanta-2025-01-06-080000.mdb", "Brevanta-2025-01-06-090000.mdb"}));
        }
        QCOMPARE(Message::textesAffiches(),
                 QStringList{"La base semble endommagée : aucune copie du jour n'a été faite, les copies "
                             "précédentes sont conservées."});
        Message::setAutoAnswer(false);
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

// Files: brevanta-db's online copy and restore, the program's own daily copy; then files that
// brevanta-db reads and writes, and texts the windows would never let through: an import refuses them
// with their line and imports nothing; a calendar or an address book leaves out the control
// characters its format forbids.
#include "app/sauvegardequotidienne.h"
#include "support/fenetretest.h"
#include "support/outil.h"

#include <QPointer>
#include <QProcess>
#include <optional>
#include <sys/stat.h>

static int nombreClients(const QString& fichier) {
    return lignesFichier(fichier, "select count(*) from Client").value(0, "-1").toInt();
}

// Enough rows for a copy to take many steps.
static void remplir(const BaseTest& base, int clients) {
    base.sqlite(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                               "INSERT INTO Client (Nom, Commentaire) SELECT 'Client ' || i, "
                               "printf('%.300c', 'x') FROM n")
                    .arg(clients));
}

// Read and written by its owner alone, as a base kept private.
static bool prive(const QString& fichier) {
    return (QFileInfo(fichier).permissions() & QFile::Permissions(0x7077)) ==
           (QFile::ReadOwner | QFile::WriteOwner);
}

static QStringList copies(const QString& dossier) {
    return QDir(dossier + "/sauvegardes").entryList(QDir::Files, QDir::Name);
}

// The daily copy started at that moment, run to its end.
static void copieDuJour(const QString& fichier, const QDateTime& quand) {
    Horloge::fixer(quand);
    QObject parent;
    QPointer<SauvegardeQuotidienne> s = SauvegardeQuotidienne::lancer(fichier, &parent);
    QVERIFY(s);
    QTRY_VERIFY(s.isNull());
}

class TestFichiers : public QObject {
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
        const int copiees = nombreClients(base.dossier() + "/copie.mdb");
        QVERIFY(copiees >= 20000 && copiees <= 20000 + ecrites);
        // Restored under the program's open connection, which then reads the restored rows.
        QVERIFY(outilDit(base.dossier(), {"restore", "copie.mdb", "Brevanta.mdb"}, 0));
        QCOMPARE(colonne(programme, "select count(*) from Client"), QStringList(QString::number(copiees)));
        QCOMPARE(nombreClients(base.fichier() + ".avant-restauration"), 20000 + ecrites);
    }

    // A restore refused or failing at any step: the base is never changed, and the message says why
    // and where the old content is.
    void restaurationSansPerte() {
        const QString inchangee = "Brevanta.mdb n'a pas été changée";
        const std::pair<QString, QStringList> pannes[] = {
            {"verrou", {"occupée par un autre programme : rien n'a été changé"}},
            {"abîmée", {"abîmée"}},
            // A folder has the name of the copy aside.
            {"dossier", {inchangee}},
            {"plein", {inchangee, "le disque est plein"}},
            // The base can be read and copied aside, but not written.
            {"immuable", {inchangee}}};
        for (const auto& [panne, messages] : pannes) {
            BaseTest base, petite;
            remplir(base, 3000);
            remplir(petite, 50);
            QCOMPARE(lancerOutil(base.dossier(), {"backup", petite.fichier(), "copie.mdb"}).code, 0);
            const QString copie = base.dossier() + "/copie.mdb",
                          avantRestauration = base.fichier() + ".avant-restauration";
            const QByteArray avant = contenu(base.fichier());
            std::optional<AutreSession> autre;
            qint64 limite = 0;
            if (panne == "verrou")
                QVERIFY(autre.emplace(base).executer("BEGIN IMMEDIATE") &&
                        autre->executer("INSERT INTO Client (Nom) VALUES ('en cours')"));
            else if (panne == "abîmée")
                QVERIFY(ecrire(copie, contenu(copie).replace(8192, 512, QByteArray(512, '\x5a'))));
            else if (panne == "dossier")
                QVERIFY(QDir().mkdir(avantRestauration));
            else if (panne == "plein") {
                // Room for the backup's check, not for the copy aside.
                QVERIFY(2 * QFileInfo(copie).size() < avant.size());
                limite = avant.size() / 2;
            } else if (QProcess::execute("chattr", {"+i", base.fichier()}) != 0)
                QSKIP("chattr +i is not allowed here");
            const Resultat r = lancerOutil(base.dossier(), {"restore", "copie.mdb", "Brevanta.mdb"}, limite);
            autre.reset();
            if (panne == "immuable")
                QCOMPARE(QProcess::execute("chattr", {"-i", base.fichier()}), 0);
            QCOMPARE(r.code, 1);
            for (const QString& m : messages)
                QVERIFY2(r.erreurs.contains(m), qPrintable(r.erreurs));
            QCOMPARE(contenu(base.fichier()), avant);
            const bool copieDeCote = panne == "immuable";
            QCOMPARE(QFileInfo(avantRestauration).isFile(), copieDeCote);
            if (copieDeCote) {
                QVERIFY2(r.erreurs.contains(avantRestauration), qPrintable(r.erreurs));
                QCOMPARE(nombreClients(avantRestauration), 3000);
            }
            QCOMPARE(QDir(base.dossier()).entryList({"*.partiel"}, QDir::Files | QDir::Dirs), QStringList());
        }
    }

    // What killed copies left is taken back, and every copy is as private as the base. A damaged base
    // is not copied and the copies stay; a file that merely has today's name is no copy.
    void restesEtDroitsDesCopies() {
        BaseTest base;
        remplir(base, 2000);
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
        QDir().mkpath(dossier + "/sauvegardes");
        QVERIFY(ecrire(dossier + "/sauvegardes/Brevanta-2025-01-05-090000.mdb.partiel", "reste"));
        QVERIFY(ecrire(dossier + "/sauvegardes/Brevanta-2025-01-06-080000.mdb", "pas une base"));
        const QStringList du6{"Brevanta-2025-01-06-080000.mdb", "Brevanta-2025-01-06-090000.mdb"};
        Message::setAutoAnswer(true);
        Message::effacer();
        copieDuJour(base.fichier(), QDateTime(QDate(2025, 1, 6), QTime(9, 0)));
        QCOMPARE(copies(dossier), du6);
        QVERIFY(prive(dossier + "/sauvegardes/" + du6[1]));
        QVERIFY(ecrire(base.fichier(), contenu(base.fichier()).replace(8192, 512, QByteArray(512, '\x5a'))));
        copieDuJour(base.fichier(), QDateTime(QDate(2025, 1, 7), QTime(9, 0)));
        QCOMPARE(copies(dossier), du6);
        QCOMPARE(Message::textesAffiches(),
                 QStringList{"La base semble endommagée : aucune copie du jour n'a été faite, les copies "
                             "précédentes sont conservées."});
        Message::setAutoAnswer(false);
    }

    // Five weeks of start-ups, weekends off until February and the Monday of the third week missed:
    // the last seven days with a copy stay, and the first copy of each of the last four weeks.
    void rotationDesCopiesQuotidiennes() {
        BaseTest base;
        base.sqlite("INSERT INTO Client (Nom) VALUES ('Dupont')");
        QObject parent;
        QDir().mkpath(base.dossier() + "/sauvegardes");
        QVERIFY(ecrire(base.dossier() + "/sauvegardes/notes.txt", {}));
        for (QDate jour(2025, 1, 6); jour <= QDate(2025, 2, 5); jour = jour.addDays(1)) {
            if ((jour.dayOfWeek() > 5 && jour < QDate(2025, 2, 1)) || jour == QDate(2025, 1, 20))
                continue;
            copieDuJour(base.fichier(), QDateTime(jour, QTime(9, 0)));
            Horloge::fixer(QDateTime(jour, QTime(17, 0)));
            QVERIFY(!SauvegardeQuotidienne::lancer(base.fichier(), &parent));
        }
        QStringList attendues;
        for (const char* jour : {"2025-01-13", "2025-01-21", "2025-01-27", "2025-01-30", "2025-01-31",
                                 "2025-02-01", "2025-02-02", "2025-02-03", "2025-02-04", "2025-02-05"})
            attendues << QStringLiteral("Brevanta-%1-090000.mdb").arg(jour);
        QCOMPARE(copies(base.dossier()), attendues << "notes.txt");
        QCOMPARE(lancerOutil(base.dossier(), {"check", "sauvegardes/" + attendues[0]}).code, 0);
        QCOMPARE(nombreClients(base.dossier() + "/sauvegardes/" + attendues[0]), 1);
    }

    // Once the window is up (testdemarrage sees it start); a failure is told and the window stays.
    void copieAuDemarrage() {
        FenetreTest f;
        QVERIFY(ecrire(f.base.dossier() + "/sauvegardes", {}));
        QTRY_VERIFY(Message::dernierTexte().startsWith(
            "La sauvegarde quotidienne de Brevanta.mdb n'a pas pu être faite"));
        QVERIFY(frmClient->isVisible());
    }

    // Refused with the message given, importing nothing; the last is imported.
    void clients() {
        BaseTest base(BaseTest::Moteur::Fichier);
        const std::pair<QByteArray, QString> fichiers[] = {
            {"\xEF\xBB\xBFNom;Commentaire\nDupont;ok\nCaf\xC3;x\n",
             "Ligne 3 : des octets ne sont pas de l'UTF-8"},
            {QByteArray("Nom\nDu\0pont\n", 12), "Ligne 2 : caractère de contrôle U+0000 dans la colonne Nom"},
            {"Nom;Commentaire\nDupont;rouge \x1b[31m\n",
             "Ligne 2 : caractère de contrôle U+001b dans la colonne Commentaire"},
            {"Nom\n\"Du\npont\"\n", "caractère de contrôle U+000a dans la colonne Nom"},
            {"Nom\n" + QByteArray(40000, 'x') + "\n",
             "40000 caractères dans la colonne Nom, qui en prend 32767 au plus"},
            // A long comment on several lines.
            {"Nom;Commentaire\nDupont;\"a\tb\r\n" + QByteArray(40000, 'c') + "\"\n", {}}};
        for (const auto& [octets, message] : fichiers) {
            QVERIFY(ecrire(base.dossier() + "/clients.csv", octets));
            QVERIFY(outilDit(base.dossier(), {"import", "Brevanta.mdb", "clients", "clients.csv"},
                             !message.isEmpty(), message));
            QCOMPARE(nombreClients(base.fichier()), message.isEmpty() ? 1 : 0);
        }
    }

    // Each file brevanta-db writes: never through a link planted in its place, which stays as it was
    // with the file it points to; otherwise put in place whole, with the base's permissions. A calendar
    // or an address book leaves out the control characters another program stored.
    void fichiersEcrits() {
        BaseTest base(BaseTest::Moteur::Fichier);
        base.sqlite("INSERT INTO Client (Nom) VALUES ('Dupont' || char(7))");
        base.sqlite("INSERT INTO Interlocuteur (Nom, Client, Prenom, Fonction) VALUES ('Jean', 'Dupont' || "
                    "char(7), 'Pi' || char(0) || 'erre', 'Achats' || char(27) || '[31m' || char(127))");
        base.sqlite(
            "INSERT INTO RDV (Client, Interlocuteur, Commentaire, DatePrevue, Fait) VALUES ('Dupont' || "
            "char(7), 'Jean', 'a' || char(1) || 'b' || char(9) || 'c' || char(13) || char(10) || 'd', "
            "'2099-01-05 10:00:00', 0)");
        const QDir d(base.dossier());
        QVERIFY(d.mkpath("export") && d.mkpath("cartes") && ecrire(d.filePath("précieux"), "à garder"));
        const QDir::Filters tout = QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot;
        for (const auto& [arguments, nom] : std::initializer_list<std::pair<QStringList, QString>>{
                 {{"export", "Brevanta.mdb", "export"}, "export/clients.csv"},
                 {{"export", "Brevanta.mdb", "c.xlsx", "--format", "xlsx"}, "c.xlsx"},
                 {{"calendar", "Brevanta.mdb", "agenda.ics"}, "agenda.ics"},
                 {{"contacts", "Brevanta.mdb", "carnet.vcf"}, "carnet.vcf"},
                 {{"contacts", "Brevanta.mdb", "cartes"}, "cartes/"}}) {
            QString fichier = nom;
            if (fichier.endsWith('/')) {
                // A card's file is named after its card.
                QVERIFY(outilDit(base.dossier(), arguments, 0));
                fichier = "cartes/" + QDir(d.filePath("cartes")).entryList(QDir::Files).value(0);
                QVERIFY(QFile::remove(d.filePath(fichier)));
            }
            QVERIFY(QFile::link(d.filePath("précieux"), d.filePath(fichier)));
            const QStringList avant = fichiersSous(d.path(), tout);
            QVERIFY(outilDit(base.dossier(), arguments, 1, fichier + " est un lien symbolique"));
            QCOMPARE(fichiersSous(d.path(), tout), avant);
            QVERIFY(QFileInfo(d.filePath(fichier)).isSymLink());
            QCOMPARE(contenu(d.filePath("précieux")), QByteArray("à garder"));
            QVERIFY(QFile::remove(d.filePath(fichier)));
            for (const mode_t droits : {0600, 0640}) {
                QVERIFY(::chmod(QFile::encodeName(base.fichier()).constData(), droits) == 0);
                QVERIFY(outilDit(base.dossier(), arguments, 0));
                struct stat etat {};
                QVERIFY(::lstat(QFile::encodeName(d.filePath(fichier)).constData(), &etat) == 0);
                QCOMPARE(etat.st_mode & 0777, droits);
            }
            if (!fichier.endsWith(".ics") && !fichier.endsWith(".vcf"))
                continue;
            const QByteArray octets = contenu(d.filePath(fichier));
            QVERIFY(octets.contains(fichier.endsWith(".ics") ? "ab\tc\\nd" : "Achats[31m"));
            for (const char o : octets)
                QVERIFY2((uchar(o) >= 0x20 && uchar(o) != 0x7F) || o == '\r' || o == '\n' || o == '\t',
                         qPrintable(QString::number(uchar(o))));
        }
    }
};

QTEST_MAIN(TestFichiers)
#include "testfichiers.moc"

// Files that brevanta-db reads and writes, and texts the windows would never let through: an import
// refuses them with their line and imports nothing; a calendar or an address book leaves out the
// control characters its format forbids.
#include "support/basetest.h"
#include "support/outil.h"

#include <QtTest>
#include <sys/stat.h>

class TestFichiersHostiles : public QObject {
    Q_OBJECT

private slots:
    void clients_data() {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        const QByteArray bom("\xEF\xBB\xBF");
        QTest::newRow("UTF-8 annoncé, octet invalide") << bom + "Nom;Commentaire\nDupont;ok\nCaf\xC3;x\n"
                                                       << 1 << "Ligne 3 : des octets ne sont pas de l'UTF-8";
        QTest::newRow("NUL dans un nom") << QByteArray("Nom\nDu\0pont\n", 12) << 1
                                         << "Ligne 2 : caractère de contrôle U+0000 dans la colonne Nom";
        QTest::newRow("échappement dans un commentaire")
            << QByteArray("Nom;Commentaire\nDupont;rouge \x1b[31m\n") << 1
            << "Ligne 2 : caractère de contrôle U+001b dans la colonne Commentaire";
        QTest::newRow("saut de ligne dans un nom")
            << QByteArray("Nom\n\"Du\npont\"\n") << 1 << "caractère de contrôle U+000a dans la colonne Nom";
        QTest::newRow("nom trop long")
            << "Nom\n" + QByteArray(40000, 'x') + "\n"
            << 1 << "40000 caractères dans la colonne Nom, qui en prend 32767 au plus";
        QTest::newRow("commentaire long sur plusieurs lignes")
            << "Nom;Commentaire\nDupont;\"a\tb\r\n" + QByteArray(40000, 'c') + "\"\n"
            << 0 << QString();
        // Without the mark, bytes that are not UTF-8 are read as Windows-1252.
        QTest::newRow("Windows-1252") << QByteArray("Nom\nCaf\xE9\n") << 0 << QString();
    }
    void clients() {
        QFETCH(QByteArray, octets);
        QFETCH(int, code);
        QFETCH(QString, message);
        BaseTest base(BaseTest::Moteur::Fichier);
        QVERIFY(ecrire(base.dossier() + "/clients.csv", octets));
        QVERIFY(
            outilDit(base.dossier(), {"import", "Brevanta.mdb", "clients", "clients.csv"}, code, message));
        QCOMPARE(lignesFichier(base.fichier(), "select count(*) from Client"), QStringList(code ? "0" : "1"));
    }

    // Stored by another program: escape sequences, bells, deletes, NUL.
    void agendaEtCarnetSansCaracteresDeControle() {
        BaseTest base(BaseTest::Moteur::Fichier);
        base.sqlite("INSERT INTO Client (Nom) VALUES ('Dupont' || char(7))");
        base.sqlite("INSERT INTO Interlocuteur (Nom, Client, Prenom, Fonction) VALUES ('Jean', 'Dupont' || "
                    "char(7), 'Pi' || char(0) || 'erre', 'Achats' || char(27) || '[31m' || char(127))");
        base.sqlite(
            "INSERT INTO RDV (Client, Interlocuteur, Commentaire, DatePrevue, Fait) VALUES ('Dupont' || "
            "char(7), 'Jean', 'a' || char(1) || 'b' || char(9) || 'c' || char(13) || char(10) || 'd', "
            "'2099-01-05 10:00:00', 0)");
        for (const QString fichier : {"agenda.ics", "carnet.vcf"}) {
            QVERIFY(outilDit(base.dossier(),
                             {fichier.endsWith("ics") ? "calendar" : "contacts", "Brevanta.mdb", fichier},
                             0));
            const QByteArray octets = contenu(base.dossier() + "/" + fichier);
            QVERIFY(octets.contains(fichier.endsWith("ics") ? "ab\tc\\nd" : "Achats[31m"));
            for (const char o : octets)
                QVERIFY2((uchar(o) >= 0x20 && uchar(o) != 0x7F) || o == '\r' || o == '\n' || o == '\t',
                         qPrintable(QString::number(uchar(o))));
        }
    }

    // Each file brevanta-db writes: never through a link planted in its place, which stays as it was
    // with the file it points to; otherwise put in place whole, with the base's permissions.
    void fichiersEcrits_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("fichier");
        QTest::newRow("export") << QStringList{"export", "Brevanta.mdb", "export"} << "export/clients.csv";
        QTest::newRow("classeur") << QStringList{"export", "Brevanta.mdb", "c.xlsx", "--format", "xlsx"}
                                  << "c.xlsx";
        QTest::newRow("agenda") << QStringList{"calendar", "Brevanta.mdb", "agenda.ics"} << "agenda.ics";
        QTest::newRow("carnet") << QStringList{"contacts", "Brevanta.mdb", "carnet.vcf"} << "carnet.vcf";
        QTest::newRow("carte") << QStringList{"contacts", "Brevanta.mdb", "export"} << "export/";
    }
    void fichiersEcrits() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, fichier);
        BaseTest base(BaseTest::Moteur::Fichier);
        base.sqlite("INSERT INTO Client (Nom) VALUES ('Dupont')");
        base.sqlite("INSERT INTO Interlocuteur (Nom, Client) VALUES ('Jean', 'Dupont')");
        const QDir d(base.dossier());
        QVERIFY(d.mkpath("export"));
        const auto fichiers = [&] {
            QStringList noms;
            for (QDirIterator i(d.path(),
                                QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                                QDirIterator::Subdirectories);
                 i.hasNext();)
                noms << d.relativeFilePath(i.next());
            noms.sort();
            return noms;
        };
        if (fichier.endsWith('/')) {
            // A card's file is named after its card.
            QVERIFY(outilDit(base.dossier(), arguments, 0));
            fichier = "export/" + QDir(d.filePath("export")).entryList(QDir::Files).value(0);
            QVERIFY(QFile::remove(d.filePath(fichier)));
        }
        QVERIFY(ecrire(d.filePath("précieux"), "à garder"));
        QVERIFY(QFile::link(d.filePath("précieux"), d.filePath(fichier)));
        const QStringList avant = fichiers();
        QVERIFY(outilDit(base.dossier(), arguments, 1, fichier + " est un lien symbolique"));
        QCOMPARE(fichiers(), avant);
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
    }
};

QTEST_GUILESS_MAIN(TestFichiersHostiles)
#include "testfichiershostiles.moc"

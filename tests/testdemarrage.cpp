// Start-up: Main() opens Brevanta.mdb of the working directory, or the team's server that its
// Brevanta.ini names, or says why not, never creating or changing a file; a file the user may not
// write opens read-only.
#include "core/postgres/moteurpostgres.h"
#include "support/basetest.h"
#include "support/demarrage.h"
#include "support/outil.h"
#include "support/serveurtest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>
#include <optional>

enum Cas { Ouvre, Octets, Modifie, Verrouille, FichierProtege, DossierProtege };

static QStringList fichiers(const QString& dossier) {
    return QDir(dossier).entryList(QDir::Files | QDir::Hidden);
}

static void ecrireIni(const QString& dossier, const QString& contenu) {
    QVERIFY(ecrire(QDir(dossier).filePath("Brevanta.ini"), contenu.toUtf8()));
}

class TestDemarrage : public QObject {
    Q_OBJECT
private slots:
    void demarrage_data() {
        QTest::addColumn<int>("cas");
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<QString>("attendu");
        QByteArray jet(2048, '\0');
        jet.replace(0, 19, QByteArray("\x00\x01\x00\x00Standard Jet DB", 19));
        const QString lectureSeule = QStringLiteral("attempt to write a readonly database");
        QTest::newRow("base") << int(Ouvre) << QByteArray() << QString();
        QTest::newRow("vide") << int(Octets) << QByteArray() << QStringLiteral("no such table: Client");
        QTest::newRow("texte")
            << int(Octets)
            << QByteArray("Ceci n'est pas une base de donnees, juste du texte.\n").repeated(200)
            << QStringLiteral("Erreur 26");
        QTest::newRow("access") << int(Octets) << jet << QStringLiteral("base Microsoft Access");
        // Refused before an index is written: another program's statements, or a table the program
        // cannot read.
        QTest::newRow("table manquante")
            << int(Modifie) << QByteArray("DROP TABLE Fonction") << QStringLiteral("Fonction");
        QTest::newRow("colonne manquante")
            << int(Modifie) << QByteArray("DROP INDEX RDVAFaire|ALTER TABLE RDV DROP COLUMN DateSaisie")
            << QStringLiteral("RDV.DateSaisie");
        QTest::newRow("déclencheur étranger")
            << int(Modifie)
            << QByteArray("CREATE TRIGGER Piege AFTER UPDATE ON Client BEGIN DELETE FROM Actions; END")
            << QStringLiteral("déclencheur Piege");
        QTest::newRow("vue à la place d'une table")
            << int(Modifie) << QByteArray("DROP TABLE Service|CREATE VIEW Service AS SELECT 'x' AS Nom")
            << QStringLiteral("Service");
        // A column declared with another type than the one the program reads.
        QTest::newRow("date en BLOB")
            << int(Modifie)
            << QByteArray(
                   "DROP TABLE RDV|CREATE TABLE RDV (Id INTEGER PRIMARY KEY AUTOINCREMENT, Client TEXT, "
                   "Interlocuteur TEXT, Commentaire TEXT, DatePrevue BLOB, Fait INTEGER, DateSaisie TEXT)")
            << QStringLiteral("RDV.DatePrevue (BLOB)");
        QTest::newRow("nom en nombre")
            << int(Modifie) << QByteArray("DROP TABLE Service|CREATE TABLE Service (Nom INTEGER)")
            << QStringLiteral("Service.Nom (INTEGER)");
        // Another program holds the file: the wait for its lock ends in the refusal.
        QTest::newRow("verrouillé") << int(Verrouille) << QByteArray() << QString();
        // Read-only, with an index and the search's to make again: neither is, nor the daily copy.
        QTest::newRow("fichier protégé")
            << int(FichierProtege) << QByteArray("DROP INDEX ActionsAFaire|DROP TRIGGER RechercheClientAjout")
            << QStringLiteral(
                   "MESSAGE La recherche ne sera pas disponible : son index n'est pas à jour et la "
                   "base est ouverte en lecture seule.\n");
        // A folder where SQLite cannot write its journal: refused at start-up rather than at the first save.
        QTest::newRow("dossier protégé") << int(DossierProtege) << QByteArray() << lectureSeule;
    }

    void demarrage() {
        QFETCH(int, cas);
        QFETCH(QByteArray, octets);
        QFETCH(QString, attendu);
        if (BaseTest::essaiServeur())
            QSKIP("the start-up on a file");
        BaseTest base;
        const QString fichier = base.fichier();
        if (cas == Octets)
            QVERIFY(ecrire(fichier, octets));
        else if (cas == Modifie || cas == FichierProtege)
            for (const QString& sql : QString::fromUtf8(octets).split('|'))
                base.sqlite(sql);
        // Read before the lock is taken: closing any descriptor of the file drops this process's locks.
        const QByteArray avant = contenu(fichier);
        const QStringList presents = fichiers(base.dossier());
        const bool protege = cas == FichierProtege || cas == DossierProtege;
        if (protege) {
            const QFile::Permissions lecture =
                QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup | QFile::ReadOther;
            const QFile::Permissions ecriture =
                QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup | QFile::WriteOther;
            const QFile::Permissions traversee =
                lecture | QFile::ExeOwner | QFile::ExeUser | QFile::ExeGroup | QFile::ExeOther;
            // Only its owner may write each; the program runs as another user.
            QFile::setPermissions(fichier,
                                  cas == DossierProtege ? lecture | ecriture : lecture | QFile::WriteOwner);
            QFile::setPermissions(base.dossier(), cas == DossierProtege ? traversee | QFile::WriteOwner
                                                                        : traversee | ecriture);
        }
        std::optional<AutreSession> autre;
        if (cas == Verrouille)
            QVERIFY(autre.emplace(base).executer("BEGIN EXCLUSIVE"));
        const Issue i = demarrerDans(QStringLiteral(DEMARRAGE_ENFANT), base.dossier(), protege,
                                     cas == Verrouille ? QStringList("100") : QStringList());
        autre.reset();
        if (protege && (i.statut == -1 || i.sortie.isEmpty()))
            QSKIP("the program could not be started without privileges here");
        QVERIFY2(i.erreurs.isEmpty(), qPrintable(i.erreurs));
        const bool ouvre = cas == Ouvre || cas == FichierProtege;
        QCOMPARE(i.statut, ouvre ? 0 : 1);
        QCOMPARE(i.sortie.contains(QLatin1String("FENETRE frmClient Brevanta :\n")), cas == Ouvre);
        QCOMPARE(i.sortie.contains(QLatin1String("FENETRE frmClient Brevanta : (lecture seule)\n")),
                 cas == FichierProtege);
        QCOMPARE(i.sortie.contains(QLatin1String("ACTIF BtnCreer")), cas == Ouvre);
        QCOMPARE(i.sortie.contains(QLatin1String("ACTIF ")), cas == Ouvre);
        QCOMPARE(i.sortie.contains(QLatin1String("MESSAGE")), cas != Ouvre);
        QVERIFY2(ouvre || i.sortie.startsWith(
                              QStringLiteral("MESSAGE Impossible d'ouvrir la base de données Brevanta.mdb")),
                 qPrintable(i.sortie));
        QVERIFY2(i.sortie.contains(attendu), qPrintable(i.sortie));
        QCOMPARE(contenu(fichier), avant);
        QCOMPARE(fichiers(base.dossier()), presents);
        // The daily copy is started only where the base may be written.
        QCOMPARE(QFileInfo::exists(QDir(base.dossier()).filePath("sauvegardes")), cas == Ouvre);
    }

    void demarrageServeur_data() {
        QTest::addColumn<QString>("serveur");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("base") << QStringLiteral("%1") << QString();
        QTest::newRow("sans tables") << QStringLiteral("vide") << QStringLiteral("la table Client manque");
        QTest::newRow("serveur absent") << QStringLiteral("port 1") << QStringLiteral("ne répond pas");
        QTest::newRow("mot de passe") << QStringLiteral("mot de passe") << QStringLiteral("~/.pgpass");
    }

    // On a server, nothing is written in the folder: no Brevanta.mdb, no daily copy (a server has its own).
    void demarrageServeur() {
        QFETCH(QString, serveur);
        QFETCH(QString, attendu);
        if (!BaseTest::essaiServeur())
            QSKIP("the start-up on a server");
        EXIGER_SERVEUR_TEST();
        ServeurTest base;
        QUrl url(base.url());
        if (serveur == QLatin1String("port 1"))
            url.setPort(1);
        else if (serveur == QLatin1String("mot de passe"))
            url.setPassword("secret");
        if (serveur != QLatin1String("vide"))
            MoteurPostgres::creerTables(base.url());
        QTemporaryDir dossier;
        ecrireIni(dossier.path(), QStringLiteral("[Base]\nServeur=%1\n").arg(url.toString()));
        const Issue i = demarrerDans(QStringLiteral(DEMARRAGE_ENFANT), dossier.path());
        QVERIFY2(i.erreurs.isEmpty(), qPrintable(i.erreurs));
        QCOMPARE(i.statut, attendu.isEmpty() ? 0 : 1);
        QCOMPARE(i.sortie.contains(QLatin1String("FENETRE frmClient")), attendu.isEmpty());
        QVERIFY2(i.sortie.contains(attendu), qPrintable(i.sortie));
        if (serveur == QLatin1String("mot de passe"))
            QVERIFY(!i.sortie.contains(QLatin1String("secret")));
        else if (!attendu.isEmpty())
            QVERIFY2(i.sortie.startsWith(
                         QStringLiteral("MESSAGE Impossible d'ouvrir la base de données du serveur ") +
                         url.toString()),
                     qPrintable(i.sortie));
        QCOMPARE(QDir(dossier.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{"Brevanta.ini"});
    }

    // A date another program stored unreadable: the message names its table, its row and the value
    // cut short, and does not pass it off as one of the engine's faults.
    void dateIllisible() {
        if (BaseTest::essaiServeur())
            QSKIP("the start-up on a file");
        BaseTest base;
        base.sqlite("INSERT INTO Client (Nom) VALUES ('Dupont')");
        base.sqlite("INSERT INTO Actions (Id, Client, Interlocuteur, Commentaire, DatePrevue, Fait) VALUES "
                    "(7, 'Dupont', '', 'a', 'lundi prochain ' || printf('%.100000c', 'x'), 0), "
                    "(8, 'Dupont', '', 'b', '2024-03-04 10:00:00', 0)");
        const Issue i = demarrerDans(QStringLiteral(DEMARRAGE_ENFANT), base.dossier());
        QVERIFY2(
            i.sortie.contains("Table Actions, ligne Id 7 : Incompatibilité de type : « lundi prochain x"),
            qPrintable(i.sortie.left(2000)));
        QVERIFY2(!i.sortie.contains("disque") && !i.sortie.contains(QString(80, 'x')),
                 qPrintable(i.sortie.left(2000)));
    }

    // A Brevanta.ini that names no server leaves the file in use.
    void sansServeur() {
        QTemporaryDir dossier;
        ecrireIni(dossier.path(), "[Base]\nAutre=1\n");
        QVERIFY(ecrire(dossier.filePath("Brevanta.mdb"), "pas une base"));
        const Issue i = demarrerDans(QStringLiteral(DEMARRAGE_ENFANT), dossier.path());
        QCOMPARE(i.statut, 1);
        QVERIFY2(i.sortie.startsWith("MESSAGE Impossible d'ouvrir la base de données Brevanta.mdb"),
                 qPrintable(i.sortie));
    }
};

QTEST_GUILESS_MAIN(TestDemarrage)
#include "testdemarrage.moc"

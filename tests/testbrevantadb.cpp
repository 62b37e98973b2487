#include "core/bd/connection.h"
#include "core/bd/horloge.h"
#include "core/bd/schema.h"
#include "core/recherche/indexrecherchesqlite.h"
#include "support/basetest.h"
#include "support/outil.h"

#include <QSqlQuery>
#include <QtTest>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

// One value over rows of the program's dialect: "Table where ...".
static QString valeur(Connection& c, const QString& expression, const QString& lignes) {
    return colonne(c, "select " + expression + " as V from " + lignes).value(0);
}

static int compter(Connection& c, const QString& lignes) {
    return valeur(c, "count(*)", lignes).toInt();
}

// What the windows rely on in generated rows: one main contact per client, each contact's roles
// taken from the lists, every action and appointment of a contact of its client.
static void coherentes(Connection& c) {
    QCOMPARE(compter(c, "Client c where (select count(*) from Interlocuteur i where i.Client=c.Nom and "
                        "i.ContactPrincipal=1) <> 1"),
             0);
    QCOMPARE(compter(c, "Interlocuteur where Service in (select Nom from Service) and Fonction in "
                        "(select Nom from Fonction) and Decision in (select Nom from Decision)"),
             compter(c, "Interlocuteur"));
    for (const QString table : {"Actions", "RDV"})
        QCOMPARE(compter(c, table + " a where (select count(*) from Interlocuteur i where i.Client=a.Client "
                                    "and i.Nom=a.Interlocuteur) = 0"),
                 0);
}

// The schema tool run as the user runs it, in a fresh folder each time: init, demo, bench, check.
class TestBrevantaDb : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dossier;

    QString fichier() const { return m_dossier->filePath("Brevanta.mdb"); }
    Resultat lancer(const QStringList& arguments) const { return lancerOutil(m_dossier->path(), arguments); }
    bool dit(const QStringList& arguments, int code, const QString& message = {}) const {
        return outilDit(m_dossier->path(), arguments, code, message);
    }

private slots:
    void init() { QVERIFY((m_dossier = std::make_unique<QTemporaryDir>())->isValid()); }

    void initCreeUneBaseQueLeProgrammeOuvre() {
        QCOMPARE(lancer({"init", "Brevanta.mdb"}).code, 0);
        QCOMPARE(lancer({"check", "Brevanta.mdb"}).code, 0);
        Connection c;
        c.open(fichier());
        for (const QString& table : Schema::tables())
            QCOMPARE(compter(c, table), 0);
        // A file from before the search index passes too: the program adds it.
        for (const QString& sql : IndexRechercheSqlite::instructionsSuppression())
            QVERIFY(QSqlQuery(c.base()).exec(sql));
        QCOMPARE(lancer({"check", "Brevanta.mdb"}).code, 0);
    }

    // The databases of the speed measurements: the volumes asked, rows like a user's, the same
    // rows for the same request; the demo's, what the windows show, this week's to do among them.
    void benchEtDemoVraisemblables() {
        QTemporaryDir autre;
        const QStringList arguments{"bench",     "Brevanta.mdb", "--scale",        "big",
                                    "--clients", "60",           "--contacts",     "200",
                                    "--actions", "1200",         "--appointments", "400"};
        QCOMPARE(lancer(arguments).code, 0);
        QCOMPARE(lancer({"check", "Brevanta.mdb"}).code, 0);
        Connection c;
        c.open(fichier());
        QCOMPARE(QList<int>({compter(c, "Client"), compter(c, "Interlocuteur"), compter(c, "Actions"),
                             compter(c, "RDV")}),
                 QList<int>({60, 200, 1200, 400}));
        QVERIFY(compter(c, "Service") > 0 && compter(c, "Decision") > 0 && compter(c, "Fonction") > 0);
        coherentes(c);
        const QDate jour = Horloge::aujourdhui();
        for (const QString table : {"Actions", "RDV"}) {
            const int n = compter(c, table);
            // A third to do, a third at a time of day, over seven years around today.
            QVERIFY(qAbs(3 * compter(c, table + " where Fait=0") - n) < n / 8);
            QVERIFY(qAbs(3 * compter(c, table + " where DatePrevue not like \"% 00:00:00\"") - n) < n / 8);
            const QDate premier =
                QDate::fromString(valeur(c, "min(DatePrevue)", table).left(10), "yyyy-MM-dd");
            const QDate dernier =
                QDate::fromString(valeur(c, "max(DatePrevue)", table).left(10), "yyyy-MM-dd");
            QVERIFY(premier.daysTo(dernier) > 6 * 365 && premier.daysTo(dernier) <= 7 * 366);
            QVERIFY(premier < jour.addYears(-4) && dernier > jour.addYears(1));
            QCOMPARE(compter(c, table + " where DateSaisie > DatePrevue or DateSaisie > now()"), 0);
        }
        // French names, a double quote stored as $B.
        QVERIFY(compter(c, "Interlocuteur where Nom like \"%é%\" or Nom like \"%è%\"") > 0);
        QVERIFY(compter(c, "Actions where Commentaire like \"%$B%\"") > 0);
        QCOMPARE(lancerOutil(autre.path(), arguments).code, 0);
        QVERIFY(contenu(autre.filePath("Brevanta.mdb")) == contenu(fichier()));
        QCOMPARE(lancer({"demo", "demo.mdb"}).code, 0);
        QVERIFY(dit({"check", "demo.mdb"}, 0));
        Connection d;
        d.open(m_dossier->filePath("demo.mdb"));
        QVERIFY(compter(d, "Client") >= 10);
        QVERIFY(compter(d, "Client where Nom like \"%$B%\"") > 0);
        coherentes(d);
        const QDate lundi = jour.addDays(1 - jour.dayOfWeek());
        const QString semaine =
            QString(" where DatePrevue >= #%1# and DatePrevue < #%2#")
                .arg(lundi.toString("yyyy/MM/dd"), lundi.addDays(5).toString("yyyy/MM/dd"));
        for (const QString table : {"Actions", "RDV"})
            QVERIFY(compter(d, table + semaine + " and Fait=0") > 0 &&
                    compter(d, table + " where Fait=-1") > 0);
        QVERIFY(compter(d, "RDV" + semaine + " and DatePrevue not like \"% 00:00:00\"") > 0);
    }

    // The demo base (or bytes standing for it) damaged: neither passed by check, nor taken as a backup,
    // nor copied, and nothing is written. Each case: its name, the damage, what check says.
    void refuseUneBaseAbimee() {
        const QList<std::array<QString, 3>> cas{
            {"octets quelconques", "octets", ""},
            {"fichier vide", "vide", "Client"},
            {"fichier tronqué", "tronque", ""},
            {"pages écrasées", "ecrase", "Intégrité"},
            {"table supprimée", "DROP TABLE RDV", "RDV"},
            // The search index holds Ville: the column dropped is one it does not read.
            {"colonne supprimée", "ALTER TABLE Client DROP COLUMN Fax", "Client.Fax"},
            {"index de recherche désaccordé", "INSERT INTO Recherche (rowid, Texte) VALUES (999, 'fantôme')",
             "Index de recherche"},
            {"index de recherche incomplet", "DROP TRIGGER RechercheRDVAjout", "RechercheRDVAjout"},
            // Another program's SQL would run at each save, or a table's rows be made up.
            {"déclencheur étranger",
             "CREATE TRIGGER Piege AFTER UPDATE ON Client BEGIN DELETE FROM Actions; END",
             "déclencheur Piege"},
            {"vue à la place d'une table", "DROP TABLE Fonction|CREATE VIEW Fonction AS SELECT 'x' AS Nom",
             "vue Fonction"},
            {"colonne d'un autre type", "DROP TABLE Service|CREATE TABLE Service (Nom INTEGER)",
             "Service.Nom (INTEGER)"}};
        for (const auto& [nom, degat, signale] : cas) {
            m_dossier = std::make_unique<QTemporaryDir>();
            if (degat == "octets" || degat == "vide") {
                QVERIFY(ecrire(fichier(), QByteArray(degat == "octets" ? 8192 : 0, 'x')));
            } else {
                QCOMPARE(lancer({"demo", "Brevanta.mdb"}).code, 0);
                QByteArray octets = contenu(fichier());
                if (degat == "tronque")
                    QVERIFY(ecrire(fichier(), octets.left(octets.size() / 3)));
                else if (degat == "ecrase")
                    QVERIFY(ecrire(fichier(), octets.replace(4096, 64, QByteArray(64, '\xa5'))));
                else
                    for (const QString& sql : degat.split('|'))
                        lignesFichier(fichier(), sql);
            }
            const QByteArray avant = contenu(fichier());
            QVERIFY2(dit({"check", "Brevanta.mdb"}, 1, signale), qPrintable(nom));
            QCOMPARE(contenu(fichier()), avant);
            QCOMPARE(lancer({"init", "autre.mdb"}).code, 0);
            const QByteArray autre = contenu(m_dossier->filePath("autre.mdb"));
            QVERIFY2(dit({"restore", "Brevanta.mdb", "autre.mdb"}, 1, signale), qPrintable(nom));
            QCOMPARE(contenu(m_dossier->filePath("autre.mdb")), autre);
            QVERIFY2(dit({"copy", "Brevanta.mdb", "copie.mdb"}, 1, signale), qPrintable(nom));
            QVERIFY(!QFileInfo::exists(m_dossier->filePath("copie.mdb")));
        }
    }

    // Another program's triggers go only once the person agrees; Brevanta's own stay. A program killed
    // in the middle of a save leaves its journal: check rolls it back, as any opening does, and finds
    // the file as it was before that save.
    void repairEtCoupure() {
        QCOMPARE(lancer({"demo", "Brevanta.mdb"}).code, 0);
        lignesFichier(fichier(),
                      "CREATE TRIGGER \"Pi\"\"ege\" AFTER UPDATE ON Client BEGIN DELETE FROM Actions; END");
        const QByteArray avant = contenu(fichier());
        QVERIFY(dit({"check", "Brevanta.mdb", "--repair"}, 1, "Rien n'a été supprimé"));
        QCOMPARE(contenu(fichier()), avant);
        const Resultat r = lancer({"check", "Brevanta.mdb", "--repair", "--oui"});
        QVERIFY2(r.code == 0 && r.sortie.contains("Déclencheurs supprimés : Pi\"ege"), qPrintable(r.erreurs));
        const QByteArray chemin = QFile::encodeName(fichier());
        const pid_t enfant = fork();
        if (enfant == 0) {
            sqlite3* db = nullptr;
            sqlite3_open(chemin.constData(), &db);
            // A small cache spills the changes into the file before the end of the transaction.
            sqlite3_exec(db,
                         "PRAGMA cache_size = 1; BEGIN; "
                         "UPDATE Actions SET Commentaire = hex(randomblob(5000))",
                         nullptr, nullptr, nullptr);
            _exit(0);
        }
        QVERIFY(enfant > 0 && waitpid(enfant, nullptr, 0) == enfant);
        QVERIFY(QFileInfo(fichier() + "-journal").size() > 0);
        QVERIFY(dit({"check", "Brevanta.mdb"}, 0));
        QCOMPARE(lignesFichier(fichier(), "SELECT count(*) FROM Actions WHERE length(Commentaire) >= 10000"),
                 QStringList{"0"});
        QVERIFY_THROWS_NO_EXCEPTION(Connection().open(fichier()));
    }

    // Nothing is written, whatever the mistake, not even over a file that is no database; nor left
    // behind by a disk that fills up during the creation.
    void refus() {
        const QByteArray precieux("des données à garder");
        QVERIFY(ecrire(m_dossier->filePath("garde.mdb"), precieux));
        const QString usage = "Usage : brevanta-db";
        QList<std::pair<QStringList, QString>> cas{{{}, usage},
                                                   {{"init", "garde.mdb"}, "existe déjà"},
                                                   {{"demo", "garde.mdb"}, "existe déjà"},
                                                   {{"init"}, usage},
                                                   {{"create", "Brevanta.mdb"}, usage},
                                                   {{"init", ""}, usage},
                                                   {{"init", "Brevanta.mdb", "autre.mdb"}, usage},
                                                   {{"check", "Brevanta.mdb"}, "n'existe pas"},
                                                   {{"init", "absent/Brevanta.mdb"}, "n'existe pas"},
                                                   {{"demo", "/proc/Brevanta.mdb"}, "Impossible de créer"}};
        for (const QStringList& options :
             QList<QStringList>{{"--scale", "huge"}, {"--actions", "-3"}, {"--clients"}, {"--rows", "10"}})
            cas.append({QStringList{"bench", "Brevanta.mdb"} + options, QString()});
        for (const auto& [arguments, message] : cas) {
            QVERIFY(dit(arguments, 1, message));
            QVERIFY2(QDir(m_dossier->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries) ==
                         QStringList{"garde.mdb"},
                     qPrintable(arguments.join(' ')));
        }
        QCOMPARE(contenu(m_dossier->filePath("garde.mdb")), precieux);
        QCOMPARE(lancerOutil(m_dossier->path(), {"demo", "Brevanta.mdb"}, 40 * 512).code, 1);
        QCOMPARE(QDir(m_dossier->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList{"garde.mdb"});
    }
};

QTEST_GUILESS_MAIN(TestBrevantaDb)
#include "testbrevantadb.moc"

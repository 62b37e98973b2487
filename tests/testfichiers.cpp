// brevanta-db's bases, online copy and restore, the daily copy, spreadsheets in and out; texts the windows
// never let through: an import names their line and imports nothing, a calendar or address book drops them.
#include "app/sauvegardequotidienne.h"
#include "core/bd/formatsql.h"
#include "core/bd/schema.h"
#include "core/recherche/indexrecherchesqlite.h"
#include "support/fenetretest.h"
#include "support/outil.h"

#include <QPointer>
#include <QProcess>
#include <QSqlQuery>
#include <QStandardPaths>
#include <optional>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// What the person typed, with a double quote, a semicolon, line breaks, accents and emoji.
const QString ClientHostile = "Café \"L'Étoile\"; Nord 🚀";
const QString CommentaireHostile = "Rappeler \"vite\" ; puis écrire\r\nà l'équipe, « merci » 😀";
const QStringList Genres{"clients", "interlocuteurs", "actions", "rendez-vous"};

static QString lit(QString v) {
    return "'" + v.replace("'", "''") + "'";
}

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

// Pages of the file overwritten, as a disk fault would.
static bool abimer(const QString& fichier, int debut = 8192, int octets = 512, char par = '\x5a') {
    return ecrire(fichier, contenu(fichier).replace(debut, octets, QByteArray(octets, par)));
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
    const QString sansContact = " a where (select count(*) from Interlocuteur i where i.Client=a.Client and "
                                "i.Nom=a.Interlocuteur) = 0";
    QCOMPARE(
        QList<int>({compter(c, "Client c where (select count(*) from Interlocuteur i where i.Client=c.Nom "
                               "and i.ContactPrincipal=1) <> 1"),
                    compter(c, "Actions" + sansContact), compter(c, "RDV" + sansContact),
                    compter(c, "Interlocuteur where Service in (select Nom from Service) and Fonction in "
                               "(select Nom from Fonction) and Decision in (select Nom from Decision)")}),
        QList<int>({0, 0, 0, compter(c, "Interlocuteur")}));
}

class TestFichiers : public QObject {
    Q_OBJECT

    std::unique_ptr<BaseTest> m_base;

    Resultat outil(const QStringList& arguments) const { return lancerOutil(m_base->dossier(), arguments); }
    bool dit(const QStringList& arguments, int code, const QString& message = {}) const {
        return outilDit(m_base->dossier(), arguments, code, message);
    }
    QString chemin(const QString& fichier) const { return m_base->dossier() + "/" + fichier; }
    QString lu(const QString& sql) const { return lignesFichier(m_base->fichier(), sql).value(0); }
    QStringList lues(const QString& sql) const { return lignesFichier(m_base->fichier(), sql); }
    // Each genre's file (`source`, %1 the genre) into a new empty base, exported again: the files of un/.
    void memeExport(const QString& source, const QStringList& genres) const {
        QVERIFY(QFile::remove(chemin("vide.mdb")) || !QFile::exists(chemin("vide.mdb")));
        QCOMPARE(outil({"init", "vide.mdb"}).code, 0);
        for (const QString& g : genres) {
            const Resultat r = outil({"import", "vide.mdb", g, source.arg(g)});
            QVERIFY2(r.code == 0 && r.erreurs.isEmpty(), qPrintable(source + r.erreurs));
        }
        QCOMPARE(outil({"export", "vide.mdb", "deux"}).code, 0);
        for (const QString& g : genres)
            QCOMPARE(QString::fromUtf8(contenu(chemin("deux/" + g + ".csv"))),
                     QString::fromUtf8(contenu(chemin("un/" + g + ".csv"))));
    }
    // Whether importing these bytes as the genre's file ends with this code, saying `message` on stderr.
    bool importe(const QString& genre, const QByteArray& octets, int code = 0, const QString& message = {},
                 const QStringList& options = {}) const {
        return ecrire(chemin(genre + ".csv"), octets) &&
               dit(QStringList{"import", "Brevanta.mdb", genre, genre + ".csv"} + options, code, message);
    }
    // The demo base in place of the empty one.
    void demo() const {
        QVERIFY(QFile::remove(m_base->fichier()));
        QCOMPARE(outil({"demo", "Brevanta.mdb"}).code, 0);
    }
    // The case's folder as brevanta-db first finds it: without a base.
    void sansBase() const { QVERIFY(QFile::remove(m_base->fichier())); }

private slots:
    // A base of the case's own, on a file, for the cases that need no other.
    void init() { m_base = std::make_unique<BaseTest>(BaseTest::Moteur::Fichier); }
    void cleanup() { Horloge::reprendre(); }

    // The program writes all along the copy; the copy is consistent and restores.
    void sauvegardePendantLesEcrituresPuisRestauration() {
        remplir(*m_base, 20000);
        Connection programme;
        programme.open(m_base->fichier());
        QProcess copie;
        demarrerOutil(copie, m_base->dossier(), {"backup", "Brevanta.mdb", "copie.mdb"});
        int ecrites = 0;
        while (copie.state() != QProcess::NotRunning) {
            programme.execute(QString("insert into Client (Nom) values (\"Pendant %1\")").arg(ecrites++));
            copie.waitForFinished(1);
        }
        QVERIFY2(copie.exitCode() == 0, copie.readAllStandardError().constData());
        QVERIFY(dit({"check", "copie.mdb"}, 0));
        const int copiees = nombreClients(m_base->dossier() + "/copie.mdb");
        QVERIFY(copiees >= 20000 && copiees <= 20000 + ecrites);
        // Restored under the program's open connection, which then reads the restored rows.
        QVERIFY(dit({"restore", "copie.mdb", "Brevanta.mdb"}, 0));
        QCOMPARE(colonne(programme, "select count(*) from Client"), QStringList(QString::number(copiees)));
        QCOMPARE(nombreClients(m_base->fichier() + ".avant-restauration"), 20000 + ecrites);
    }

    // Any restore refused or failing: base unchanged, and the message says why and where the old content is.
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
                QVERIFY(abimer(copie));
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
            for (const QString& m :
                 panne == "immuable" ? messages + QStringList{avantRestauration} : messages)
                QVERIFY2(r.erreurs.contains(m), qPrintable(r.erreurs));
            QCOMPARE(contenu(base.fichier()), avant);
            QCOMPARE(QFileInfo(avantRestauration).isFile(), panne == "immuable");
            if (panne == "immuable")
                QCOMPARE(nombreClients(avantRestauration), 3000);
            QCOMPARE(QDir(base.dossier()).entryList({"*.partiel"}, QDir::Files | QDir::Dirs), QStringList());
        }
    }

    // What killed copies left is taken back, and every copy is as private as the base. A damaged base
    // is not copied and the copies stay; a file that merely has today's name is no copy.
    void restesEtDroitsDesCopies() {
        remplir(*m_base, 2000);
        const QString dossier = m_base->dossier();
        QVERIFY(QFile::setPermissions(m_base->fichier(), QFile::ReadOwner | QFile::WriteOwner));
        for (const QString reste : {"copie.mdb.partiel", "Brevanta.mdb.avant-restauration.partiel"})
            QVERIFY(ecrire(dossier + "/" + reste, "reste d'une copie tuée"));
        QVERIFY(dit({"backup", "Brevanta.mdb", "copie.mdb"}, 0) &&
                dit({"restore", "copie.mdb", "Brevanta.mdb"}, 0));
        QCOMPARE(QDir(dossier).entryList({"*.partiel"}, QDir::AllEntries), QStringList());
        for (const QString copie : {"copie.mdb", "Brevanta.mdb.avant-restauration"})
            QVERIFY2(prive(dossier + "/" + copie), qPrintable(copie));
        // One that cannot be taken back says what to do.
        QVERIFY(QDir().mkdir(dossier + "/autre.mdb.partiel"));
        QVERIFY(dit({"backup", "Brevanta.mdb", "autre.mdb"}, 1, "supprimez-le, puis recommencez"));
        // The daily copy cleans what an earlier one left in its folder.
        QDir().mkpath(dossier + "/sauvegardes");
        QVERIFY(ecrire(dossier + "/sauvegardes/Brevanta-2025-01-05-090000.mdb.partiel", "reste"));
        QVERIFY(ecrire(dossier + "/sauvegardes/Brevanta-2025-01-06-080000.mdb", "pas une base"));
        QStringList du6{"Brevanta-2025-01-06-080000.mdb", "Brevanta-2025-01-06-090000.mdb"};
        Message::setAutoAnswer(true);
        Message::effacer();
        copieDuJour(m_base->fichier(), QDateTime(QDate(2025, 1, 6), QTime(9, 0)));
        QCOMPARE(copies(dossier), du6);
        QVERIFY(prive(dossier + "/sauvegardes/" + du6[1]));
        // Whole, today's copy is not made again; cut short, it is no copy either.
        QObject parent;
        QVERIFY(!SauvegardeQuotidienne::lancer(m_base->fichier(), &parent));
        QFile coupee(dossier + "/sauvegardes/" + du6[1]);
        QVERIFY(coupee.resize(coupee.size() / 2));
        copieDuJour(m_base->fichier(), QDateTime(QDate(2025, 1, 6), QTime(10, 0)));
        du6 << "Brevanta-2025-01-06-100000.mdb";
        QCOMPARE(copies(dossier), du6);
        QVERIFY(abimer(m_base->fichier()));
        copieDuJour(m_base->fichier(), QDateTime(QDate(2025, 1, 7), QTime(9, 0)));
        QCOMPARE(copies(dossier), du6);
        QCOMPARE(Message::textesAffiches(),
                 QStringList{"La base semble endommagée : aucune copie du jour n'a été faite, les copies "
                             "précédentes sont conservées."});
        Message::setAutoAnswer(false);
    }

    // Five weeks of start-ups, weekends off until February and the Monday of the third week missed:
    // the last seven days with a copy stay, and the first copy of each of the last four weeks.
    void rotationDesCopiesQuotidiennes() {
        m_base->sqlite("INSERT INTO Client (Nom) VALUES ('Dupont')");
        QObject parent;
        QDir().mkpath(m_base->dossier() + "/sauvegardes");
        QVERIFY(ecrire(m_base->dossier() + "/sauvegardes/notes.txt", {}));
        for (QDate jour(2025, 1, 6); jour <= QDate(2025, 2, 5); jour = jour.addDays(1)) {
            if ((jour.dayOfWeek() > 5 && jour < QDate(2025, 2, 1)) || jour == QDate(2025, 1, 20))
                continue;
            copieDuJour(m_base->fichier(), QDateTime(jour, QTime(9, 0)));
            Horloge::fixer(QDateTime(jour, QTime(17, 0)));
            QVERIFY(!SauvegardeQuotidienne::lancer(m_base->fichier(), &parent));
        }
        QStringList attendues;
        for (const char* jour : {"2025-01-13", "2025-01-21", "2025-01-27", "2025-01-30", "2025-01-31",
                                 "2025-02-01", "2025-02-02", "2025-02-03", "2025-02-04", "2025-02-05"})
            attendues << QStringLiteral("Brevanta-%1-090000.mdb").arg(jour);
        QCOMPARE(copies(m_base->dossier()), attendues << "notes.txt");
        QCOMPARE(outil({"check", "sauvegardes/" + attendues[0]}).code, 0);
        QCOMPARE(nombreClients(m_base->dossier() + "/sauvegardes/" + attendues[0]), 1);
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
            QVERIFY(importe("clients", octets, !message.isEmpty(), message));
            QCOMPARE(nombreClients(m_base->fichier()), message.isEmpty() ? 1 : 0);
        }
    }

    // Each file brevanta-db writes: never through a link planted in its place (link and target stay), else
    // put in place whole with the base's permissions; calendar and cards drop stored control characters.
    void fichiersEcrits() {
        m_base->sqlite("INSERT INTO Client (Nom) VALUES ('Dupont' || char(7))");
        m_base->sqlite(
            "INSERT INTO Interlocuteur (Nom, Client, Prenom, Fonction) VALUES ('Jean', 'Dupont' || "
            "char(7), 'Pi' || char(0) || 'erre', 'Achats' || char(27) || '[31m' || char(127))");
        m_base->sqlite(
            "INSERT INTO RDV (Client, Interlocuteur, Commentaire, DatePrevue, Fait) VALUES ('Dupont' || "
            "char(7), 'Jean', 'a' || char(1) || 'b' || char(9) || 'c' || char(13) || char(10) || 'd', "
            "'2099-01-05 10:00:00', 0)");
        const QDir d(m_base->dossier());
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
                QVERIFY(dit(arguments, 0));
                fichier = "cartes/" + QDir(d.filePath("cartes")).entryList(QDir::Files).value(0);
                QVERIFY(QFile::remove(d.filePath(fichier)));
            }
            QVERIFY(QFile::link(d.filePath("précieux"), d.filePath(fichier)));
            const QStringList avant = fichiersSous(d.path(), tout);
            QVERIFY(dit(arguments, 1, fichier + " est un lien symbolique"));
            QCOMPARE(fichiersSous(d.path(), tout), avant);
            QVERIFY(QFileInfo(d.filePath(fichier)).isSymLink());
            QCOMPARE(contenu(d.filePath("précieux")), QByteArray("à garder"));
            QVERIFY(QFile::remove(d.filePath(fichier)));
            for (const mode_t droits : {0600, 0640}) {
                QVERIFY(::chmod(QFile::encodeName(m_base->fichier()).constData(), droits) == 0);
                QVERIFY(dit(arguments, 0));
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

    // Out and back into an empty base: the same rows to the minute, no text a spreadsheet evaluates. Into its
    // own base nothing is added: $B names match their apostrophe, follow-ups client, contact, minute, text.
    void allerRetour() {
        demo();
        // Stored as the windows store what was typed.
        const QString client = lit(FormatSql(ClientHostile));
        m_base->sqlite(QString("insert into Client (Nom, Adresse1, Commentaire) values (%1, %2, %3)")
                           .arg(client, lit("12, rue $Bdu$B Port"), lit("Ligne 1\nLigne 2 ; « x » \"y\"")));
        m_base->sqlite(QString("insert into Interlocuteur (Nom, Client, Prenom, ContactPrincipal, Technique, "
                               "Financier, Temperature) values ('O$BBrien', %1, 'Zoë', 1, 0, 1, 3)")
                           .arg(client));
        m_base->sqlite(QString("insert into Actions (Client, Interlocuteur, Commentaire, DatePrevue, Fait, "
                               "DateSaisie) values (%1, 'O$BBrien', %2, '2025-03-05 14:30:45', -1, "
                               "'2025-03-01 00:00:00')")
                           .arg(client, lit(FormatSql(CommentaireHostile))));
        QCOMPARE(outil({"export", "Brevanta.mdb", "un"}).code, 0);
        const QString clients = QString::fromUtf8(contenu(chemin("un/clients.csv")));
        QVERIFY(clients.startsWith("\uFEFFNom;Adresse1;Adresse2;CP;Tel;Fax;web;Ville;Commentaire\r\n"));
        QVERIFY(clients.contains("\"Café 'L'Étoile'; Nord 🚀\";\"12, rue $Bdu$B Port\";;;;;;;\"Ligne 1\nLigne "
                                 "2 ; « x » \"\"y\"\"\"\r\n"));
        QVERIFY(contenu(chemin("un/actions.csv")).contains(";05/03/2025 14:30;oui;01/03/2025\r\n"));
        memeExport("un/%1.csv", {"clients", "interlocuteurs", "actions"});
        const QString vide = chemin("vide.mdb");
        QCOMPARE(DecodeSql(lignesFichier(vide, "select Commentaire, DatePrevue, Fait from Actions where "
                                               "Commentaire like '%😀'")
                               .join('\n')),
                 DecodeSql(FormatSql(CommentaireHostile)) + "|2025-03-05 14:30:00|-1");
        QCOMPARE(lignesFichier(vide, "select Prenom, Financier, Temperature from Interlocuteur where Nom = "
                                     "'O''Brien' and Client like 'Café%'"),
                 QStringList{"Zoë|1|3"});
        m_base->sqlite("insert into Client (Nom) values ('Fromagerie $BLa Cave$B')");
        m_base->sqlite(
            "insert into Interlocuteur (Nom, Client) values ('O$BBrien', 'Fromagerie $BLa Cave$B')");
        m_base->sqlite("insert into Actions (Client, Interlocuteur, Commentaire, DatePrevue, Fait) values "
                       "('Fromagerie $BLa Cave$B', 'O$BBrien', 'Livrer $Bvite$B', '2025-03-05 14:30:45', 0)");
        // Name and phone stored, then as written; a tab before each address line.
        const QList<std::array<QString, 4>> formules{
            {"=1+1", "+33 6 12 34 56 78", "'=1+1", "+33 6 12 34 56 78"},
            {"=HYPERLINK(\"http://x\"&A1;\"cliquez\")", "-1", "\"'=HYPERLINK('http://x'&A1;'cliquez')\"",
             "-1"},
            {"@SOMME(A1)", "=2", "'@SOMME(A1)", "'=2"},
            {"+1+cmd", "+33 (0)6.12/34-56", "'+1+cmd", "+33 (0)6.12/34-56"},
            {"-2*3", "+ 1a", "'-2*3", "'+ 1a"},
            {"-", "", "-", ""},
            {"'=1", "", "''=1", ""},
            {"'Le Fournil'", "", "'Le Fournil'", ""},
            {"Dupont, fils", "", "\"Dupont, fils\"", ""},
            {"a=b", "", "a=b", ""},
        };
        for (const auto& c : formules)
            m_base->sqlite(QString("insert into Client (Nom, Adresse1, Tel) values (%1, %2, %3)")
                               .arg(lit(FormatSql(c[0])), lit("\tx"), lit(c[1])));
        QCOMPARE(outil({"export", "Brevanta.mdb", "formules"}).code, 0);
        const QString ecrites = QString::fromUtf8(contenu(chemin("formules/clients.csv")));
        for (const auto& c : formules) {
            const QString ligne = "\r\n" + c[2] + ";'\tx;;;" + c[3] + ";";
            QVERIFY2(ecrites.contains(ligne), qPrintable(ligne + "\n" + ecrites));
        }
        QCOMPARE(outil({"import", "vide.mdb", "clients", "formules/clients.csv"}).code, 0);
        const QString noms = "select replace(Nom, '$B', ''''), Tel from Client order by Nom";
        QCOMPARE(lignesFichier(vide, noms), lues(noms));
        for (const auto& [genre, table, motif] :
             {std::array<QString, 3>{"clients", "Client", "client déjà présent : "},
              {"interlocuteurs", "Interlocuteur", "interlocuteur déjà présent : "},
              {"actions", "Actions", "action déjà présente : "},
              {"rendez-vous", "RDV", "rendez-vous déjà présent : "}}) {
            const QString avant = lu("select count(*) from " + table);
            QVERIFY(avant.toInt() > (table == "Client" ? 10 : 0));
            const Resultat r = outil({"import", "Brevanta.mdb", genre, "formules/" + genre + ".csv"});
            QVERIFY2(r.code == 0 &&
                         r.sortie.contains(QString("0 ligne(s) importée(s) dans %1, ignorée(s) : %2%3")
                                               .arg(table, motif, avant)),
                     qPrintable(r.sortie + r.erreurs));
            QCOMPARE(lu("select count(*) from " + table), avant);
        }
        const int actions = lu("select count(*) from Actions").toInt();
        // Typed as a person types it, with double quotes; a blank row; another comment is another action.
        ecrire(chemin("actions.csv"), "Client;Interlocuteur;Commentaire;DatePrevue\n"
                                      "Fromagerie \"La Cave\";O\"Brien;Livrer 'vite';05/03/2025 14:30\n"
                                      ";;;\n"
                                      "Fromagerie 'La Cave';O'Brien;Livrer demain;05/03/2025 14:30\n");
        const Resultat r = outil({"import", "Brevanta.mdb", "actions", "actions.csv"});
        QVERIFY2(
            r.sortie.contains("1 ligne(s) importée(s) dans Actions, ignorée(s) : action déjà présente : 1, "
                              "ligne vide : 1") &&
                r.erreurs.contains("Ligne 2 : l'action du 05/03/2025 14:30 avec « O'Brien » chez "
                                   "« Fromagerie 'La Cave' » existe déjà, ligne ignorée."),
            qPrintable(r.sortie + r.erreurs));
        QCOMPARE(lu("select count(*) from Actions"), QString::number(actions + 1));
    }

    // A French spreadsheet's files (usual headers, short years, days alone, blank rows, words for boxes and
    // temperatures, UTF-8 or Windows-1252); an unknown header refuses the file, a bad row the whole file.
    void fichierDeTableur() {
        QVERIFY(importe("clients", "Nom;Code postal;Téléphone;Ville;Site web\r\n"
                                   "Garage Martin;06000;+33 4 93 00 00 00;Nice;\r\n"
                                   ";;;;\r\n"
                                   "Garage Durand;1000;33612345678;Belley;\r\n"
                                   "Garage Petit;75001;612345678;Paris;\r\n"));
        QVERIFY(importe("interlocuteurs",
                        "Nom;Société;Prénom;Tél.;Mobile;Courriel;Principal;Température;Remarques\r\n"
                        "Durand;Garage Martin;Zoé;04 93;06 12;z@x.fr;oui;Tiède;vu au salon\r\n"));
        QVERIFY(importe("actions", "Client;Contact;Commentaire;Date;Fait;Saisie le\r\n"
                                   "Garage Martin;Durand;Appeler;30/11/26;non;01/12/69 9:05\r\n"
                                   ";;;;;\r\n"
                                   "Garage Martin;Durand;Relancer;5/3/70 14:30;Fait;\r\n"));
        // A spreadsheet's number loses its leading zero or +; the import gives it back.
        QCOMPARE(
            lues("select Nom, CP, Tel, Ville from Client order by Nom") +
                lues("select Client, Prenom, Tel, Portable, email, ContactPrincipal, Temperature, "
                     "Commentaire from Interlocuteur") +
                lues("select Commentaire, DatePrevue, Fait, DateSaisie from Actions order by Commentaire"),
            (QStringList{
                "Garage Durand|01000|+33612345678|Belley", "Garage Martin|06000|+33 4 93 00 00 00|Nice",
                "Garage Petit|75001|0612345678|Paris", "Garage Martin|Zoé|04 93|06 12|z@x.fr|1|3|vu au salon",
                "Appeler|2026-11-30 00:00:00|0|2069-12-01 09:05:00",
                "Relancer|1970-03-05 14:30:00|-1|" + QDate::currentDate().toString("yyyy-MM-dd 00:00:00")}));
        QVERIFY(importe("clients", "Nom;Humeur;CP\r\nDupont;bonne;75001\r\n", 1,
                        "Colonne(s) inconnue(s) : Humeur. Noms acceptés : Nom, Adresse1, Adresse, "));
        QVERIFY(dit({"import", "Brevanta.mdb", "clients", "clients.csv", "--ignorer-colonnes"}, 0,
                    "Colonne inconnue, ignorée : Humeur"));
        QCOMPARE(lu("select CP from Client where Nom = 'Dupont'"), "75001");
        // Saved the old Windows way, commas between fields, dates typed short.
        QVERIFY(importe("interlocuteurs",
                        "NOM,Pr\xe9nom,CLIENT,E-mail,Humeur\r\n"
                        "\" Lef\xe8vre \"\"fils\"\"\",Zo\xe9,Garage Martin,z@x.fr,\"a, b\"\r\n",
                        0, "Colonne inconnue, ignorée : Humeur", {"--ignorer-colonnes"}));
        QVERIFY(importe("actions",
                        "Client,Interlocuteur,Commentaire,Date pr\xe9vue,Fait\r\n"
                        "Garage Martin,\"Lef\xe8vre \"\"fils\"\"\",\"R\xe9union \xab \x9cuvre \xbb "
                        "\x80\",5/3/2025 9:05,oui\r\n"));
        QCOMPARE(
            lues("select Nom, Prenom, email from Interlocuteur where Nom like 'Lef%'") +
                lues("select Commentaire, DatePrevue, Fait from Actions where Interlocuteur like 'Lef%'"),
            (QStringList{"Lefèvre $Bfils$B|Zoé|z@x.fr", "Réunion « œuvre » €|2025-03-05 09:05:00|-1"}));
        // Rows are named by the line they start on; Dupont is a client already.
        QVERIFY(importe(
            "interlocuteurs",
            "Nom;Client;Commentaire\nDurand;Dupont;\"sur\ndeux lignes\"\nMartin;Inconnu;\n;Dupont;\n", 1,
            "Ligne 4 : le client « Inconnu » n'existe pas.\nLigne 5 : nom manquant.\n"
            "Rien n'a été importé : 2 ligne(s) refusée(s)."));
        QCOMPARE(lu("select count(*) from Interlocuteur where Client = 'Dupont'"), "0");
        QVERIFY(importe("actions",
                        "Client;Interlocuteur;Commentaire;DatePrevue\nDupont;Durand;Appeler;31/02/2025\n", 1,
                        "Ligne 2 : « 31/02/2025 » n'est pas une date (JJ/MM/AAAA HH:MM) ; l'interlocuteur "
                        "« Durand » n'existe pas chez le client « Dupont »."));
        // An existing client is told and skipped, never doubled, and the import goes on.
        QVERIFY(
            importe("clients", "Nom\nDupont\n  Durand  \n", 0, "Ligne 2 : le client « Dupont » existe déjà"));
        QCOMPARE(lues("select Nom from Client where Nom like 'D%' order by Nom").join(','), "Dupont,Durand");
    }

    // An export saved again by a French LibreOffice, as CSV or workbook, adds nothing back and gives the
    // same export from an empty base: no formula evaluated, no leading zero lost.
    void tableurLibreOffice() {
        const QString soffice = QStandardPaths::findExecutable("soffice");
        if (soffice.isEmpty())
            QSKIP("LibreOffice absent : apt-get install libreoffice-calc-nogui.");
        demo();
        m_base->sqlite("insert into Client (Nom, CP, Tel, Fax) values ('=1+1', '06000', '0612345678', "
                       "'+33612345678'), ('=HYPERLINK($Bhttp://x$B&A1;$Bcliquez$B)', '01000', '', ''), "
                       "('@SOMME(A1)', '', '-2', ''), ('Dupont, fils', '', '', '')");
        m_base->sqlite(
            "insert into Interlocuteur (Nom, Client, Portable, ContactPrincipal, Technique, Financier, "
            "Temperature) values ('+1+cmd', '=1+1', '0712345678', 1, 0, 0, 2)");
        QCOMPARE(outil({"export", "Brevanta.mdb", "un"}).code, 0);
        // The name alone asks for a workbook.
        QCOMPARE(outil({"export", "Brevanta.mdb", "classeur.xlsx"}).code, 0);
        // French LibreOffice: CSV in and out with ";" in UTF-8, each sheet to its own file, cells as shown.
        const QString filtre = "Text - txt - csv (StarCalc):59,34,76,1,,1036";
        const auto convertir = [&](const QString& dossier, const QStringList& entree) {
            return lancer("env",
                          QStringList{"LC_ALL=fr_FR.UTF-8", "LANG=fr_FR.UTF-8", soffice,
                                      "-env:UserInstallation=file://" + chemin("profil"), "--headless",
                                      "--convert-to", "csv:" + filtre + ",false,false,true,false,false,-1",
                                      "--outdir", chemin(dossier)} +
                              entree,
                          180000);
        };
        QStringList fichiers{"--infilter=" + filtre};
        for (const QString& g : Genres)
            fichiers << chemin("un/" + g + ".csv");
        QVERIFY(convertir("lo", fichiers).code == 0 && convertir("lox", {chemin("classeur.xlsx")}).code == 0);
        // The cells show text, not results; the spreadsheet took the numbers' leading zeros off.
        const QByteArray clients = contenu(chemin("lo/clients-clients.csv"));
        QVERIFY2(clients.contains("\n'=1+1;;;6000;612345678;33612345678;") &&
                     clients.contains("\n\"'=HYPERLINK('http://x'&A1;'cliquez')\";") &&
                     clients.contains("\n'@SOMME(A1);"),
                 clients.constData());
        const QByteArray feuille = contenu(chemin("lox/classeur-clients.csv"));
        QVERIFY2(feuille.contains("\n=1+1;;;06000;0612345678;+33612345678;") &&
                     feuille.contains("\n\"=HYPERLINK('http://x'&A1;'cliquez')\";;;01000;"),
                 feuille.constData());
        for (const QString& g : Genres) {
            const Resultat r = outil({"import", "Brevanta.mdb", g, "lo/" + g + "-" + g + ".csv"});
            QVERIFY2(r.code == 0 && r.sortie.startsWith("0 ligne(s) importée(s)"),
                     qPrintable(r.sortie + r.erreurs));
        }
        for (const char* source : {"lo/%1-%1.csv", "lox/classeur-%1.csv"})
            memeExport(source, Genres);
    }

    // The databases of the speed measurements: the volumes asked, rows like a user's, the same
    // rows for the same request; the demo's, what the windows show, this week's to do among them.
    void benchEtDemoVraisemblables() {
        sansBase();
        QTemporaryDir autre;
        const QStringList arguments{"bench",     "Brevanta.mdb", "--scale",        "big",
                                    "--clients", "60",           "--contacts",     "200",
                                    "--actions", "1200",         "--appointments", "400"};
        QVERIFY(dit(arguments, 0) && dit({"check", "Brevanta.mdb"}, 0));
        Connection c;
        c.open(m_base->fichier());
        QCOMPARE(QList<int>({compter(c, "Client"), compter(c, "Interlocuteur"), compter(c, "Actions"),
                             compter(c, "RDV")}),
                 QList<int>({60, 200, 1200, 400}));
        coherentes(c);
        const QDate jour = Horloge::aujourdhui();
        for (const QString table : {"Actions", "RDV"}) {
            const int n = compter(c, table);
            // A third to do, a third at a time of day, over seven years around today.
            QVERIFY(qAbs(3 * compter(c, table + " where Fait=0") - n) < n / 8);
            QVERIFY(qAbs(3 * compter(c, table + " where DatePrevue not like \"% 00:00:00\"") - n) < n / 8);
            const auto date = [&](const char* f) {
                return QDate::fromString(valeur(c, f + QString("(DatePrevue)"), table).left(10), Qt::ISODate);
            };
            const QDate premier = date("min"), dernier = date("max");
            QVERIFY(premier.daysTo(dernier) > 6 * 365 && premier.daysTo(dernier) <= 7 * 366);
            QVERIFY(premier < jour.addYears(-4) && dernier > jour.addYears(1));
            QCOMPARE(compter(c, table + " where DateSaisie > DatePrevue or DateSaisie > now()"), 0);
        }
        // French names, a double quote stored as $B.
        QVERIFY(compter(c, "Interlocuteur where Nom like \"%é%\" or Nom like \"%è%\"") > 0);
        QVERIFY(compter(c, "Actions where Commentaire like \"%$B%\"") > 0);
        QCOMPARE(lancerOutil(autre.path(), arguments).code, 0);
        QVERIFY(contenu(autre.filePath("Brevanta.mdb")) == contenu(m_base->fichier()));
        QVERIFY(dit({"demo", "demo.mdb"}, 0) && dit({"check", "demo.mdb"}, 0));
        Connection d;
        d.open(chemin("demo.mdb"));
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
            init();
            sansBase();
            if (degat == "octets" || degat == "vide") {
                QVERIFY(ecrire(m_base->fichier(), QByteArray(degat == "octets" ? 8192 : 0, 'x')));
            } else {
                QCOMPARE(outil({"demo", "Brevanta.mdb"}).code, 0);
                QByteArray octets = contenu(m_base->fichier());
                if (degat == "tronque")
                    QVERIFY(ecrire(m_base->fichier(), octets.left(octets.size() / 3)));
                else if (degat == "ecrase")
                    QVERIFY(abimer(m_base->fichier(), 4096, 64, '\xa5'));
                else
                    for (const QString& sql : degat.split('|'))
                        lignesFichier(m_base->fichier(), sql);
            }
            const QByteArray avant = contenu(m_base->fichier());
            QVERIFY2(dit({"check", "Brevanta.mdb"}, 1, signale), qPrintable(nom));
            QCOMPARE(contenu(m_base->fichier()), avant);
            QCOMPARE(outil({"init", "autre.mdb"}).code, 0);
            const QByteArray autre = contenu(chemin("autre.mdb"));
            QVERIFY2(dit({"restore", "Brevanta.mdb", "autre.mdb"}, 1, signale), qPrintable(nom));
            QCOMPARE(contenu(chemin("autre.mdb")), autre);
            QVERIFY2(dit({"copy", "Brevanta.mdb", "copie.mdb"}, 1, signale), qPrintable(nom));
            QVERIFY(!QFileInfo::exists(chemin("copie.mdb")));
        }
    }

    // Another program's triggers go only once the person agrees; Brevanta's own stay. A save killed midway
    // leaves its journal, which check rolls back as any opening does: the file is as before that save.
    void repairEtCoupure() {
        demo();
        m_base->sqlite("CREATE TRIGGER \"Pi\"\"ege\" AFTER UPDATE ON Client BEGIN DELETE FROM Actions; END");
        const QByteArray avant = contenu(m_base->fichier());
        QVERIFY(dit({"check", "Brevanta.mdb", "--repair"}, 1, "Rien n'a été supprimé"));
        QCOMPARE(contenu(m_base->fichier()), avant);
        const Resultat r = outil({"check", "Brevanta.mdb", "--repair", "--oui"});
        QVERIFY2(r.code == 0 && r.sortie.contains("Déclencheurs supprimés : Pi\"ege"), qPrintable(r.erreurs));
        const QByteArray chemin = QFile::encodeName(m_base->fichier());
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
        QVERIFY(QFileInfo(m_base->fichier() + "-journal").size() > 0);
        QVERIFY(dit({"check", "Brevanta.mdb"}, 0));
        QCOMPARE(lues("SELECT count(*) FROM Actions WHERE length(Commentaire) >= 10000"), QStringList{"0"});
        QVERIFY_THROWS_NO_EXCEPTION(Connection().open(m_base->fichier()));
    }

    // Nothing is written, whatever the mistake, not even over a file that is no database; nor left
    // behind by a disk that fills up during the creation. Then a base made right.
    void refusPuisInit() {
        sansBase();
        const QByteArray precieux("des données à garder");
        QVERIFY(ecrire(chemin("garde.mdb"), precieux));
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
            QVERIFY2(QDir(m_base->dossier()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries) ==
                         QStringList{"garde.mdb"},
                     qPrintable(arguments.join(' ')));
        }
        QCOMPARE(contenu(chemin("garde.mdb")), precieux);
        QCOMPARE(lancerOutil(m_base->dossier(), {"demo", "Brevanta.mdb"}, 40 * 512).code, 1);
        QCOMPARE(QDir(m_base->dossier()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList{"garde.mdb"});
        // init's base opens empty; one from before the search index passes check too: the program adds it.
        QVERIFY(dit({"init", "Brevanta.mdb"}, 0) && dit({"check", "Brevanta.mdb"}, 0));
        Connection c;
        c.open(m_base->fichier());
        for (const QString& table : Schema::tables())
            QCOMPARE(compter(c, table), 0);
        for (const QString& sql : IndexRechercheSqlite::instructionsSuppression())
            QVERIFY(QSqlQuery(c.base()).exec(sql));
        QVERIFY(dit({"check", "Brevanta.mdb"}, 0));
    }
};

QTEST_MAIN(TestFichiers)
#include "testfichiers.moc"

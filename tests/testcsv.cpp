// Spreadsheet files in and out: brevanta-db export and import.
#include "core/bd/formatsql.h"
#include "support/basetest.h"
#include "support/outil.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

// What the person typed, with a double quote, a semicolon, line breaks, accents and emoji.
const QString ClientHostile = "Café \"L'Étoile\"; Nord 🚀";
const QString CommentaireHostile = "Rappeler \"vite\" ; puis écrire\r\nà l'équipe, « merci » 😀";
const QStringList Genres{"clients", "interlocuteurs", "actions", "rendez-vous"};

// An SQLite text literal.
static QString lit(QString v) {
    return "'" + v.replace("'", "''") + "'";
}

class TestCsv : public QObject {
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
    // The demo base in place of the empty one.
    void demo() const {
        QVERIFY(QFile::remove(m_base->fichier()));
        QCOMPARE(outil({"demo", "Brevanta.mdb"}).code, 0);
    }

private slots:
    void init() { m_base = std::make_unique<BaseTest>(); }

    // Out and back into an empty base: the same rows, to the minute, no text a spreadsheet would evaluate.
    // Into its own base: nothing added, names with $B found by the apostrophe they show, actions and
    // appointments by client, contact, minute and comment.
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
        QVERIFY(clients.contains("\"Café 'L'Étoile'; Nord 🚀\";\"12, rue $Bdu$B Port\";"));
        QVERIFY(clients.contains(";\"Ligne 1\nLigne 2 ; « x » \"\"y\"\"\"\r\n"));
        QVERIFY(contenu(chemin("un/actions.csv")).contains(";05/03/2025 14:30;oui;01/03/2025\r\n"));
        memeExport("un/%1.csv", {"clients", "interlocuteurs", "actions"});
        const QString vide = chemin("vide.mdb");
        QCOMPARE(DecodeSql(lignesFichier(vide, "select Commentaire from Actions where Fait = -1 and "
                                               "Commentaire like '%😀'")
                               .value(0)),
                 DecodeSql(FormatSql(CommentaireHostile)));
        QCOMPARE(lignesFichier(vide, "select DatePrevue from Actions where Commentaire like '%😀'"),
                 QStringList{"2025-03-05 14:30:00"});
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

    // A French spreadsheet's files (usual headers, short years, days alone, blank rows, words for boxes
    // and temperatures, UTF-8 or Windows-1252); a header still unknown refuses the file, a bad row
    // the whole file.
    void fichierDeTableur() {
        ecrire(chemin("clients.csv"), "Nom;Code postal;Téléphone;Ville;Site web\r\n"
                                      "Garage Martin;06000;+33 4 93 00 00 00;Nice;\r\n"
                                      ";;;;\r\n"
                                      "Garage Durand;1000;33612345678;Belley;\r\n"
                                      "Garage Petit;75001;612345678;Paris;\r\n");
        ecrire(chemin("contacts.csv"),
               "Nom;Société;Prénom;Tél.;Mobile;Courriel;Principal;Température;Remarques\r\n"
               "Durand;Garage Martin;Zoé;04 93;06 12;z@x.fr;oui;Tiède;vu au salon\r\n");
        ecrire(chemin("actions.csv"), "Client;Contact;Commentaire;Date;Fait;Saisie le\r\n"
                                      "Garage Martin;Durand;Appeler;30/11/26;non;01/12/69 9:05\r\n"
                                      ";;;;;\r\n"
                                      "Garage Martin;Durand;Relancer;5/3/70 14:30;Fait;\r\n");
        for (const QStringList& import : {QStringList{"clients", "clients.csv"},
                                          {"interlocuteurs", "contacts.csv"},
                                          {"actions", "actions.csv"}})
            QVERIFY(dit(QStringList{"import", "Brevanta.mdb"} + import, 0));
        // A spreadsheet's number loses its leading zero or +; the import gives it back.
        QCOMPARE(lues("select Nom, CP, Tel, Ville from Client order by Nom"),
                 (QStringList{"Garage Durand|01000|+33612345678|Belley",
                              "Garage Martin|06000|+33 4 93 00 00 00|Nice",
                              "Garage Petit|75001|0612345678|Paris"}));
        QCOMPARE(lu("select Client, Prenom, Tel, Portable, email, ContactPrincipal, "
                    "Temperature, Commentaire from Interlocuteur"),
                 "Garage Martin|Zoé|04 93|06 12|z@x.fr|1|3|vu au salon");
        QCOMPARE(lues("select Commentaire, DatePrevue, Fait, DateSaisie from Actions "
                      "order by Commentaire"),
                 (QStringList{"Appeler|2026-11-30 00:00:00|0|2069-12-01 09:05:00",
                              "Relancer|1970-03-05 14:30:00|-1|" +
                                  QDate::currentDate().toString("yyyy-MM-dd 00:00:00")}));
        ecrire(chemin("autres.csv"), "Nom;Humeur;CP\r\nDupont;bonne;75001\r\n");
        QVERIFY(dit({"import", "Brevanta.mdb", "clients", "autres.csv"}, 1,
                    "Colonne(s) inconnue(s) : Humeur. Noms acceptés : Nom, Adresse1, Adresse, "));
        QVERIFY(dit({"import", "Brevanta.mdb", "clients", "autres.csv", "--ignorer-colonnes"}, 0,
                    "Colonne inconnue, ignorée : Humeur"));
        QCOMPARE(lu("select CP from Client where Nom = 'Dupont'"), "75001");
        // Saved the old Windows way, commas between fields, dates typed short.
        ecrire(chemin("contacts.csv"),
               QByteArray("NOM,Pr\xe9nom,CLIENT,E-mail,Humeur\r\n"
                          "\" Lef\xe8vre \"\"fils\"\"\",Zo\xe9,Garage Martin,z@x.fr,\"a, b\"\r\n"));
        ecrire(chemin("actions.csv"),
               QByteArray("Client,Interlocuteur,Commentaire,Date pr\xe9vue,Fait\r\n"
                          "Garage Martin,\"Lef\xe8vre \"\"fils\"\"\",\"R\xe9union \xab \x9cuvre \xbb "
                          "\x80\",5/3/2025 9:05,oui\r\n"));
        QVERIFY(dit({"import", "Brevanta.mdb", "interlocuteurs", "contacts.csv", "--ignorer-colonnes"}, 0,
                    "Colonne inconnue, ignorée : Humeur"));
        QCOMPARE(outil({"import", "Brevanta.mdb", "actions", "actions.csv"}).code, 0);
        QCOMPARE(lu("select Nom, Prenom, email from Interlocuteur where Nom like 'Lef%'"),
                 "Lefèvre $Bfils$B|Zoé|z@x.fr");
        QCOMPARE(lu("select Commentaire, DatePrevue, Fait from Actions where Interlocuteur like 'Lef%'"),
                 "Réunion « œuvre » €|2025-03-05 09:05:00|-1");
        // Rows are named by the line they start on; Dupont is a client already.
        ecrire(chemin("contacts.csv"), "Nom;Client;Commentaire\n"
                                       "Durand;Dupont;\"sur\ndeux lignes\"\n"
                                       "Martin;Inconnu;\n"
                                       ";Dupont;\n");
        Resultat r = outil({"import", "Brevanta.mdb", "interlocuteurs", "contacts.csv"});
        QVERIFY2(r.code == 1 && r.erreurs.contains("Ligne 4 : le client « Inconnu » n'existe pas.") &&
                     r.erreurs.contains("Ligne 5 : nom manquant.") && !r.erreurs.contains("Ligne 2"),
                 qPrintable(r.erreurs));
        QCOMPARE(lu("select count(*) from Interlocuteur where Client = 'Dupont'"), "0");
        ecrire(chemin("actions.csv"), "Client;Interlocuteur;Commentaire;DatePrevue\n"
                                      "Dupont;Durand;Appeler;31/02/2025\n");
        r = outil({"import", "Brevanta.mdb", "actions", "actions.csv"});
        QVERIFY2(r.code == 1 && r.erreurs.contains("Ligne 2 : « 31/02/2025 » n'est pas une date") &&
                     r.erreurs.contains("l'interlocuteur « Durand » n'existe pas chez le client « Dupont »"),
                 qPrintable(r.erreurs));
        // An existing client is told and skipped, never doubled, and the import goes on.
        ecrire(chemin("clients.csv"), "Nom\nDupont\n  Durand  \n");
        QVERIFY(dit({"import", "Brevanta.mdb", "clients", "clients.csv"}, 0,
                    "Ligne 2 : le client « Dupont » existe déjà"));
        QCOMPARE(lues("select Nom from Client where Nom like 'D%' order by Nom"),
                 (QStringList{"Dupont", "Durand"}));
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
        // LibreOffice in French: CSV read and written with ";" and UTF-8, every sheet of the workbook
        // to its own file, cells as shown.
        const QString filtre = "Text - txt - csv (StarCalc)";
        const auto convertir = [&](const QString& dossier, const QStringList& fichiers,
                                   const QStringList& lecture) {
            QProcess p;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            for (const char* variable : {"LC_ALL", "LANG"})
                env.insert(variable, "fr_FR.UTF-8");
            p.setProcessEnvironment(env);
            p.start(soffice,
                    QStringList{"-env:UserInstallation=file://" + chemin("profil"), "--headless"} + lecture +
                        QStringList{"--convert-to",
                                    "csv:" + filtre + ":59,34,76,1,,1036,false,false,true,false,false,-1",
                                    "--outdir", chemin("") + dossier} +
                        fichiers);
            return p.waitForFinished(180000) && p.exitCode() == 0;
        };
        QStringList fichiers;
        for (const QString& g : Genres)
            fichiers << chemin("un/" + g + ".csv");
        QVERIFY(convertir("lo", fichiers, {"--infilter=" + filtre + ":59,34,76,1,,1036"}));
        QVERIFY(convertir("lox", {chemin("classeur.xlsx")}, {}));
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
};

QTEST_GUILESS_MAIN(TestCsv)
#include "testcsv.moc"

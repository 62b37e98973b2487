// Spreadsheet files in and out: brevanta-db export and import.
#include "core/bd/formatsql.h"
#include "support/basetest.h"
#include "support/outil.h"

#include <QtTest>

// What the person typed, with a double quote, a semicolon, line breaks, accents and emoji.
const QString ClientHostile = QStringLiteral("Café \"L'Étoile\"; Nord 🚀");
const QString CommentaireHostile =
    QStringLiteral("Rappeler \"vite\" ; puis écrire\r\nà l'équipe, « merci » 😀");

static QString valeur(const QString& fichier, const QString& sql) {
    return lignesFichier(fichier, sql).value(0);
}

// An SQLite text literal.
static QString lit(QString v) {
    return "'" + v.replace("'", "''") + "'";
}

class TestCsv : public QObject {
    Q_OBJECT

private slots:
    // Out of a base and into an empty one: the windows show the same rows, to the minute.
    void allerRetour() {
        BaseTest base;
        QCOMPARE(QFile::remove(base.fichier()), true);
        QCOMPARE(lancerOutil(base.dossier(), {"demo", "Brevanta.mdb"}).code, 0);
        // Stored as the windows store what was typed.
        const QString client = lit(FormatSql(ClientHostile));
        base.sqlite(QStringLiteral("insert into Client (Nom, Adresse1, Commentaire) values (%1, %2, %3)")
                        .arg(client, lit("12, rue $Bdu$B Port"), lit("Ligne 1\nLigne 2 ; « x » \"y\"")));
        base.sqlite(
            QStringLiteral("insert into Interlocuteur (Nom, Client, Prenom, ContactPrincipal, Technique, "
                           "Financier, Temperature) values ('O$BBrien', %1, 'Zoë', 1, 0, 1, 3)")
                .arg(client));
        base.sqlite(
            QStringLiteral("insert into Actions (Client, Interlocuteur, Commentaire, DatePrevue, Fait, "
                           "DateSaisie) values (%1, 'O$BBrien', %2, '2025-03-05 14:30:45', -1, "
                           "'2025-03-01 00:00:00')")
                .arg(client, lit(FormatSql(CommentaireHostile))));
        QCOMPARE(lancerOutil(base.dossier(), {"export", "Brevanta.mdb", "un"}).code, 0);
        const QByteArray clients = contenu(base.dossier() + "/un/clients.csv");
        QVERIFY(clients.startsWith("\xEF\xBB\xBFNom;Adresse1;Adresse2;CP;Tel;Fax;web;Ville;Commentaire\r\n"));
        QVERIFY(clients.contains("\"Café 'L'Étoile'; Nord 🚀\";12, rue $Bdu$B Port;"));
        QVERIFY(clients.contains(";\"Ligne 1\nLigne 2 ; « x » \"\"y\"\"\"\r\n"));
        QVERIFY(contenu(base.dossier() + "/un/actions.csv")
                    .contains(";05/03/2025 14:30;-1;01/03/2025 00:00\r\n"));
        QCOMPARE(lancerOutil(base.dossier(), {"init", "vide.mdb"}).code, 0);
        for (const char* genre : {"clients", "interlocuteurs", "actions"}) {
            const Resultat r = lancerOutil(
                base.dossier(), {"import", "vide.mdb", genre, QStringLiteral("un/%1.csv").arg(genre)});
            QVERIFY2(r.code == 0 && r.erreurs.isEmpty(), qPrintable(r.erreurs));
        }
        QCOMPARE(lancerOutil(base.dossier(), {"export", "vide.mdb", "deux"}).code, 0);
        for (const char* csv : {"clients.csv", "interlocuteurs.csv", "actions.csv"})
            QCOMPARE(contenu(base.dossier() + "/deux/" + csv), contenu(base.dossier() + "/un/" + csv));
        const QString vide = base.dossier() + "/vide.mdb";
        QCOMPARE(DecodeSql(valeur(
                     vide, "select Commentaire from Actions where Fait = -1 and Commentaire like '%😀'")),
                 DecodeSql(FormatSql(CommentaireHostile)));
        QCOMPARE(valeur(vide, "select DatePrevue from Actions where Commentaire like '%😀'"),
                 "2025-03-05 14:30:00");
        QCOMPARE(
            valeur(vide, "select Prenom, Financier, Temperature from Interlocuteur where Nom = 'O''Brien'"),
            "Zoë|1|3");
    }

    // A spreadsheet saved the old Windows way, commas between fields, dates typed short.
    void fichierWindows1252() {
        BaseTest base;
        base.sqlite("insert into Client (Nom) values ('Garage Martin')");
        ecrire(base.dossier() + "/contacts.csv",
               QByteArray("NOM,Pr\xe9nom,CLIENT,E-mail,Remarque\r\n"
                          "\" Lef\xe8vre \"\"fils\"\"\",Zo\xe9,Garage Martin,z@x.fr,\"a, b\"\r\n"));
        ecrire(base.dossier() + "/actions.csv",
               QByteArray("Client,Interlocuteur,Commentaire,Date pr\xe9vue,Fait\r\n"
                          "Garage Martin,\"Lef\xe8vre \"\"fils\"\"\",\"R\xe9union \xab \x9cuvre \xbb "
                          "\x80\",5/3/2025 9:05,oui\r\n"));
        QVERIFY(outilDit(base.dossier(), {"import", "Brevanta.mdb", "interlocuteurs", "contacts.csv"}, 0,
                         "Colonne inconnue, ignorée : Remarque"));
        QCOMPARE(lancerOutil(base.dossier(), {"import", "Brevanta.mdb", "actions", "actions.csv"}).code, 0);
        QCOMPARE(valeur(base.fichier(), "select Nom, Prenom, email from Interlocuteur"),
                 "Lefèvre $Bfils$B|Zoé|z@x.fr");
        QCOMPARE(valeur(base.fichier(), "select Commentaire, DatePrevue, Fait from Actions"),
                 "Réunion « œuvre » €|2025-03-05 09:05:00|-1");
    }

    // One bad row and nothing goes in; the rows are named by the line they start on.
    void lignesRefusees() {
        BaseTest base;
        base.sqlite("insert into Client (Nom) values ('Dupont')");
        ecrire(base.dossier() + "/contacts.csv", "Nom;Client;Commentaire\n"
                                                 "Durand;Dupont;\"sur\ndeux lignes\"\n"
                                                 "Martin;Inconnu;\n"
                                                 ";Dupont;\n");
        Resultat r =
            lancerOutil(base.dossier(), {"import", "Brevanta.mdb", "interlocuteurs", "contacts.csv"});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.erreurs.contains("Ligne 4 : le client « Inconnu » n'existe pas.") &&
                     r.erreurs.contains("Ligne 5 : nom manquant.") && !r.erreurs.contains("Ligne 2"),
                 qPrintable(r.erreurs));
        QCOMPARE(valeur(base.fichier(), "select count(*) from Interlocuteur"), "0");
        ecrire(base.dossier() + "/actions.csv", "Client;Interlocuteur;Commentaire;DatePrevue\n"
                                                "Dupont;Durand;Appeler;31/02/2025\n");
        r = lancerOutil(base.dossier(), {"import", "Brevanta.mdb", "actions", "actions.csv"});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.erreurs.contains("Ligne 2 : « 31/02/2025 » n'est pas une date") &&
                     r.erreurs.contains("l'interlocuteur « Durand » n'existe pas chez le client « Dupont »"),
                 qPrintable(r.erreurs));
        // An existing client is told and skipped, never doubled, and the import goes on.
        ecrire(base.dossier() + "/clients.csv", "Nom\nDupont\n  Durand  \n");
        QVERIFY(outilDit(base.dossier(), {"import", "Brevanta.mdb", "clients", "clients.csv"}, 0,
                         "Ligne 2 : le client « Dupont » existe déjà"));
        QCOMPARE(lignesFichier(base.fichier(), "select Nom from Client order by Nom"),
                 (QStringList{"Dupont", "Durand"}));
    }
};

QTEST_GUILESS_MAIN(TestCsv)
#include "testcsv.moc"

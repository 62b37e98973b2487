// brevanta-db on a PostgreSQL server: a whole base copied from a file and back, the commands that read
// it, and check.
#include "core/bd/schema.h"
#include "support/basetest.h"
#include "support/outil.h"
#include "support/serveurtest.h"

#include <QtTest>

// Every row of a table of a file, each value as SQLite quotes it: NULL, '' and 0 all differ.
static QStringList lignes(const QString& fichier, const QString& table) {
    QStringList valeurs;
    for (const QString& c : Schema::colonnes(table))
        valeurs << QString("quote(%1)").arg(c);
    QStringList resultat = lignesFichier(fichier, "select " + valeurs.join(',') + " from " + table);
    resultat.sort();
    return resultat;
}

// A spreadsheet file's lines; the lists are in name order on a server, entry order in a file.
static QStringList lignesTriees(const QString& fichier) {
    QStringList l = QString::fromUtf8(contenu(fichier)).split("\r\n");
    std::sort(l.begin() + 1, l.end());
    return l;
}

class TestCopieServeur : public QObject {
    Q_OBJECT

    // A demo file with the names, dates and empty values a copy could spoil.
    static void remplirFichier(const BaseTest& base) {
        QVERIFY(QFile::remove(base.fichier()));
        QCOMPARE(lancerOutil(base.dossier(), {"demo", "Brevanta.mdb"}).code, 0);
        base.sqlite("insert into Client (Nom, Adresse1, Adresse2, CP, Commentaire) values "
                    "('Café $BÉtoile$B à Noël', '', NULL, '01000', 'Ligne 1\nLigne 2 « x »')");
        base.sqlite(
            "insert into Interlocuteur (Nom, Client, Prenom, Fonction, ContactPrincipal, Temperature) "
            "values ('O$BBrien', 'Café $BÉtoile$B à Noël', '', NULL, 1, -1)");
        // Dates inside the hours the clocks skip and repeat, Ids with a gap.
        base.sqlite(
            "insert into Actions (Id, Client, Interlocuteur, Commentaire, DatePrevue, Fait, DateSaisie) "
            "values (500, 'Café $BÉtoile$B à Noël', 'O$BBrien', 'Rappeler $Bvite$B', "
            "'2026-03-29 02:30:00', -1, NULL)");
        base.sqlite(
            "insert into RDV (Client, Interlocuteur, Commentaire, DatePrevue, Fait, DateSaisie) values "
            "('Café $BÉtoile$B à Noël', '', '', '2026-10-25 02:30:00', 0, '2026-10-01 00:00:00')");
    }

private slots:
    void initTestCase() { EXIGER_SERVEUR_TEST(); }

    // File to server and back: every value as stored, and the server's exports are the file's.
    void allerRetourFichierServeurFichier() {
        BaseTest base(BaseTest::Moteur::Fichier);
        remplirFichier(base);
        ServeurTest serveur;
        QVERIFY(outilDit(base.dossier(), {"copy", "Brevanta.mdb", serveur.url()}, 0));
        QVERIFY(outilDit(base.dossier(), {"check", serveur.url()}, 0));
        QCOMPARE(lancerOutil(base.dossier(), {"copy", serveur.url(), "retour.mdb"}).code, 0);
        for (const QString& table : Schema::tables())
            QCOMPARE(lignes(base.dossier() + "/retour.mdb", table), lignes(base.fichier(), table));
        // The numbering goes on after the Ids copied.
        QCOMPARE(serveur.sql("insert into actions (client, fait) values ('x', 0) returning id"),
                 QString("501"));
        serveur.sql("delete from actions where id = 501");
        for (const QString& source : {QString("Brevanta.mdb"), serveur.url()}) {
            const QString dossier = source == serveur.url() ? "serveur" : "fichier";
            QCOMPARE(lancerOutil(base.dossier(), {"export", source, dossier}).code, 0);
            QCOMPARE(lancerOutil(base.dossier(), {"contacts", source, dossier + "/carnet.vcf"}).code, 0);
        }
        const QDir fichier(base.dossier() + "/fichier"), copie(base.dossier() + "/serveur");
        for (const QString& f : fichier.entryList(QDir::Files)) {
            QVERIFY2(lignesTriees(fichier.filePath(f)) == lignesTriees(copie.filePath(f)), qPrintable(f));
            if (!QStringList{"services.csv", "decisions.csv", "fonctions.csv"}.contains(f))
                QVERIFY2(contenu(fichier.filePath(f)) == contenu(copie.filePath(f)), qPrintable(f));
        }
    }

    // Nothing is written over data, and a copy that goes wrong leaves the target as it was.
    void refusEtAnnulation() {
        BaseTest base(BaseTest::Moteur::Fichier);
        remplirFichier(base);
        ServeurTest serveur;
        QCOMPARE(lancerOutil(base.dossier(), {"init", serveur.url()}).code, 0);
        QVERIFY(outilDit(base.dossier(), {"init", serveur.url()}, 1, "tient déjà la table"));
        // Empty tables take a copy; once filled, they refuse the next one.
        QCOMPARE(lancerOutil(base.dossier(), {"copy", "Brevanta.mdb", serveur.url()}).code, 0);
        QVERIFY(outilDit(base.dossier(), {"copy", "Brevanta.mdb", serveur.url()}, 1,
                         "tient déjà des données : Client (13)"));
        QCOMPARE(serveur.sql("select count(*) from client"), QString("13"));
        const QByteArray avant = contenu(base.fichier());
        QVERIFY(outilDit(base.dossier(), {"copy", serveur.url(), "Brevanta.mdb"}, 1, "existe déjà"));
        QCOMPARE(contenu(base.fichier()), avant);
        QVERIFY(outilDit(base.dossier(), {"backup", serveur.url()}, 1, "pg_dump"));
        // A table that swallows its rows: the counts differ and nothing stays.
        ServeurTest avale;
        QCOMPARE(lancerOutil(base.dossier(), {"init", avale.url()}).code, 0);
        avale.sql("create function ignorer() returns trigger language plpgsql as $$begin return null; end$$");
        avale.sql("create trigger ignorer before insert on service for each row execute function ignorer()");
        QVERIFY(outilDit(base.dossier(), {"copy", "Brevanta.mdb", avale.url()}, 1,
                         "Copie incomplète de la table Service"));
        QCOMPARE(avale.sql("select count(*) from client"), QString("0"));
        // A row the server refuses: the tables the copy created go with it.
        ServeurTest neuve;
        base.sqlite("update Actions set DatePrevue = '2026-02-30 10:00:00' where Id = 500");
        QVERIFY(outilDit(base.dossier(), {"copy", "Brevanta.mdb", neuve.url()}, 1,
                         "Copie de la table Actions refusée"));
        QCOMPARE(neuve.sql("select count(*) from pg_tables where schemaname = 'public'"), QString("0"));
    }

    void checkSignaleLesDefauts_data() {
        QTest::addColumn<QString>("degat");
        QTest::addColumn<QString>("signale");
        const auto cas = [](const char* nom, const char* degat, const char* signale) {
            QTest::newRow(nom) << QString(degat) << QString(signale);
        };
        cas("interlocuteur orphelin", "insert into interlocuteur (nom, client) values ('X', 'Fantôme')",
            "Interlocuteurs sans leur client");
        cas("action orpheline", "insert into actions (client, commentaire, fait) values ('Fantôme', 'x', 0)",
            "Actions sans leur client : 1 (par exemple chez « Fantôme »)");
        // The program deletes a client with its contacts and actions; its appointments stay in the planning.
        cas("rendez-vous d'un client supprimé",
            "delete from interlocuteur where client in (select client from rdv); delete from actions where "
            "client in (select client from rdv); delete from client where nom in (select client from rdv)",
            "");
        cas("numérotation en retard", "select setval(pg_get_serial_sequence('rdv', 'id'), 2)",
            "Numérotation en retard");
        cas("rang en retard", "select setval(pg_get_serial_sequence('client', 'rang'), 1)",
            "le prochain Client.Rang serait 2");
        cas("type changé", "alter table actions alter column dateprevue type text",
            "Actions.DatePrevue est text au lieu de timestamp");
        cas("colonne supprimée", "alter table client drop column fax", "Colonne absente : Client.Fax");
        cas("table supprimée", "drop table decision", "Decision manque");
        cas("collation supprimée", "drop collation francais", "collation francais manque");
    }
    void checkSignaleLesDefauts() {
        QFETCH(QString, degat);
        QFETCH(QString, signale);
        QTemporaryDir dossier;
        ServeurTest serveur;
        QCOMPARE(lancerOutil(dossier.path(), {"demo", serveur.url()}).code, 0);
        serveur.sql(degat);
        QVERIFY(outilDit(dossier.path(), {"check", serveur.url()}, signale.isEmpty() ? 0 : 1, signale));
    }

    // The generated rows are the same on a server as in a file.
    void benchSurServeur() {
        QTemporaryDir dossier;
        ServeurTest serveur;
        const QStringList volumes{"--clients", "40",  "--contacts",     "120",
                                  "--actions", "900", "--appointments", "300"};
        QCOMPARE(lancerOutil(dossier.path(), QStringList{"bench", serveur.url()} + volumes).code, 0);
        QCOMPARE(lancerOutil(dossier.path(), QStringList{"bench", "Brevanta.mdb"} + volumes).code, 0);
        QCOMPARE(lancerOutil(dossier.path(), {"check", serveur.url()}).code, 0);
        QCOMPARE(serveur.sql("select count(*) from actions"), QString("900"));
        QCOMPARE(lancerOutil(dossier.path(), {"export", serveur.url(), "serveur"}).code, 0);
        QCOMPARE(lancerOutil(dossier.path(), {"export", "Brevanta.mdb", "fichier"}).code, 0);
        for (const char* f : {"clients.csv", "interlocuteurs.csv", "actions.csv", "rendez-vous.csv"})
            QVERIFY2(lignesTriees(dossier.filePath("serveur/") + f) ==
                         lignesTriees(dossier.filePath("fichier/") + f),
                     f);
    }

    // A copy or an init that succeeds says so in one line, and nothing else: neither what the
    // index's DROP cascades to nor the server's catalogues skipped by ANALYZE.
    void uneLigne() {
        BaseTest base(BaseTest::Moteur::Fichier);
        remplirFichier(base);
        ServeurTest neuve, initialisee;
        const QList<QStringList> commandes{{"copy", "Brevanta.mdb", neuve.url()},
                                           {"init", initialisee.url()},
                                           {"copy", "Brevanta.mdb", initialisee.url()},
                                           {"init", "vide.mdb"},
                                           {"copy", neuve.url(), "retour.mdb"}};
        for (const QStringList& commande : commandes) {
            const Resultat r = lancerOutil(base.dossier(), commande);
            QCOMPARE(r.code, 0);
            QCOMPARE(r.erreurs, QString());
            QCOMPARE(r.sortie.count('\n'), 1);
            QVERIFY2(r.sortie.startsWith(commande[0] == "init" ? "Base créée : " : "Base copiée de "),
                     qPrintable(r.sortie));
        }
    }
};

QTEST_GUILESS_MAIN(TestCopieServeur)
#include "testcopieserveur.moc"

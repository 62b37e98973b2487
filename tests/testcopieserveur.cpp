// brevanta-db on a PostgreSQL server: a base copied from a file and back, the commands that read it, check.
#include "core/bd/schema.h"
#include "support/basetest.h"
#include "support/outil.h"
#include "support/serveurtest.h"

#include <QtTest>

// Every row of a table of a file, sorted, each value as SQLite quotes it: NULL, '' and 0 all differ.
static QStringList lignes(const QString& fichier, const QString& table) {
    QStringList valeurs;
    for (const QString& c : Schema::colonnes(table))
        valeurs << QString("quote(%1)").arg(c);
    return lignesFichier(fichier, QString("select %1 from %2 order by %1").arg(valeurs.join(','), table));
}

// The exports and address books of the file and of the server: the same lines, the lists in name order
// on a server and entry order in a file; with `octets`, the same bytes but for the reference lists.
static void memesExports(const QString& dossier, const QString& serveur, bool octets) {
    for (const QString& source : {QString("Brevanta.mdb"), serveur}) {
        const QString sortie = source == serveur ? "serveur" : "fichier";
        QCOMPARE(lancerOutil(dossier, {"export", source, sortie}).code, 0);
        QCOMPARE(lancerOutil(dossier, {"contacts", source, sortie + "/carnet.vcf"}).code, 0);
    }
    const auto triees = [](const QString& fichier) {
        QStringList l = QString::fromUtf8(contenu(fichier)).split("\r\n");
        std::sort(l.begin() + 1, l.end());
        return l;
    };
    const QDir fichier(dossier + "/fichier"), copie(dossier + "/serveur");
    QCOMPARE(fichier.entryList(QDir::Files).size(), 8);
    for (const QString& f : fichier.entryList(QDir::Files)) {
        QVERIFY2(triees(fichier.filePath(f)) == triees(copie.filePath(f)), qPrintable(f));
        if (octets && !QStringList{"services.csv", "decisions.csv", "fonctions.csv"}.contains(f))
            QVERIFY2(contenu(fichier.filePath(f)) == contenu(copie.filePath(f)), qPrintable(f));
    }
}

// A copy or an init that succeeds says so in one line, and nothing else: neither what the index's
// DROP cascades to nor the server's catalogues skipped by ANALYZE.
static bool reussit(const QString& dossier, const QStringList& commande) {
    const Resultat r = lancerOutil(dossier, commande);
    if (r.code == 0 && r.erreurs.isEmpty() && r.sortie.count('\n') == 1 &&
        r.sortie.startsWith(commande[0] == "init" ? "Base créée : " : "Base copiée de "))
        return true;
    qWarning("brevanta-db %s : code %d\n%s%s", qPrintable(commande.join(' ')), r.code, qPrintable(r.sortie),
             qPrintable(r.erreurs));
    return false;
}

class TestCopieServeur : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { EXIGER_SERVEUR_TEST(); }

    // A demo file with names, dates and empty values a copy could spoil, to a server and back: values and
    // exports unchanged. Nothing is written over data; a copy that goes wrong leaves the target as it was.
    void copies() {
        BaseTest base(BaseTest::Moteur::Fichier);
        QVERIFY(QFile::remove(base.fichier()));
        QCOMPARE(lancerOutil(base.dossier(), {"demo", "Brevanta.mdb"}).code, 0);
        for (const char* sql :
             {"insert into Client (Nom, Adresse1, Adresse2, CP, Commentaire) values (%1, '', NULL, '01000', "
              "'Ligne 1\nLigne 2 « x »')",
              "insert into Interlocuteur (Nom, Client, Prenom, Fonction, ContactPrincipal, Temperature) "
              "values ('O$BBrien', %1, '', NULL, 1, -1)",
              // Dates inside the hours the clocks skip and repeat, Ids with a gap.
              "insert into Actions (Id, Client, Interlocuteur, Commentaire, DatePrevue, Fait, DateSaisie) "
              "values (500, %1, 'O$BBrien', 'Rappeler $Bvite$B', '2026-03-29 02:30:00', -1, NULL)",
              "insert into RDV (Client, Interlocuteur, Commentaire, DatePrevue, Fait, DateSaisie) values "
              "(%1, '', '', '2026-10-25 02:30:00', 0, '2026-10-01 00:00:00')"})
            base.sqlite(QString(sql).arg("'Café $BÉtoile$B à Noël'"));
        ServeurTest serveur;
        QVERIFY(reussit(base.dossier(), {"copy", "Brevanta.mdb", serveur.url()}));
        QVERIFY(outilDit(base.dossier(), {"check", serveur.url()}, 0));
        QVERIFY(reussit(base.dossier(), {"copy", serveur.url(), "retour.mdb"}));
        for (const QString& table : Schema::tables())
            QCOMPARE(lignes(base.dossier() + "/retour.mdb", table), lignes(base.fichier(), table));
        memesExports(base.dossier(), serveur.url(), true);
        // The numbering goes on after the Ids copied.
        QCOMPARE(serveur.sql("insert into actions (client, fait) values ('x', 0) returning id"),
                 QString("501"));
        ServeurTest initialisee;
        QVERIFY(reussit(base.dossier(), {"init", initialisee.url()}));
        QVERIFY(reussit(base.dossier(), {"init", "vide.mdb"}));
        QVERIFY(outilDit(base.dossier(), {"init", initialisee.url()}, 1, "tient déjà la table"));
        // Empty tables take a copy; once filled, they refuse the next one.
        QVERIFY(reussit(base.dossier(), {"copy", "Brevanta.mdb", initialisee.url()}));
        QVERIFY(outilDit(base.dossier(), {"copy", "Brevanta.mdb", initialisee.url()}, 1,
                         "tient déjà des données : Client (13)"));
        QCOMPARE(initialisee.sql("select count(*) from client"), QString("13"));
        const QByteArray avant = contenu(base.fichier());
        QVERIFY(outilDit(base.dossier(), {"copy", initialisee.url(), "Brevanta.mdb"}, 1, "existe déjà"));
        QCOMPARE(contenu(base.fichier()), avant);
        QVERIFY(outilDit(base.dossier(), {"backup", initialisee.url()}, 1, "pg_dump"));
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

    // What check says of a damaged server base: each case its name, the damage and the message.
    void checkSignaleLesDefauts() {
        const QList<std::array<QString, 3>> cas{
            {"interlocuteur orphelin", "insert into interlocuteur (nom, client) values ('X', 'Fantôme')",
             "Interlocuteurs sans leur client"},
            {"action orpheline", "insert into actions (client, commentaire, fait) values ('Fantôme', 'x', 0)",
             "Actions sans leur client : 1 (par exemple chez « Fantôme »)"},
            // A client goes with its contacts and actions; its appointments stay in the planning.
            {"rendez-vous d'un client supprimé",
             "delete from interlocuteur where client in (select client from rdv); delete from actions where "
             "client in (select client from rdv); delete from client where nom in (select client from rdv)",
             ""},
            {"numérotation en retard", "select setval(pg_get_serial_sequence('rdv', 'id'), 2)",
             "Numérotation en retard"},
            {"rang en retard", "select setval(pg_get_serial_sequence('client', 'rang'), 1)",
             "le prochain Client.Rang serait 2"},
            {"type changé", "alter table actions alter column dateprevue type text",
             "Actions.DatePrevue est text au lieu de timestamp"},
            {"colonne supprimée", "alter table client drop column fax", "Colonne absente : Client.Fax"},
            {"table supprimée", "drop table decision", "Decision manque"},
            {"collation supprimée", "drop collation francais", "collation francais manque"}};
        for (const auto& [nom, degat, signale] : cas) {
            QTemporaryDir dossier;
            ServeurTest serveur;
            QCOMPARE(lancerOutil(dossier.path(), {"demo", serveur.url()}).code, 0);
            serveur.sql(degat);
            QVERIFY2(outilDit(dossier.path(), {"check", serveur.url()}, signale.isEmpty() ? 0 : 1, signale),
                     qPrintable(nom));
        }
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
        memesExports(dossier.path(), serveur.url(), false);
    }
};

QTEST_GUILESS_MAIN(TestCopieServeur)
#include "testcopieserveur.moc"

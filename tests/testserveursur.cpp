// A team's server against its own users and its network: functions that cannot be hijacked, no
// wait without end, no password in an address, a save cut at its commit told as it ended.
#include "core/bd/choixbase.h"
#include "core/bd/connection.h"
#include "core/bd/erreurbd.h"
#include "core/donnees/avertissement.h"
#include "core/postgres/moteurpostgres.h"
#include "support/demarrage.h"
#include "support/outil.h"
#include "support/relais.h"
#include "support/serveurtest.h"

#include <QDir>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>
#include <csignal>

namespace {

const QString Perdue =
    "La connexion au serveur a été perdue : rien n'a été enregistré, votre saisie est conservée.";

// A stopped backend goes on, whatever the test's outcome.
struct Arret {
    qint64 pid;
    explicit Arret(qint64 p) : pid(p) { ::kill(pid_t(pid), SIGSTOP); }
    ~Arret() { ::kill(pid_t(pid), SIGCONT); }
};

// Another session ends the program's own just as its COMMIT leaves.
QString g_autreSession;
qint64 g_cible = 0;
void terminerAuCommit(const char* sql, int, const char* const*) {
    if (g_cible && qstrcmp(sql, "COMMIT") == 0)
        SessionServeur(g_autreSession)
            .executer(QString("select pg_terminate_backend(%1, 5000)").arg(g_cible));
}

} // namespace

class TestServeurSur : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { EXIGER_SERVEUR_TEST(); }

    // Only the index's triggers run as its owner, on a fixed path with pg_temp last: a user's own
    // temporary table and function named as the index's neither catch his saves nor run as the owner.
    void fonctionsDuServeur() {
        RoleServeur role;
        ServeurTest base;
        MoteurPostgres::creerTables(base.url());
        const QStringList fonctions = base.lignes(
            "select proname, prosecdef, array_to_string(proconfig, ';') from pg_proc where pronamespace = "
            "'public'::regnamespace and (proname like 'recherche%' or proname like 'brevanta%')");
        QCOMPARE(fonctions.size(), 8);
        for (const QString& f : fonctions) {
            const QStringList champs = f.split('|');
            QCOMPARE(champs[1] == "t", champs[0].startsWith("recherche_suivre_"));
            if (champs[1] == "t")
                QCOMPARE(champs[2], "search_path=pg_catalog, public, pg_temp");
        }
        base.sql(QString("grant select, insert, update, delete on client, interlocuteur, actions, rdv, "
                         "service, decision, fonction to %1; grant usage on all sequences in schema "
                         "public to %1")
                     .arg(role.nom()));
        SessionServeur intrus(avecUtilisateur(base.url(), role.nom()));
        intrus.executer(
            "create temp table recherche (genre smallint, cle integer, client text, contact text, libelle "
            "text, date timestamp, fait boolean, debut text, mots tsvector); "
            "grant all on pg_temp.recherche to public");
        intrus.executer(QString("create function pg_temp.piege() returns trigger language plpgsql as $$ "
                                "begin grant all on public.recherche to %1; return null; end $$")
                            .arg(role.nom()));
        intrus.executer("create trigger piege after insert or delete on pg_temp.recherche for "
                        "each row execute function pg_temp.piege()");
        intrus.executer("create function pg_temp.recherche_vecteur(t text) returns tsvector "
                        "language sql as $$ select 'piege'::tsvector $$");
        intrus.executer("insert into client (nom) values ('Dupont')");
        intrus.executer("update client set ville = 'Lyon' where nom = 'Dupont'");
        QCOMPARE(intrus.executer("select count(*) from pg_temp.recherche"), QList<QStringList>{{"0"}});
        QCOMPARE(
            base.sql("select count(*) from recherche where libelle = 'Dupont' and mots @@ 'lyon'::tsquery"),
            "1");
        QCOMPARE(
            base.sql(
                QString("select has_table_privilege('%1', 'public.recherche', 'INSERT')").arg(role.nom())),
            "f");
    }

    // A backend that stops answering in the middle of a save: the lost connection is told (after
    // the bounded wait), the next statement reconnects, and the save is undone on the server.
    void serveurMuet() {
        ServeurTest base;
        MoteurPostgres::creerTables(base.url());
        Connection c;
        c.open(base.url());
        c.execute("insert into Service (Nom) values (\"a\")");
        const qint64 pid = pidDe(c);
        {
            Transaction saisie(&c);
            c.execute("insert into Service (Nom) values (\"b\")");
            Arret arret(pid);
            const auto e = erreurDe([&] { c.execute("insert into Service (Nom) values (\"c\")"); });
            QVERIFY2(e.etat() == "08006" && e.message().startsWith(Perdue), qPrintable(e.message()));
        }
        c.execute("insert into Service (Nom) values (\"d\")");
        QTRY_COMPARE_WITH_TIMEOUT(
            base.sql(QString("select count(*) from pg_stat_activity where pid = %1").arg(pid)), "0", 10000);
        QCOMPARE(base.sql("select string_agg(Nom, ',' order by Nom) from Service"), "a,d");
    }

    void motDePasse_data() {
        QTest::addColumn<QString>("modele");
        QTest::newRow("utilisateur") << QString("postgresql://brevanta:secret@%1");
        QTest::newRow("paramètre") << QString("postgresql://brevanta@%1?password=secret");
        QTest::newRow("paramètre encodé")
            << QString("postgresql://brevanta@%1?application_name=x&%70assword=secret");
    }

    // No password in an address, wherever it is given: refused with the way to give it instead,
    // and never shown.
    void motDePasse() {
        QFETCH(QString, modele);
        ServeurTest base;
        MoteurPostgres::creerTables(base.url());
        const QUrl url(base.url());
        const QString adresse =
            modele.arg(QString("%1:%2%3").arg(url.host()).arg(url.port()).arg(url.path()));
        QVERIFY(!contientMotDePasse(base.url()));
        QVERIFY(contientMotDePasse(adresse));
        QVERIFY(!adresseMontrable(adresse).contains("secret"));
        QVERIFY(adresseMontrable(adresse).contains(url.path()));
        Connection c;
        const auto e = erreurDe([&] { c.open(adresse); });
        QVERIFY2(e.etat() == "28000" && e.message().contains("~/.pgpass") && !e.message().contains("secret"),
                 qPrintable(e.message()));
        QTemporaryDir dossier;
        const Resultat outil = lancerOutil(dossier.path(), {"check", adresse});
        QVERIFY(outil.code != 0);
        QVERIFY2((outil.sortie + outil.erreurs).contains("~/.pgpass"), qPrintable(outil.erreurs));
        QVERIFY(!(outil.sortie + outil.erreurs).contains("secret"));
        QVERIFY(ecrire(QDir(dossier.path()).filePath("Brevanta.ini"),
                       QString("[Base]\nServeur=%1\n").arg(adresse).toUtf8()));
        const Issue i = demarrerDans(QStringLiteral(DEMARRAGE_ENFANT), dossier.path());
        QCOMPARE(i.statut, 1);
        QVERIFY2(i.sortie.contains("~/.pgpass") && !i.sortie.contains("secret"), qPrintable(i.sortie));
    }

    void enregistrementCoupe_data() {
        QTest::addColumn<bool>("apresCommit");
        QTest::newRow("session terminée au commit") << false;
        QTest::newRow("réponse perdue après le commit") << true;
    }

    // A save whose connection is lost at its commit is neither reported lost when the server made
    // it (so never made twice) nor reported made when the server undid it.
    void enregistrementCoupe() {
        QFETCH(bool, apresCommit);
        ServeurTest base;
        MoteurPostgres::creerTables(base.url());
        Relais relais(quint16(QUrl(base.url()).port()));
        QUrl parRelais(base.url());
        parRelais.setPort(relais.port());
        Connection c;
        c.open(parRelais.toString());
        QStringList avertissements;
        installerAvertisseur([&](const QString& texte) { avertissements << texte; });
        g_autreSession = base.url();
        g_cible = apresCommit ? 0 : pidDe(c);
        MoteurPostgres::ecouter(terminerAuCommit);
        ErreurBd e{QString(), QString()};
        {
            Transaction saisie(&c);
            c.execute("insert into Service (Nom) values (\"a\")");
            if (apresCommit)
                relais.couperApresCommit();
            e = erreurDe([&] { saisie.commit(); });
        }
        MoteurPostgres::ecouter(nullptr);
        installerAvertisseur(nullptr);
        g_cible = 0;
        if (apresCommit) {
            QCOMPARE(e.etat(), QString());
            QCOMPARE(avertissements, QStringList{"L'enregistrement a bien été fait malgré la coupure."});
        } else {
            QCOMPARE(e.etat(), "08006");
            QVERIFY2(e.message().startsWith(Perdue), qPrintable(e.message()));
            QVERIFY(avertissements.isEmpty());
        }
        QCOMPARE(base.sql("select count(*) from Service where Nom = 'a'"), apresCommit ? "1" : "0");
        c.execute("insert into Service (Nom) values (\"b\")");
        QCOMPARE(base.sql("select count(*) from Service where Nom = 'b'"), "1");
    }
};

QTEST_GUILESS_MAIN(TestServeurSur)
#include "testserveursur.moc"

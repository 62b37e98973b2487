// A team's server: connection, isolation, functions its users cannot hijack, no wait without end, no
// password in an address, a save cut at its commit told as it ended.
#include "core/bd/choixbase.h"
#include "core/bd/connection.h"
#include "core/bd/erreurbd.h"
#include "core/donnees/avertissement.h"
#include "core/postgres/moteurpostgres.h"
#include "support/demarrage.h"
#include "support/outil.h"
#include "support/serveurtest.h"

#include <QDir>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>
#include <QtTest>
#include <arpa/inet.h>
#include <csignal>
#include <memory>
#include <optional>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

const QString Perdue =
    "La connexion au serveur a été perdue : rien n'a été enregistré, votre saisie est conservée.";

// A state of a connection lost: an exception of connection or an administrator's intervention.
static bool perdue(const QString& etat) {
    return etat.startsWith("08") || etat.startsWith("57P");
}

enum Coupure { Terminee, Muet, AuCommit, ApresCommit };

// At the program's COMMIT, another session ends it just before, or the server makes it and its answer is
// lost: the backend held till COMMIT is sent, the socket swapped for one whose peer is closed, then let go.
static QString g_autreSession;
static qint64 g_cible = 0;
static int g_prise = -1;
static std::thread g_perte;
static void couperAuCommit(const char* sql, int, const char* const*) {
    if (!g_cible || qstrcmp(sql, "COMMIT") != 0)
        return;
    if (g_prise < 0) {
        SessionServeur(g_autreSession)
            .executer(QString("select pg_terminate_backend(%1, 5000)").arg(g_cible));
    } else {
        ::kill(pid_t(g_cible), SIGSTOP);
        g_perte = std::thread([pid = g_cible, prise = g_prise] {
            QThread::msleep(300);
            int paire[2];
            ::socketpair(AF_UNIX, SOCK_STREAM, 0, paire);
            ::close(paire[1]);
            ::dup2(paire[0], prise);
            ::close(paire[0]);
            ::kill(pid_t(pid), SIGCONT);
        });
    }
    g_cible = 0;
}

// The program's socket to the server: the one on the port the server sees it come from.
static int prise(Connection& c, const ServeurTest& base) {
    const int port =
        base.sql(QString("select client_port from pg_stat_activity where pid = %1").arg(pidDe(c))).toInt();
    for (int fd = 0; fd < 1024; ++fd) {
        sockaddr_in a{};
        socklen_t taille = sizeof a;
        if (::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &taille) == 0 && a.sin_family == AF_INET &&
            ntohs(a.sin_port) == port)
            return fd;
    }
    return -1;
}

class TestMoteurServeur : public QObject {
    Q_OBJECT

    std::unique_ptr<ServeurTest> m_base;
    std::unique_ptr<Connection> m_c;

    // Ends the connection's session on the server, as a network fault or an administrator would.
    void couper() const { m_base->sql(QString("select pg_terminate_backend(%1)").arg(pidDe(*m_c))); }

private slots:
    void initTestCase() { EXIGER_SERVEUR_TEST(); }
    void init() {
        m_base = std::make_unique<ServeurTest>();
        MoteurPostgres::creerTables(m_base->url());
        m_c = std::make_unique<Connection>();
        m_c->open(m_base->url());
    }
    void cleanup() {
        m_c.reset();
        m_base.reset();
    }

    // No tables, tables already there, a server that does not answer. A case's database goes with it even
    // with sessions still open on it, as a failed case may leave the program's own.
    void refusDuServeur() {
        std::optional<ServeurTest> base(std::in_place);
        const QString nom = base->nom();
        QCOMPARE(base->sql("select current_database() || unaccent(' Élève à Noël')"), nom + " Eleve a Noel");
        const SessionServeur restee(base->url());
        Connection c;
        QCOMPARE(etatDe([&] { c.open(base->url()); }), "42P01");
        QVERIFY(!c.isOpen());
        MoteurPostgres::creerTables(base->url());
        QCOMPARE(etatDe([&] { MoteurPostgres::creerTables(base->url()); }), "42P07");
        QUrl ailleurs(base->url());
        ailleurs.setPort(1);
        const auto absent = erreurDe([&] { c.open(ailleurs.toString()); });
        QVERIFY(absent.etat() == "08001" && absent.message().contains("ne répond pas"));
        base.reset();
        QCOMPARE(m_base->sql(QString("select count(*) from pg_database where datname = '%1'").arg(nom)), "0");
    }

    void coupures_data() {
        QTest::addColumn<int>("coupure");
        QTest::newRow("session terminée") << int(Terminee);
        QTest::newRow("serveur muet") << int(Muet);
        QTest::newRow("session terminée au commit") << int(AuCommit);
        QTest::newRow("réponse perdue après le commit") << int(ApresCommit);
    }

    // A lost connection (a silent one after the bounded wait) is told, the next statement reconnects; a save
    // it cuts fails undone; cut at its commit, it is told lost exactly when the server undid it.
    void coupures() {
        QFETCH(int, coupure);
        Connection& c = *m_c;
        if (coupure == Terminee) {
            couper();
            const QString etat = etatDe([&] { c.execute("insert into Service (Nom) values (\"x\")"); });
            QVERIFY2(perdue(etat), qPrintable(etat));
        }
        c.execute("insert into Service (Nom) values (\"a\")");
        const qint64 pid = pidDe(c);
        g_autreSession = m_base->url();
        g_cible = coupure >= AuCommit ? pid : 0;
        g_prise = coupure == ApresCommit ? prise(c, *m_base) : -1;
        QVERIFY(coupure != ApresCommit || g_prise >= 0);
        QStringList avertissements;
        installerAvertisseur([&](const QString& texte) { avertissements << texte; });
        MoteurPostgres::ecouter(couperAuCommit);
        ErreurBd perte{QString(), QString()}, echec{QString(), QString()};
        {
            Transaction saisie(&c);
            c.execute("insert into Service (Nom) values (\"b\")");
            if (coupure == Muet)
                ::kill(pid_t(pid), SIGSTOP);
            else if (coupure == Terminee)
                couper();
            if (coupure < AuCommit)
                perte = erreurDe([&] { c.execute("insert into Service (Nom) values (\"c\")"); });
            echec = erreurDe([&] { saisie.commit(); });
            if (coupure == Muet)
                ::kill(pid_t(pid), SIGCONT);
        }
        MoteurPostgres::ecouter(nullptr);
        installerAvertisseur(nullptr);
        if (g_perte.joinable())
            g_perte.join();
        if (coupure < AuCommit)
            QVERIFY2((coupure == Muet ? perte.etat() == "08006" : perdue(perte.etat())) &&
                         perte.message().startsWith(Perdue),
                     qPrintable(perte.message()));
        QVERIFY2(coupure == ApresCommit ? echec.etat().isEmpty()
                 : coupure == AuCommit  ? echec.etat() == "08006" && echec.message().startsWith(Perdue)
                                        : perdue(echec.etat()),
                 qPrintable(echec.message()));
        QCOMPARE(avertissements, coupure == ApresCommit
                                     ? QStringList{"L'enregistrement a bien été fait malgré la coupure."}
                                     : QStringList());
        c.execute("insert into Service (Nom) values (\"d\")");
        QTRY_COMPARE_WITH_TIMEOUT(
            m_base->sql(QString("select count(*) from pg_stat_activity where pid = %1").arg(pid)), "0",
            10000);
        QCOMPARE(m_base->sql("select string_agg(Nom, ',' order by Nom) from Service"),
                 coupure == ApresCommit ? "a,b,d" : "a,d");
    }

    // Programs at once: lists read again only when another commits; a table another holds is busy after a
    // wait, never a frozen window; of an action and its client's deletion one fails, no orphan action.
    void autresProgrammes() {
        Connection& a = *m_c;
        Connection b;
        b.open(m_base->url());
        const VersionDonnees debut = a.version();
        QCOMPARE(a.version(), debut);
        b.execute("insert into Service (Nom) values (\"Achats\")");
        const VersionDonnees apresAutre = a.version();
        QVERIFY(apresAutre != debut);
        QCOMPARE(a.version(), apresAutre);
        {
            Transaction enCours(&b);
            b.execute("delete * from Service");
            QCOMPARE(a.version(), apresAutre);
        }
        QCOMPARE(a.version(), apresAutre);
        m_base->sql("update Actions set Fait = 0");
        QVERIFY(a.version() != apresAutre);
        Connection::setAttenteVerrou(200);
        Connection c;
        c.open(m_base->url());
        Connection::setAttenteVerrou(5000);
        SessionServeur autre(m_base->url());
        autre.executer("BEGIN; LOCK TABLE Client IN ACCESS EXCLUSIVE MODE");
        const auto occupee = erreurDe([&] { c.execute("insert into Client (Nom) values (\"ACME\")"); });
        QVERIFY(occupee.etat() == "55P03" && occupee.message().contains("occupée"));
        autre.executer("COMMIT");
        c.execute("insert into Client (Nom) values (\"ACME\")");
        const QString echec = etatDe([&] {
            Transaction saisie(&a);
            QCOMPARE(colonne(a, "select Nom from Client where Nom=\"ACME\"").size(), 1);
            {
                Transaction suppression(&b);
                b.execute("delete * from Actions where Client=\"ACME\"");
                b.execute("delete * from Client where Nom=\"ACME\"");
                suppression.commit();
            }
            a.execute("insert into Actions (Client,Interlocuteur,Commentaire,DatePrevue,Fait,"
                      "DateSaisie) values (\"ACME\", \"\", \"x\", now(), 0, now())");
            saisie.commit();
        });
        QCOMPARE(echec, "40001");
        QCOMPARE(m_base->sql("select count(*) from Actions"), "0");
    }

    // Only the index's triggers run as its owner, on a fixed path with pg_temp last: a user's own
    // temporary table and function named as the index's neither catch his saves nor run as the owner.
    void fonctionsDuServeur() {
        RoleServeur role;
        ServeurTest base;
        MoteurPostgres::creerTables(base.url());
        QCOMPARE(
            base.lignes(
                "select prosecdef, starts_with(proname, 'recherche_suivre_'), array_to_string(proconfig, "
                "';'), count(*) from pg_proc where pronamespace = 'public'::regnamespace and (proname "
                "like 'recherche%' or proname like 'brevanta%') group by 1, 2, 3 order by 1, 2"),
            QStringList({"f|f||4", "t|t|search_path=pg_catalog, public, pg_temp|4"}));
        base.sql(QString("grant select, insert, update, delete on client, interlocuteur, actions, rdv, "
                         "service, decision, fonction to %1; grant usage on all sequences in schema "
                         "public to %1")
                     .arg(role.nom()));
        SessionServeur intrus(avecUtilisateur(base.url(), role.nom()));
        intrus.executer(
            QString("create temp table recherche (genre smallint, cle integer, client text, contact "
                    "text, libelle text, date timestamp, fait boolean, debut text, mots tsvector); "
                    "grant all on pg_temp.recherche to public; create function pg_temp.piege() "
                    "returns trigger language plpgsql as $$ begin grant all on public.recherche to "
                    "%1; return null; end $$; create trigger piege after insert or delete on "
                    "pg_temp.recherche for each row execute function pg_temp.piege(); create "
                    "function pg_temp.recherche_vecteur(t text) returns tsvector language sql as $$ "
                    "select 'piege'::tsvector $$")
                .arg(role.nom()));
        intrus.executer("insert into client (nom) values ('Dupont')");
        intrus.executer("update client set ville = 'Lyon' where nom = 'Dupont'");
        QCOMPARE(intrus.executer("select count(*) from pg_temp.recherche"), QList<QStringList>{{"0"}});
        QCOMPARE(
            base.lignes(QString("select count(*), has_table_privilege('%1', 'public.recherche', 'INSERT') "
                                "from recherche where libelle = 'Dupont' and mots @@ 'lyon'::tsquery")
                            .arg(role.nom())),
            QStringList{"1|f"});
    }

    // No password in an address, wherever given: refused with the way to give it instead, never shown.
    void motDePasse() {
        const QUrl url(m_base->url());
        QVERIFY(!contientMotDePasse(m_base->url()));
        for (const char* modele :
             {"postgresql://brevanta:secret@%1", "postgresql://brevanta@%1?password=secret",
              "postgresql://brevanta@%1?application_name=x&%70assword=secret"}) {
            const QString adresse =
                QString(modele).arg(QString("%1:%2%3").arg(url.host()).arg(url.port()).arg(url.path()));
            QVERIFY2(contientMotDePasse(adresse) && !adresseMontrable(adresse).contains("secret") &&
                         adresseMontrable(adresse).contains(url.path()),
                     modele);
            const auto e = erreurDe([&] { Connection().open(adresse); });
            QTemporaryDir dossier;
            const Resultat outil = lancerOutil(dossier.path(), {"check", adresse});
            QVERIFY(ecrire(QDir(dossier.path()).filePath("Brevanta.ini"),
                           QString("[Base]\nServeur=%1\n").arg(adresse).toUtf8()));
            const Issue i = demarrerDans(QStringLiteral(DEMARRAGE_ENFANT), dossier.path());
            for (const auto& [refus, dit] : {std::pair(e.etat() == "28000", e.message()),
                                             std::pair(outil.code != 0, outil.sortie + outil.erreurs),
                                             std::pair(i.statut == 1, i.sortie)})
                QVERIFY2(refus && dit.contains("~/.pgpass") && !dit.contains("secret"), qPrintable(dit));
        }
    }
};

QTEST_GUILESS_MAIN(TestMoteurServeur)
#include "testmoteurserveur.moc"

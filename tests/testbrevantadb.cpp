#include "core/connection.h"
#include "core/erreurbd.h"
#include "core/horloge.h"
#include "core/recordset.h"
#include "core/schema.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <memory>
#include <unistd.h>

namespace {

struct Resultat {
    int code = -1;
    QString sortie;
    QString erreurs;
};

QByteArray contenu(const QString& fichier) {
    QFile f(fichier);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ecrireFichier(const QString& fichier, const QByteArray& octets) {
    QFile f(fichier);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(octets);
}

void sqliteBrut(const QString& fichier, const QString& sql) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("brut"));
        db.setDatabaseName(fichier);
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY2(q.exec(sql), qPrintable(sql));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("brut"));
}

// Values of one column over the rows of a query.
QStringList colonne(Connection& c, const QString& sql, const QString& champ) {
    Recordset rs;
    rs.open(sql, &c);
    QStringList valeurs;
    for (; !rs.eof(); rs.moveNext())
        valeurs << rs.field(champ).toText();
    rs.close();
    return valeurs;
}

int nombre(Connection& c, const QString& sql) {
    return colonne(c, sql, QStringLiteral("NbEnr")).value(0).toInt();
}

} // namespace

class TestBrevantaDb : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dossier;

    QString chemin(const QString& nom) const { return m_dossier->filePath(nom); }

    Resultat lancer(const QStringList& arguments) const {
        QProcess p;
        p.setWorkingDirectory(m_dossier->path());
        p.start(QStringLiteral(BREVANTA_DB), arguments);
        Resultat r;
        if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
            return r;
        r.code = p.exitCode();
        r.sortie = QString::fromUtf8(p.readAllStandardOutput());
        r.erreurs = QString::fromUtf8(p.readAllStandardError());
        return r;
    }

private slots:
    void init() {
        m_dossier = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dossier->isValid());
    }

    void cleanup() { m_dossier.reset(); }

    void initCreeUneBaseQueLeProgrammeOuvre() {
        const Resultat r = lancer({QStringLiteral("init"), QStringLiteral("Brevanta.mdb")});
        QCOMPARE(r.code, 0);
        QCOMPARE(lancer({QStringLiteral("check"), QStringLiteral("Brevanta.mdb")}).code, 0);

        Connection c;
        c.open(chemin(QStringLiteral("Brevanta.mdb")));
        for (const QString& table : Schema::tables())
            QCOMPARE(nombre(c, QStringLiteral("select count(*)as NbEnr from %1").arg(table)), 0);
        // The reference editors rely on the database refusing a duplicate name.
        c.execute(QStringLiteral("insert into Service (Nom) values (\"Achats\")"));
        QVERIFY_THROWS_EXCEPTION(ErreurBd,
                                 c.execute(QStringLiteral("insert into Service (Nom) values (\"Achats\")")));
        c.execute(QStringLiteral("insert into RDV (Client,Fait) values (\"A\",0)"));
        QVERIFY(c.lastInsertId() > 0);
    }

    void demoRemplitCeQueLesFenetresMontrent() {
        QCOMPARE(lancer({QStringLiteral("demo"), QStringLiteral("Brevanta.mdb")}).code, 0);
        const Resultat verification = lancer({QStringLiteral("check"), QStringLiteral("Brevanta.mdb")});
        QVERIFY2(verification.code == 0, qPrintable(verification.erreurs));

        Connection c;
        c.open(chemin(QStringLiteral("Brevanta.mdb")));
        const QStringList clients =
            colonne(c, QStringLiteral("select Nom from Client"), QStringLiteral("Nom"));
        QVERIFY(clients.size() >= 10);
        QVERIFY(clients.join(QLatin1Char('|')).contains(QStringLiteral("$B")));
        QSet<QString> contacts;
        for (const QString& client : clients) {
            const QString filtre = QStringLiteral(" from Interlocuteur where Client=\"%1\"").arg(client);
            const QStringList noms = colonne(c, QStringLiteral("select Nom") + filtre, QStringLiteral("Nom"));
            QVERIFY2(noms.size() >= 2 && noms.size() <= 4, qPrintable(client));
            QCOMPARE(
                nombre(c, QStringLiteral("select count(Nom)as NbEnr") + filtre + " and ContactPrincipal=1"),
                1);
            for (const QString& nom : noms)
                contacts << client + QLatin1Char('|') + nom;
        }
        for (const char* liste : {"Fonction", "Service", "Decision"}) {
            const QString table = QString::fromLatin1(liste);
            const QStringList noms = colonne(c, "select Nom from " + table, QStringLiteral("Nom"));
            QVERIFY(noms.size() >= 3);
            const QStringList utilises = colonne(c, "select " + table + " from Interlocuteur", table);
            for (const QString& valeur : utilises)
                QVERIFY2(noms.contains(valeur), qPrintable(valeur));
        }

        const QDate lundi = Horloge::aujourdhui().addDays(1 - Horloge::aujourdhui().dayOfWeek());
        const QString semaine =
            QStringLiteral(" where DatePrevue >= #%1# and DatePrevue < #%2#")
                .arg(lundi.toString("yyyy/MM/dd"), lundi.addDays(5).toString("yyyy/MM/dd"));
        for (const char* nom : {"Actions", "RDV"}) {
            const QString table = QString::fromLatin1(nom);
            QVERIFY(nombre(c, "select count(Id)as NbEnr from " + table + semaine + " and Fait=0") > 0);
            QVERIFY(nombre(c, "select count(Id)as NbEnr from " + table + " where Fait=-1") > 0);
            QVERIFY(nombre(c, "select count(Id)as NbEnr from " + table + " where Fait=0") > 0);
            Recordset rs;
            for (rs.open("select * from " + table, &c); !rs.eof(); rs.moveNext())
                QVERIFY(contacts.contains(rs.field("Client").toText() + '|' +
                                          rs.field("Interlocuteur").toText()));
        }
        const QStringList heures =
            colonne(c, "select DatePrevue from RDV" + semaine, QStringLiteral("DatePrevue"));
        QVERIFY(std::any_of(heures.begin(), heures.end(), [](const QString& d) { return d.size() > 10; }));
    }

    void checkRefuseUneBaseAbimee_data() {
        QTest::addColumn<QString>("degat");
        QTest::addColumn<QString>("signale");
        QTest::newRow("octets quelconques") << "octets"
                                            << "";
        QTest::newRow("fichier tronqué") << "tronque"
                                         << "";
        QTest::newRow("pages écrasées") << "ecrase"
                                        << "Intégrité";
        QTest::newRow("table supprimée") << "table"
                                         << "RDV";
        QTest::newRow("colonne supprimée") << "colonne"
                                           << "Client.Ville";
        QTest::newRow("fichier vide") << "vide"
                                      << "Client";
        QTest::newRow("fichier absent") << "absent"
                                        << "n'existe pas";
    }

    void checkRefuseUneBaseAbimee() {
        QFETCH(QString, degat);
        QFETCH(QString, signale);
        const QString fichier = chemin(QStringLiteral("Brevanta.mdb"));
        if (degat == "octets" || degat == "vide") {
            QByteArray octets;
            for (int i = 0; degat == "octets" && i < 8192; ++i)
                octets += char(i * 131 % 251);
            ecrireFichier(fichier, octets);
        } else if (degat != "absent") {
            QCOMPARE(lancer({QStringLiteral("demo"), QStringLiteral("Brevanta.mdb")}).code, 0);
            if (degat == "tronque")
                ecrireFichier(fichier, contenu(fichier).left(contenu(fichier).size() / 3));
            if (degat == "ecrase")
                ecrireFichier(fichier, contenu(fichier).replace(4096, 64, QByteArray(64, '\xa5')));
            if (degat == "table")
                sqliteBrut(fichier, QStringLiteral("DROP TABLE RDV"));
            if (degat == "colonne")
                sqliteBrut(fichier, QStringLiteral("ALTER TABLE Client DROP COLUMN Ville"));
        }
        const QByteArray avant = contenu(fichier);
        const Resultat r = lancer({QStringLiteral("check"), QStringLiteral("Brevanta.mdb")});
        QCOMPARE(r.code, 1);
        QVERIFY2(!r.erreurs.isEmpty() && r.erreurs.contains(signale), qPrintable(r.erreurs));
        QCOMPARE(QFile::exists(fichier), degat != "absent");
        QCOMPARE(contenu(fichier), avant);
    }

    void neRemplaceJamaisUnFichier() {
        const QString fichier = chemin(QStringLiteral("Brevanta.mdb"));
        const QByteArray precieux("des données à garder");
        ecrireFichier(fichier, precieux);
        for (const QString& commande : {QStringLiteral("init"), QStringLiteral("demo")}) {
            const Resultat r = lancer({commande, QStringLiteral("Brevanta.mdb")});
            QCOMPARE(r.code, 1);
            QVERIFY2(r.erreurs.contains(QStringLiteral("existe déjà")), qPrintable(r.erreurs));
            QCOMPARE(contenu(fichier), precieux);
        }
    }

    // A disk that fills up during the creation: no half-made database is left behind.
    void creationInterrompueNeLaisseRien() {
        QProcess p;
        p.setWorkingDirectory(m_dossier->path());
        p.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"),
                                            QStringLiteral("trap '' XFSZ; ulimit -f 40; exec \"$0\" demo "
                                                           "Brevanta.mdb"),
                                            QStringLiteral(BREVANTA_DB)});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 1);
        QVERIFY(QDir(m_dossier->path()).isEmpty());
    }

    void argumentsIncorrects_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("aucun") << QStringList{};
        QTest::newRow("sans fichier") << QStringList{"init"};
        QTest::newRow("commande inconnue") << QStringList{"create", "Brevanta.mdb"};
        QTest::newRow("fichier vide") << QStringList{"init", ""};
        QTest::newRow("trop d'arguments") << QStringList{"init", "Brevanta.mdb", "autre.mdb"};
    }

    void argumentsIncorrects() {
        QFETCH(QStringList, arguments);
        const Resultat r = lancer(arguments);
        QCOMPARE(r.code, 1);
        QVERIFY2(r.erreurs.contains(QStringLiteral("Usage : brevanta-db")), qPrintable(r.erreurs));
        QVERIFY(QDir(m_dossier->path()).isEmpty());
    }

    void dossierInaccessible() {
        Resultat r = lancer({QStringLiteral("init"), QStringLiteral("absent/Brevanta.mdb")});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.erreurs.contains(QStringLiteral("n'existe pas")), qPrintable(r.erreurs));

        if (geteuid() == 0)
            QSKIP("root écrit dans tout dossier, même protégé");
        QVERIFY(QDir(m_dossier->path()).mkdir(QStringLiteral("protege")));
        const QString protege = chemin(QStringLiteral("protege"));
        QFile::setPermissions(protege, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        r = lancer({QStringLiteral("demo"), QStringLiteral("protege/Brevanta.mdb")});
        QFile::setPermissions(protege,
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(r.code, 1);
        QVERIFY2(r.erreurs.contains(QStringLiteral("Impossible de créer")), qPrintable(r.erreurs));
        QVERIFY(QDir(protege).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestBrevantaDb)
#include "testbrevantadb.moc"

// Database faults while the window runs: each save that meets one shows a message, keeps the
// edit and its input and changes nothing; once the fault is gone the same Valider saves.
#include "core/connection.h"
#include "dialogs/frmreference.h"
#include "fenetretest.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <functional>
#include <memory>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

enum class Panne { Verrou, Lecteur, Dossier, Table, Pages, Tmpfs };

// Long enough to need pages of its own when the file may not grow.
const QString Saisie = QStringLiteral("saisie gardée ") + QString(20000, QLatin1Char('x'));

QPlainTextEdit* memo(const FenetreTest& t, const char* nom) {
    return t.w<QPlainTextEdit>(nom);
}

// One record area: how an edit starts and is typed, saved, recognised, and read back.
struct Zone {
    QString table;
    std::function<void(FenetreTest&)> saisir;
    std::function<void(FenetreTest&)> valider;
    std::function<bool(FenetreTest&)> enSaisieAvecSaisie;
    // The length of the saved text.
    QString relecture;
};

std::unique_ptr<FrmReference> g_editeur;

QList<Zone> zones() {
    const auto bouton = [](const char* nom) { return [nom](FenetreTest& t) { t.clic(nom); }; };
    const auto saisieMemo = [](const char* valider, const char* champ) {
        return [=](FenetreTest& t) {
            return t.w(valider)->isVisible() && memo(t, champ)->toPlainText() == Saisie;
        };
    };
    const auto boutonEditeur = [](const char* nom) {
        return [nom](FenetreTest&) { g_editeur->findChild<QPushButton*>(nom)->click(); };
    };
    return {
        {"Client",
         [](FenetreTest& t) {
             t.clic("BtnModifier");
             t.saisir("Adresse1", "rue gardée");
             memo(t, "Commentaire")->setPlainText(Saisie);
         },
         bouton("BtnValider"),
         [](FenetreTest& t) {
             return t.w("BtnValider")->isVisible() && t.texte("Adresse1") == QStringLiteral("rue gardée") &&
                    memo(t, "Commentaire")->toPlainText() == Saisie;
         },
         "select length(Commentaire) from Client where Nom = 'ACME' and Adresse1 = 'rue gardée'"},
        {"Interlocuteur",
         [](FenetreTest& t) {
             t.clic("BtnCreerInterlocuteur");
             t.saisir("NomInterlocuteur", "Nouveau");
             memo(t, "CommentaireInterlocuteur")->setPlainText(Saisie);
         },
         bouton("BtnValiderInterlocuteur"), saisieMemo("BtnValiderInterlocuteur", "CommentaireInterlocuteur"),
         "select length(Commentaire) from Interlocuteur where Nom = 'Nouveau' and Client = 'ACME'"},
        {"Actions",
         [](FenetreTest& t) {
             t.clic("BtnCreerAction");
             memo(t, "CommentaireAction")->setPlainText(Saisie);
         },
         bouton("BtnValiderAction"), saisieMemo("BtnValiderAction", "CommentaireAction"),
         "select length(Commentaire) from Actions where Client = 'ACME' and Interlocuteur = 'Dupont' and "
         "length(Commentaire) > 100"},
        {"RDV",
         [](FenetreTest& t) {
             t.clic("BtnModifierRDV");
             memo(t, "CommentaireRDV")->setPlainText(Saisie);
         },
         bouton("BtnValiderRDV"), saisieMemo("BtnValiderRDV", "CommentaireRDV"),
         "select length(Commentaire) from RDV where Client = 'ACME' and length(Commentaire) > 100"},
        {"Service",
         [](FenetreTest&) {
             g_editeur = std::make_unique<FrmReference>(TypeReference::Service, nullptr);
             g_editeur->show();
             g_editeur->findChild<QPushButton*>("BtnCreer")->click();
             g_editeur->findChild<QLineEdit*>("Nom")->setText(Saisie);
         },
         boutonEditeur("BtnValider"),
         [](FenetreTest&) {
             return g_editeur->findChild<QPushButton*>("BtnValider")->isVisible() &&
                    g_editeur->findChild<QLineEdit*>("Nom")->text() == Saisie;
         },
         "select length(Nom) from Service"},
    };
}

// A small tmpfs over the database's folder; taken away after the window, with the folder.
class Montage {
public:
    explicit Montage(const QString& dossier) : m_dossier(dossier) {
        m_monte = ::mount("tmpfs", QFile::encodeName(dossier).constData(), "tmpfs", 0, "size=1m") == 0;
    }
    ~Montage() {
        if (m_monte && ::umount2(QFile::encodeName(m_dossier).constData(), MNT_DETACH) == 0)
            QDir(m_dossier).removeRecursively();
    }
    bool monte() const { return m_monte; }
    // Fills the disk but for 8 KiB.
    void remplir() const {
        struct statvfs etat {};
        ::statvfs(QFile::encodeName(m_dossier).constData(), &etat);
        QFile bourre(m_dossier + QStringLiteral("/bourre"));
        bourre.open(QIODevice::WriteOnly);
        bourre.write(QByteArray(qint64(etat.f_bavail * etat.f_frsize) - 8192, '\0'));
    }
    void vider() const { QFile::remove(m_dossier + QStringLiteral("/bourre")); }

private:
    QString m_dossier;
    bool m_monte = false;
};

QFile::Permissions droits(bool ecriture) {
    QFile::Permissions p = QFile::ReadOwner | QFile::ExeOwner;
    return ecriture ? p | QFile::WriteOwner : p;
}

} // namespace

class TestPannesBase : public QObject {
    Q_OBJECT

    QSqlDatabase m_autre;

    void provoquer(Panne panne, FenetreTest& t, const QString& table, const Montage* montage) {
        switch (panne) {
        case Panne::Verrou:
            // Another program in the middle of a save.
            QVERIFY(QSqlQuery(m_autre).exec(QStringLiteral("BEGIN IMMEDIATE")));
            break;
        case Panne::Lecteur: {
            // Another program reading: the save may write, but not commit.
            QSqlQuery q(m_autre);
            QVERIFY(q.exec(QStringLiteral("BEGIN")) &&
                    q.exec(QStringLiteral("SELECT count(*) FROM Client")) && q.next());
            break;
        }
        case Panne::Dossier:
            // Where no journal can be made; the file itself stays writable.
            QVERIFY(QFile::setPermissions(t.base.dossier(), droits(false)));
            break;
        case Panne::Table:
            QVERIFY(QSqlQuery(m_autre).exec(QStringLiteral("ALTER TABLE %1 RENAME TO Cache").arg(table)));
            break;
        case Panne::Pages: {
            // The file may not grow by a page: a disk full for this connection only.
            QSqlQuery q(Connexion->base());
            QVERIFY(q.exec(QStringLiteral("PRAGMA page_count")) && q.next());
            const int pages = q.value(0).toInt();
            QVERIFY(q.exec(QStringLiteral("PRAGMA max_page_count = %1").arg(pages)));
            break;
        }
        case Panne::Tmpfs:
            montage->remplir();
            break;
        }
    }

    void lever(Panne panne, FenetreTest& t, const QString& table, const Montage* montage) {
        switch (panne) {
        case Panne::Verrou:
        case Panne::Lecteur:
            QVERIFY(QSqlQuery(m_autre).exec(QStringLiteral("ROLLBACK")));
            break;
        case Panne::Dossier:
            QVERIFY(QFile::setPermissions(t.base.dossier(), droits(true)));
            break;
        case Panne::Table:
            QVERIFY(QSqlQuery(m_autre).exec(QStringLiteral("ALTER TABLE Cache RENAME TO %1").arg(table)));
            break;
        case Panne::Pages:
            QVERIFY(QSqlQuery(Connexion->base()).exec(QStringLiteral("PRAGMA max_page_count = 1073741823")));
            break;
        case Panne::Tmpfs:
            montage->vider();
            break;
        }
    }

    // Only someone the permissions bind sees a folder that takes no journal: as root, the case
    // runs again in a child process as "nobody".
    void enfantSansPrivilege() {
        QTemporaryDir execution;
        QFile::setPermissions(execution.path(), droits(true));
        if (chown(QFile::encodeName(execution.path()).constData(), 65534, 65534) != 0)
            QSKIP("no unprivileged user here");
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), execution.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(QStringLiteral("setpriv"),
                {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                 QStringLiteral("--clear-groups"), QCoreApplication::applicationFilePath(),
                 QStringLiteral("pannes:") + QString::fromUtf8(QTest::currentDataTag())});
        if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
            QSKIP("the test could not run again without privileges here");
        const QString sortie = QString::fromUtf8(p.readAll());
        if (sortie.contains(QLatin1String("Cannot open")) || !sortie.contains(QLatin1String("Totals")))
            QSKIP("the test could not run again without privileges here");
        QVERIFY2(p.exitCode() == 0, qPrintable(sortie));
    }

private slots:
    void initTestCase() { Connection::setAttenteVerrou(100); }

    void cleanup() {
        g_editeur.reset();
        if (m_autre.isValid()) {
            m_autre.close();
            m_autre = QSqlDatabase();
            QSqlDatabase::removeDatabase(QStringLiteral("autre"));
        }
    }

    void pannes_data() {
        QTest::addColumn<int>("panne");
        QTest::addColumn<int>("zone");
        const char* pannes[] = {"verrou", "lecteur", "dossier", "table", "pages", "tmpfs"};
        const QList<Zone> z = zones();
        for (int p = 0; p < 6; ++p)
            for (int i = 0; i < z.size(); ++i)
                QTest::addRow("%s %s", pannes[p], qPrintable(z[i].table)) << p << i;
    }

    void pannes() {
        QFETCH(int, panne);
        QFETCH(int, zone);
        const Panne p = Panne(panne);
        const Zone z = zones()[zone];
        if (p == Panne::Dossier && geteuid() == 0)
            return enfantSansPrivilege();
        std::unique_ptr<Montage> montage;
        FenetreTest t(
            {client("ACME"), contact("Dupont", "ACME", 1),
             "insert into RDV (Client, Interlocuteur, Commentaire, DatePrevue, Fait, DateSaisie) "
             "values ('ACME', 'Dupont', 'visite', '2003-02-21 14:30:00', 0, '2003-01-01 00:00:00')"});
        if (p == Panne::Tmpfs) {
            // The same database, started again from a small disk of its own.
            FinApplication();
            QFile fichier(t.base.fichier());
            QVERIFY(fichier.open(QIODevice::ReadOnly));
            const QByteArray octets = fichier.readAll();
            fichier.close();
            montage = std::make_unique<Montage>(t.base.dossier());
            if (!montage->monte())
                QSKIP("no tmpfs can be mounted here");
            QFile copie(t.base.fichier());
            QVERIFY(copie.open(QIODevice::WriteOnly) && copie.write(octets) == octets.size());
            copie.close();
            Main();
        }
        m_autre = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("autre"));
        m_autre.setDatabaseName(t.base.fichier());
        QVERIFY(m_autre.open());

        z.saisir(t);
        QVERIFY(z.enSaisieAvecSaisie(t));
        const QStringList avant = t.lire(QStringLiteral("select * from ") + z.table);
        Message::effacer();
        provoquer(p, t, z.table, montage.get());
        z.valider(t);
        QVERIFY(!Message::textesAffiches().isEmpty());
        QVERIFY(z.enSaisieAvecSaisie(t));
        lever(p, t, z.table, montage.get());
        QCOMPARE(t.lire(QStringLiteral("select * from ") + z.table), avant);

        Message::effacer();
        z.valider(t);
        QVERIFY2(Message::textesAffiches().isEmpty(), qPrintable(Message::dernierTexte()));
        QVERIFY(!z.enSaisieAvecSaisie(t));
        QCOMPARE(t.lire(z.relecture), QStringList(QString::number(Saisie.size())));
        if (montage) {
            // Nothing may hold a file of the small disk when it goes.
            g_editeur.reset();
            FinApplication();
            cleanup();
            QSqlDatabase::database(QStringLiteral("lecture"), false).close();
            montage.reset();
        }
    }
};

QTEST_MAIN(TestPannesBase)
#include "testpannesbase.moc"

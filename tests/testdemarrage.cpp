// Start-up: Main() opens Brevanta.mdb of the working directory or refuses it, never creating
// or changing a file.
#include "support/basetest.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

namespace {

struct Issue {
    int statut;
    QString sortie;
    QString erreurs;
};

// As root, "nobody" runs the child, for whom permissions count. Its runtime folder is its own, so
// that Qt has nothing to say about it: whatever the child prints on standard error is a fault.
Issue demarrerDans(const QString& dossier, bool sansPrivilege = false, const QStringList& arguments = {}) {
    const bool nobody = sansPrivilege && geteuid() == 0;
    QTemporaryDir execution;
    QFile::setPermissions(execution.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (nobody && chown(QFile::encodeName(execution.path()).constData(), 65534, 65534) != 0)
        return {-1, {}, {}};
    QProcess p;
    p.setWorkingDirectory(dossier);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), execution.path());
    p.setProcessEnvironment(env);
    if (nobody)
        p.start(QStringLiteral("setpriv"),
                QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                            QStringLiteral("--clear-groups"), QStringLiteral(DEMARRAGE_ENFANT)} +
                    arguments);
    else
        p.start(QStringLiteral(DEMARRAGE_ENFANT), arguments);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

// Refused: the start-up message, status 1, no window, nothing printed besides.
void verifierRefus(const Issue& i, const QString& attendu) {
    QCOMPARE(i.statut, 1);
    QVERIFY2(
        i.sortie.startsWith(QStringLiteral("MESSAGE Impossible d'ouvrir la base de données Brevanta.mdb")),
        qPrintable(i.sortie));
    QVERIFY2(i.sortie.contains(attendu), qPrintable(i.sortie));
    QVERIFY(!i.sortie.contains(QLatin1String("FENETRE")));
    QVERIFY2(i.erreurs.isEmpty(), qPrintable(i.erreurs));
}

QStringList contenu(const QString& dossier) {
    return QDir(dossier).entryList(QDir::Files | QDir::Hidden);
}

QByteArray lire(const QString& fichier) {
    QFile f(fichier);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void ecrire(const QString& fichier, const QByteArray& octets) {
    QFile f(fichier);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(octets);
}

} // namespace

class TestDemarrage : public QObject {
    Q_OBJECT
private slots:
    void ouvreUneBaseBrevanta() {
        BaseTest base;
        const Issue i = demarrerDans(base.dossier());
        QCOMPARE(i.statut, 0);
        QVERIFY2(i.sortie.contains(QLatin1String("FENETRE frmClient")), qPrintable(i.sortie));
        QVERIFY(!i.sortie.contains(QLatin1String("MESSAGE")));
    }

    // The message says how to get a database; nothing is created.
    void sansFichierRienNEstCree() {
        QTemporaryDir dossier;
        const Issue i = demarrerDans(dossier.path());
        verifierRefus(i, QStringLiteral("Erreur 14"));
        QVERIFY(i.sortie.contains(QLatin1String("brevanta-db init Brevanta.mdb")));
        QVERIFY(i.sortie.contains(QLatin1String("scripts/run")));
        QCOMPARE(contenu(dossier.path()), QStringList());
    }

    void fichiersRefuses_data() {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("vide") << QByteArray() << QStringLiteral("no such table: Client");
        QTest::newRow("texte")
            << QByteArray("Ceci n'est pas une base de donnees, juste du texte.\n").repeated(200)
            << QStringLiteral("Erreur 26");
        QByteArray jet(2048, '\0');
        jet.replace(0, 19, QByteArray("\x00\x01\x00\x00Standard Jet DB", 19));
        QTest::newRow("access") << jet << QStringLiteral("base Microsoft Access");
    }

    void fichiersRefuses() {
        QFETCH(QByteArray, octets);
        QFETCH(QString, attendu);
        QTemporaryDir dossier;
        const QString fichier = dossier.filePath(QStringLiteral("Brevanta.mdb"));
        ecrire(fichier, octets);
        const Issue i = demarrerDans(dossier.path());
        verifierRefus(i, attendu);
        QVERIFY(!i.sortie.contains(QLatin1String("brevanta-db init")));
        QCOMPARE(lire(fichier), octets);
        QCOMPARE(contenu(dossier.path()), QStringList{QStringLiteral("Brevanta.mdb")});
    }

    void tableManquante() {
        BaseTest base;
        base.sqlite(QStringLiteral("DROP TABLE Fonction"));
        const QByteArray avant = lire(base.fichier());
        verifierRefus(demarrerDans(base.dossier()), QStringLiteral("Fonction"));
        QCOMPARE(lire(base.fichier()), avant);
    }

    // Another program holds the file: the wait for its lock ends in the refusal.
    void fichierVerrouille() {
        BaseTest base;
        // Read before the lock is taken: closing any descriptor of the file drops this process's locks.
        const QByteArray avant = lire(base.fichier());
        QSqlDatabase autre = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("autre"));
        autre.setDatabaseName(base.fichier());
        QVERIFY(autre.open());
        QVERIFY(QSqlQuery(autre).exec(QStringLiteral("BEGIN EXCLUSIVE")));
        const Issue i = demarrerDans(base.dossier(), false, {QStringLiteral("100")});
        QVERIFY(QSqlQuery(autre).exec(QStringLiteral("ROLLBACK")));
        autre.close();
        autre = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("autre"));
        verifierRefus(i, QString());
        QCOMPARE(lire(base.fichier()), avant);
        QCOMPARE(contenu(base.dossier()), QStringList{QStringLiteral("Brevanta.mdb")});
    }

    // A file the program cannot write to, or whose folder takes no journal, is refused at start-up
    // rather than at the first save.
    void ecritureImpossible_data() {
        QTest::addColumn<bool>("fichierInscriptible");
        QTest::newRow("fichier protégé") << false;
        QTest::newRow("dossier protégé") << true;
    }

    void ecritureImpossible() {
        QFETCH(bool, fichierInscriptible);
        BaseTest base;
        const QFile::Permissions lecture =
            QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup | QFile::ReadOther;
        const QFile::Permissions ecriture =
            QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup | QFile::WriteOther;
        QFile::setPermissions(base.fichier(), fichierInscriptible ? lecture | ecriture : lecture);
        QFile::setPermissions(base.dossier(), lecture | QFile::ExeOwner | QFile::ExeUser | QFile::ExeGroup |
                                                  QFile::ExeOther | QFile::WriteOwner);
        const QByteArray avant = lire(base.fichier());
        const Issue i = demarrerDans(base.dossier(), true);
        if (i.statut == -1 || i.sortie.isEmpty())
            QSKIP("the program could not be started without privileges here");
        verifierRefus(i, QStringLiteral("attempt to write a readonly database"));
        QCOMPARE(lire(base.fichier()), avant);
        QCOMPARE(contenu(base.dossier()), QStringList{QStringLiteral("Brevanta.mdb")});
    }
};

QTEST_APPLESS_MAIN(TestDemarrage)
#include "testdemarrage.moc"

// Start-up: Main() opens Brevanta.mdb of the working directory or refuses it, never creating
// or changing a file.
#include "support/basetest.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

namespace {

struct Issue {
    int statut;
    QString sortie;
};

// As root, "nobody" runs the child, for whom permissions count.
Issue demarrerDans(const QString& dossier, bool sansPrivilege = false) {
    QProcess p;
    p.setWorkingDirectory(dossier);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    if (sansPrivilege && geteuid() == 0)
        p.start(QStringLiteral("setpriv"),
                {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                 QStringLiteral("--clear-groups"), QStringLiteral(DEMARRAGE_ENFANT)});
    else
        p.start(QStringLiteral(DEMARRAGE_ENFANT), {});
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput())};
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

    void sansFichierRienNEstCree() {
        QTemporaryDir dossier;
        const Issue i = demarrerDans(dossier.path());
        QCOMPARE(i.statut, 1);
        QVERIFY2(
            i.sortie.contains(QStringLiteral("MESSAGE Impossible d'ouvrir la base de données Brevanta.mdb")),
            qPrintable(i.sortie));
        QVERIFY(i.sortie.contains(QLatin1String("Erreur 14")));
        QVERIFY(!i.sortie.contains(QLatin1String("FENETRE")));
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
        QCOMPARE(i.statut, 1);
        QVERIFY2(i.sortie.contains(attendu), qPrintable(i.sortie));
        QVERIFY(!i.sortie.contains(QLatin1String("FENETRE")));
        QCOMPARE(lire(fichier), octets);
        QCOMPARE(contenu(dossier.path()), QStringList{QStringLiteral("Brevanta.mdb")});
    }

    void tableManquante() {
        BaseTest base;
        base.sqlite(QStringLiteral("DROP TABLE Fonction"));
        const QByteArray avant = lire(base.fichier());
        const Issue i = demarrerDans(base.dossier());
        QCOMPARE(i.statut, 1);
        QVERIFY2(i.sortie.contains(QLatin1String("Fonction")), qPrintable(i.sortie));
        QCOMPARE(lire(base.fichier()), avant);
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
        QCOMPARE(i.statut, 1);
        QVERIFY2(i.sortie.contains(QLatin1String("MESSAGE Impossible d'ouvrir")) &&
                     i.sortie.contains(QLatin1String("attempt to write a readonly database")),
                 qPrintable(i.sortie));
        QVERIFY(!i.sortie.contains(QLatin1String("FENETRE")));
        QCOMPARE(lire(base.fichier()), avant);
        QCOMPARE(contenu(base.dossier()), QStringList{QStringLiteral("Brevanta.mdb")});
    }
};

QTEST_APPLESS_MAIN(TestDemarrage)
#include "testdemarrage.moc"

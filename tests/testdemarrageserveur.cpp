// Start-up on a team's server: Brevanta.ini names it, and the program opens it or says why not.
#include "core/postgres/moteurpostgres.h"
#include "support/demarrage.h"
#include "support/outil.h"
#include "support/serveurtest.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void ecrireIni(const QString& dossier, const QString& contenu) {
    QVERIFY(ecrire(QDir(dossier).filePath(QStringLiteral("Brevanta.ini")), contenu.toUtf8()));
}

} // namespace

class TestDemarrageServeur : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { EXIGER_SERVEUR_TEST(); }

    void demarrage_data() {
        QTest::addColumn<QString>("serveur");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("base") << QStringLiteral("%1") << QString();
        QTest::newRow("sans tables") << QStringLiteral("vide") << QStringLiteral("la table Client manque");
        QTest::newRow("serveur absent") << QStringLiteral("port 1") << QStringLiteral("ne répond pas");
        QTest::newRow("mot de passe") << QStringLiteral("mot de passe") << QStringLiteral("~/.pgpass");
    }

    // Nothing is written in the folder: no Brevanta.mdb, no daily copy (a server has its own).
    void demarrage() {
        QFETCH(QString, serveur);
        QFETCH(QString, attendu);
        ServeurTest base;
        QUrl url(base.url());
        if (serveur == QLatin1String("port 1"))
            url.setPort(1);
        else if (serveur == QLatin1String("mot de passe"))
            url.setPassword(QStringLiteral("secret"));
        if (serveur != QLatin1String("vide"))
            MoteurPostgres::creerTables(base.url());
        QTemporaryDir dossier;
        ecrireIni(dossier.path(), QStringLiteral("[Base]\nServeur=%1\n").arg(url.toString()));
        const Issue i = demarrerDans(QStringLiteral(DEMARRAGE_ENFANT), dossier.path());
        QVERIFY2(i.erreurs.isEmpty(), qPrintable(i.erreurs));
        QCOMPARE(i.statut, attendu.isEmpty() ? 0 : 1);
        QCOMPARE(i.sortie.contains(QLatin1String("FENETRE frmClient")), attendu.isEmpty());
        QVERIFY2(i.sortie.contains(attendu), qPrintable(i.sortie));
        if (serveur == QLatin1String("mot de passe"))
            QVERIFY(!i.sortie.contains(QLatin1String("secret")));
        else if (!attendu.isEmpty())
            QVERIFY2(i.sortie.startsWith(
                         QStringLiteral("MESSAGE Impossible d'ouvrir la base de données du serveur ") +
                         url.toString()),
                     qPrintable(i.sortie));
        QCOMPARE(QDir(dossier.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("Brevanta.ini")});
    }

    // A Brevanta.ini that names no server leaves the file in use.
    void sansServeur() {
        QTemporaryDir dossier;
        ecrireIni(dossier.path(), QStringLiteral("[Base]\nAutre=1\n"));
        const Issue i = demarrerDans(QStringLiteral(DEMARRAGE_ENFANT), dossier.path());
        QCOMPARE(i.statut, 1);
        QVERIFY2(i.sortie.startsWith(
                     QStringLiteral("MESSAGE Impossible d'ouvrir la base de données Brevanta.mdb")),
                 qPrintable(i.sortie));
    }
};

QTEST_GUILESS_MAIN(TestDemarrageServeur)
#include "testdemarrageserveur.moc"

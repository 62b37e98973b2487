// The generated databases of the speed measurements, made by brevanta-db run as the user runs it.
#include "core/bd/connection.h"
#include "core/bd/horloge.h"
#include "core/bd/recordset.h"

#include <QtTest>

namespace {
int lancer(const QString& dossier, const QStringList& arguments) {
    QProcess p;
    p.setWorkingDirectory(dossier);
    p.start(BREVANTA_DB, arguments);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return -1;
    return p.exitCode();
}

// One value over rows of the program's dialect: "Table where ...".
QString valeur(Connection& c, const QString& expression, const QString& lignes) {
    Recordset rs;
    rs.open("select " + expression + " as V from " + lignes, &c);
    return rs.field("V").toText();
}

int compter(Connection& c, const QString& lignes) {
    return valeur(c, "count(*)", lignes).toInt();
}
} // namespace

class TestBaseVolumineuse : public QObject {
    Q_OBJECT
private slots:
    void volumesDemandesEtDonneesVraisemblables();
    void refusSansRienEcrire();
};

void TestBaseVolumineuse::volumesDemandesEtDonneesVraisemblables() {
    QTemporaryDir dossier, autre;
    const QStringList arguments{"bench",      "Brevanta.mdb", "--scale",   "big",  "--clients",      "60",
                                "--contacts", "200",          "--actions", "1200", "--appointments", "400"};
    QCOMPARE(lancer(dossier.path(), arguments), 0);
    QCOMPARE(lancer(dossier.path(), {"check", "Brevanta.mdb"}), 0);
    Connection c;
    c.open(dossier.filePath("Brevanta.mdb"));
    QCOMPARE(compter(c, "Client"), 60);
    QCOMPARE(compter(c, "Interlocuteur"), 200);
    QCOMPARE(compter(c, "Actions"), 1200);
    QCOMPARE(compter(c, "RDV"), 400);
    QVERIFY(compter(c, "Service") > 0 && compter(c, "Decision") > 0 && compter(c, "Fonction") > 0);
    QCOMPARE(compter(c, "Client c where (select count(*) from Interlocuteur i where i.Client=c.Nom and "
                        "i.ContactPrincipal=1) <> 1"),
             0);
    QCOMPARE(compter(c, "Interlocuteur where Fonction in (select Nom from Fonction) and Service in "
                        "(select Nom from Service) and Decision in (select Nom from Decision)"),
             200);
    const QDate jour = Horloge::aujourdhui();
    for (const QString table : {"Actions", "RDV"}) {
        const int n = compter(c, table);
        QCOMPARE(compter(c, table + " a where (select count(*) from Interlocuteur i where i.Client=a.Client "
                                    "and i.Nom=a.Interlocuteur) = 0"),
                 0);
        // A third to do, a third at a time of day, over seven years around today.
        QVERIFY(qAbs(3 * compter(c, table + " where Fait=0") - n) < n / 8);
        QVERIFY(qAbs(3 * compter(c, table + " where DatePrevue not like \"% 00:00:00\"") - n) < n / 8);
        const QDate premier = QDate::fromString(valeur(c, "min(DatePrevue)", table).left(10), "yyyy-MM-dd");
        const QDate dernier = QDate::fromString(valeur(c, "max(DatePrevue)", table).left(10), "yyyy-MM-dd");
        QVERIFY(premier.daysTo(dernier) > 6 * 365 && premier.daysTo(dernier) <= 7 * 366);
        QVERIFY(premier < jour.addYears(-4) && dernier > jour.addYears(1));
        QCOMPARE(compter(c, table + " where DateSaisie > DatePrevue or DateSaisie > now()"), 0);
    }
    // French names, a double quote stored as $B; the same request gives the same rows.
    QVERIFY(compter(c, "Interlocuteur where Nom like \"%é%\" or Nom like \"%è%\"") > 0);
    QVERIFY(compter(c, "Actions where Commentaire like \"%$B%\"") > 0);
    QCOMPARE(lancer(autre.path(), arguments), 0);
    QFile premier(dossier.filePath("Brevanta.mdb")), second(autre.filePath("Brevanta.mdb"));
    QVERIFY(premier.open(QIODevice::ReadOnly) && second.open(QIODevice::ReadOnly));
    QVERIFY(premier.readAll() == second.readAll());
}

void TestBaseVolumineuse::refusSansRienEcrire() {
    QTemporaryDir dossier;
    for (const QStringList& options :
         QList<QStringList>{{"--scale", "huge"}, {"--actions", "-3"}, {"--clients"}, {"--rows", "10"}}) {
        QCOMPARE(lancer(dossier.path(), QStringList{"bench", "Brevanta.mdb"} + options), 1);
        QVERIFY(QDir(dossier.path()).isEmpty());
    }
}

QTEST_GUILESS_MAIN(TestBaseVolumineuse)
#include "testbasevolumineuse.moc"

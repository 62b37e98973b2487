// A child saving, renaming and deleting through the main window, killed again and again: each time
// the file passes check and holds what was acknowledged, with at most the operation under way on top.
#include "support/basetest.h"
#include "support/outil.h"

#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>
#include <thread>

const int Coupures = 30;

// What the file must hold after an operation: "table|client|fields" rows, clients included, sorted as read.
static QStringList appliquer(QStringList lignes, const QStringList& op) {
    const QString genre = op.value(1);
    if (genre == "RENOMME" || genre == "SUPPRIME") {
        // Contacts, actions and appointments follow their client; a deleted client's appointments stay.
        QStringList restent;
        for (const QString& l : lignes) {
            QStringList champs = l.split('|');
            if (champs[1] != op[2] || (champs[0] == "RDV" && genre == "SUPPRIME"))
                restent << l;
            else if (genre == "RENOMME")
                restent << (champs[1] = op[3], champs.join('|'));
        }
        lignes = restent;
    } else if (!genre.isEmpty())
        lignes << op.mid(1).join('|');
    lignes.sort();
    return lignes;
}

class TestCoupures : public QObject {
    Q_OBJECT
private slots:
    void coupuresAuHasard() {
        bool fixee = false;
        const quint32 graine = qEnvironmentVariableIntValue("BREVANTA_GRAINE_COUPURES", &fixee);
        const quint32 g = fixee ? graine : QRandomGenerator::global()->generate() % 1000000;
        qInfo("graine %u : BREVANTA_GRAINE_COUPURES=%u pour rejouer", g, g);
        QRandomGenerator hasard(g);
        qputenv("QT_QPA_PLATFORM", "offscreen"); // the child's windows, even run outside ctest
        BaseTest base;
        // Rows of another time whose client is gone: they were there before and may stay.
        base.sqlite("insert into Interlocuteur (Nom, Client) values ('Seul', 'Disparu')");
        base.sqlite("insert into Actions (Client, Interlocuteur, Commentaire) values ('Disparu', 'Seul', "
                    "'ancienne')");
        QStringList modele{"Actions|Disparu|Seul|ancienne", "Interlocuteur|Disparu|Seul"};
        int enCours = 0, journaux = 0;
        for (int tour = 1; tour <= Coupures; ++tour) {
            // Killed during the n-th operation, a few milliseconds after it began.
            const int n = 1 + int(hasard.bounded(30)), attente = int(hasard.bounded(8000));
            QProcess enfant;
            enfant.setWorkingDirectory(base.dossier());
            enfant.start(QStringLiteral(ECRITURES_ENFANT), {QString::number(g), QString::number(tour)});
            QStringList lignes;
            int operations = 0;
            while (operations < n && enfant.waitForReadyRead(10000))
                while (enfant.canReadLine()) {
                    lignes << QString::fromUtf8(enfant.readLine()).chopped(1);
                    operations += lignes.last().startsWith("OP\t");
                }
            std::this_thread::sleep_for(std::chrono::microseconds(attente));
            enfant.kill();
            enfant.waitForFinished(10000);
            lignes += QString::fromUtf8(enfant.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
            QVERIFY2(!lignes.join('\n').contains("ECHEC"), qPrintable(lignes.join('\n')));
            // A fast child may have announced more before it was read, never fewer.
            QVERIFY2(operations >= n,
                     qPrintable("l'enfant s'est arrêté seul (code " + QString::number(enfant.exitCode()) +
                                ") : " + QString::fromUtf8(enfant.readAllStandardError())));
            // Acknowledged operations are in; the last one announced may or may not be.
            QStringList annoncee;
            for (const QString& l : lignes)
                if (l.startsWith("OP\t"))
                    annoncee = l.split('\t');
                else if (l == "OK")
                    modele = appliquer(modele, std::exchange(annoncee, {}));
            journaux += QFileInfo(base.fichier() + "-journal").size() > 0;
            QVERIFY(outilDit(base.dossier(), {"check", "Brevanta.mdb"}, 0));
            QStringList contenu;
            for (const char* sql : {"select 'Client', Nom from Client",
                                    "select 'Interlocuteur', Client, Nom from Interlocuteur",
                                    "select 'Actions', Client, Interlocuteur, Commentaire from Actions",
                                    "select 'RDV', Client, Interlocuteur, Commentaire from RDV"})
                contenu << lignesFichier(base.fichier(), sql);
            contenu.sort();
            const QStringList apres = appliquer(modele, annoncee);
            QVERIFY2(contenu == modele || contenu == apres,
                     qPrintable(QString("tour %1, opération en cours %2\n%3")
                                    .arg(QString::number(tour), annoncee.join(' '), contenu.join('\n'))));
            if (contenu == apres && !annoncee.isEmpty()) {
                modele = apres;
                ++enCours;
            }
        }
        qInfo("%d coupures : %d au milieu d'une écriture, %d après une écriture pas encore confirmée",
              Coupures, journaux, enCours);
    }
};

QTEST_GUILESS_MAIN(TestCoupures)
#include "testcoupures.moc"

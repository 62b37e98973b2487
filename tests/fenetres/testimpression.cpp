// The week and a client's sheet written to PDF through the real windows and their file dialog,
// read back with poppler's pdftotext and pdfinfo.
#include "support/planningtest.h"

#include <QFileDialog>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {
// The output of a poppler tool on the file.
QString poppler(const QString& outil, const QStringList& arguments) {
    QProcess p;
    p.start(outil, arguments);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return "échec de " + outil + QString::fromUtf8(p.readAllStandardError());
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Clicks the button and answers the file dialog with this file. The PDF must hold each of `tient`
// (words separated by single spaces) and none of `exclus`, on `pages` pages of `taille`.
void exporter(QWidget* bouton, const QString& fichier, const QStringList& tient, const QStringList& exclus,
              const QString& pages, const QString& taille) {
    QTimer::singleShot(0, [fichier] {
        if (auto* dialogue = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            dialogue->selectFile(fichier);
            static_cast<QDialog*>(dialogue)->accept();
        }
    });
    QTest::mouseClick(bouton, Qt::LeftButton);
    const QString texte = poppler("pdftotext", {fichier + ".pdf", "-"}).simplified();
    for (const QString& attendu : tient)
        QVERIFY2(texte.contains(attendu), qPrintable(attendu + " dans " + texte));
    for (const QString& absent : exclus)
        QVERIFY2(!texte.contains(absent), qPrintable(absent));
    const QString info = poppler("pdfinfo", {fichier + ".pdf"});
    QVERIFY2(info.contains(QRegularExpression("\nPages: +" + pages + "\n")) &&
                 info.contains(QRegularExpression("\nPage size: +" + QRegularExpression::escape(taille))),
             qPrintable(info));
}
} // namespace

class TestImpression : public QObject {
    Q_OBJECT
    QTemporaryDir m_dossier;

private slots:
    void initTestCase() {
        for (const char* outil : {"pdftotext", "pdfinfo"})
            if (QStandardPaths::findExecutable(outil).isEmpty())
                QSKIP(qPrintable(QString("%1 manque : installez poppler-utils").arg(outil)));
        QVERIFY(m_dossier.isValid());
    }

    // A crowded Monday still prints on one sheet.
    void semaine() {
        QStringList lignes{
            client("Zeta"), contact("Zoé", "Zeta", 1), zoe("Actions", "18 14:30:00", "Appeler pour le devis"),
            zoe("RDV", "20 00:00:00", "Visite atelier"), zoe("RDV", "25 09:00:00", "Semaine suivante")};
        for (int i = 10; i < 50; ++i)
            lignes << zoe("Actions", "17 08:00:00", QString("Tâche %1").arg(i));
        Planning p(lignes);
        exporter(p.w("BtnExporterPdf"), m_dossier.filePath("semaine"),
                 {"Planning — Semaine du 17 au 23 février 2003", "Lundi 17", "Mardi 18", "Samedi/dimanche",
                  "14:30 ■ Appeler pour le devis — Zeta", "● Visite atelier — Zeta",
                  "08:00 ■ Tâche 10 — Zeta", "08:00 ■ Tâche 49 — Zeta"},
                 {"Semaine suivante"}, "1", "842 x 595 pts (A4)");
    }

    void ficheClient() {
        FenetreTest t(
            {"insert into Client (Nom, Ville, Tel) values ('Le $BBon$B Pain', 'Lyon', '04 78 00 00 00')",
             contact("Durand", "Le $BBon$B Pain", 1),
             "insert into Interlocuteur (Nom, Client, email) values ('Martin', 'Le $BBon$B Pain', "
             "'martin@pain.fr')",
             suivi("Actions", "Le $BBon$B Pain", "Martin", "Relancer la commande", "2003-02-18 14:30:00"),
             suivi("Actions", "Le $BBon$B Pain", "Martin", "Déjà faite", "2003-02-18 00:00:00", -1),
             suivi("RDV", "Le $BBon$B Pain", "Durand", "Dégustation", "2003-03-04 00:00:00"), client("Autre"),
             suivi("Actions", "Autre", "", "Pas la sienne")});
        t.clicTexte("VsfListeClients", 0, "Le 'Bon' Pain");
        QCOMPARE(t.texte("Nom"), "Le 'Bon' Pain");
        exporter(t.w("BtnFichePdf"), m_dossier.filePath("fiche"),
                 {"Fiche client — Le 'Bon' Pain", "Lyon", "04 78 00 00 00", "Durand", "Martin",
                  "martin@pain.fr", "18/02/2003 14:30", "Relancer la commande", "04/03/2003", "Dégustation",
                  "Rendez-vous à faire"},
                 {"Déjà faite", "Pas la sienne"}, "1", "595 x 842 pts (A4)");
    }
};

QTEST_MAIN(TestImpression)
#include "testimpression.moc"

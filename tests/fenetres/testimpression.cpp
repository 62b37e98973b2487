// The week and a client's sheet written to PDF through the real windows and their file dialog,
// read back with poppler's pdftotext and pdfinfo.
#include "support/fenetretest.h"

#include "core/bd/horloge.h"
#include "gui/planning/frmplanning.h"

#include <QFileDialog>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {
// The output of a poppler tool on the file.
QString poppler(const char* outil, const QStringList& arguments) {
    QProcess p;
    p.start(QString::fromLatin1(outil), arguments);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QStringLiteral("échec de ") + QString::fromLatin1(outil) +
               QString::fromUtf8(p.readAllStandardError());
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Clicks the button, answers the file dialog with this file, and gives back the PDF's text, words
// separated by single spaces, then its page count and size.
QStringList exporter(QWidget* bouton, const QString& fichier) {
    QTimer::singleShot(0, [fichier] {
        auto* dialogue = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialogue)
            return;
        dialogue->selectFile(fichier);
        static_cast<QDialog*>(dialogue)->accept();
    });
    QTest::mouseClick(bouton, Qt::LeftButton);
    const QString texte = poppler("pdftotext", {fichier + QStringLiteral(".pdf"), QStringLiteral("-")});
    const QString info = poppler("pdfinfo", {fichier + QStringLiteral(".pdf")});
    QString pages, taille;
    for (const QString& ligne : info.split(QLatin1Char('\n'))) {
        if (ligne.startsWith(QLatin1String("Pages:")))
            pages = ligne.section(QLatin1Char(':'), 1).trimmed();
        if (ligne.startsWith(QLatin1String("Page size:")))
            taille = ligne.section(QLatin1Char(':'), 1).trimmed();
    }
    return {texte.simplified(), pages, taille};
}
} // namespace

class TestImpression : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        for (const char* outil : {"pdftotext", "pdfinfo"})
            if (QStandardPaths::findExecutable(QString::fromLatin1(outil)).isEmpty())
                QSKIP(qPrintable(
                    QStringLiteral("%1 manque : installez poppler-utils").arg(QLatin1String(outil))));
        QVERIFY(m_dossier.isValid());
    }
    void semaine();
    void ficheClient();

private:
    QTemporaryDir m_dossier;
};

void TestImpression::semaine() {
    QStringList lignes{client("Zeta"), contact("Zoé", "Zeta", 1),
                       suivi("Actions", "Zeta", "Zoé", "Appeler pour le devis", "2003-02-18 14:30:00"),
                       suivi("RDV", "Zeta", "Zoé", "Visite atelier", "2003-02-20 00:00:00"),
                       suivi("RDV", "Zeta", "Zoé", "Semaine suivante", "2003-02-25 09:00:00")};
    // A crowded Monday still prints on one sheet.
    for (int i = 10; i < 50; ++i)
        lignes << suivi("Actions", "Zeta", "Zoé", QStringLiteral("Tâche %1").arg(i), "2003-02-17 08:00:00");
    FenetreTest t(lignes);
    Horloge::fixer(QDateTime(QDate(2003, 2, 19), QTime(10, 0)));
    t.clic("BtnPlanning");
    const QStringList pdf = exporter(enfant<QWidget>(frmPlanning, "BtnExporterPdf"),
                                     m_dossier.filePath(QStringLiteral("semaine")));
    Horloge::reprendre();
    const QString& texte = pdf.value(0);
    for (const char* attendu :
         {"Planning — Semaine du 17 au 23 février 2003", "Lundi 17", "Mardi 18", "Samedi/dimanche",
          "14:30 ■ Appeler pour le devis — Zeta", "● Visite atelier — Zeta", "08:00 ■ Tâche 10 — Zeta",
          "08:00 ■ Tâche 49 — Zeta"})
        QVERIFY2(texte.contains(QString::fromUtf8(attendu)),
                 qPrintable(attendu + QStringLiteral(" dans ") + texte));
    QVERIFY(!texte.contains(QStringLiteral("Semaine suivante")));
    QCOMPARE(pdf.value(1), QStringLiteral("1"));
    QVERIFY2(pdf.value(2).startsWith(QStringLiteral("842 x 595")) &&
                 pdf.value(2).endsWith(QStringLiteral("(A4)")),
             qPrintable(pdf.value(2)));
}

void TestImpression::ficheClient() {
    FenetreTest t(
        {QStringLiteral("insert into Client (Nom, Ville, Tel) values ('Le $BBon$B Pain', 'Lyon', "
                        "'04 78 00 00 00')"),
         contact("Durand", "Le $BBon$B Pain", 1),
         QStringLiteral("insert into Interlocuteur (Nom, Client, email) values ('Martin', 'Le $BBon$B "
                        "Pain', 'martin@pain.fr')"),
         suivi("Actions", "Le $BBon$B Pain", "Martin", "Relancer la commande", "2003-02-18 14:30:00"),
         suivi("Actions", "Le $BBon$B Pain", "Martin", "Déjà faite", "2003-02-18 00:00:00", -1),
         suivi("RDV", "Le $BBon$B Pain", "Durand", "Dégustation", "2003-03-04 00:00:00"), client("Autre"),
         suivi("Actions", "Autre", "", "Pas la sienne")});
    t.clicGrille("VsfListeClients",
                 int(t.colonne("VsfListeClients").indexOf(QStringLiteral("Le 'Bon' Pain"))) + 1);
    QCOMPARE(t.texte("Nom"), QStringLiteral("Le 'Bon' Pain"));
    const QStringList pdf = exporter(t.w("BtnFichePdf"), m_dossier.filePath(QStringLiteral("fiche")));
    const QString& texte = pdf.value(0);
    for (const char* attendu :
         {"Fiche client — Le 'Bon' Pain", "Lyon", "04 78 00 00 00", "Durand", "Martin", "martin@pain.fr",
          "18/02/2003 14:30", "Relancer la commande", "04/03/2003", "Dégustation", "Rendez-vous à faire"})
        QVERIFY2(texte.contains(QString::fromUtf8(attendu)),
                 qPrintable(attendu + QStringLiteral(" dans ") + texte));
    for (const char* absent : {"Déjà faite", "Pas la sienne"})
        QVERIFY2(!texte.contains(QString::fromUtf8(absent)), absent);
    QVERIFY2(pdf.value(2).startsWith(QStringLiteral("595 x 842")) &&
                 pdf.value(2).endsWith(QStringLiteral("(A4)")),
             qPrintable(pdf.value(2)));
}

QTEST_MAIN(TestImpression)
#include "testimpression.moc"

#include "gui/impression/impression.h"

#include "core/bd/connection.h"
#include "core/bd/session.h"
#include "core/sauvegarde/ecrituresure.h"
#include "widgets/message.h"

#include <QBuffer>
#include <QDir>
#include <QFileDialog>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

namespace Impression {
void imprimer(const QString& page, QPagedPaintDevice& imprimante, Sens sens) {
    imprimante.setPageSize(QPageSize(QPageSize::A4));
    imprimante.setPageOrientation(sens == Sens::Paysage ? QPageLayout::Landscape : QPageLayout::Portrait);
    imprimante.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
    QTextDocument document;
    document.setHtml(page);
    const int resolution = imprimante.logicalDpiX();
    const QRectF zone = imprimante.pageLayout().paintRectPixels(resolution);
    // Laid out at screen size, then scaled to the sheet: the same page on any printer.
    const qreal echelle = resolution / 96.0;
    document.setPageSize(QSizeF(zone.width() / echelle, zone.height() / echelle));
    document.setTextWidth(zone.width() / echelle);
    qreal facteur = echelle;
    const qreal hauteur = document.size().height() * echelle;
    if (sens == Sens::Paysage && hauteur > zone.height())
        facteur = echelle * zone.height() / hauteur;
    QPainter peintre(&imprimante);
    peintre.scale(facteur, facteur);
    document.drawContents(&peintre);
}

QString ecrirePdf(const QString& page, const QString& fichier, Sens sens) {
    QBuffer octets;
    octets.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&octets);
        pdf.setResolution(1200);
        pdf.setCreator(QStringLiteral("Brevanta"));
        imprimer(page, pdf, sens);
    }
    EcritureSure f(fichier, Connexion ? Connexion->description() : QString());
    return f.ouvrir() && f.ecrire(octets.data()) && f.valider() ? QString() : f.erreur();
}

void imprimerAvecDialogue(const QString& page, Sens sens, QWidget* parent) {
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setPageOrientation(sens == Sens::Paysage ? QPageLayout::Landscape : QPageLayout::Portrait);
    QPrintDialog dialogue(&imprimante, parent);
    dialogue.setWindowTitle(QStringLiteral("Imprimer"));
    if (dialogue.exec() == QDialog::Accepted)
        imprimer(page, imprimante, sens);
}

void exporterPdfAvecDialogue(const QString& page, Sens sens, const QString& nomPropose, QWidget* parent) {
    QString fichier = QFileDialog::getSaveFileName(parent, QStringLiteral("Exporter en PDF"),
                                                   QDir::home().filePath(nomPropose),
                                                   QStringLiteral("Documents PDF (*.pdf)"));
    if (fichier.isEmpty())
        return;
    if (!fichier.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        fichier += QStringLiteral(".pdf");
    const QString erreur = ecrirePdf(page, fichier, sens);
    if (!erreur.isEmpty())
        Message::ok(erreur, parent);
}

QString html(const QString& texte) {
    return texte.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"));
}
} // namespace Impression

#include "gui/impression/impression.h"

#include "widgets/message.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

namespace Impression {
void imprimer(const QString& page, QPrinter& imprimante, Sens sens) {
    imprimante.setPageSize(QPageSize(QPageSize::A4));
    imprimante.setPageOrientation(sens == Sens::Paysage ? QPageLayout::Landscape : QPageLayout::Portrait);
    imprimante.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
    QTextDocument document;
    document.setHtml(page);
    const QRectF zone = imprimante.pageLayout().paintRectPixels(imprimante.resolution());
    // Laid out at screen size, then scaled to the sheet: the same page on any printer.
    const qreal echelle = imprimante.resolution() / 96.0;
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

bool ecrirePdf(const QString& page, const QString& fichier, Sens sens) {
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(fichier);
    imprimante.setCreator(QStringLiteral("Brevanta"));
    imprimer(page, imprimante, sens);
    return QFileInfo(fichier).size() > 0;
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
    if (!ecrirePdf(page, fichier, sens))
        Message::ok(QStringLiteral("Impossible d'écrire le fichier ") + QDir::toNativeSeparators(fichier),
                    parent);
}

QString html(const QString& texte) {
    return texte.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"));
}
} // namespace Impression

#pragma once

#include <QString>

class QPagedPaintDevice;
class QWidget;

// Pages written as HTML, printed or written to PDF on A4 through Qt's print support.
namespace Impression {
enum class Sens { Portrait, Paysage };
// Lays the page out on the printer or PDF, already set up; the text shrinks so that a landscape page
// stays one sheet.
void imprimer(const QString& html, QPagedPaintDevice& imprimante, Sens sens);
// Writes the page to this PDF file as brevanta-db writes its files (EcritureSure, the base's
// permissions, never through a symbolic link); the French reason when it cannot, empty otherwise.
QString ecrirePdf(const QString& html, const QString& fichier, Sens sens);
// Asks for a printer with Qt's print dialog, then prints.
void imprimerAvecDialogue(const QString& html, Sens sens, QWidget* parent);
// Asks for a file name, proposing this one, then writes the PDF; says so when it fails.
void exporterPdfAvecDialogue(const QString& html, Sens sens, const QString& nomPropose, QWidget* parent);
// Escapes a text for the page, its line breaks kept.
QString html(const QString& texte);
} // namespace Impression

#pragma once

#include <QString>

class QPrinter;
class QWidget;

// Pages written as HTML, printed or written to PDF on A4 through Qt's print support.
namespace Impression {
enum class Sens { Portrait, Paysage };
// Lays the page out on the printer, already set up; the text shrinks so that a landscape page
// stays one sheet.
void imprimer(const QString& html, QPrinter& imprimante, Sens sens);
// Writes the page to this PDF file; false when the file cannot be written.
bool ecrirePdf(const QString& html, const QString& fichier, Sens sens);
// Asks for a printer with Qt's print dialog, then prints.
void imprimerAvecDialogue(const QString& html, Sens sens, QWidget* parent);
// Asks for a file name, proposing this one, then writes the PDF; says so when it fails.
void exporterPdfAvecDialogue(const QString& html, Sens sens, const QString& nomPropose, QWidget* parent);
// Escapes a text for the page, its line breaks kept.
QString html(const QString& texte);
} // namespace Impression

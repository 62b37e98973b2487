#pragma once

#include <QByteArray>
#include <QString>

// Content lines of iCalendar (RFC 5545) and vCard (RFC 6350) files.
namespace LigneContenu {
// A text value of iCalendar, or a component of a structured vCard value (N, ADR, ORG): backslash,
// semicolon and comma escaped, a line break written \n, the other control characters but the tab
// left out.
QString texte(const QString& valeur);
// A vCard value of one text (FN, TITLE, NOTE): as texte() but for the semicolon, which only
// separates components.
QString texteSimple(const QString& valeur);
// "NOM;PARAMETRES:valeur" in UTF-8, folded into lines of at most 75 octets (a continuation line
// starts with a blank, and a character is never cut), ended by CRLF.
QByteArray ligne(const QString& nom, const QString& valeur);
} // namespace LigneContenu

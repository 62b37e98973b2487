#pragma once

#include <QString>
#include <QUrl>

class QAbstractButton;
class QLineEdit;

// The small buttons beside the web, phone and e-mail fields: a click hands the field's address to
// the system's browser, telephony or mail program. The fields themselves stay plain text.
namespace LiensFiche {
enum class Genre { Web, Telephone, Email };
// The address a field's text opens, empty when there is none.
QUrl adresse(const QString& texte, Genre genre);
void lier(QAbstractButton& bouton, const QLineEdit& champ, Genre genre);
} // namespace LiensFiche

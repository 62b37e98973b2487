#include "gui/mainwindow/liensfiche.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QLineEdit>
#include <QRegularExpression>

namespace LiensFiche {
QUrl adresse(const QString& texte, Genre genre) {
    const QString t = texte.trimmed();
    if (t.isEmpty())
        return {};
    switch (genre) {
    case Genre::Web:
        return QUrl::fromUserInput(t);
    case Genre::Email:
        return QUrl(QStringLiteral("mailto:") + t);
    case Genre::Telephone: {
        // Numbers are typed with spaces, dots or dashes between the pairs of digits.
        QString numero = t;
        numero.remove(QRegularExpression(QStringLiteral("[^0-9+]")));
        return numero.isEmpty() ? QUrl() : QUrl(QStringLiteral("tel:") + numero);
    }
    }
    return {};
}

void lier(QAbstractButton& bouton, const QLineEdit& champ, Genre genre) {
    QObject::connect(&bouton, &QAbstractButton::clicked, &champ, [&champ, genre] {
        const QUrl url = adresse(champ.text(), genre);
        if (url.isValid())
            QDesktopServices::openUrl(url);
    });
}
} // namespace LiensFiche

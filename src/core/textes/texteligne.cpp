#include "core/textes/texteligne.h"

#include <QRegularExpression>

QString surUneLigne(const QString& texte) {
    static const QRegularExpression controles(
        QStringLiteral("[\\x{0}-\\x{1F}\\x{7F}\\x{85}\\x{2028}\\x{2029}]+"));
    QString t = texte;
    return t.replace(controles, QStringLiteral(" "));
}

#include "core/textes/texteligne.h"

#include <QRegularExpression>

QString surUneLigne(const QString& texte) {
    static const QRegularExpression controles(
        QStringLiteral("[\\x{0}-\\x{1F}\\x{7F}\\x{85}\\x{2028}\\x{2029}]+"));
    QString t = texte;
    return t.replace(controles, QStringLiteral(" "));
}

QString extrait(const QString& valeur, int longueur) {
    const QString ligne = surUneLigne(valeur.left(longueur + 1));
    return ligne.size() > longueur ? ligne.left(longueur) + QChar(0x2026) : ligne;
}

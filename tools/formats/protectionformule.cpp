#include "formats/protectionformule.h"

#include <QRegularExpression>

namespace {

bool formule(const QString& t) {
    static const QRegularExpression telephone(QStringLiteral("^[0-9 .()/-]*$"));
    if (t.isEmpty())
        return false;
    const QChar c = t[0];
    if (c == QLatin1Char('=') || c == QLatin1Char('@') || c == QLatin1Char('\t') || c == QLatin1Char('\r'))
        return true;
    return (c == QLatin1Char('+') || c == QLatin1Char('-')) && !telephone.match(t.mid(1)).hasMatch();
}

// A text that would lose an apostrophe on the way back is protected too: '=1 leaves as ''=1.
bool aProteger(const QString& t) {
    return formule(t) || (t.startsWith(QLatin1Char('\'')) && aProteger(t.mid(1)));
}

} // namespace

QString protegerFormule(const QString& texte) {
    return aProteger(texte) ? QLatin1Char('\'') + texte : texte;
}

QString retirerProtection(const QString& champ) {
    return champ.startsWith(QLatin1Char('\'')) && aProteger(champ.mid(1)) ? champ.mid(1) : champ;
}

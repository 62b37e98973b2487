#include "core/textes/datesaisie.h"

#include "core/textes/regional.h"

#include <QRegularExpression>

namespace Regional {

QDateTime lireDateSaisie(const QString& texte) {
    static const QRegularExpression forme(QStringLiteral(
        R"(^\s*(\d{1,2})([/.-])(\d{1,2})\2(\d{2}|\d{4})(?:\s+(\d{1,2})(?:h(\d{2})?|:(\d{2})(?::(\d{2}))?))?\s*$)"));
    const QRegularExpressionMatch m = forme.match(texte);
    if (!m.hasMatch())
        return QDateTime();
    int annee = m.captured(4).toInt();
    if (m.capturedLength(4) == 2)
        annee += 2000;
    const QDate jour(annee, m.captured(3).toInt(), m.captured(1).toInt());
    const QString minutes = m.captured(6).isEmpty() ? m.captured(7) : m.captured(6);
    const QTime heure = m.captured(5).isEmpty()
                            ? QTime(0, 0)
                            : QTime(m.captured(5).toInt(), minutes.toInt(), m.captured(8).toInt());
    if (!jour.isValid() || !heure.isValid())
        return QDateTime();
    return dateHeure(jour, heure);
}

} // namespace Regional

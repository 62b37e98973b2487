#include "gui/planning/semaine.h"

#include "core/bd/routines.h"
#include "core/textes/regional.h"

Semaine::Semaine(const QDate& jour, int decalage, const QStringList& jours)
    : m_lundi(jour.addDays(1 - jour.dayOfWeek() + 7 * qint64(decalage))), m_jours(jours) {}

QString Semaine::titre() const {
    const QDate dimanche = m_lundi.addDays(6);
    return QStringLiteral(" Semaine du %1 au %2 %3 %4")
        .arg(m_lundi.day())
        .arg(dimanche.day(), 2, 10, QLatin1Char('0'))
        .arg(Regional::nomMois(dimanche.month()))
        .arg(dimanche.year());
}

QString Semaine::entete(int colonne) const {
    return m_jours.value(colonne) + QLatin1Char(' ') + QString::number(m_lundi.addDays(colonne).day());
}

int Semaine::colonne(const QDate& jour) const {
    const qint64 jours = m_lundi.daysTo(jour);
    if (jours < 0 || jours > 6)
        return -1;
    return int(std::min<qint64>(jours, 5));
}

QString Semaine::condition() const {
    return QStringLiteral("DatePrevue>=#") + FormatDateSql(m_lundi) + QStringLiteral("# and DatePrevue<#") +
           FormatDateSql(m_lundi.addDays(7)) + QLatin1Char('#');
}

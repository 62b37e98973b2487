#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// The week the planning shows, Monday to Sunday.
class Semaine {
public:
    // The week `decalage` weeks away from the one holding `jour`; `jours` names its columns,
    // Monday first.
    Semaine(const QDate& jour, int decalage, const QStringList& jours);

    QDate lundi() const { return m_lundi; }
    // " Semaine du 17 au 23 février 2003": only the Sunday's month is named.
    QString titre() const;
    // Header of a weekday column, 0 to 4: "Lundi 17".
    QString entete(int colonne) const;
    // 0 to 4 from Monday to Friday, 5 for Saturday and Sunday; -1 outside the week.
    int colonne(const QDate& jour) const;
    // Planned dates from Monday 00:00 up to the next Monday, excluded: every hour of Sunday is in.
    QString condition() const;

private:
    QDate m_lundi;
    QStringList m_jours;
};

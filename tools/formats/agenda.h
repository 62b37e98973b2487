#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QVector>

// One record of the calendar: an appointment is an event, an action a to-do.
struct ElementAgenda {
    bool tache;
    QString uid;
    QDateTime date; // wall-clock time, as stored; midnight stands for the whole day
    QString resume;
    QString description;
    bool fait;
};

// An iCalendar file (RFC 5545). Events last dureeMinutes, or the whole day when they are at
// midnight; to-dos are due at their date. A done record stays, so that a calendar that imported it
// before updates it: an event is then cancelled, a to-do completed. Times are floating, without a
// time zone, as stored; horodatage, the moment of writing, is the one time in UTC, as the standard
// wants it.
QByteArray ecrireAgenda(const QVector<ElementAgenda>& elements, const QDateTime& horodatage,
                        int dureeMinutes);

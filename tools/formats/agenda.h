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
};

// An iCalendar file (RFC 5545). Events last an hour, or the whole day when they are at midnight;
// to-dos are due at their date. Times are floating, without a time zone, as stored; horodatage,
// the moment of writing, is the one time in UTC, as the standard wants it.
QByteArray ecrireAgenda(const QVector<ElementAgenda>& elements, const QDateTime& horodatage);

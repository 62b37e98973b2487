#include "formats/agenda.h"

#include "formats/lignecontenu.h"

#include <QTimeZone>

namespace {

using LigneContenu::ligne;

// "DTSTART;VALUE=DATE:20240305" or "DTSTART:20240305T093000". Wall-clock values are read and
// written without going through the machine's time zone.
QByteArray date(const QString& propriete, const QDate& jour, const QTime& heure) {
    if (heure == QTime(0, 0))
        return ligne(propriete + QStringLiteral(";VALUE=DATE"), jour.toString(QStringLiteral("yyyyMMdd")));
    return ligne(propriete,
                 jour.toString(QStringLiteral("yyyyMMdd")) + heure.toString(QStringLiteral("'T'HHmmss")));
}

QByteArray element(const ElementAgenda& e, const QString& horodatage, int dureeMinutes) {
    const QString composant = e.tache ? QStringLiteral("VTODO") : QStringLiteral("VEVENT");
    QByteArray t = ligne(QStringLiteral("BEGIN"), composant);
    t += ligne(QStringLiteral("UID"), e.uid);
    t += ligne(QStringLiteral("DTSTAMP"), horodatage);
    const QDate jour = e.date.date();
    const QTime heure = e.date.time();
    if (e.tache) {
        t += date(QStringLiteral("DUE"), jour, heure);
        t += ligne(QStringLiteral("STATUS"),
                   e.fait ? QStringLiteral("COMPLETED") : QStringLiteral("NEEDS-ACTION"));
    } else {
        t += date(QStringLiteral("DTSTART"), jour, heure);
        // Later on the wall clock, whatever the time zone does that day.
        const QDateTime fin = QDateTime(jour, heure, QTimeZone::utc()).addSecs(60LL * dureeMinutes);
        t += heure == QTime(0, 0) ? date(QStringLiteral("DTEND"), jour.addDays(1), heure)
                                  : date(QStringLiteral("DTEND"), fin.date(), fin.time());
        // A done appointment took place: calendars show a cancelled one struck out.
        t += ligne(QStringLiteral("STATUS"), QStringLiteral("CONFIRMED"));
    }
    t += ligne(QStringLiteral("SUMMARY"), LigneContenu::texte(e.resume));
    if (!e.description.isEmpty())
        t += ligne(QStringLiteral("DESCRIPTION"), LigneContenu::texte(e.description));
    return t + ligne(QStringLiteral("END"), composant);
}

} // namespace

QByteArray ecrireAgenda(const QVector<ElementAgenda>& elements, const QDateTime& horodatage,
                        int dureeMinutes) {
    const QString utc = horodatage.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    QByteArray t = ligne(QStringLiteral("BEGIN"), QStringLiteral("VCALENDAR"));
    t += ligne(QStringLiteral("VERSION"), QStringLiteral("2.0"));
    t += ligne(QStringLiteral("PRODID"), QStringLiteral("-//Brevanta//brevanta-db//FR"));
    t += ligne(QStringLiteral("CALSCALE"), QStringLiteral("GREGORIAN"));
    for (const ElementAgenda& e : elements)
        t += element(e, utc, dureeMinutes);
    return t + ligne(QStringLiteral("END"), QStringLiteral("VCALENDAR"));
}

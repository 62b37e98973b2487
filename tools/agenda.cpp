#include "agenda.h"

#include "lignecontenu.h"

namespace {

using LigneContenu::ligne;

// "DTSTART;VALUE=DATE:20240305" or "DTSTART:20240305T093000".
QByteArray date(const QString& propriete, const QDateTime& d) {
    if (d.time() == QTime(0, 0))
        return ligne(propriete + QStringLiteral(";VALUE=DATE"), d.toString(QStringLiteral("yyyyMMdd")));
    return ligne(propriete, d.toString(QStringLiteral("yyyyMMdd'T'HHmmss")));
}

QByteArray element(const ElementAgenda& e, const QString& horodatage) {
    const QString composant = e.tache ? QStringLiteral("VTODO") : QStringLiteral("VEVENT");
    QByteArray t = ligne(QStringLiteral("BEGIN"), composant);
    t += ligne(QStringLiteral("UID"), e.uid);
    t += ligne(QStringLiteral("DTSTAMP"), horodatage);
    if (e.tache) {
        t += date(QStringLiteral("DUE"), e.date);
        t += ligne(QStringLiteral("STATUS"), QStringLiteral("NEEDS-ACTION"));
    } else {
        const bool journee = e.date.time() == QTime(0, 0);
        t += date(QStringLiteral("DTSTART"), e.date);
        t += date(QStringLiteral("DTEND"), journee ? e.date.addDays(1) : e.date.addSecs(3600));
    }
    t += ligne(QStringLiteral("SUMMARY"), LigneContenu::texte(e.resume));
    if (!e.description.isEmpty())
        t += ligne(QStringLiteral("DESCRIPTION"), LigneContenu::texte(e.description));
    return t + ligne(QStringLiteral("END"), composant);
}

} // namespace

QByteArray ecrireAgenda(const QVector<ElementAgenda>& elements, const QDateTime& horodatage) {
    const QString utc = horodatage.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    QByteArray t = ligne(QStringLiteral("BEGIN"), QStringLiteral("VCALENDAR"));
    t += ligne(QStringLiteral("VERSION"), QStringLiteral("2.0"));
    t += ligne(QStringLiteral("PRODID"), QStringLiteral("-//Brevanta//brevanta-db//FR"));
    t += ligne(QStringLiteral("CALSCALE"), QStringLiteral("GREGORIAN"));
    for (const ElementAgenda& e : elements)
        t += element(e, utc);
    return t + ligne(QStringLiteral("END"), QStringLiteral("VCALENDAR"));
}

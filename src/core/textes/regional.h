#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QVariant>
#include <limits>

// French (France) regional settings, whatever the machine says.
namespace Regional {
void appliquer();
QLocale locale();

// Dates are wall-clock values with no time zone: every date the program builds holds its fields
// tagged UTC, so that no zone's clock changes skip or double an hour.
QDateTime dateHeure(const QDate& jour, const QTime& heure = QTime(0, 0));

// The empty date of the record windows and the date picker: 30/12/1899 00:00.
QDateTime dateZero();

// "dd/MM/yyyy", with " HH:mm:ss" only when the time is not midnight.
QString texteDate(const QDateTime& d);
// Reads "dd/MM/yyyy" with an optional " HH:mm[:ss]"; an invalid date when the text is not one.
QDateTime lireDate(const QString& texte);
// Reads the stored form "yyyy-MM-dd HH:mm:ss" (or "yyyy-MM-dd"); an invalid date otherwise.
QDateTime lireDateStockee(const QString& texte);

// A date as milliseconds since 1970 of the wall clock, for lists that keep many: the stored form
// read straight from the engine's bytes, and the conversions both ways.
inline constexpr qint64 InstantInvalide = std::numeric_limits<qint64>::min();
// Reads the stored dates of one column, row after row, keeping the day of the last one: a list
// read in date order mostly gives the same day again.
class LectureInstants {
public:
    qint64 instant(QLatin1String texte);

private:
    char m_jour[10] = {};
    qint64 m_jours = InstantInvalide;
};
QDateTime dateDeInstant(qint64 ms);
qint64 instantDe(const QDateTime& d);
// Digits, a minus sign, the decimal comma; no group separator, no exponent.
QString texteNombre(double n);
// The ordinary conversion of a value to text: text unchanged, numbers and dates as above.
QString texteValeur(const QVariant& v);
// "février"
QString nomMois(int mois);
} // namespace Regional

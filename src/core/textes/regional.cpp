#include "core/textes/regional.h"

#include <cstring>

namespace Regional {

void appliquer() {
    QLocale::setDefault(locale());
}

QLocale locale() {
    QLocale fr(QLocale::French, QLocale::France);
    fr.setNumberOptions(QLocale::OmitGroupSeparator);
    return fr;
}

QDateTime dateHeure(const QDate& jour, const QTime& heure) {
    return QDateTime(jour, heure, Qt::UTC);
}

QDateTime dateZero() {
    static const QDateTime zero = dateHeure(QDate(1899, 12, 30));
    return zero;
}

namespace {

// Reads the digits at [debut, debut + n), or -1 when one of them is not a digit. Lists sort and
// load many dates: QDateTime::fromString is far too slow for that.
// Texts are a QString, or the stored bytes of a date straight from the engine.
template <typename Texte> int chiffres(const Texte& t, int debut, int n) {
    int v = 0;
    for (int i = debut; i < debut + n; ++i) {
        const char16_t c = t[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        v = v * 10 + (c - u'0');
    }
    return v;
}

template <typename Texte> bool separateur(const Texte& t, int i, char c) {
    return t[i].unicode() == char16_t(c);
}

// The time part "HH:mm[:ss]" from position i to the end.
QTime lireHeure(const QString& t, int i) {
    const int reste = int(t.size()) - i;
    if (reste != 5 && reste != 8)
        return QTime();
    if (!separateur(t, i + 2, ':') || (reste == 8 && !separateur(t, i + 5, ':')))
        return QTime();
    const int s = reste == 8 ? chiffres(t, i + 6, 2) : 0;
    return QTime(chiffres(t, i, 2), chiffres(t, i + 3, 2), s);
}

QDateTime assembler(int annee, int mois, int jour, const QTime& heure) {
    const QDate d(annee, mois, jour);
    if (!d.isValid() || !heure.isValid())
        return QDateTime();
    return dateHeure(d, heure);
}

// Appends v on n digits (n at most 4), zeros in front.
void ecrireChiffres(QString& t, int v, int n) {
    QChar c[4];
    for (int i = n - 1; i >= 0; --i, v /= 10)
        c[i] = QChar(u'0' + v % 10);
    t.append(c, n);
}

} // namespace

QString texteDate(const QDateTime& d) {
    if (!d.isValid())
        return QString();
    // Written by hand: QDateTime::toString dominates the filling of long lists.
    QString t;
    t.reserve(19);
    const QDate j = d.date();
    ecrireChiffres(t, j.day(), 2);
    t += QLatin1Char('/');
    ecrireChiffres(t, j.month(), 2);
    t += QLatin1Char('/');
    ecrireChiffres(t, j.year(), 4);
    const QTime h = d.time();
    if (h == QTime(0, 0))
        return t;
    t += QLatin1Char(' ');
    ecrireChiffres(t, h.hour(), 2);
    t += QLatin1Char(':');
    ecrireChiffres(t, h.minute(), 2);
    t += QLatin1Char(':');
    ecrireChiffres(t, h.second(), 2);
    return t;
}

QDateTime lireDate(const QString& texte) {
    const QString t = texte.trimmed();
    // "dd/MM/yyyy", also "d/M/yyyy" as a person may type it.
    const int barre1 = int(t.indexOf(QLatin1Char('/')));
    const int barre2 = barre1 < 0 ? -1 : int(t.indexOf(QLatin1Char('/'), barre1 + 1));
    if (barre1 < 1 || barre1 > 2 || barre2 < barre1 + 2 || barre2 > barre1 + 3 || t.size() < barre2 + 5)
        return QDateTime();
    const int jour = chiffres(t, 0, barre1);
    const int mois = chiffres(t, barre1 + 1, barre2 - barre1 - 1);
    const int annee = chiffres(t, barre2 + 1, 4);
    const int finDate = barre2 + 5;
    QTime heure(0, 0);
    if (t.size() > finDate) {
        if (!separateur(t, finDate, ' '))
            return QDateTime();
        heure = lireHeure(t, finDate + 1);
    }
    if (jour < 0 || mois < 0 || annee < 0)
        return QDateTime();
    return assembler(annee, mois, jour, heure);
}

namespace {
bool bissextile(int annee) {
    return (annee % 4 == 0 && annee % 100 != 0) || annee % 400 == 0;
}

// Days from 1 January 1970 to a valid date of the proleptic Gregorian calendar.
qint64 joursDepuis1970(int annee, int mois, int jour) {
    const int a = annee - (mois <= 2);
    const int ere = (a >= 0 ? a : a - 399) / 400;
    const int anneeDeLEre = a - ere * 400;
    const int jourDeLAnnee = (153 * (mois > 2 ? mois - 3 : mois + 9) + 2) / 5 + jour - 1;
    const int jourDeLEre = anneeDeLEre * 365 + anneeDeLEre / 4 - anneeDeLEre / 100 + jourDeLAnnee;
    return qint64(ere) * 146097 + jourDeLEre - 719468;
}

// The day of a stored date: days since 1970, with the checks of QDate (no year 0, no 31 February).
template <typename Texte> qint64 jourStocke(const Texte& t) {
    if (!separateur(t, 4, '-') || !separateur(t, 7, '-'))
        return InstantInvalide;
    const int annee = chiffres(t, 0, 4), mois = chiffres(t, 5, 2), jour = chiffres(t, 8, 2);
    static const int jours[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (annee < 1 || mois < 1 || mois > 12 || jour < 1 ||
        jour > jours[mois - 1] + (mois == 2 && bissextile(annee)))
        return InstantInvalide;
    return joursDepuis1970(annee, mois, jour);
}

// Lists read many stored dates: straight to milliseconds, the time with the checks of QTime (no
// 24:00). Jour gives the day of the first ten characters.
template <typename Texte, typename Jour> qint64 instant(const Texte& t, Jour jour) {
    if (t.size() != 10 && t.size() != 19)
        return InstantInvalide;
    const qint64 j = jour(t);
    if (j == InstantInvalide)
        return InstantInvalide;
    int secondes = 0;
    if (t.size() == 19) {
        const int h = chiffres(t, 11, 2), m = chiffres(t, 14, 2), s = chiffres(t, 17, 2);
        if (!separateur(t, 10, ' ') || !separateur(t, 13, ':') || !separateur(t, 16, ':') || h < 0 ||
            h > 23 || m < 0 || m > 59 || s < 0 || s > 59)
            return InstantInvalide;
        secondes = 3600 * h + 60 * m + s;
    }
    return (j * 86400 + secondes) * 1000;
}
} // namespace

QDateTime lireDateStockee(const QString& texte) {
    return dateDeInstant(instant(texte, [](const QString& t) { return jourStocke(t); }));
}

qint64 LectureInstants::instant(QLatin1String texte) {
    return Regional::instant(texte, [this](QLatin1String t) {
        if (m_jours == InstantInvalide || std::memcmp(t.data(), m_jour, sizeof m_jour) != 0) {
            m_jours = jourStocke(t);
            std::memcpy(m_jour, t.data(), sizeof m_jour);
        }
        return m_jours;
    });
}

QDateTime dateDeInstant(qint64 ms) {
    return ms == InstantInvalide ? QDateTime() : QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
}

qint64 instantDe(const QDateTime& d) {
    return d.isValid() ? d.toMSecsSinceEpoch() : InstantInvalide;
}

QString texteNombre(double n) {
    if (n == 0)
        return QStringLiteral("0");
    return locale().toString(n, 'f', QLocale::FloatingPointShortest);
}

QString texteValeur(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return texteNombre(v.toDouble());
    case QMetaType::QDateTime:
        return texteDate(v.toDateTime());
    case QMetaType::QDate:
        return texteDate(dateHeure(v.toDate()));
    default:
        return v.toString();
    }
}

QString nomMois(int mois) {
    return locale().standaloneMonthName(mois, QLocale::LongFormat).toLower();
}

} // namespace Regional

#include "core/regional.h"

namespace Regional {

void appliquer() {
    QLocale::setDefault(locale());
}

QLocale locale() {
    QLocale fr(QLocale::French, QLocale::France);
    fr.setNumberOptions(QLocale::OmitGroupSeparator);
    return fr;
}

QDateTime dateZero() {
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0));
}

QString texteDate(const QDateTime& d) {
    if (!d.isValid())
        return QString();
    if (d.time() == QTime(0, 0))
        return d.toString(QStringLiteral("dd/MM/yyyy"));
    return d.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
}

QDateTime lireDate(const QString& texte) {
    const QString t = texte.trimmed();
    for (const char* format : {"dd/MM/yyyy HH:mm:ss", "dd/MM/yyyy HH:mm", "dd/MM/yyyy", "d/M/yyyy"}) {
        const QDateTime d = QDateTime::fromString(t, QString::fromLatin1(format));
        if (d.isValid())
            return d;
    }
    return QDateTime();
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
        return texteDate(v.toDate().startOfDay());
    default:
        return v.toString();
    }
}

QString nomMois(int mois) {
    return locale().standaloneMonthName(mois, QLocale::LongFormat).toLower();
}

} // namespace Regional

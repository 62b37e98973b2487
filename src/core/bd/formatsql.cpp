#include "core/bd/formatsql.h"

QString FormatSql(const QString& texte) {
    QString s = texte;
    return s.replace(QLatin1Char('"'), QLatin1String("$B"));
}

QString DecodeSql(const QString& texte) {
    QString s = texte;
    return s.replace(QLatin1String("$B"), QLatin1String("'"));
}

QString TexteSql(const QString& valeur) {
    QString v = valeur;
    return QLatin1Char('"') + v.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

QString DateSql(const QDate& jour) {
    return QLatin1Char('#') + jour.toString(QStringLiteral("yyyy/MM/dd")) + QLatin1Char('#');
}

QString DateSql(const QDateTime& instant) {
    return QLatin1Char('#') + instant.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")) + QLatin1Char('#');
}

#pragma once

#include "core/recordset.h"

#include <QString>

// A text value between the double quotes of a statement. Typed text reaches here already
// encoded by FormatSql; a double quote left in a value (a row written by another tool, a
// reference label) is written with the dialect's own escape so that it stays data.
inline QString TexteSql(const QString& valeur) {
    QString v = valeur;
    return QLatin1Char('"') + v.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

// A text column exactly as stored: never read as a date, NULL as empty text.
inline QString TexteLu(const Recordset& rs, const QString& colonne) {
    return rs.field(colonne).value().toString();
}

// A number column; NULL or text that is no number gives the default.
inline int NombreLu(const Recordset& rs, const QString& colonne, int defaut) {
    const QVariant v = rs.field(colonne).value();
    bool ok = false;
    const double n = v.toDouble(&ok);
    return v.isNull() || !ok ? defaut : qRound(n);
}

#pragma once

#include "core/bd/recordset.h"

#include <QString>

// A number column; NULL or text that is no number gives the default.
inline int NombreLu(const Recordset& rs, const QString& colonne, int defaut) {
    const QVariant v = rs.field(colonne).value();
    bool ok = false;
    const double n = v.toDouble(&ok);
    return v.isNull() || !ok ? defaut : qRound(n);
}

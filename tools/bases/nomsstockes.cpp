#include "bases/nomsstockes.h"

#include "core/bd/formatsql.h"

QString nomSaisi(const QString& saisi) {
    return FormatSql(saisi.trimmed());
}

void NomsStockes::ajouter(const QString& stocke) {
    m_stockes.insert(stocke);
    m_affiches.insert(DecodeSql(stocke), stocke);
}

QString NomsStockes::trouver(const QString& saisi) const {
    const QString stocke = nomSaisi(saisi);
    // A double quote typed shows as the apostrophe its stored $B shows as.
    return m_stockes.contains(stocke) ? stocke : m_affiches.value(DecodeSql(stocke));
}

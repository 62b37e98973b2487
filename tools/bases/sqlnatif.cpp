#include "bases/sqlnatif.h"

namespace Natif {

namespace {
QString numeroter(const QString& sql, Cible cible) {
    if (cible == Cible::Sqlite)
        return sql;
    QString t;
    t.reserve(sql.size() + sql.size() / 4);
    int n = 0;
    for (const QChar c : sql) {
        if (c == QLatin1Char('?'))
            t += QLatin1Char('$') + QString::number(++n);
        else
            t += c;
    }
    return t;
}
} // namespace

Curseur lire(Connection& c, const QString& sql, const QVariantList& valeurs) {
    return c.lireNatif(numeroter(sql, c.cible()), valeurs);
}

int executer(Connection& c, const QString& sql, const QVariantList& valeurs) {
    return c.executerNatif(numeroter(sql, c.cible()), valeurs);
}

QVariant valeur(Connection& c, const QString& sql, const QVariantList& valeurs) {
    Curseur q = lire(c, sql, valeurs);
    return q.suivant() ? q.valeur(0) : QVariant();
}

QString ordreBinaire(const QStringList& colonnes, Cible cible) {
    if (cible == Cible::Sqlite)
        return colonnes.join(QStringLiteral(", "));
    QStringList t;
    for (const QString& c : colonnes)
        t << c + QStringLiteral(" COLLATE \"C\"");
    return t.join(QStringLiteral(", "));
}

QString ordreStable(const QString& table, Cible cible) {
    if (cible == Cible::Sqlite)
        return QStringLiteral("rowid");
    if (table == QLatin1String("Actions") || table == QLatin1String("RDV"))
        return QStringLiteral("Id");
    // Rang numbers the others as they were created, as a file's rowid does.
    return QStringLiteral("Rang");
}

} // namespace Natif

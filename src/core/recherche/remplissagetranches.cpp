#include "core/recherche/remplissagetranches.h"

#include "core/bd/connection.h"

namespace {
qint64 entier(Connection& c, const QString& sql) {
    Curseur r = c.lireNatif(sql);
    return r.suivant() ? r.valeur(0).toLongLong() : 0;
}
} // namespace

void remplirParTranches(Connection& c, const QList<TableNumerotee>& tables, qint64 pas,
                        const std::function<qint64(int i, qint64 debut, qint64 fin)>& remplir,
                        const std::function<void(qint64 fait, qint64 total)>& avancement) {
    qint64 total = 0;
    for (const TableNumerotee& t : tables)
        total += entier(c, QStringLiteral("SELECT count(*) FROM ") + t.table);
    qint64 fait = 0;
    avancement(fait, total);
    for (int i = 0; i < tables.size(); ++i) {
        const TableNumerotee& t = tables[i];
        const qint64 dernier = entier(c, QStringLiteral("SELECT max(%1) FROM %2").arg(t.cle, t.table));
        for (qint64 debut = entier(c, QStringLiteral("SELECT min(%1) FROM %2").arg(t.cle, t.table));
             debut <= dernier; debut += pas) {
            fait += remplir(i, debut, debut + pas);
            avancement(fait, total);
        }
    }
}

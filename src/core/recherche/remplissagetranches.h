#pragma once

#include <QList>
#include <QString>
#include <functional>

class Connection;

// A table whose rows are taken by ranges of one numbered column.
struct TableNumerotee {
    QString table;
    QString cle;
};

// Fills from each table in turn, `pas` numbers at a time, so that a long fill tells its progress and
// no statement holds every row: `remplir(i, debut, fin)` writes the rows of tables[i] numbered from
// debut (included) to fin (excluded) and gives how many; `avancement` hears the rows done out of all.
void remplirParTranches(Connection& c, const QList<TableNumerotee>& tables, qint64 pas,
                        const std::function<qint64(int i, qint64 debut, qint64 fin)>& remplir,
                        const std::function<void(qint64 fait, qint64 total)>& avancement);

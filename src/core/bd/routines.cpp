#include "core/bd/routines.h"

#include "core/bd/recordset.h"

QString FormatDateSql(const QDate& d) {
    return d.toString(QStringLiteral("MM/dd/yyyy"));
}

void InitRecordset(std::unique_ptr<Recordset>& rs, Connection* connexion) {
    if (rs && rs->activeConnection())
        return;
    rs = std::make_unique<Recordset>();
    rs->setActiveConnection(connexion);
}

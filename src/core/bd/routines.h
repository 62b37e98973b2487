#pragma once

#include <QDate>
#include <QString>
#include <memory>

class Connection;
class Recordset;

// "mm/dd/yyyy", month first whatever the regional settings, for a #date# literal.
QString FormatDateSql(const QDate& d);
// Makes sure the variable holds a record set bound to a connection.
void InitRecordset(std::unique_ptr<Recordset>& rs, Connection* connexion);

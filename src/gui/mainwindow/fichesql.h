#pragma once

#include "gui/edition/champsfiche.h"

#include <QStringList>
#include <QVector>

class Recordset;

// Every row of a SELECT, each column of the list as the record set gives it as text.
QVector<Fiche> lireFiches(Recordset& rs, const QString& instruction, const QStringList& colonnes);

using ValeursSql = QList<std::pair<QString, QString>>;
// "insert into T (a,b) values (x,y)"
QString instructionInsertion(const QString& table, const ValeursSql& valeurs);
// "update T set a=x,b=y" followed by the condition.
QString instructionMiseAJour(const QString& table, const ValeursSql& valeurs, const QString& condition);

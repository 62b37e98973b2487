#pragma once

#include <QDate>
#include <QString>
#include <memory>

class Connection;
class Grille;
class QComboBox;
class Recordset;

// "mm/dd/yyyy", month first whatever the regional settings, for a #date# literal.
QString FormatDateSql(const QDate& d);
// Fills a combo box with the Nom column of a reference table, sorted; silent on any failure.
void InitCombo(const QString& table, QComboBox* combo, const QString& clause);
// Position of the item equal to the text (blanks around both ignored, case kept), or -1.
qint16 IndexCombo(const QString& texte, const QComboBox* combo);
// Blanks every data cell; the header row and Rows stay.
void ViderGrille(Grille* grille);
// Sorts on the column whose header was clicked, ascending then descending on each further click.
void TriColonne(Grille* grille, int sens);
// Makes sure the variable holds a record set bound to a connection.
void InitRecordset(std::unique_ptr<Recordset>& rs, Connection* connexion);

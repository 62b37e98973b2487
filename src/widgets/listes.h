#pragma once

#include <QString>

class Grille;
class QComboBox;

// Fills a combo box with the Nom column of a reference table, sorted; silent on any failure.
void InitCombo(const QString& table, QComboBox* combo, const QString& clause);
// Position of the item equal to the text (blanks around both ignored, case kept), or -1.
qint16 IndexCombo(const QString& texte, const QComboBox* combo);
// Blanks every data cell; the header row and Rows stay.
void ViderGrille(Grille* grille);

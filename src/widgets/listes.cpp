#include "widgets/listes.h"

#include "core/bd/erreurbd.h"
#include "core/bd/recordset.h"
#include "core/bd/session.h"
#include "widgets/grille.h"

#include <QComboBox>

void InitCombo(const QString& table, QComboBox* combo, const QString& clause) {
    try {
        Recordset rs;
        rs.open(QStringLiteral("select Nom from ") + table + QLatin1Char(' ') + clause +
                    QStringLiteral(" order by Nom"),
                Connexion);
        combo->clear();
        rs.moveFirst();
        while (!rs.eof()) {
            combo->addItem(rs.field(QStringLiteral("Nom")).value().toString());
            rs.moveNext();
        }
        // Filled, nothing chosen: the user picks again.
        combo->setCurrentIndex(-1);
    } catch (const ErreurBd&) {
        // A reference list that cannot be read leaves the combo as it stands.
    }
}

qint16 IndexCombo(const QString& texte, const QComboBox* combo) {
    const QString cherche = texte.trimmed();
    for (int i = 0; i < combo->count(); ++i)
        if (combo->itemText(i).trimmed() == cherche)
            return qint16(i);
    return -1;
}

void ViderGrille(Grille* grille) {
    for (int c = 0; c < grille->cols(); ++c)
        for (int r = 1; r < grille->rows(); ++r)
            grille->setTextArray(r * grille->cols() + c, QString());
}

#pragma once

#include <QColor>
#include <QString>

// Rows a grid shows without a copy of them: it asks for each cell as it paints. The rows belong
// to the program's own records (a collection the windows read as well).
class SourceLignes {
public:
    virtual ~SourceLignes() = default;
    virtual int nombre() const = 0;
    virtual QString texte(int ligne, int colonne) const = 0;
    // The hidden key of the row.
    virtual QString cle(int ligne) const = 0;
    // Invalid for none.
    virtual QColor fond(int ligne) const = 0;
    // Keys of a header sort, as the grid reads the shown text of a date or number column;
    // a source that holds the values gives them straight.
    virtual qint64 cleDate(int ligne, int colonne) const;
    virtual double cleNombre(int ligne, int colonne) const;
};

// The sort key of a shown date, "dd/MM/yyyy[ HH:mm:ss]": seconds, the lowest for no date.
qint64 cleDateTexte(const QString& texte);
// The sort key of a shown number; 0 for a text that is none.
double cleNombreTexte(const QString& texte);

#pragma once

#include <QColor>
#include <QString>

// A cell set apart from its row: bold, a text colour of its own, a tooltip that says why.
struct Accent {
    bool gras = false;
    QColor couleur;
    QString bulle;
};

// Rows a grid shows without a copy of them: it asks for each cell as it paints. The rows belong
// to the program's own records (a collection the windows read as well). A long list may be read
// as it is scrolled: its first rows, then more at the end as the grid asks.
class SourceLignes {
public:
    virtual ~SourceLignes() = default;
    // The rows read so far.
    virtual int nombre() const = 0;
    // Whether rows remain to be read.
    virtual bool reste() const { return false; }
    // Reads some more rows at the end; cedant: a click or a key of the user stops it.
    virtual void lireSuite(bool /*cedant*/) {}
    // With rows still to read: reads its first rows again, ordered on this column as a stable sort
    // of every row would order them; false when it cannot.
    virtual bool trierSource(int, bool) { return false; }
    virtual QString texte(int ligne, int colonne) const = 0;
    // The hidden key of the row.
    virtual QString cle(int ligne) const = 0;
    // Invalid for none.
    virtual QColor fond(int ligne) const = 0;
    virtual Accent accent(int, int) const { return {}; }
    // Keys of a header sort, as the grid reads the shown text of a date or number column;
    // a source that holds the values gives them straight.
    virtual qint64 cleDate(int ligne, int colonne) const;
    virtual double cleNombre(int ligne, int colonne) const;
};

// The sort key of a shown date, "dd/MM/yyyy[ HH:mm:ss]": seconds, the lowest for no date.
qint64 cleDateTexte(const QString& texte);
// The sort key of a shown number; 0 for a text that is none.
double cleNombreTexte(const QString& texte);

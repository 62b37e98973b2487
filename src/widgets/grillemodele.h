#pragma once

#include "widgets/sourcelignes.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>
#include <QVector>
#include <memory>

enum class TypeColonne { Texte, Date, Nombre, Booleen };
// General: dates and numbers to the right, the rest to the left.
enum class Alignement { General, Gauche, Centre };

// One data row: its cells, the hidden key that the text cannot hold, its background.
struct LigneGrille {
    QStringList cellules;
    QString cle;
    QColor fond;
};

// Rows of text cells for the grid: model row r is the grid's data row r + 1. The rows are its own,
// or those of a source it reads without copying; a header sort only reorders its view of them.
class GrilleModele : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setColonnes(const QStringList& entetes, const QVector<TypeColonne>& types,
                     const QVector<Alignement>& alignements);
    void setNombreLignes(int n);
    // Every row replaced in one reset, however long the list.
    void remplacerLignes(QVector<LigneGrille> lignes);
    // The rows of the source, in its order, in one reset. Changing a cell first copies them. The rows
    // it has yet to read come as the view asks for them (fetchMore).
    void remplacerSource(std::shared_ptr<SourceLignes> source);
    QString texte(int ligne, int colonne) const;
    void setTexte(int ligne, int colonne, const QString& t);
    QString entete(int colonne) const { return m_entetes.value(colonne); }
    void setEntete(int colonne, const QString& t);
    TypeColonne type(int colonne) const { return m_types.value(colonne, TypeColonne::Texte); }
    void setFond(int ligne, const QColor& c);
    QColor fond(int ligne) const;
    Accent accent(int ligne, int colonne) const;
    QString cle(int ligne) const;
    void setCle(int ligne, const QString& cle);
    // Stable sort of whole rows (hidden columns and keys included) on one column; gives, for each
    // new position, the row that was there before. A source with rows still to read sorts itself
    // and shows its first rows: then it gives nothing. A click or a key during a long read or sort
    // stops it (LectureInterrompue), the order unchanged.
    QVector<int> trier(int colonne, bool croissant);
    // A read the user's click or key stops (Cedante), or one that a caller needs whole (Entiere),
    // which only a read already giving way around it can stop.
    enum class Lecture { Cedante, Entiere };
    // Reads some more rows of the source; false when none came (stopped, or none left).
    bool lireSuite(Lecture lecture);
    // Reads every row the source has yet to read; false when it was stopped.
    bool toutLire(Lecture lecture);

    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    Qt::Alignment alignement(int colonne) const;
    void completer(LigneGrille& l) const;
    bool existe(int ligne) const { return ligne >= 0 && ligne < rowCount(); }
    // The row of the source or of m_lignes shown at this place.
    int base(int ligne) const { return m_ordre.isEmpty() ? ligne : m_ordre[ligne]; }
    // Before a cell or the row count changes: the shown rows become the grid's own, in their order.
    void posseder();

    QStringList m_entetes;
    QVector<TypeColonne> m_types;
    QVector<Alignement> m_alignements;
    std::shared_ptr<SourceLignes> m_source;
    // The source's rows shown: those it read before the view was told of them.
    int m_nombre = 0;
    QVector<LigneGrille> m_lignes;
    // Shown place to row, after a header sort; empty for the rows' own order.
    QVector<int> m_ordre;
};

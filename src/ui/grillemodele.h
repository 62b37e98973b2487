#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>
#include <QVector>

enum class TypeColonne { Texte, Date, Nombre, Booleen };
// General: dates and numbers to the right, the rest to the left.
enum class Alignement { General, Gauche, Centre };

// One data row: its cells, the hidden key that the text cannot hold, its background.
struct LigneGrille {
    QStringList cellules;
    QString cle;
    QColor fond;
};

// Rows of text cells for the grid: model row r is the grid's data row r + 1.
class GrilleModele : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setColonnes(const QStringList& entetes, const QVector<TypeColonne>& types,
                     const QVector<Alignement>& alignements);
    void setNombreLignes(int n);
    // Every row replaced in one reset, however long the list.
    void remplacerLignes(QVector<LigneGrille> lignes);
    QString texte(int ligne, int colonne) const;
    void setTexte(int ligne, int colonne, const QString& t);
    QString entete(int colonne) const { return m_entetes.value(colonne); }
    void setEntete(int colonne, const QString& t);
    TypeColonne type(int colonne) const { return m_types.value(colonne, TypeColonne::Texte); }
    void setFond(int ligne, const QColor& c);
    QColor fond(int ligne) const { return m_lignes.value(ligne).fond; }
    QString cle(int ligne) const { return m_lignes.value(ligne).cle; }
    void setCle(int ligne, const QString& cle);
    // Stable sort of whole rows (hidden columns and keys included) on one column; gives, for each
    // new position, the row that was there before.
    QVector<int> trier(int colonne, bool croissant);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    Qt::Alignment alignement(int colonne) const;
    void completer(LigneGrille& l) const;

    QStringList m_entetes;
    QVector<TypeColonne> m_types;
    QVector<Alignement> m_alignements;
    QVector<LigneGrille> m_lignes;
};

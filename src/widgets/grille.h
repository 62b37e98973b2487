#pragma once

#include "widgets/grillemodele.h"

#include <QTableView>

// Every list of the program. Row 0 is the header; data row r is model row r - 1.
// Cells hold text; a hidden key per row keeps what the text cannot (a stored name).
// A click on a header sorts the list and tells nobody; only data rows report clicks (except
// in a grid of cells, below).
class Grille : public QTableView {
    Q_OBJECT
public:
    struct Colonne {
        QString entete;
        int largeurTwips = 1000;
        TypeColonne type = TypeColonne::Texte;
        bool cachee = false;
        Alignement alignement = Alignement::General;
    };
    static constexpr int CellBackColor = 6;

    explicit Grille(QWidget* parent = nullptr);

    void setColonnes(const QList<Colonne>& colonnes);
    // Every cell its own item (a week, day by day): a click selects that one cell, a header
    // cell included, and is reported; nothing sorts.
    void setParCellule(bool oui);
    // Replaces every data row at once; no data row is selected afterwards.
    void remplir(QVector<LigneGrille> lignes);
    // The same with the rows of a source, read as they are painted, in the source's order; the rows
    // it has yet to read come as the list is scrolled.
    void remplir(std::shared_ptr<SourceLignes> source);

    int rows() const;
    void setRows(int n);
    int cols() const;
    int row() const { return m_row; }
    void setRow(int r);
    int col() const { return m_col; }
    void setCol(int c);
    int rowSel() const { return m_rowSel; }
    void setRowSel(int r);
    int colSel() const { return m_colSel; }
    void setColSel(int c);
    QString text() const { return textMatrix(m_row, m_col); }
    void setText(const QString& t) { setTextMatrix(m_row, m_col, t); }
    QString textMatrix(int r, int c) const;
    void setTextMatrix(int r, int c, const QString& t);
    QString textArray(int index) const;
    void setTextArray(int index, const QString& t);
    // Only setting 6, the background colour (blue-green-red), is known.
    void setCell(int setting, int row1, int col1, int row2, int col2, int valeur);
    QColor couleurLigne(int r) const;
    // Sorts the data rows on a column as a click on its header does: ascending the first time,
    // then the other way at each further click on that column. The current and selected rows
    // follow their records.
    void TriColonne(int colonne);
    // While set, a new fill keeps the order of the last header sort (a save reads its list again);
    // otherwise a fill shows the rows in their own order.
    void setTriGarde(bool oui) { m_triGarde = oui; }
    QString rowKey(int r) const;
    void setRowKey(int r, const QString& cle);
    // The first data row holding this key, or -1; rows still to read are read until it is found.
    int ligneDeCle(const QString& cle) const;
    // Selects the whole data row r as the program does: Row, Col 0, RowSel, ColSel Cols - 1.
    void selectionnerLigne(int r);

signals:
    // A click on a data row (the pointer or the keyboard); RowSel is that row.
    void clic();
    void doubleClic();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    bool viewportEvent(QEvent* e) override;

private:
    void afficherSelection();
    // The cell of the current row that scrolling shows: its first visible one.
    QModelIndex celluleEnVue() const;
    // The first data row read so far holding this key, or -1.
    int ligneLueDeCle(const QString& cle) const;
    void clicUtilisateur(int r, int c);
    void garderTri();

    GrilleModele* m_modele;
    // Per column: 0 never sorted, 1 ascending, 2 descending.
    QVector<int> m_colSort;
    // The column the list was last sorted on, or -1.
    int m_colTriee = -1;
    bool m_triGarde = false;
    int m_row = 0, m_col = 0, m_rowSel = 0, m_colSel = 0;
    bool m_parCellule = false;
};

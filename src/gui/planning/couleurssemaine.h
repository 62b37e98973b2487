#pragma once

#include <QStyledItemDelegate>

class Grille;

// Paints each cell of the planning in its item's colour, read from the key grid: actions blue,
// appointments green; the text wraps so that the whole first line shows.
class CouleursSemaine : public QStyledItemDelegate {
public:
    CouleursSemaine(const Grille& cles, QObject* parent);

    static QColor couleur(bool rendezVous);

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    const Grille& m_cles;
};

#include "gui/planning/couleurssemaine.h"

#include "widgets/grille.h"

CouleursSemaine::CouleursSemaine(const Grille& cles, QObject* parent)
    : QStyledItemDelegate(parent), m_cles(cles) {}

QColor CouleursSemaine::couleur(bool rendezVous) {
    return rendezVous ? QColor(0xd8, 0xf0, 0xd8) : QColor(0xd8, 0xe4, 0xf8);
}

void CouleursSemaine::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    const QString cle = m_cles.textMatrix(index.row() + 1, index.column());
    if (!cle.isEmpty())
        option->backgroundBrush = couleur(cle.startsWith(QLatin1Char('R')));
    option->features |= QStyleOptionViewItem::WrapText;
}

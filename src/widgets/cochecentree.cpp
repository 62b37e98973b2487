#include "widgets/cochecentree.h"

#include <QApplication>
#include <QStyle>

void CocheCentree::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    // Any other cell is drawn as it is, its options read once.
    if (!index.data(Qt::CheckStateRole).isValid() ||
        !Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt()).testFlag(Qt::AlignHCenter)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    const QWidget* vue = opt.widget;
    QStyle* style = vue ? vue->style() : QApplication::style();
    const QSize taille = style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opt, vue).size();
    QStyleOptionViewItem coche(opt);
    coche.rect = QStyle::alignedRect(opt.direction, Qt::AlignCenter, taille, opt.rect);
    coche.state = (coche.state & ~QStyle::State_HasFocus) |
                  (opt.checkState == Qt::Checked ? QStyle::State_On : QStyle::State_Off);
    opt.features &= ~QStyleOptionViewItem::HasCheckIndicator;
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, vue);
    style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &coche, painter, vue);
}

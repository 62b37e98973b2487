#pragma once

#include <QStyledItemDelegate>

// Draws the check box of a boolean cell in the middle of a centred column; the style would
// put it on the left whatever the alignment.
class CocheCentree : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

#pragma once

#include <QStyledItemDelegate>

// Draws items without the focus rectangle: a selected row is marked enough.
class CNoFocusDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

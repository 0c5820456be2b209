#include "CTableWidgetDelegate.h"

CTableWidgetDelegate::CTableWidgetDelegate(QObject* parent) : QItemDelegate(parent)
{
}

void CTableWidgetDelegate::drawFocus(QPainter* painter, const QStyleOptionViewItem& option, const QRect& rect) const
{
    Q_UNUSED(painter);
    Q_UNUSED(option);
    Q_UNUSED(rect);
}

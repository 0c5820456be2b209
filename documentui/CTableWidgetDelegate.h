#pragma once

#include <QItemDelegate>

// Item delegate of the tables that select whole rows (the event table, the
// instrument list): draws the cells as usual but without a focus rectangle.
class CTableWidgetDelegate : public QItemDelegate
{
    Q_OBJECT

public:
    explicit CTableWidgetDelegate(QObject* parent = nullptr);

protected:
    void drawFocus(QPainter* painter, const QStyleOptionViewItem& option, const QRect& rect) const override;
};

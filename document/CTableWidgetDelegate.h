#pragma once

#include <QItemDelegate>

// Item delegate of the event table: draws the cells as usual but without a
// focus rectangle, since the table always selects whole rows.
class CTableWidgetDelegate : public QItemDelegate
{
    Q_OBJECT

public:
    explicit CTableWidgetDelegate(QObject* parent = nullptr);

protected:
    void drawFocus(QPainter* painter, const QStyleOptionViewItem& option, const QRect& rect) const override;
};

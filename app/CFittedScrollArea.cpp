#include "CFittedScrollArea.h"

#include <QEvent>
#include <QScrollBar>

CFittedScrollArea::CFittedScrollArea(QWidget* parent) : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
}

QSize CFittedScrollArea::sizeHint() const
{
    if (!widget())
        return QScrollArea::sizeHint();
    QSize size = widget()->sizeHint().expandedTo(widget()->minimumSizeHint());
    // Room for the horizontal scroll bar when the width is short, so that no
    // vertical one is needed as well.
    if (width() < size.width())
        size.rheight() += horizontalScrollBar()->sizeHint().height();
    return size + QSize(2 * frameWidth(), 2 * frameWidth());
}

QSize CFittedScrollArea::minimumSizeHint() const
{
    return QSize(40, 30);
}

bool CFittedScrollArea::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == widget() && event->type() == QEvent::LayoutRequest)
        updateGeometry();
    return QScrollArea::eventFilter(watched, event);
}

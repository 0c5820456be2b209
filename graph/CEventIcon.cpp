#include "CEventIcon.h"

#include <CFile.h>
#include <TraceLengths.h>

#include <QPainter>
#include <QPen>
#include <QPixmap>
#include <QPolygonF>

namespace {

// The ink of the event pictures, as the drawn ones use it.
const QColor kInk(40, 40, 40);
// The end's stop bar, in the red of a fibre end on instrument screens.
const QColor kEndInk(200, 30, 30);

// One stroke in dark ink over a light halo, so that it reads on the plot's
// background and on the traces alike.
void Stroke(QPainter& painter, const QPolygonF& line, const QColor& ink, qreal width)
{
    painter.setPen(QPen(QColor(255, 255, 255, 220), width + 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(line);
    painter.setPen(QPen(ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(line);
}

} // namespace

CEventIcon::tKind CEventIcon::KindOf(const sor::CFile& file, int index)
{
    if (index == sor::EndEventIndex(file))
        return End;
    const quint32 type = file.KeyEvents().at(size_t(index)).codeType;
    return type == sor::tKeyEvent::Reflective || type == sor::tKeyEvent::Saturated ? Reflection : Junction;
}

QIcon CEventIcon::Icon(tKind kind)
{
    if (kind == Reflection)
        return QIcon(QStringLiteral(":/images/EventReflection.png"));
    if (kind == Junction)
        return QIcon(QStringLiteral(":/images/EventJunction.png"));
    // At the sizes of the drawn pictures, for ordinary and high-density screens.
    QIcon icon;
    for (const int side : { 24, 48 }) {
        QPixmap picture(side, side);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        Paint(painter, picture.rect(), End);
        painter.end();
        icon.addPixmap(picture);
    }
    return icon;
}

void CEventIcon::Paint(QPainter& painter, const QRect& rect, tKind kind)
{
    if (kind != End) {
        // Through QIcon, so that a high-density screen gets the larger picture.
        Icon(kind).paint(&painter, rect);
        return;
    }
    // Drawn on a 24 x 24 grid like the other pictures: the falling trace
    // stops at a bar, and only noise follows.
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(rect.topLeft());
    painter.scale(rect.width() / 24.0, rect.height() / 24.0);
    painter.setBrush(Qt::NoBrush);
    Stroke(painter, QPolygonF { { 2.5, 5 }, { 12, 9 } }, kInk, 2.25);
    Stroke(painter, QPolygonF { { 14, 15.5 }, { 16, 20.5 }, { 18, 15.5 }, { 20, 20.5 }, { 22, 16.5 } }, kInk, 1.75);
    Stroke(painter, QPolygonF { { 12.5, 2.5 }, { 12.5, 21.5 } }, kEndInk, 2.5);
    painter.restore();
}

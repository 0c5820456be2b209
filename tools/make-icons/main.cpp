// Writes the icons of the plot's cursors and events as PNG files with a
// transparent background, each at 24 x 24 pixels and at twice that size for
// high-density screens ("Name@2x.png", which Qt picks up by itself).
//   make-icons OUTPUT_FOLDER
// Every icon is drawn on a 24-unit square, so both sizes show the same picture.
#include <QColor>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QString>

#include <cstdio>
#include <functional>

namespace {

constexpr int kDesignSize = 24;

// The colours the plot draws each cursor in, and a dark edge that keeps the
// light ones (green, cyan) visible on white menus.
const QColor kLeftMarker(255, 0, 0);
const QColor kRightMarker(0, 0, 255);
const QColor kOuter(0, 224, 0);
const QColor kCentre(0, 224, 224);
const QColor kEventInk(40, 40, 40);

QColor Edge(const QColor& colour)
{
    return colour.darker(190);
}

// A closed shape filled with `colour` and edged in its dark variant.
void Shape(QPainter& painter, const QPainterPath& path, const QColor& colour)
{
    painter.setPen(QPen(Edge(colour), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(colour);
    painter.drawPath(path);
}

QPainterPath Rect(qreal left, qreal top, qreal width, qreal height)
{
    QPainterPath path;
    path.addRect(left, top, width, height);
    return path;
}

QPainterPath Polygon(const QPolygonF& points)
{
    QPainterPath path;
    path.addPolygon(points);
    path.closeSubpath();
    return path;
}

// A marker: a pole over the whole height with a pennant at the top pointing
// to the marker's side.
void Marker(QPainter& painter, const QColor& colour, bool left)
{
    const qreal pole = left ? 14.5 : 6.5;
    const qreal tip = left ? 2.5 : 21.5;
    QPainterPath path = Rect(pole, 1.5, 3, 21);
    path = path.united(
        Polygon(QPolygonF { { pole + (left ? 0.0 : 3.0), 1.5 }, { tip, 6.5 }, { pole + (left ? 0.0 : 3.0), 11.5 } }));
    Shape(painter, path, colour);
}

// An outer measurement cursor: the short tick the plot draws, with a
// triangle pointing outwards, away from the markers.
void OuterCursor(QPainter& painter, const QColor& colour, bool left)
{
    const qreal tick = left ? 14.5 : 6.5;
    QPainterPath path = Rect(tick, 4.5, 3, 15);
    const QPolygonF arrow = left ? QPolygonF { { 12.5, 5.5 }, { 2.5, 12 }, { 12.5, 18.5 } }
                                 : QPolygonF { { 11.5, 5.5 }, { 21.5, 12 }, { 11.5, 18.5 } };
    path = path.united(Polygon(arrow));
    Shape(painter, path, colour);
}

// The centre cursor: the tick on a base line, as the plot draws it, with a
// diamond on top.
void CentreCursor(QPainter& painter, const QColor& colour)
{
    QPainterPath path = Rect(10.5, 7.5, 3, 12);
    path = path.united(Rect(4.5, 17.5, 15, 3));
    path = path.united(Polygon(QPolygonF { { 12, 1.5 }, { 17, 6.5 }, { 12, 11.5 }, { 7, 6.5 } }));
    Shape(painter, path, colour);
}

// A piece of trace in dark ink over a light halo, so that it reads on the
// plot's background and on the traces alike.
void TraceGlyph(QPainter& painter, const QPolygonF& line)
{
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 255, 255, 220), 4.75, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(line);
    painter.setPen(QPen(kEventInk, 2.25, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(line);
}

// A reflective event: the falling trace with a sharp spike.
void Reflection(QPainter& painter)
{
    TraceGlyph(painter, QPolygonF { { 2.5, 9 }, { 9.5, 12.5 }, { 12, 3 }, { 14.5, 16 }, { 21.5, 19.5 } });
}

// A non-reflective event (splice, junction): the falling trace with a step down.
void Junction(QPainter& painter)
{
    TraceGlyph(painter, QPolygonF { { 2.5, 5 }, { 10.5, 8.5 }, { 11.5, 15.5 }, { 21.5, 19.5 } });
}

// The program's icon: a trace falling across a dark blue tile, with a
// connector's spike and the fibre end dropping into the noise.
void Application(QPainter& painter)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(24, 64, 140));
    painter.drawRoundedRect(QRectF(1, 1, 22, 22), 4, 4);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(120, 150, 200), 0.5, Qt::DotLine));
    for (const qreal y : { 7.0, 12.0, 17.0 })
        painter.drawLine(QPointF(3, y), QPointF(21, y));
    painter.setPen(QPen(QColor(255, 255, 255), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(QPolygonF { { 3.5, 5 }, { 9, 8 }, { 10, 3.5 }, { 11, 9.5 }, { 16.5, 12.5 }, { 17.5, 9 },
                                     { 18.5, 19.5 }, { 19.5, 17.5 }, { 20.5, 20 } });
}

// The program's icon as a Windows icon file, at 64 x 64 pixels.
bool WriteApplicationIcon(const QDir& folder)
{
    QImage image(64, 64, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(64.0 / kDesignSize, 64.0 / kDesignSize);
    Application(painter);
    painter.end();
    const QString file = folder.filePath(QStringLiteral("AppIcon.ico"));
    if (!image.convertToFormat(QImage::Format_ARGB32).save(file, "ICO")) {
        std::fprintf(stderr, "make-icons: cannot write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s\n", qPrintable(file));
    return true;
}

bool Write(const QDir& folder, const QString& name, const std::function<void(QPainter&)>& draw)
{
    for (const int scale : { 1, 2 }) {
        QImage image(kDesignSize * scale, kDesignSize * scale, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(scale, scale);
        draw(painter);
        painter.end();
        const QString file
            = folder.filePath(scale == 1 ? name + QStringLiteral(".png") : name + QStringLiteral("@2x.png"));
        if (!image.convertToFormat(QImage::Format_ARGB32).save(file, "PNG")) {
            std::fprintf(stderr, "make-icons: cannot write %s\n", qPrintable(file));
            return false;
        }
        std::printf("%s\n", qPrintable(file));
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-icons OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "make-icons: cannot create %s\n", argv[1]);
        return 1;
    }

    const bool written = Write(folder, QStringLiteral("CursorLeft"), [](QPainter& p) { Marker(p, kLeftMarker, true); })
        && Write(folder, QStringLiteral("CursorRight"), [](QPainter& p) { Marker(p, kRightMarker, false); })
        && Write(folder, QStringLiteral("CursorELeft"), [](QPainter& p) { OuterCursor(p, kOuter, true); })
        && Write(folder, QStringLiteral("CursorERight"), [](QPainter& p) { OuterCursor(p, kOuter, false); })
        && Write(folder, QStringLiteral("CursorECenter"), [](QPainter& p) { CentreCursor(p, kCentre); })
        && Write(folder, QStringLiteral("EventReflection"), Reflection)
        && Write(folder, QStringLiteral("EventJunction"), Junction)
        && Write(folder, QStringLiteral("AppIcon"), Application) && WriteApplicationIcon(folder);
    return written ? 0 : 1;
}

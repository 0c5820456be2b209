// Writes the program's icons (plot cursors and events, the menu and toolbar
// Writes the program's icons (plot cursors and events, the menu and toolbar
// actions, the instrument's connection state) and the report logo as PNG
// files with a transparent background, the icons each at 24 x 24 pixels and
// at twice that size for high-density screens ("Name@2x.png", which Qt picks
// up by itself).
//   make-icons OUTPUT_FOLDER [DESKTOP_ICON_FOLDER]
// With a second folder it also writes the application icon for the desktop's
// icon theme, at every size file managers and menus ask for, into the
// theme's layout (hicolor/NxN/apps/example.norvane.Lumetrix.png).
// Every icon is drawn on a 24-unit square, so both sizes show the same picture.
#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QString>

#include <cmath>
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

// The action icons share the cursors' way of drawing: flat shapes edged in a
// darker variant of their fill, with small round badges (plus, minus, cross,
// start, check) for the verb where the object alone does not say it.
const QColor kPaper(250, 250, 250);
const QColor kSteel(150, 156, 168);
const QColor kSlate(70, 84, 104);
const QColor kFolder(246, 196, 78);
const QColor kDisk(58, 108, 188);
const QColor kGlass(226, 238, 255);
const QColor kGo(40, 168, 72);
const QColor kStop(214, 52, 52);
const QColor kBrass(222, 176, 52);
const QColor kPlotBackground(218, 236, 255);

enum tBadge { BadgePlus, BadgeMinus, BadgeCross, BadgeStart, BadgeCheck };

QPainterPath Rounded(qreal left, qreal top, qreal width, qreal height, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(left, top, width, height, radius, radius);
    return path;
}

QPainterPath Circle(const QPointF& centre, qreal radius)
{
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

// A thin line in the edge colour, for details drawn on top of a shape.
void Stroke(QPainter& painter, const QColor& colour, qreal width, const QPolygonF& line)
{
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(line);
}

// A round badge with a white symbol, centred on `centre`; a white ring keeps
// it apart from the picture under it.
void Badge(QPainter& painter, const QPointF& centre, const QColor& colour, tBadge symbol)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255));
    painter.drawEllipse(centre, 6.5, 6.5);
    Shape(painter, Circle(centre, 5.5), colour);
    const qreal x = centre.x();
    const qreal y = centre.y();
    const QColor white(255, 255, 255);
    switch (symbol) {
    case BadgePlus:
        Stroke(painter, white, 1.75, { { x - 3, y }, { x + 3, y } });
        Stroke(painter, white, 1.75, { { x, y - 3 }, { x, y + 3 } });
        break;
    case BadgeMinus:
        Stroke(painter, white, 1.75, { { x - 3, y }, { x + 3, y } });
        break;
    case BadgeCross:
        Stroke(painter, white, 1.75, { { x - 2.25, y - 2.25 }, { x + 2.25, y + 2.25 } });
        Stroke(painter, white, 1.75, { { x - 2.25, y + 2.25 }, { x + 2.25, y - 2.25 } });
        break;
    case BadgeStart:
        painter.setPen(Qt::NoPen);
        painter.setBrush(white);
        painter.drawPolygon(QPolygonF { { x - 1.75, y - 3 }, { x + 3, y }, { x - 1.75, y + 3 } });
        break;
    case BadgeCheck:
        Stroke(painter, white, 1.75, { { x - 2.75, y + 0.25 }, { x - 0.75, y + 2.25 }, { x + 2.75, y - 2 } });
        break;
    }
}

// An open folder: the back with its tab, and the front flap tipped forward.
void OpenFolder(QPainter& painter)
{
    Shape(painter,
        Polygon(QPolygonF { { 2.5, 4.5 }, { 9, 4.5 }, { 11, 6.5 }, { 19.5, 6.5 }, { 19.5, 19.5 }, { 2.5, 19.5 } }),
        kFolder.darker(118));
    Shape(painter, Polygon(QPolygonF { { 6, 10.5 }, { 22.5, 10.5 }, { 19.5, 19.5 }, { 2.5, 19.5 } }), kFolder);
}

// A diskette: blue body with a cut corner, the metal shutter and a paper label.
void Diskette(QPainter& painter)
{
    Shape(painter, Polygon(QPolygonF { { 3.5, 3.5 }, { 17.5, 3.5 }, { 20.5, 6.5 }, { 20.5, 20.5 }, { 3.5, 20.5 } }),
        kDisk);
    Shape(painter, Rect(7.5, 3.5, 9, 6), QColor(212, 218, 228));
    painter.setPen(Qt::NoPen);
    painter.setBrush(kDisk.darker(150));
    painter.drawRect(QRectF(12.5, 4.75, 2.25, 3.5));
    Shape(painter, Rect(6.5, 12.5, 11, 8), kPaper);
    Stroke(painter, QColor(150, 160, 180), 0.75, { { 8.5, 15 }, { 15.5, 15 } });
    Stroke(painter, QColor(150, 160, 180), 0.75, { { 8.5, 17.5 }, { 15.5, 17.5 } });
}

void Save(QPainter& painter)
{
    Diskette(painter);
}

// Two diskettes, one behind the other.
void SaveAll(QPainter& painter)
{
    for (const QPointF& offset : { QPointF(5, 0), QPointF(0, 5) }) {
        painter.save();
        painter.translate(offset);
        painter.scale(0.8, 0.8);
        Diskette(painter);
        painter.restore();
    }
}

// A waste bin with its lid and handle.
void Bin(QPainter& painter)
{
    Shape(painter, Polygon(QPolygonF { { 5.5, 8.5 }, { 18.5, 8.5 }, { 17, 21.5 }, { 7, 21.5 } }), kSteel);
    for (const qreal x : { 9.5, 12.0, 14.5 })
        Stroke(painter, Edge(kSteel), 1, { { x, 11 }, { x, 19 } });
    Shape(painter, Rect(9.5, 2.5, 5, 3), kSteel.darker(115));
    Shape(painter, Rect(3.5, 5.5, 17, 3), kSteel.darker(115));
}

// A printer with the sheet going in at the top and the printed page coming out.
void Printer(QPainter& painter)
{
    Shape(painter, Rect(6.5, 2.5, 11, 8), kPaper);
    Shape(painter, Rounded(2.5, 8.5, 19, 9, 2), kSteel);
    Shape(painter, Rect(6.5, 14.5, 11, 7), kPaper);
    Stroke(painter, QColor(150, 150, 150), 0.75, { { 8.5, 17 }, { 15.5, 17 } });
    Stroke(painter, QColor(150, 150, 150), 0.75, { { 8.5, 19.25 }, { 13.5, 19.25 } });
    painter.setPen(Qt::NoPen);
    painter.setBrush(kGo);
    painter.drawEllipse(QPointF(18.5, 11.5), 1.1, 1.1);
}

// A cable with a plug (left) and a socket (right), `gap` pixels further apart
// than when the plug is in.
void PlugAndSocket(QPainter& painter, qreal gap)
{
    const qreal plug = 3 - gap / 2;
    const qreal socket = 11.5 + gap / 2;
    Stroke(painter, kSlate, 2.5, { { 0.5, 12 }, { plug + 1, 12 } });
    Stroke(painter, kSlate, 2.5, { { socket + 5, 12 }, { 23.5, 12 } });
    Shape(painter, Rect(plug + 4.5, 8, 5, 1.75), kBrass);
    Shape(painter, Rect(plug + 4.5, 14.25, 5, 1.75), kBrass);
    Shape(painter, Rounded(plug, 6.5, 5, 11, 1.5), kSteel);
    Shape(painter, Rounded(socket, 6.5, 6, 11, 1.5), kSlate);
}

void Connect(QPainter& painter)
{
    PlugAndSocket(painter, 0);
}

void Disconnect(QPainter& painter)
{
    PlugAndSocket(painter, 5);
    Stroke(painter, kStop, 1.75, { { 10.5, 2 }, { 13, 5.5 } });
    Stroke(painter, kStop, 1.75, { { 10.5, 22 }, { 13, 18.5 } });
}

// The hand-held reflectometer: a body with a screen showing a trace and a row
// of keys. `lit` draws the screen and the lamp of a connected instrument.
void Instrument(QPainter& painter, bool lit)
{
    const QColor body = lit ? kSlate : QColor(128, 132, 140);
    Shape(painter, Rounded(3.5, 1.5, 17, 21, 2.5), body);
    Shape(painter, Rect(6, 4, 12, 9), lit ? kPlotBackground : QColor(205, 208, 212));
    Stroke(painter, lit ? kEventInk : QColor(120, 120, 120), 1,
        { { 7, 6 }, { 10, 7.5 }, { 11, 5 }, { 12, 8.5 }, { 17, 10.5 } });
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(220, 224, 230));
    for (const qreal x : { 8.0, 12.0, 16.0 })
        painter.drawEllipse(QPointF(x, 16.5), 1.4, 1.4);
    painter.setBrush(lit ? QColor(90, 240, 110) : QColor(90, 94, 100));
    painter.drawEllipse(QPointF(12, 20), 1.1, 1.1);
}

void Connected(QPainter& painter)
{
    Instrument(painter, true);
}

void Disconnected(QPainter& painter)
{
    Instrument(painter, false);
    Badge(painter, { 17.5, 17.5 }, kStop, BadgeCross);
}

void Measurement(QPainter& painter)
{
    Instrument(painter, true);
    Badge(painter, { 17.5, 17.5 }, kGo, BadgeStart);
}

// A green arrow going down into a tray.
void LoadAll(QPainter& painter)
{
    Shape(painter,
        Polygon(QPolygonF { { 2.5, 13.5 }, { 6.5, 13.5 }, { 8, 16.5 }, { 16, 16.5 }, { 17.5, 13.5 }, { 21.5, 13.5 },
            { 21.5, 21.5 }, { 2.5, 21.5 } }),
        kSteel);
    Shape(painter,
        Polygon(QPolygonF { { 10, 1.5 }, { 14, 1.5 }, { 14, 7.5 }, { 18, 7.5 }, { 12, 14 }, { 6, 7.5 }, { 10, 7.5 } }),
        kGo);
}

// A memory chip with its pins, to be wiped.
void ClearMemory(QPainter& painter)
{
    for (const qreal y : { 5.0, 9.0, 13.0 }) {
        Stroke(painter, kSteel.darker(130), 1.5, { { 1.5, y }, { 18.5, y } });
    }
    Shape(painter, Rect(4.5, 2.5, 11, 14), QColor(52, 56, 64));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(120, 126, 136));
    painter.drawEllipse(QPointF(7, 5), 1, 1);
    Badge(painter, { 17.5, 17.5 }, kStop, BadgeCross);
}

// A cog wheel: the instrument's settings.
void Properties(QPainter& painter)
{
    const QPointF centre(12, 12);
    QPolygonF outline;
    constexpr int kTeeth = 8;
    for (int i = 0; i < kTeeth * 4; ++i) {
        // Each tooth: two points on the outer radius, then two on the root.
        const qreal radius = (i % 4 == 1 || i % 4 == 2) ? 10.0 : 7.5;
        const qreal angle = (i / 4 + ((i % 4) - 0.5) / 4.0 - 0.125) * 2 * M_PI / kTeeth;
        outline << centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
    }
    QPainterPath path = Polygon(outline);
    path = path.subtracted(Circle(centre, 3));
    Shape(painter, path, kSteel);
}

// A clock with a green arrow turning round it.
void UpdateClock(QPainter& painter)
{
    Shape(painter, Circle({ 11, 12 }, 8.5), kPaper);
    Stroke(painter, kEventInk, 1.5, { { 11, 7 }, { 11, 12 }, { 14.5, 14 } });
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kGo, 2, Qt::SolidLine, Qt::FlatCap));
    painter.drawArc(QRectF(0.5, 1.5, 21, 21), -40 * 16, 110 * 16);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kGo);
    painter.drawPolygon(QPolygonF { { 16.5, 18.25 }, { 22.75, 19.25 }, { 20.5, 13.5 } });
}

// A magnifying glass; `centre` is the middle of the lens.
void Magnifier(QPainter& painter, const QPointF& centre)
{
    const QPointF handle = centre + QPointF(4.6, 4.6);
    Stroke(painter, kSlate, 3.5, { handle, handle + QPointF(5.5, 5.5) });
    painter.setPen(QPen(kSlate, 1.75));
    painter.setBrush(kGlass);
    painter.drawEllipse(centre, 6.5, 6.5);
}

enum tLensSymbol { LensPlus, LensMinus, LensFit };

void LensSymbol(QPainter& painter, const QPointF& centre, tLensSymbol symbol)
{
    const qreal x = centre.x();
    const qreal y = centre.y();
    switch (symbol) {
    case LensPlus:
        Stroke(painter, kSlate, 1.75, { { x - 3.5, y }, { x + 3.5, y } });
        Stroke(painter, kSlate, 1.75, { { x, y - 3.5 }, { x, y + 3.5 } });
        break;
    case LensMinus:
        Stroke(painter, kSlate, 1.75, { { x - 3.5, y }, { x + 3.5, y } });
        break;
    case LensFit:
        // Four corners of the whole picture.
        for (const QPointF& corner : { QPointF(-1, -1), QPointF(1, -1), QPointF(1, 1), QPointF(-1, 1) }) {
            const QPointF tip(x + 3.25 * corner.x(), y + 3.25 * corner.y());
            Stroke(painter, kSlate, 1.25,
                { tip - QPointF(1.75 * corner.x(), 0), tip, tip - QPointF(0, 1.75 * corner.y()) });
        }
        break;
    }
}

void Zoom(QPainter& painter, tLensSymbol symbol)
{
    const QPointF centre(9.5, 9.5);
    Magnifier(painter, centre);
    LensSymbol(painter, centre, symbol);
}

// The zoom of the distance axis alone: the lens over a horizontal double arrow.
void ZoomX(QPainter& painter, tLensSymbol symbol)
{
    const QPointF centre(10.5, 8.5);
    Magnifier(painter, centre);
    LensSymbol(painter, centre, symbol);
    const QColor arrow = kDisk;
    Stroke(painter, arrow, 1.5, { { 2.5, 20.5 }, { 13.5, 20.5 } });
    painter.setPen(Qt::NoPen);
    painter.setBrush(arrow);
    painter.drawPolygon(QPolygonF { { 0.75, 20.5 }, { 4.25, 17.75 }, { 4.25, 23.25 } });
    painter.drawPolygon(QPolygonF { { 15.25, 20.5 }, { 11.75, 17.75 }, { 11.75, 23.25 } });
}

// The two measurement cursors around an event, as the plot draws them.
void MeasureCursors(QPainter& painter)
{
    Shape(painter, Rect(2, 2.5, 2, 19), kOuter);
    Shape(painter, Rect(20, 2.5, 2, 19), kOuter);
}

void MeasureSplice(QPainter& painter)
{
    MeasureCursors(painter);
    TraceGlyph(painter, QPolygonF { { 5, 6 }, { 10.5, 8.5 }, { 11.5, 15.5 }, { 19, 18.5 } });
}

void MeasureReflection(QPainter& painter)
{
    MeasureCursors(painter);
    TraceGlyph(painter, QPolygonF { { 5, 9.5 }, { 9.5, 12 }, { 12, 3.5 }, { 14.5, 15.5 }, { 19, 18 } });
}

void AddEvent(QPainter& painter)
{
    Junction(painter);
    Badge(painter, { 17.5, 6.5 }, kGo, BadgePlus);
}

void DeleteEvent(QPainter& painter)
{
    Junction(painter);
    Badge(painter, { 17.5, 6.5 }, kStop, BadgeCross);
}

// A pencil over the event: its comment is edited.
void EditEvent(QPainter& painter)
{
    Junction(painter);
    painter.save();
    painter.translate(17, 7);
    painter.rotate(45);
    Shape(painter, Rect(-1.75, -7, 3.5, 9.5), kBrass);
    Shape(painter, Rect(-1.75, -9, 3.5, 2), QColor(232, 140, 150));
    Shape(painter, Polygon(QPolygonF { { -1.75, 2.5 }, { 1.75, 2.5 }, { 0, 6 } }), QColor(240, 214, 170));
    painter.restore();
}

// The two markers with a padlock between them: their distance is kept.
void LockMarkers(QPainter& painter)
{
    Shape(painter, Rect(1.5, 2.5, 2.5, 19), kLeftMarker);
    Shape(painter, Rect(20, 2.5, 2.5, 19), kRightMarker);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kSlate, 2));
    painter.drawArc(QRectF(8, 4.5, 8, 10), 0, 180 * 16);
    Stroke(painter, kSlate, 2, { { 8, 9.5 }, { 8, 12 } });
    Stroke(painter, kSlate, 2, { { 16, 9.5 }, { 16, 12 } });
    Shape(painter, Rounded(6.5, 11.5, 11, 9, 1.5), kBrass);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Edge(kBrass));
    painter.drawEllipse(QPointF(12, 15.25), 1.4, 1.4);
    painter.drawRect(QRectF(11.4, 15.25, 1.2, 3));
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

// The logo at the top of the printed reports: the program's icon as a tile
// with the name beside it, on a transparent background, 600 x 160 pixels so
// that it stays sharp on paper.
bool WriteLogo(const QDir& folder)
{
    QImage image(600, 160, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.save();
    painter.scale(160.0 / kDesignSize, 160.0 / kDesignSize);
    Application(painter);
    painter.restore();
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(76);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(24, 64, 140));
    painter.drawText(QRect(176, 0, 424, 120), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Lumetrix"));
    font.setPixelSize(26);
    font.setBold(false);
    painter.setFont(font);
    painter.setPen(QColor(70, 84, 104));
    painter.drawText(QRect(180, 112, 420, 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("OTDR trace report"));
    painter.end();
    const QString file = folder.filePath(QStringLiteral("Logo.png"));
    if (!image.convertToFormat(QImage::Format_ARGB32).save(file, "PNG")) {
        std::fprintf(stderr, "make-icons: cannot write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s\n", qPrintable(file));
    return true;
}

bool WriteDesktopIcons(const QDir& folder)
{
    for (const int size : { 16, 24, 32, 48, 64, 128, 256 }) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(qreal(size) / kDesignSize, qreal(size) / kDesignSize);
        Application(painter);
        painter.end();
        const QString apps = QStringLiteral("hicolor/%1x%1/apps").arg(size);
        const QString file = folder.filePath(apps + QStringLiteral("/example.norvane.Lumetrix.png"));
        if (!folder.mkpath(apps) || !image.convertToFormat(QImage::Format_ARGB32).save(file, "PNG")) {
            std::fprintf(stderr, "make-icons: cannot write %s\n", qPrintable(file));
            return false;
        }
        std::printf("%s\n", qPrintable(file));
    }
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
    // The logo's lettering needs the fonts, which come with an application
    // object; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: make-icons OUTPUT_FOLDER [DESKTOP_ICON_FOLDER]\n");
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
        && Write(folder, QStringLiteral("AppIcon"), Application) && WriteApplicationIcon(folder) && WriteLogo(folder)
        && Write(folder, QStringLiteral("FileOpenDir"), OpenFolder) && Write(folder, QStringLiteral("FileSave"), Save)
        && Write(folder, QStringLiteral("FileSaveAll"), SaveAll) && Write(folder, QStringLiteral("FileDelete"), Bin)
        && Write(folder, QStringLiteral("FilePrint"), Printer)
        && Write(folder, QStringLiteral("DeviceConnect"), Connect)
        && Write(folder, QStringLiteral("DeviceDisconnect"), Disconnect)
        && Write(folder, QStringLiteral("DeviceConnected"), Connected)
        && Write(folder, QStringLiteral("DeviceDisconnected"), Disconnected)
        && Write(folder, QStringLiteral("DeviceMeasurement"), Measurement)
        && Write(folder, QStringLiteral("DeviceLoadAll"), LoadAll)
        && Write(folder, QStringLiteral("DeviceClearMemory"), ClearMemory)
        && Write(folder, QStringLiteral("DeviceProperties"), Properties)
        && Write(folder, QStringLiteral("DeviceUpdateClock"), UpdateClock)
        && Write(folder, QStringLiteral("ViewZoomIn"), [](QPainter& p) { Zoom(p, LensPlus); })
        && Write(folder, QStringLiteral("ViewZoomOut"), [](QPainter& p) { Zoom(p, LensMinus); })
        && Write(folder, QStringLiteral("ViewZoomOff"), [](QPainter& p) { Zoom(p, LensFit); })
        && Write(folder, QStringLiteral("ViewZoomXIn"), [](QPainter& p) { ZoomX(p, LensPlus); })
        && Write(folder, QStringLiteral("ViewZoomXOut"), [](QPainter& p) { ZoomX(p, LensMinus); })
        && Write(folder, QStringLiteral("ViewZoomXOff"), [](QPainter& p) { ZoomX(p, LensFit); })
        && Write(folder, QStringLiteral("EventsJunctionMeas"), MeasureSplice)
        && Write(folder, QStringLiteral("EventsReflectionMeas"), MeasureReflection)
        && Write(folder, QStringLiteral("EventsEndMeas"), AddEvent)
        && Write(folder, QStringLiteral("EventsFixCursors"), LockMarkers)
        && Write(folder, QStringLiteral("EventsDelete"), DeleteEvent)
        && Write(folder, QStringLiteral("EventsEdit"), EditEvent)
        && (argc < 3 || WriteDesktopIcons(QDir(QString::fromLocal8Bit(argv[2]))));
    return written ? 0 : 1;
}

#include "CTracePainter.h"

#include "CCompareLegend.h"
#include "CContrast.h"
#include "CEventIcon.h"
#include "CEventLabels.h"
#include "tGraphState.h"
#include "tSampleMapping.h"

#include <CDistanceUnit.h>
#include <CFile.h>

#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QLine>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QStringList>
#include <QVector>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

namespace {

const QColor kGridColour(Qt::darkYellow);
const QColor kOuterColour(0, 224, 0);
const QColor kCentreColour(0, 224, 224);
const QColor kFitColour(0, 128, 0, 128);

// Grid lines nearer than this to the previous one are left out.
constexpr int kMinColumnGap = 50;
constexpr int kMinRowGap = 40;
// More candidate grid lines than this means a nonsensical extent: no grid.
constexpr double kMaxGridLines = 1e6;
// Half height of a tick mark and half width of its base line.
constexpr int kTick = 5;
constexpr int kBase = 4;
constexpr int kCircle = 3;
// A mark's hit area reaches this far beyond its drawn rectangle on each side.
constexpr int kGrabMargin = 2;
// Least room between the labels of neighbouring events, pixels.
constexpr int kLabelGap = 2;

QFont LabelFont(qreal points)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    return font;
}

// The data rectangle a paint shows: the visible window or the whole extent.
QRectF DataRect(const tGraphState& geometry, bool useView)
{
    if (!useView)
        return QRectF(QPointF(0, geometry.extentTop), geometry.extent);
    return geometry.VisibleData();
}

// Pixel devices get the reduced trace; other devices (SVG, pictures) keep
// every sample unless the paint is for print.
bool IsPixelDevice(const QPainter& painter)
{
    const QPaintEngine* engine = painter.paintEngine();
    if (!engine)
        return false;
    switch (engine->type()) {
    case QPaintEngine::Raster:
    case QPaintEngine::OpenGL:
    case QPaintEngine::OpenGL2:
    case QPaintEngine::X11:
    case QPaintEngine::CoreGraphics:
    case QPaintEngine::Direct2D:
        return true;
    default:
        return false;
    }
}

// The first sample after `index` that falls on another pixel column than
// `column`. Starts from the arithmetic estimate and corrects it with the same
// rounding the mapping uses, so every sample is counted in its own column.
int NextColumn(const tSampleMapping& mapping, int index, int end, int column)
{
    const double estimate = mapping.first + std::ceil(mapping.kx * (column - mapping.x0 + 0.5));
    int next = int(std::clamp(estimate, double(index + 1), double(end)));
    while (next > index + 1 && mapping.SampleX(next - 1) != column)
        --next;
    while (next < end && mapping.SampleX(next) == column)
        ++next;
    return next;
}

// One point per sample.
QPolygon AllSamples(const quint16* samples, int first, int end, const tSampleMapping& mapping)
{
    QPolygon line;
    line.reserve(end - first);
    for (int i = first; i < end; ++i)
        line.append(QPoint(mapping.SampleX(i), mapping.ValueY(samples[i])));
    return line;
}

// Two lines per pixel column: the column's span from its smallest to its
// largest value, and the segment from the previous column's last sample to
// this column's first. The segments between the samples of one column cover
// exactly that span, and the segments between columns are the same, so the
// picture is the one of every segment drawn on its own, to the pixel. (One
// polyline through the same points would not be: its joins leave out or add
// single pixels where the stroke turns back.)
QVector<QLine> ReducedLines(const quint16* samples, int first, int end, const tSampleMapping& mapping)
{
    QVector<QLine> lines;
    lines.reserve(2 * int(std::min(double(end - first), (end - first) / mapping.kx + 4)));
    QPoint previousLast;
    int i = first;
    while (i < end) {
        const int column = mapping.SampleX(i);
        const int next = NextColumn(mapping, i, end, column);
        quint16 low = samples[i];
        quint16 high = samples[i];
        for (int k = i + 1; k < next; ++k) {
            low = std::min(low, samples[k]);
            high = std::max(high, samples[k]);
        }
        if (i > first)
            lines.append(QLine(previousLast, QPoint(column, mapping.ValueY(samples[i]))));
        lines.append(QLine(column, mapping.ValueY(low), column, mapping.ValueY(high)));
        previousLast = QPoint(column, mapping.ValueY(samples[next - 1]));
        i = next;
    }
    return lines;
}

// The rectangle a mark covers when drawn, or a null rectangle when it is not
// drawn. `x` and `y` receive its anchor on the trace.
QRect MarkRect(const sor::CFile& document, const tSampleMapping& mapping, const QRect& target,
    const CCursors::CCursor& mark, bool circle, int* x, int* y)
{
    const float position = std::max(0.0f, mark.Position());
    int px = mapping.DistanceX(position);
    if (px == target.right() + 1)
        px = target.right();
    // A mark is drawn only inside the target; a marker standing at the very
    // start of the trace stays visible so that it can still be grabbed.
    if (px < target.left() || px > target.right())
        return QRect();
    const int py = mapping.ValueY(document.ValueAt(position));
    *x = px;
    *y = py;
    switch (mark.nKind) {
    case CCursors::KindLeftMarker:
    case CCursors::KindRightMarker:
        if (circle)
            return QRect(px - kCircle, target.top(), 2 * kCircle + 1, target.height());
        return QRect(px, target.top(), 1, target.height());
    case CCursors::KindOuterLeft:
    case CCursors::KindOuterRight:
        return QRect(px, py - kTick, 1, 2 * kTick + 1);
    default:
        return QRect(px - kBase, py - kTick, 2 * kBase + 1, 2 * kTick + 1);
    }
}

QColor MarkColour(quint32 kind, bool printMode)
{
    switch (kind) {
    case CCursors::KindLeftMarker:
        return QColor(Qt::red);
    case CCursors::KindRightMarker:
        return QColor(Qt::blue);
    case CCursors::KindOuterLeft:
    case CCursors::KindOuterRight:
        return kOuterColour;
    case CCursors::KindCentre:
        return printMode ? QColor(Qt::black) : kCentreColour;
    default:
        return QColor(Qt::black);
    }
}

QString Unit(const char* unit)
{
    return QCoreApplication::translate("CTracePainter", unit);
}

// Text with a one-pixel halo of the painter's background around the glyphs,
// so that it stays legible over grid lines, grid labels and traces while the
// trace still shows between the letters.
void HaloText(QPainter& painter, const QRect& rect, const QString& text, const QColor& ink)
{
    // On paper and in PDF a plate does it: drawn copies of the text would
    // read as the label five times to anyone copying or searching the page.
    if (!IsPixelDevice(painter)) {
        painter.fillRect(rect, painter.background().color());
        painter.setPen(ink);
        painter.drawText(rect, Qt::AlignCenter, text);
        return;
    }
    painter.setPen(painter.background().color());
    for (const QPoint& offset : { QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1), QPoint(0, 1) })
        painter.drawText(rect.translated(offset), Qt::AlignCenter, text);
    painter.setPen(ink);
    painter.drawText(rect, Qt::AlignCenter, text);
}

// The events of the active file: every tick, the selected event's band, and
// the labels where CEventLabels finds room for them (clear of the grid
// labels when those are drawn). Without `labels` the ticks alone; printed,
// the ticks with their numbers.
void DrawEvents(QPainter& painter, const tGraphState& geometry, const sor::CFile& active,
    const tSampleMapping& mapping, const QRect& target, const QRectF& data, bool gridLabels, bool labels,
    bool printMode)
{
    // Paper is white whatever the screen's background.
    const QColor background = printMode ? QColor(Qt::white) : geometry.background;
    const QColor ink = CContrast::Ink(background, Qt::black);
    const std::deque<sor::tKeyEvent>& events = active.KeyEvents();
    const int selected = geometry.selectedEvent < int(events.size()) ? geometry.selectedEvent : -1;
    if (selected >= 0 && !printMode) {
        const int x = mapping.DistanceX(std::max(0.0f, active.TimeToDistance(events[size_t(selected)].time)));
        QColor band = CContrast::Ink(background, QColor(255, 140, 0), 3.0);
        band.setAlpha(70);
        painter.fillRect(QRect(x - 3, target.top(), 7, target.height()), band);
    }
    for (const sor::tKeyEvent& event : events) {
        CCursors::CCursor mark(active.TimeToDistance(event.time),
            event.codeType == sor::tKeyEvent::Reflective || event.codeType == sor::tKeyEvent::Saturated
                ? CCursors::KindReflectiveEvent
                : CCursors::KindEvent);
        mark.event = event;
        CTracePainter::DrawMark(painter, active, mapping, target, mark, printMode, ink);
    }
    if (!labels)
        return;

    const QFont font = LabelFont(8);
    painter.setFont(font);
    const QFontMetrics metrics(font, painter.device());
    const int iconSize = QFontMetrics(LabelFont(12), painter.device()).height();
    QVector<QRect> taken;
    if (gridLabels) {
        for (const CTracePainter::tGridLabel& label :
            CTracePainter::GridLabels(mapping, target, data, metrics, CDistanceUnit::Of(&active)))
            taken.append(label.rect);
    }
    if (geometry.legend)
        taken.append(CCompareLegend::Rect(geometry, painter, target));
    QFont bold = font;
    bold.setBold(true);
    for (const CEventLabels::tLabel& label :
        CEventLabels::Place(active, mapping, target, metrics, iconSize, taken, selected, !printMode)) {
        if (label.part == CEventLabels::PartIcon) {
            CEventIcon::Paint(painter, label.rect, CEventIcon::KindOf(active, label.event));
            continue;
        }
        painter.setFont(label.part == CEventLabels::PartNumber && label.event == selected ? bold : font);
        HaloText(painter, label.rect, label.text, ink);
    }
    painter.setFont(font);
}

void DrawFittedLine(
    QPainter& painter, const tSampleMapping& mapping, float from, float to, float slope, float intercept)
{
    const auto end = [&](float d) {
        return QPoint(mapping.DistanceX(d), mapping.ValueY(std::trunc(double(slope) * d + double(intercept))));
    };
    painter.drawLine(end(from), end(to));
}

} // namespace

void CTracePainter::Paint(const tGraphState& geometry, QPainter& painter, const QRect& target, bool useView,
    bool drawGrid, bool gridLabels, bool printMode, bool eventLabels)
{
    if (!geometry.IsValid())
        return;
    const QSharedPointer<sor::CFile> active = geometry.Active();
    if (!active)
        return;

    painter.save();
    if (!printMode)
        painter.fillRect(target, geometry.background);
    painter.setBackground(printMode ? QColor(Qt::white) : geometry.background);

    // Without an extent (samples all zero, no length) the geometry keeps no
    // usable scale, and there is nothing to draw.
    const QRectF data = DataRect(geometry, useView);
    const bool extent = geometry.extent.width() > 0 && geometry.extent.height() > 0;
    const tSampleMapping mapping
        = extent ? tSampleMapping::Make(target, data, active->Resolution(), active->PointCount()) : tSampleMapping();
    if (mapping.valid) {
        painter.setClipRect(target, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);

        // Each trace at its own distances: mapped with its own sample spacing
        // and drawn over its own length. Printed pages (and the overview,
        // painted in print mode) are reduced too: the mapping rounds every
        // sample to a device unit, so the output cannot show more than the
        // reduced lines.
        const bool reduce = printMode || IsPixelDevice(painter);
        for (const QSharedPointer<tListedFile>& listed : *geometry.files) {
            if (!listed || !listed->file)
                continue;
            const sor::CFile& file = *listed->file;
            const tSampleMapping own = listed->file == active
                ? mapping
                : tSampleMapping::Make(target, data, file.Resolution(), file.PointCount());
            DrawTrace(painter, file, own, target, listed->colour, reduce);
        }

        if (drawGrid)
            DrawGrid(painter, mapping, target, data, gridLabels, CDistanceUnit::Of(active.data()));

        CCursors* cursors = geometry.cursors.get();
        const bool measuring = cursors && cursors->IsMeasuring() && !printMode;
        if (useView && measuring) {
            QPen pen(kFitColour, 2.5);
            painter.setPen(pen);
            DrawFittedLine(painter, mapping, cursors->LeftMarker().Position(), cursors->OuterLeft().Position(),
                cursors->fLeftSlope, cursors->fLeftIntercept);
            DrawFittedLine(painter, mapping, cursors->OuterRight().Position(), cursors->RightMarker().Position(),
                cursors->fRightSlope, cursors->fRightIntercept);
        }

        DrawEvents(painter, geometry, *active, mapping, target, data, drawGrid && gridLabels, eventLabels, printMode);
        if (useView && geometry.legend && !printMode)
            CCompareLegend::Paint(geometry, painter, target);
        if (cursors) {
            DrawMark(painter, *active, mapping, target, cursors->LeftMarker(), printMode);
            DrawMark(painter, *active, mapping, target, cursors->RightMarker(), printMode);
            if (measuring) {
                DrawMark(painter, *active, mapping, target, cursors->OuterLeft(), printMode);
                DrawMark(painter, *active, mapping, target, cursors->OuterRight(), printMode);
                DrawMark(painter, *active, mapping, target, cursors->Centre(), printMode);
            }
        }
    }
    painter.restore();
}

CCursors::CEditableCursor* CTracePainter::CursorAt(
    const tGraphState& geometry, const QPoint& widgetPoint, int* grabOffset)
{
    if (!geometry.IsValid() || !geometry.cursors)
        return nullptr;
    const QSharedPointer<sor::CFile> active = geometry.Active();
    if (!active)
        return nullptr;
    if (!(geometry.extent.width() > 0) || !(geometry.extent.height() > 0))
        return nullptr;
    const QRect target(QPoint(0, 0), geometry.view.size());
    const tSampleMapping mapping
        = tSampleMapping::Make(target, DataRect(geometry, true), active->Resolution(), active->PointCount());
    if (!mapping.valid)
        return nullptr;

    CCursors& cursors = *geometry.cursors;
    const bool measuring = cursors.IsMeasuring();
    CCursors::CEditableCursor* const candidates[]
        = { measuring ? &cursors.OuterRight() : nullptr, measuring ? &cursors.OuterLeft() : nullptr,
              &cursors.RightMarker(), &cursors.LeftMarker(), measuring ? &cursors.Centre() : nullptr };
    for (CCursors::CEditableCursor* cursor : candidates) {
        if (!cursor)
            continue;
        int x = 0;
        int y = 0;
        QRect rect = MarkRect(*active, mapping, target, *cursor, false, &x, &y);
        if (rect.isNull())
            continue;
        rect.adjust(-kGrabMargin, 0, kGrabMargin, 0);
        rect.setTop(std::max(rect.top(), target.top()));
        rect.setBottom(std::min(rect.bottom(), target.bottom()));
        if (!rect.contains(widgetPoint))
            continue;
        if (grabOffset) {
            // Measured against the pixel the geometry moves the cursor by, so
            // grabbing and releasing without moving leaves it in place.
            const double pixel = geometry.xScale > 0
                ? double(cursor->Position()) / double(geometry.xScale) - geometry.view.left()
                : double(x);
            *grabOffset = int(std::floor(pixel - widgetPoint.x() + 0.5));
        }
        return cursor;
    }
    return nullptr;
}

void CTracePainter::DrawTrace(QPainter& painter, const sor::CFile& document, const tSampleMapping& mapping,
    const QRect& target, const QColor& colour, bool reduce)
{
    Q_UNUSED(target);
    if (!mapping.valid)
        return;
    const int first = mapping.first;
    const int end = int(std::min<qint64>(qint64(first) + mapping.count, document.PointCount()));
    if (end - first < 2)
        return;

    QPen pen(colour, 1);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    const quint16* samples = document.Points();
    if (reduce)
        painter.drawLines(ReducedLines(samples, first, end, mapping));
    else
        painter.drawPolyline(AllSamples(samples, first, end, mapping));
}

void CTracePainter::DrawGrid(QPainter& painter, const tSampleMapping& mapping, const QRect& target,
    const QRectF& data, bool labels, sor::tDistanceUnit unit)
{
    if (!mapping.valid)
        return;
    QPen pen(kGridColour, 1);
    pen.setDashPattern({ 14, 1 });
    painter.setPen(pen);
    const QFont font = LabelFont(8);
    painter.setFont(font);
    const QFontMetrics metrics(font, painter.device());

    // The lines; the labels go on top of them and of the traces.
    const auto lines = [&](double step, double from, double to, bool columns) {
        if (!(step > 0) || to / step - from / step >= kMaxGridLines)
            return;
        bool drawn = false;
        int last = 0;
        for (double k = std::max(0.0, std::ceil(from / step)); k * step <= to; ++k) {
            const int at = columns ? mapping.DistanceX(k * step) : mapping.ValueY(k * step);
            const int low = columns ? target.left() : target.top();
            const int high = columns ? target.right() : target.bottom();
            if (at < low || at > high || (drawn && std::abs(at - last) < (columns ? kMinColumnGap : kMinRowGap)))
                continue;
            if (columns)
                painter.drawLine(at, target.top(), at, target.bottom());
            else
                painter.drawLine(target.left(), at, target.right(), at);
            drawn = true;
            last = at;
        }
    };
    lines(DistanceStep(data.width(), unit), data.left(), data.right(), true);
    lines(GridStep(data.height(), false), data.top(), data.bottom(), false);
    if (!labels)
        return;

    // Dark text with a halo of the background, so that it stays readable
    // where it crosses a trace or a line.
    const QColor ink = CContrast::Ink(painter.background().color(), kGridColour.darker(170));
    for (const tGridLabel& label : GridLabels(mapping, target, data, metrics, unit)) {
        // The distance row often lies in the noise after the fibre end, whose
        // spikes a halo alone does not hold off: a plate of the background,
        // translucent so that the noise still shows as a band, goes under it.
        if (label.distance && IsPixelDevice(painter)) {
            QColor plate = painter.background().color();
            plate.setAlpha(215);
            painter.fillRect(label.rect, plate);
        }
        HaloText(painter, label.rect, label.text, ink);
    }
}

void CTracePainter::DrawMark(QPainter& painter, const sor::CFile& document, const tSampleMapping& mapping,
    const QRect& target, const CCursors::CCursor& mark, bool printMode, const QColor& colour, bool circle,
    float previous)
{
    if (!mapping.valid)
        return;
    int x = 0;
    int y = 0;
    const QRect rect = MarkRect(document, mapping, target, mark, circle, &x, &y);
    if (rect.isNull())
        return;

    painter.setPen(QPen(colour.isValid() ? colour : MarkColour(mark.nKind, printMode), 1));
    painter.setBrush(Qt::NoBrush);
    switch (mark.nKind) {
    case CCursors::KindLeftMarker:
    case CCursors::KindRightMarker:
        if (circle) {
            painter.drawLine(x, target.top(), x, y - kCircle);
            painter.drawEllipse(QPoint(x, y), kCircle, kCircle);
            painter.drawLine(x, y + kCircle, x, target.bottom());
        } else {
            painter.drawLine(x, target.top(), x, target.bottom());
        }
        break;
    case CCursors::KindOuterLeft:
    case CCursors::KindOuterRight:
        painter.drawLine(x, y - kTick, x, y + kTick);
        break;
    default:
        painter.drawLine(x, y - kTick, x, y + kTick);
        painter.drawLine(x - kBase, y + kTick, x + kBase, y + kTick);
        break;
    }
    Q_UNUSED(previous);
}

double CTracePainter::GridStep(double visibleSize, bool distanceAxis)
{
    static const double kMantissas[] = { 1, 2, 5 };
    const double target = visibleSize / 10;
    if (!std::isfinite(target))
        return 0;
    double best = 0;
    double bestDistance = std::abs(target);
    for (int exponent = distanceAxis ? -2 : 2; exponent <= 3; ++exponent) {
        for (const double mantissa : kMantissas) {
            const double candidate = mantissa * std::pow(10.0, exponent);
            const double distance = std::abs(candidate - target);
            if (distance < bestDistance) {
                best = candidate;
                bestDistance = distance;
            }
        }
    }
    return best;
}

double CTracePainter::DistanceStep(double visibleMetres, sor::tDistanceUnit unit)
{
    // The 1-2-5 number of the unit the labels are in nearest a tenth of the
    // view, down to about a centimetre.
    static const double kMantissas[] = { 1, 2, 5 };
    const double per = CDistanceUnit::MetresPer(unit);
    const double target = visibleMetres / per / 10;
    if (!(target > 0) || !std::isfinite(target))
        return 0;
    const int lowest = int(std::floor(std::log10(0.01 / per)));
    const int highest = std::max(lowest, int(std::ceil(std::log10(target))));
    double best = 0;
    double bestDistance = target;
    for (int exponent = lowest; exponent <= highest; ++exponent) {
        for (const double mantissa : kMantissas) {
            const double candidate = mantissa * std::pow(10.0, exponent);
            if (std::abs(candidate - target) < bestDistance) {
                best = candidate;
                bestDistance = std::abs(candidate - target);
            }
        }
    }
    return best * per;
}

QString CTracePainter::DistanceLabel(double metres, double step, sor::tDistanceUnit unit)
{
    // In the unit the tables show the file in, with the decimals the step
    // needs there: a 0.2 m step far along a fibre in kilometres reads
    // "11.9974 km", a 5 km step along one in metres "15000 m".
    const double shownStep = CDistanceUnit::FromMetres(step, unit);
    const int decimals = shownStep > 0 && shownStep < 1 ? int(std::ceil(-std::log10(shownStep) - 1e-9)) : 0;
    const QString number = std::abs(metres) < 1e-15
        ? QStringLiteral("0")
        : QString::number(CDistanceUnit::FromMetres(metres, unit), 'f', decimals);
    return QStringLiteral("%1 %2").arg(number, CDistanceUnit::Symbol(unit));
}

QString CTracePainter::LevelLabel(double value)
{
    // Sample units are 0.001 dB, below the reference. Below 1 dB the value
    // still reads with one decimal ("0.5"); the reference itself is "0 dB".
    const double decibels = value / 1000;
    const QString unit = Unit(QT_TRANSLATE_NOOP("CTracePainter", "dB"));
    if (std::abs(decibels) < 0.05)
        return QStringLiteral("0 %1").arg(unit);
    return QStringLiteral("-%1 %2").arg(QString::number(decibels, 'f', 1), unit);
}

QVector<CTracePainter::tGridLabel> CTracePainter::GridLabels(const tSampleMapping& mapping, const QRect& target,
    const QRectF& data, const QFontMetrics& metrics, sor::tDistanceUnit unit)
{
    QVector<tGridLabel> labels;
    if (!mapping.valid)
        return labels;
    const auto gridLines = [&](double step, double from, double to, bool columns, auto&& place) {
        if (!(step > 0) || to / step - from / step >= kMaxGridLines)
            return;
        bool drawn = false;
        int last = 0;
        for (double k = std::max(0.0, std::ceil(from / step)); k * step <= to; ++k) {
            const double value = k * step;
            const int at = columns ? mapping.DistanceX(value) : mapping.ValueY(value);
            const int low = columns ? target.left() : target.top();
            const int high = columns ? target.right() : target.bottom();
            if (at < low || at > high || (drawn && std::abs(at - last) < (columns ? kMinColumnGap : kMinRowGap)))
                continue;
            drawn = true;
            last = at;
            place(value, at);
        }
    };

    // Distance labels along the bottom, right of their line; the last one
    // moves left of its line to stay inside. A label that would touch the
    // one before it is left out.
    const double xStep = DistanceStep(data.width(), unit);
    const int distanceTop = target.bottom() - 35 - metrics.ascent();
    QRect previous;
    gridLines(xStep, data.left(), data.right(), true, [&](double value, int x) {
        tGridLabel label { QRect(), DistanceLabel(value, xStep, unit), true, x };
        const int width = metrics.horizontalAdvance(label.text) + 2;
        const int left = std::min(x + 1, target.right() - width);
        label.rect = QRect(left, distanceTop, width, metrics.height());
        if (!previous.isNull() && label.rect.left() <= previous.right() + kLabelGap)
            return;
        previous = label.rect;
        labels.append(label);
    });
    const QRect distanceRow(target.left(), distanceTop, target.width(), metrics.height());

    // Level labels at the left, above their line, or below it where the line
    // runs along the top; left out where they would meet the distance labels.
    const double yStep = GridStep(data.height(), false);
    gridLines(yStep, data.top(), data.bottom(), false, [&](double value, int y) {
        tGridLabel label { QRect(), LevelLabel(value), false, y };
        const int top = y - metrics.height() - 1 < target.top() ? y + 1 : y - metrics.height();
        label.rect = QRect(target.left() + 10, top, metrics.horizontalAdvance(label.text) + 2, metrics.height());
        if (!(xStep > 0 && label.rect.intersects(distanceRow.adjusted(0, -1, 0, 1))))
            labels.append(label);
    });
    return labels;
}

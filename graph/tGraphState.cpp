#include "tGraphState.h"

#include "CTracePainter.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The distance and level every view keeps at the largest zoom: 50 m and 1 dB.
constexpr double kMinVisibleDistance = 50.0;
constexpr double kMinVisibleLevel = 1000.0;
// Canvas sizes beyond this would overflow the integer pixel arithmetic.
constexpr double kMaxCanvasSize = 1.0e9;
// Least room kept above the traces in the unzoomed view: 0.5 dB.
constexpr double kMinLevelMargin = 500.0;

bool IsPositive(double value)
{
    return std::isfinite(value) && value > 0.0;
}

// floor(value + 0.5) as a pixel, held inside the range of int.
int RoundToPixel(double value)
{
    constexpr double limit = std::numeric_limits<int>::max() / 2;
    if (!(value > -limit))
        return int(-limit);
    return int(std::floor(std::min(value, limit) + 0.5));
}

// Something to show, in a view of some size, with an extent of some width and
// height: only then can data and pixels be mapped onto each other.
bool CanMap(const tGraphState& geometry)
{
    return geometry.IsValid() && IsPositive(geometry.extent.width()) && IsPositive(geometry.extent.height());
}

} // namespace

tGraphState::tGraphState() : cursors(std::make_unique<CCursors>(this))
{
}

tGraphState::~tGraphState() = default;

bool tGraphState::IsValid() const
{
    return view.isValid() && files && !files->empty();
}

QSharedPointer<sor::CFile> tGraphState::Active() const
{
    if (!files || files->empty() || !files->back())
        return {};
    return files->back()->file;
}

void tGraphState::SetFiles(const tFileSet* shown)
{
    files = shown;
    extent = QSizeF(0, 0);
    extentTop = 0;
    if (files) {
        for (const QSharedPointer<tListedFile>& listed : *files) {
            if (!listed || !listed->file)
                continue;
            extent.setWidth(std::max(extent.width(), double(listed->file->Length())));
        }
        const QPair<double, double> levels = FittedLevels(*files);
        extentTop = levels.first;
        extent.setHeight(levels.second);
    }
    selectedEvent = -1;

    if (files && !files->empty() && files->front()) {
        const tListedFile& first = *files->front();
        // A zoom that cannot size a canvas is not restored.
        xZoom = IsPositive(first.fZoomX) ? first.fZoomX : 1.0f;
        yZoom = IsPositive(first.fZoomY) ? first.fZoomY : 1.0f;
        centre = QPointF(first.nCentreX, first.nCentreY);
        Recompute();
        cursors->Refresh();
        Recompute();
    } else {
        xZoom = 1;
        yZoom = 1;
        centre = QPointF(extent.width() / 2, extentTop + extent.height() / 2);
        Recompute();
    }
}

QPair<double, double> tGraphState::FittedLevels(const tFileSet& files)
{
    int low = std::numeric_limits<int>::max();
    int high = 0;
    for (const QSharedPointer<tListedFile>& listed : files) {
        if (!listed || !listed->file)
            continue;
        const quint16* samples = listed->file->Points();
        const int count = listed->file->PointCount();
        for (int i = 0; i < count; ++i) {
            low = std::min(low, int(samples[i]));
            high = std::max(high, int(samples[i]));
        }
    }
    if (low > high || high <= 0)
        return { 0.0, double(std::max(high, 0)) };
    // The noise floor may touch the bottom edge; the start of the trace, its
    // highest level, keeps room above it.
    const double margin = std::max(kMinLevelMargin, (high - low) / 20.0);
    const double top = std::max(0.0, low - margin);
    return { top, high - top };
}

bool tGraphState::RevealDistance(double metres)
{
    if (!CanMap(*this) || !std::isfinite(metres))
        return false;
    const QRectF visible = VisibleData();
    if (metres >= visible.left() && metres <= visible.right())
        return false;
    centre.setX(metres);
    Recompute();
    return true;
}

void tGraphState::Recompute()
{
    // Without something to show, or with an extent or canvas that would give a
    // zero or infinite scale, the last geometry stays as it was.
    if (!CanMap(*this))
        return;
    const double virtualWidth = std::floor(view.width() * double(xZoom) + 0.5);
    const double virtualHeight = std::floor(view.height() * double(yZoom) + 0.5);
    if (!(virtualWidth >= 1.0 && virtualWidth <= kMaxCanvasSize && virtualHeight >= 1.0
            && virtualHeight <= kMaxCanvasSize))
        return;

    virtualSize = QSize(int(virtualWidth), int(virtualHeight));
    xScale = float(extent.width() / virtualWidth);
    yScale = float(extent.height() / virtualHeight);

    const double visibleWidth = view.width() * double(xScale);
    const double visibleHeight = view.height() * double(yScale);
    double x = centre.x();
    double y = centre.y() - extentTop;
    if (x < visibleWidth / 2)
        x = visibleWidth / 2;
    if (x > extent.width() - visibleWidth / 2)
        x = extent.width() - visibleWidth / 2;
    if (y < visibleHeight / 2)
        y = visibleHeight / 2;
    if (y > extent.height() - visibleHeight / 2)
        y = extent.height() - visibleHeight / 2;
    centre = QPointF(x, y + extentTop);

    view.moveTopLeft(DataToCanvas(QPointF(x - visibleWidth / 2, extentTop + y - visibleHeight / 2)));
}

void tGraphState::Resize(const QSize& size)
{
    view = QRect(QPoint(0, 0), size);
    Recompute();
}

bool tGraphState::Zoom(const QSize& widgetSize, const QPoint& point, int step, bool xOnly, bool keepPoint)
{
    if (!CanMap(*this) || widgetSize.isEmpty())
        return false;

    const float factor = ZoomFactor(step);
    float newX = xZoom;
    float newY = yZoom;
    bool changed = ApplyZoomFactor(newX, factor, MaxZoomX());
    if (!xOnly)
        changed = ApplyZoomFactor(newY, factor, MaxZoomY()) || changed;
    if (!changed)
        return false;

    if (keepPoint) {
        // The widget shows the view, scaled to its size: the data point under
        // the pointer (taken at the old scales) stays under it.
        const double qx = point.x() * double(view.width()) / widgetSize.width();
        const double qy = point.y() * double(view.height()) / widgetSize.height();
        const double dataX = (view.left() + qx) * double(xScale);
        // Levels counted from the extent's top.
        const double dataY = (view.top() + qy) * double(yScale);
        xZoom = newX;
        yZoom = newY;
        const double kx = view.width() * double(xZoom) / extent.width();
        const double ky = view.height() * double(yZoom) / extent.height();
        const double left = dataX * kx - qx;
        const double top = dataY * ky - qy;
        centre = QPointF((left + view.width() / 2.0) / kx, (top + view.height() / 2.0) / ky + extentTop);
    } else {
        // The widget shows the whole extent: the point becomes the centre.
        xZoom = newX;
        yZoom = newY;
        centre = QPointF(point.x() * extent.width() / widgetSize.width(),
            extentTop + point.y() * extent.height() / widgetSize.height());
    }
    Recompute();
    return true;
}

void tGraphState::ZoomReset()
{
    xZoom = 1;
    yZoom = 1;
    centre = QPointF(extent.width() / 2, extentTop + extent.height() / 2);
    Recompute();
}

void tGraphState::ScrollTo(const QPoint& canvasPoint)
{
    if (!CanMap(*this))
        return;
    centre = QPointF((canvasPoint.x() + view.width() / 2.0) * double(xScale),
        extentTop + (canvasPoint.y() + view.height() / 2.0) * double(yScale));
    Recompute();
}

void tGraphState::CentreOn(const QSize& widgetSize, const QPoint& widgetPoint)
{
    if (!CanMap(*this) || widgetSize.isEmpty())
        return;
    centre = QPointF(widgetPoint.x() * extent.width() / widgetSize.width(),
        extentTop + widgetPoint.y() * extent.height() / widgetSize.height());
    Recompute();
}

void tGraphState::ZoomToRect(const QRect& widgetRect)
{
    if (!CanMap(*this) || widgetRect.isEmpty())
        return;
    const QRectF canvasRect = QRectF(widgetRect).translated(view.topLeft());
    centre = QPointF(
        canvasRect.center().x() * double(xScale), extentTop + canvasRect.center().y() * double(yScale));
    ApplyZoomFactor(xZoom, float(double(view.width()) / widgetRect.width()), MaxZoomX());
    ApplyZoomFactor(yZoom, float(double(view.height()) / widgetRect.height()), MaxZoomY());
    Recompute();
}

QPoint tGraphState::DataToCanvas(const QPointF& data) const
{
    return QPoint(RoundToPixel(data.x() / double(xScale)), RoundToPixel((data.y() - extentTop) / double(yScale)));
}

QRectF tGraphState::VisibleData() const
{
    return QRectF(view.left() * double(xScale), extentTop + view.top() * double(yScale),
        view.width() * double(xScale), view.height() * double(yScale));
}

float tGraphState::MaxZoomX() const
{
    return float(extent.width() / kMinVisibleDistance);
}

float tGraphState::MaxZoomY() const
{
    return float(extent.height() / kMinVisibleLevel);
}

float tGraphState::ZoomFactor(int step)
{
    const float f = step / 3.0f;
    return f >= 0 ? 1 + f : 1 / (1 - f);
}

bool tGraphState::ApplyZoomFactor(float& zoom, float factor, float maximum)
{
    if (!IsPositive(factor) || !IsPositive(maximum))
        return false;
    const float before = zoom;
    const float scaled = zoom * factor;
    if (scaled >= 1) {
        if (scaled <= maximum)
            zoom = scaled;
        else if (maximum - maximum / 6 <= 1 && zoom > 1)
            zoom = 1; // A maximum of 1.2 or less: the zoom goes back to the whole extent.
        else
            zoom = maximum;
    } else if (zoom > 1) {
        zoom = 1;
    }
    return zoom != before;
}

void tGraphState::Paint(QPainter& painter, const QRect& target, bool useView, bool drawGrid, bool gridLabels,
    bool printMode, bool eventLabels) const
{
    CTracePainter::Paint(*this, painter, target, useView, drawGrid, gridLabels, printMode, eventLabels);
}

CCursors::CEditableCursor* tGraphState::CursorAt(const QPoint& widgetPoint, int* grabOffset) const
{
    return CTracePainter::CursorAt(*this, widgetPoint, grabOffset);
}

void tGraphState::MoveCursorToPixel(CCursors::CEditableCursor& cursor, int x, int grabOffset)
{
    const QSharedPointer<sor::CFile> file = Active();
    if (!CanMap(*this) || !file || !IsPositive(xScale) || virtualSize.width() <= 0)
        return;
    const double position = cursor.Position();
    const double pixel = position / double(xScale) - view.left();
    const double d = std::floor(x + grabOffset - pixel + 0.5);
    // The last factor undoes the rounding of the canvas width.
    double target = position + double(xScale) * d / (view.width() * double(xZoom) / virtualSize.width());
    if (target >= file->Length())
        target = file->Length() - file->Resolution();
    if (target < 0)
        target = 0;
    // A dragged marker stops at the other marker: pushed on, it would carry
    // that one along.
    CCursors& set = *cursor.pOwner;
    if (!set.IsLocked()) {
        if (&cursor == &set.LeftMarker())
            target = std::min(target, double(set.RightMarker().fPosition));
        else if (&cursor == &set.RightMarker())
            target = std::max(target, double(set.LeftMarker().fPosition));
    }
    cursor.pOwner->MoveBy(cursor, float(target - double(cursor.fPosition)));
}

#pragma once

#include "CCursors.h"

#include <tListedFile.h>

#include <QColor>
#include <QPair>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSharedPointer>
#include <QSize>
#include <QSizeF>

#include <deque>
#include <memory>

class QPainter;

// The traces the plot shows together: the compare set, or the current file
// alone. The last entry is the active document.
using tFileSet = std::deque<QSharedPointer<tListedFile>>;

// Geometry of the plot: maps data coordinates (x = metres from the trace
// start, y = sample value in 0.001 dB, larger = lower level) to the pixels of
// a zoomed virtual canvas, of which the widget shows one window (`view`).
// Owned by the file list; shared by the plot widget, the view, the marker
// panel and the painter.
class tGraphState
{
public:
    tGraphState();
    ~tGraphState();
    tGraphState(const tGraphState&) = delete;
    tGraphState& operator=(const tGraphState&) = delete;

    // Not owned; null or empty means nothing to show.
    const tFileSet* files = nullptr;
    // Owned; lives as long as the geometry.
    std::unique_ptr<CCursors> cursors;
    // Width: largest Length() of the files (m); height: the span of the
    // levels of all files with a small margin above them, starting at
    // `extentTop` (sample units): the unzoomed view fits the traces shown.
    QSizeF extent;
    double extentTop = 0;
    // Centre of the visible window, data units.
    QPointF centre;
    // Pixel size of the zoomed canvas.
    QSize virtualSize;
    // Data units per canvas pixel.
    float xScale = 1;
    float yScale = 1;
    // The visible window on the canvas: widget size, top-left = scroll offset.
    QRect view;
    float xZoom = 1;
    float yZoom = 1;
    // The event the event table has selected (index into the active file's
    // key events), drawn highlighted; -1 for none.
    int selectedEvent = -1;
    // Whether the compare view shows its legend.
    bool legend = true;
    // Plot background; the owner of the program's options keeps it current.
    QColor background = QColor(218, 236, 255);

    // A valid view rectangle and at least one file to show.
    bool IsValid() const;
    // The last entry of the shown files, or null.
    QSharedPointer<sor::CFile> Active() const;

    // Shows a new set of files, restoring the view saved in its first entry.
    void SetFiles(const tFileSet* files);
    // Derives the canvas size, scales and view position from the zooms, the
    // centre, the view size and the extent; keeps the window inside the extent.
    void Recompute();
    // Widget resized: the view becomes (0, 0, size).
    void Resize(const QSize& size);
    // Zoom by `step` steps (one step in multiplies by 4/3) at `point` of a
    // widget of `widgetSize`; returns whether a zoom changed.
    bool Zoom(const QSize& widgetSize, const QPoint& point, int step, bool xOnly, bool keepPoint);
    // Both zooms 1, centre in the middle of the extent.
    void ZoomReset();
    // The canvas point becomes the top-left of the view.
    void ScrollTo(const QPoint& canvasPoint);
    // The data point under a point of a widget of `widgetSize` showing the
    // whole extent becomes the centre.
    void CentreOn(const QSize& widgetSize, const QPoint& widgetPoint);
    // Rubber-band zoom: the rectangle (widget pixels) fills the view.
    void ZoomToRect(const QRect& widgetRect);
    QPoint DataToCanvas(const QPointF& data) const;
    // Scrolls the view so that the distance (metres) stands in its middle,
    // when it is outside the visible window now; returns whether it moved.
    bool RevealDistance(double metres);
    // The vertical extent (top, height) that fits the levels of the files:
    // from a twentieth of their span (at least 0.5 dB, never above 0 dB)
    // above their highest level down to their lowest.
    static QPair<double, double> FittedLevels(const tFileSet& files);
    // The visible window in data units.
    QRectF VisibleData() const;

    // Largest zooms: at least 50 m and 1 dB per view.
    float MaxZoomX() const;
    float MaxZoomY() const;
    // Factor of `step` zoom steps: 1 + s/3 in, 1 / (1 - s/3) out.
    static float ZoomFactor(int step);
    // Applies a factor to a zoom limited to 1 ... maximum; returns whether it changed.
    static bool ApplyZoomFactor(float& zoom, float factor, float maximum);

    // Paints the plot into `target` on any painter: the visible window
    // (useView) or the whole extent; print mode leaves the background unfilled
    // and draws no fitted lines, measurement cursors or event labels.
    // Without `eventLabels` events are plain ticks.
    void Paint(QPainter& painter, const QRect& target, bool useView, bool drawGrid, bool gridLabels, bool printMode,
        bool eventLabels = true) const;

    // The cursor under a widget point, with the pixel offset it was grabbed at.
    CCursors::CEditableCursor* CursorAt(const QPoint& widgetPoint, int* grabOffset) const;
    // Moves a cursor so it stands under widget x (plus the grab offset),
    // limited to 0 ... Length() - resolution of the active document.
    void MoveCursorToPixel(CCursors::CEditableCursor& cursor, int x, int grabOffset);
};

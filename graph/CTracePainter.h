#pragma once

#include "CCursors.h"

#include <tFixedParameters.h>

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QString>
#include <QVector>

class QFontMetrics;
class QPainter;
class tGraphState;
struct tSampleMapping;

namespace sor {
class CFile;
}

// The one painting routine of the plot, shared by the plot widget, the
// overview frame and the printed report.
class CTracePainter
{
public:
    // Without `eventLabels` events are drawn as their ticks alone (the
    // overview, where labels would cover the small picture).
    static void Paint(const tGraphState& geometry, QPainter& painter, const QRect& target, bool useView, bool drawGrid,
        bool gridLabels, bool printMode, bool eventLabels = true);
    // The editable cursor whose drawn mark (widened by 2 pixels each side)
    // contains a point of the plot widget, with the grab offset in pixels.
    static CCursors::CEditableCursor* CursorAt(const tGraphState& geometry, const QPoint& widgetPoint, int* grabOffset);

    // One trace in `colour`. With `reduce` (pixel devices), each pixel column
    // is drawn as the span of its values joined to the neighbouring columns'
    // last and first samples: the picture of every segment drawn on its own,
    // at a drawing cost bound by the target width. Without it (printing,
    // vector output) one polyline runs through every sample.
    static void DrawTrace(QPainter& painter, const sor::CFile& document, const tSampleMapping& mapping,
        const QRect& target, const QColor& colour, bool reduce = true);
    // Grid lines over the data rectangle `data` (metres, sample units) shown
    // in `target`, with distance and level labels when asked for; the
    // distance lines fall on round numbers of `unit`.
    static void DrawGrid(QPainter& painter, const tSampleMapping& mapping, const QRect& target, const QRectF& data,
        bool labels, sor::tDistanceUnit unit = sor::Kilometres);
    // One mark of any kind (events, markers, measurement cursors) on the trace
    // of `document`. An invalid `colour` keeps the colour of the kind; `circle`
    // draws a marker as a line broken by a circle around the trace point.
    // `previous` is the distance of the event before an event mark (metres),
    // used for the attenuation label.
    static void DrawMark(QPainter& painter, const sor::CFile& document, const tSampleMapping& mapping,
        const QRect& target, const CCursors::CCursor& mark, bool printMode, const QColor& colour = QColor(),
        bool circle = false, float previous = 0);

    // Grid step for a visible size on one axis (metres, or sample units for
    // the level axis): the 1-2-5 value nearest a tenth of it; 0 when none is
    // nearer than zero is.
    static double GridStep(double visibleSize, bool distanceAxis);
    // Distance grid step in metres for `visibleMetres`: a round number of
    // `unit` (1, 2 or 5 times a power of ten) nearest a tenth of the view.
    static double DistanceStep(double visibleMetres, sor::tDistanceUnit unit);
    // A grid label: its text where it is drawn, on which axis and the pixel
    // column (distance) or row (level) of its line.
    struct tGridLabel
    {
        QRect rect;
        QString text;
        bool distance = false;
        int line = 0;
    };
    // The grid labels DrawGrid draws: none overlaps another.
    static QVector<tGridLabel> GridLabels(const tSampleMapping& mapping, const QRect& target, const QRectF& data,
        const QFontMetrics& metrics, sor::tDistanceUnit unit = sor::Kilometres);
    // Text of a distance grid label for a line at `metres` drawn with `step`
    // (metres), in `unit` with the decimals the step needs.
    static QString DistanceLabel(double metres, double step, sor::tDistanceUnit unit = sor::Kilometres);
    // Text of a level grid label for a line at `value` sample units.
    static QString LevelLabel(double value);
};

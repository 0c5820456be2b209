#pragma once

#include <QRect>

class QPainter;
class tGraphState;

// The legend of the compare view: one line per shown trace with its colour,
// file name and wavelength, in a plate at the top right of the plot, where
// it leaves the start of the traces free.
class CCompareLegend
{
public:
    // The plate's rectangle in `target` (empty with fewer than two traces).
    static QRect Rect(const tGraphState& geometry, const QPainter& painter, const QRect& target);
    static void Paint(const tGraphState& geometry, QPainter& painter, const QRect& target);
};

#pragma once

#include <QIcon>

class QPainter;
class QRect;

namespace sor {
class CFile;
}

// The picture beside an event's labels on the plot: a reflection (a
// reflective event, saturated ones included), a junction (a splice or any
// other non-reflective event), or the end of the fibre, whatever its type.
class CEventIcon
{
public:
    enum tKind { Junction, Reflection, End };

    // The kind of the event at `index` (list order) of `file`.
    static tKind KindOf(const sor::CFile& file, int index);
    // Draws the picture of `kind` into `rect`.
    static void Paint(QPainter& painter, const QRect& rect, tKind kind);
    // The picture of `kind` as an icon (the event table).
    static QIcon Icon(tKind kind);
};

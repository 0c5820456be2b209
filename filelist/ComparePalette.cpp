#include "ComparePalette.h"

QColor ComparePalette(int slot, bool bright)
{
    static const Qt::GlobalColor kDark[kCompareSlots]
        = { Qt::darkBlue, Qt::darkGreen, Qt::darkYellow, Qt::darkMagenta, Qt::darkRed, Qt::darkCyan, Qt::darkGray };
    static const Qt::GlobalColor kBright[kCompareSlots]
        = { Qt::blue, Qt::green, Qt::yellow, Qt::magenta, Qt::red, Qt::cyan, Qt::gray };
    if (slot < 0 || slot >= kCompareSlots)
        return QColor(Qt::darkBlue);
    return QColor(bright ? kBright[slot] : kDark[slot]);
}

#include "ComparePalette.h"

QColor ComparePalette(int slot, bool bright)
{
    static const Qt::GlobalColor kDark[kCompareSlots]
        = { Qt::darkBlue, Qt::darkGreen, Qt::darkYellow, Qt::darkMagenta, Qt::darkRed, Qt::darkCyan, Qt::darkGray };
    // The current file's colours keep the hue of their slot but are dark and
    // saturated enough to stand out on the light plot background (a contrast
    // of at least 3:1 with the default one): no yellow, light green or light
    // cyan on light blue.
    static const QColor kBright[kCompareSlots] = { QColor(0, 0, 255), QColor(0, 150, 0), QColor(205, 95, 0),
        QColor(210, 0, 210), QColor(230, 0, 0), QColor(0, 140, 170), QColor(0, 0, 0) };
    if (slot < 0 || slot >= kCompareSlots)
        return QColor(Qt::darkBlue);
    return bright ? kBright[slot] : QColor(kDark[slot]);
}

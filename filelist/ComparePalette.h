#pragma once

#include <QColor>

// Number of traces that can be compared at once.
inline constexpr int kCompareSlots = 7;

// Colour of a compare slot (0 to 6): the bright variant for the member that
// is the current row, the dark one for the others. Any other slot gives dark
// blue in both variants.
QColor ComparePalette(int slot, bool bright);

#pragma once

#include <QStringList>

// The values the instrument offers, as decimal texts. An entry's index is the
// code the instrument takes for that value.
struct tAvailable
{
    // Distance ranges, km.
    QStringList lsLineLen;
    // Pulse widths, ns.
    QStringList lsPulseWidth;
    // Averaging times, s.
    QStringList lsAverageTime;
    // Wavelengths by slot, nm; "0" is an empty slot.
    QStringList lsWaveLen;
};

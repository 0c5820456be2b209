#pragma once

// The measurement parameters of the instrument. The first three are indices
// into the lists of tAvailable, which are also the codes the instrument takes.
struct tParameters
{
    // Index of the distance range in lsLineLen.
    int nLineLen = 0;
    // Index of the pulse width in lsPulseWidth.
    int nPulseWidth = 0;
    // Index of the averaging time in lsAverageTime.
    int nAverageTime = 0;
    // The instrument's own wavelength slot, an index of lsWaveLen.
    int nWaveLen = 0;
    // Group index of refraction, 1.4 to 1.6.
    float fGI = 1.5f;
};

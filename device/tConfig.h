#pragma once

// One configuration reply of the instrument: values, not indices.
struct tConfig
{
    // km.
    int nLineLen = 0;
    // ns.
    int nPulseWidth = 0;
    // s.
    int nAverageTime = 0;
    // nm.
    int nWaveLenValue = 0;
    // The wavelength's slot.
    int nWaveLenIndex = 0;
    float fGI = 0;
};

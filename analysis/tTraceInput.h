#pragma once

#include "tAnalysisResult.h"

#include <QtGlobal>

#include <vector>

namespace sor {
class CFile;
}

namespace analysis {

// What the analysis needs of one trace: the samples of one pulse and the
// acquisition settings they were taken with.
struct tTraceInput
{
    // Levels in 0.001 dB below the reference: larger is lower, as stored.
    std::vector<quint16> samples;
    // Metres per sample.
    double spacingM = 0;
    // ns.
    double pulseNs = 0;
    double groupIndex = 0;
    // Backscatter coefficient, dB for a 1 ns pulse (negative, e.g. -79.5).
    double backscatterDb = 0;
    // dB, zero or negative; 0 when the file gives none.
    double noiseFloorDb = 0;
    // Metres of trace before the distance origin that the file's event times
    // count from (its front panel and user offsets): sample i lies at
    // i * spacingM - offsetM. Negative where the first sample lies past it.
    double offsetM = 0;
    // Metres of trace before the instrument's front panel, at most offsetM:
    // a launch cord lies between the two when the user set the distance
    // origin at its far end.
    double frontPanelM = 0;
    tThresholds thresholds;

    // The trace of pulse `pulse` (0-based) of a document. Thresholds the file
    // leaves unset (0 or all ones) are taken from `defaults`; `source` says
    // which were used.
    static tTraceInput FromFile(const sor::CFile& file, int pulse, const tThresholds& defaults);
};

} // namespace analysis

#pragma once

#include "tAnalysisResult.h"

namespace sor {
class CFile;
}

namespace analysis {

// The events of a document in the analysis' terms, whichever produced them:
// the events the file stores (the instrument's or a user's), or the analysis.
class CEventSource
{
public:
    // The stored events with the stored end-to-end loss and return loss
    // (unset where the file stores 0). The end is the stored event with origin
    // "E", or else the last event when its loss reaches the end threshold.
    static tAnalysisResult Stored(const sor::CFile& file);
    // The stored events where the file has any, otherwise the analysis of its
    // first pulse with the given default thresholds.
    static tAnalysisResult StoredOrAnalysed(const sor::CFile& file, const tThresholds& defaults);
};

} // namespace analysis

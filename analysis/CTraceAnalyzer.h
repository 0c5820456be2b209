#pragma once

#include "tAnalysisResult.h"
#include "tTraceInput.h"

namespace analysis {

// Finds, classifies and measures the events of one trace. Deterministic and
// free of state: the same input gives the same result on any thread.
class CTraceAnalyzer
{
public:
    static tAnalysisResult Analyze(const tTraceInput& trace);
};

} // namespace analysis

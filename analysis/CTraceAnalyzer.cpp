#include "CTraceAnalyzer.h"

#include <QCoreApplication>

namespace analysis {

tAnalysisResult CTraceAnalyzer::Analyze(const tTraceInput& trace)
{
    tAnalysisResult result;
    result.thresholds = trace.thresholds;
    result.pulseNs = trace.pulseNs;
    result.reason = QCoreApplication::translate("analysis::CTraceAnalyzer", "trace analysis is not available");
    return result;
}

} // namespace analysis

#include "CEventSource.h"

#include "CTraceAnalyzer.h"
#include "tTraceInput.h"

#include <CFile.h>
#include <TraceLengths.h>

namespace analysis {

namespace {

// Index of "E" (end of fibre) in the event code's origin table.
constexpr quint32 kOriginEnd = 2;

} // namespace

tAnalysisResult CEventSource::Stored(const sor::CFile& file)
{
    tAnalysisResult result;
    const sor::tFixedParameters& fixed = file.FixedParameters();
    result.pulseNs = double(fixed.pulseWidth);
    result.thresholds.lossDb = double(fixed.lossThreshold);
    result.thresholds.reflectanceDb = double(fixed.reflectanceThreshold);
    result.thresholds.endDb = double(fixed.endOfFiberThreshold);
    result.thresholds.source = tThresholds::FromFile;

    const std::deque<sor::tKeyEvent>& stored = file.KeyEvents();
    for (const sor::tKeyEvent& event : stored) {
        tFoundEvent found;
        found.distanceM = double(file.TimeToDistance(float(event.time)));
        const bool reflective = event.codeType == sor::tKeyEvent::Reflective || event.codeType == sor::tKeyEvent::Saturated;
        found.kind = reflective ? tFoundEvent::Reflective : tFoundEvent::NonReflective;
        found.saturated = event.codeType == sor::tKeyEvent::Saturated;
        found.lossDb = double(event.loss);
        if (reflective && float(event.reflectance) != 0.0f)
            found.reflectanceDb = double(event.reflectance);
        if (float(event.attenuation) != 0.0f)
            found.attenuationDbPerKm = double(event.attenuation);
        if (event.codeOrigin == kOriginEnd) {
            found.reflectiveEnd = reflective;
            found.kind = tFoundEvent::End;
        }
        result.events.push_back(found);
    }
    // Without an event coded as the end, the end is the one the views show.
    const int end = sor::EndEventIndex(file);
    if (end >= 0 && result.events[size_t(end)].kind != tFoundEvent::End) {
        tFoundEvent& last = result.events[size_t(end)];
        last.reflectiveEnd = last.kind == tFoundEvent::Reflective;
        last.kind = tFoundEvent::End;
    }
    for (const tFoundEvent& event : result.events)
        if (event.kind == tFoundEvent::End) {
            result.fiberEndM = event.distanceM;
            break;
        }

    const bc::CKeyEvents& block = file.KeyEventsBlock();
    if (qint32(block.endToEndLoss) != 0)
        result.endToEndLossDb = double(qint32(block.endToEndLoss)) / 1000.0;
    if (qint16(block.returnLoss) != 0)
        result.orlDb = double(quint16(qint16(block.returnLoss))) / 1000.0;
    return result;
}

tAnalysisResult CEventSource::StoredOrAnalysed(const sor::CFile& file, const tThresholds& defaults)
{
    if (!file.KeyEvents().empty())
        return Stored(file);
    return CTraceAnalyzer::Analyze(tTraceInput::FromFile(file, 0, defaults));
}

} // namespace analysis

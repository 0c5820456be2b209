#include "CEventWriter.h"

#include <CFile.h>

#include <algorithm>
#include <cmath>

namespace analysis {

namespace {

// Indices into the event code tables.
constexpr quint32 kOriginEnd = 2;
constexpr quint32 kOriginFound = 3;
constexpr double kSpeedOfLight = 299792458.0; // m/s

// A value limited to the range a 16-bit field in 0.001 holds (rounded to
// float, -32.768 would fall just outside).
float Field16(double value)
{
    return std::isfinite(value) ? float(std::clamp(value, -32.767, 32.767)) : 0.0f;
}

} // namespace

std::deque<sor::tKeyEvent> CEventWriter::KeyEvents(const sor::CFile& file, const tAnalysisResult& result)
{
    const double index = double(file.FixedParameters().groupIndex);
    const double pulseM = index > 0 ? result.pulseNs * 1e-9 * kSpeedOfLight / (2.0 * index) : 0.0;
    const double near = std::max({ pulseM, 2.0 * file.Resolution(), 1.0 });
    std::deque<sor::tKeyEvent> events;
    for (const tFoundEvent& found : result.events) {
        if (found.kind == tFoundEvent::Echo)
            continue;
        sor::tKeyEvent e;
        // The time field holds no negative values.
        e.time = std::max(0.0f, file.DistanceToTime(float(std::max(0.0, found.distanceM))));
        e.attenuation = Field16(found.attenuationDbPerKm.value_or(0.0));
        e.loss = Field16(found.lossDb.value_or(0.0));
        const bool reflective
            = found.kind == tFoundEvent::Reflective || (found.kind == tFoundEvent::End && found.reflectiveEnd);
        const double reflectance = found.reflectanceDb.value_or(0.0);
        e.reflectance = reflective && std::isfinite(reflectance) ? float(std::clamp(reflectance, -99.999, 0.0)) : 0.0f;
        e.codeType = !reflective ? sor::tKeyEvent::NonReflective
                                 : (found.saturated ? sor::tKeyEvent::Saturated : sor::tKeyEvent::Reflective);
        e.codeOrigin = found.kind == tFoundEvent::End ? kOriginEnd : kOriginFound;
        e.codeTypeAsRead = sor::tKeyEvent::kCodeTypes[e.codeType];
        e.codeOriginAsRead = sor::tKeyEvent::kCodeOrigins[e.codeOrigin];
        e.technique = sor::tKeyEvent::LeastSquares;
        e.techniqueCode = { { 'L', 'S' } };
        const qint32 at = qint32(std::lround(double(float(e.time)) * 10.0));
        e.markers = { { at, at, at, at, at } };
        for (const sor::tKeyEvent& stored : file.KeyEvents()) {
            if (std::abs(double(file.TimeToDistance(float(stored.time))) - found.distanceM) <= near
                && !stored.comment.Text().isEmpty()) {
                e.comment = stored.comment.Text();
                break;
            }
        }
        events.push_back(e);
    }
    return events;
}

void CEventWriter::Apply(sor::CFile& file, const tAnalysisResult& result)
{
    const qint32 loss = qint32(std::lround(std::clamp(result.endToEndLossDb.value_or(0.0), -2e6, 2e6) * 1000.0));
    // The events block's return loss is read as a signed 16-bit field here:
    // a higher return loss is stored as the highest it holds.
    const quint16 orl = quint16(std::lround(std::clamp(result.orlDb.value_or(0.0), 0.0, 32.767) * 1000.0));
    double spanEndM = result.fiberEndM.value_or(0.0);
    if (!result.fiberEndM)
        spanEndM = double(file.Length());
    const qint32 spanEnd = qint32(std::lround(std::clamp(double(file.DistanceToTime(float(spanEndM))) * 10.0, 0.0, 2e9)));
    file.SetKeyEvents(KeyEvents(file, result), loss, orl, spanEnd);
}

} // namespace analysis

#include "tTraceInput.h"

#include <CFile.h>

#include <algorithm>
#include <cmath>

namespace analysis {

namespace {

constexpr double kSpeedOfLight = 299792458.0; // m/s

// A threshold field the instrument left unset: 0, or all bits set.
bool Unset(double value, double allOnes)
{
    return value == 0.0 || value == allOnes;
}

} // namespace

tTraceInput tTraceInput::FromFile(const sor::CFile& file, int pulse, const tThresholds& defaults)
{
    tTraceInput trace;
    const sor::tFixedParameters& fixed = file.FixedParameters();
    const std::vector<bc::CDataPoints::tDataPointsGroup>& groups = file.DataPoints().groups;
    if (pulse < 0 || size_t(pulse) >= groups.size())
        pulse = 0;
    if (size_t(pulse) < groups.size())
        trace.samples = groups[size_t(pulse)].points;
    const bool pulseListed = size_t(pulse) < fixed.pulses.size();
    trace.pulseNs = pulseListed ? double(fixed.pulses[size_t(pulse)].pulseWidth) : double(fixed.pulseWidth);
    const double spacingNs
        = pulseListed ? double(fixed.pulses[size_t(pulse)].dataSpacing) : double(fixed.dataSpacing);
    trace.groupIndex = double(fixed.groupIndex);
    // The document's own resolution for its first pulse; the others by their spacing.
    if (pulse == 0 && file.Resolution() > 0)
        trace.spacingM = file.Resolution();
    else if (trace.groupIndex > 0)
        trace.spacingM = spacingNs * 1e-9 * kSpeedOfLight / trace.groupIndex;
    trace.backscatterDb = double(fixed.backscatter);
    trace.noiseFloorDb = double(fixed.noiseFloor);
    // Event times count from the front panel, and from the user's offset
    // past it; the samples start before both.
    const double offsetNs = double(fixed.frontPanelOffset) + double(file.GeneralParameters().userOffset);
    if (trace.groupIndex > 0 && offsetNs > 0 && std::isfinite(offsetNs)) {
        trace.offsetM = offsetNs * 1e-9 * kSpeedOfLight / trace.groupIndex;
        const double frontNs = std::clamp(double(fixed.frontPanelOffset), 0.0, offsetNs);
        trace.frontPanelM = frontNs * 1e-9 * kSpeedOfLight / trace.groupIndex;
    }

    trace.thresholds = defaults;
    const double loss = double(fixed.lossThreshold);
    const double reflectance = double(fixed.reflectanceThreshold);
    const double end = double(fixed.endOfFiberThreshold);
    bool fromFile = false;
    if (!Unset(loss, 65.535)) {
        trace.thresholds.lossDb = loss;
        fromFile = true;
    }
    if (!Unset(reflectance, -65.535)) {
        trace.thresholds.reflectanceDb = reflectance;
        fromFile = true;
    }
    if (!Unset(end, 65.535)) {
        trace.thresholds.endDb = end;
        fromFile = true;
    }
    if (fromFile)
        trace.thresholds.source = tThresholds::FromFile;
    return trace;
}

} // namespace analysis

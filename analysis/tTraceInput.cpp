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

// A program that re-saves a file may cut away the samples before the front
// panel and keep the rest of the file as it was: the acquisition offset
// still says the samples start a front panel offset before the panel, and
// the event times still count from that first sample, but the panel's
// reflection now rises at the first samples. True where the samples' start
// is brighter than the place the offsets give for the panel by a dB or more.
bool CutAtPanel(const std::vector<quint16>& samples, const sor::tFixedParameters& fixed, double spacingNs,
    double pulseNs)
{
    const double frontNs = double(fixed.frontPanelOffset);
    const double acquisitionNs = double(fixed.acquisitionOffset);
    if (!(spacingNs > 0) || !(frontNs > 0) || !std::isfinite(frontNs)
        || std::abs(acquisitionNs + frontNs) > std::max(2.0 * spacingNs, 0.01 * frontNs))
        return false;
    const double pulse = std::max(1.0, pulseNs / (2.0 * spacingNs));
    const qint64 reach = qint64(std::ceil(pulse)) + 8;
    const qint64 panel = qint64(std::floor(frontNs / spacingNs + 0.5));
    // Both places a few pulse lengths apart, and inside the trace.
    if (double(panel) < 3.0 * double(reach) || panel + reach > qint64(samples.size()))
        return false;
    const auto brightest = [&](qint64 from, qint64 to) {
        return *std::min_element(samples.begin() + from, samples.begin() + to);
    };
    constexpr int kBrighterBy = 1000; // 1 dB in sample units
    return brightest(0, reach) + kBrighterBy < brightest(panel - reach, panel + reach);
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
    const double userNs = double(file.GeneralParameters().userOffset);
    double frontNs = double(fixed.frontPanelOffset);
    double offsetNs = frontNs + userNs;
    if (CutAtPanel(trace.samples, fixed, spacingNs, trace.pulseNs)) {
        // The samples start at the panel, a front panel offset after the
        // first sample that the event times still count from.
        offsetNs = userNs - frontNs;
        frontNs = 0;
    }
    if (trace.groupIndex > 0 && offsetNs != 0 && std::isfinite(offsetNs)) {
        trace.offsetM = offsetNs * 1e-9 * kSpeedOfLight / trace.groupIndex;
        frontNs = std::clamp(frontNs, 0.0, std::max(0.0, offsetNs));
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

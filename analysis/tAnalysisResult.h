#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace analysis {

// Thresholds an analysis works to, dB. Where they came from: the file's own
// fields, the program's defaults (options dialog) or the command line.
struct tThresholds
{
    enum tSource { FromFile, FromDefault, FromOption };

    // Smallest splice loss reported (positive).
    double lossDb = 0.05;
    // Smallest reflectance reported (negative: -65 reports -60, not -70).
    double reflectanceDb = -65.0;
    // A loss at least this large ends the fibre.
    double endDb = 3.0;
    tSource source = FromDefault;
};

// One event of a trace: found by the analysis or read from the stored events.
struct tFoundEvent
{
    enum tKind { NonReflective, Reflective, End, Echo };

    // Metres from the trace start, where the trace leaves the backscatter line
    // (a reflection at its leading edge).
    double distanceM = 0;
    tKind kind = NonReflective;
    // dB; negative for a gainer. Unset where nothing could be measured.
    std::optional<double> lossDb;
    // dB; unset for non-reflective events. For a saturated peak a bound: the
    // true value is at least this.
    std::optional<double> reflectanceDb;
    bool saturated = false;
    // Several events closer than the analysis separates, reported as one.
    bool merged = false;
    // dB/km of the section before the event; unset where it is too short.
    std::optional<double> attenuationDbPerKm;
    // The end of the fibre is reflective (a Fresnel peak) or not; only for End.
    bool reflectiveEnd = false;
};

// The events of one trace with the figures of the span.
struct tAnalysisResult
{
    // In distance order.
    std::vector<tFoundEvent> events;
    // dB, from the trace start to the fibre end (or the trace end).
    std::optional<double> endToEndLossDb;
    // Optical return loss over the same span, dB (positive).
    std::optional<double> orlDb;
    // Metres; unset where no end was found.
    std::optional<double> fiberEndM;
    tThresholds thresholds;
    // ns, of the analysed pulse.
    double pulseNs = 0;
    // Empty when the trace was analysed; otherwise why not ("trace too short
    // to analyse", ...) and `events` is empty.
    QString reason;
};

} // namespace analysis

#pragma once

#include "CVerdict.h"
#include "tAnalysisResult.h"
#include "tLimitSet.h"

#include <optional>
#include <vector>

namespace sor {
class CFile;
}

namespace analysis {

// A trace beside the same fibre measured at another wavelength: the places of
// both in one list of events, the bends among them, and the bend checks of
// the trace's verdict.
class CWavelengthBends
{
public:
    struct tPaired
    {
        // The trace's own events and, in distance order among them, the bends
        // where only the other trace has an event, so that a bend only the
        // longer wavelength sees is on the shorter one's map too.
        tAnalysisResult events;
        // Per event above: its index into the trace's own events, if any.
        std::vector<std::optional<size_t>> own;
        std::vector<bool> bends;
        // dB the longer wavelength loses there beyond the shorter (a gainer
        // counts as no loss); unset at the fibre end and where the longer
        // wavelength measured no loss.
        std::vector<std::optional<double>> excessDb;
        // The trace is the one at the longer wavelength.
        bool longer = false;
    };

    // The two traces' events side by side, bends flagged where the excess
    // loss is above `thresholdDb`; nothing when the traces cannot be compared
    // (same wavelength, fibres of different length, no events).
    static std::optional<tPaired> Pair(const sor::CFile& file, const tAnalysisResult& own, const sor::CFile& partner,
        const tAnalysisResult& other, double thresholdDb);
    // The excess loss above which a place is a bend: the lower of the bend
    // levels `set` (may be null) has at the longer wavelength, or
    // `fallbackDb` when it has none.
    static double Threshold(const tLimitSet* set, double longNm, double fallbackDb);
    // Adds to the verdict of the longer wavelength's trace, where the bend
    // loses its light, a bend check at each place where it has an event
    // inside the span and the excess loss was measured, against `limit`; the
    // verdict's state follows its worst check. Nothing is added for the
    // shorter wavelength's trace, when the limit is not set or the verdict
    // has a problem.
    static void Judge(tVerdict& verdict, const tPaired& paired, const tLimit& limit);
};

} // namespace analysis

#pragma once

#include "CWavelengthPair.h"
#include "tAnalysisResult.h"

#include <optional>
#include <vector>

namespace analysis {

// Finds macrobends on a link measured at two wavelengths: a bend loses
// clearly more light at the longer wavelength, a splice or a connector about
// the same at both.
class CBendFinder
{
public:
    // The threshold the program uses unless told otherwise, dB.
    static constexpr double kDefaultThresholdDb = 0.5;

    // One place on the link with its losses at the two wavelengths (dB,
    // unset where the trace has no measured event there) and the verdict.
    struct tPlace
    {
        double distanceM = 0;
        std::optional<double> lossShortDb;
        std::optional<double> lossLongDb;
        // Indexes into the two results' events, as CWavelengthPair::tMatch.
        std::optional<size_t> shortIndex;
        std::optional<size_t> longIndex;
        bool bend = false;
    };

    // Every place of the matched events. A place is a bend where the loss at
    // the longer wavelength exceeds the one at the shorter by more than
    // `thresholdDb`. A gainer counts as no loss, so that a gainer at one
    // wavelength is not a bend by itself; an event seen only at the longer
    // wavelength compares with no loss at the shorter one. The fibre end is
    // never a bend.
    static std::vector<tPlace> Find(
        const tAnalysisResult& shorter, const tAnalysisResult& longer, double toleranceM, double thresholdDb);
};

} // namespace analysis

#pragma once

#include "tAnalysisResult.h"
#include "tBidirectionalResult.h"

#include <optional>
#include <vector>

namespace analysis {

// The events of a trace as a link map shows them: one item per event with the
// kind of its icon, in distance order.
class CLinkMapModel
{
public:
    enum tIcon { LaunchCord, Connector, Splice, Bend, Gainer, SplitterLoss, End, ReceiveCord, IconCount };
    // The pass/fail verdict of an event where one is set (limit sets).
    enum tVerdict { NoVerdict, Pass, Marginal, Fail };

    struct tItem
    {
        tIcon icon = Splice;
        // Metres from the trace start.
        double distanceM = 0;
        // dB; unset where nothing was measured.
        std::optional<double> lossDb;
        // Index of the event in the result the items were made from.
        size_t eventIndex = 0;
        tVerdict verdict = NoVerdict;
        // The code of the unit its distance is shown in (the file's unit field's codes).
        quint32 distanceUnit = 0;
    };

    // A loss at least this large at an event that is not the fibre end looks
    // like a splitter, dB.
    static constexpr double kSplitterLossDb = 2.5;
    // A reflective event this near the trace start is the connection of the
    // launch cord, metres.
    static constexpr double kLaunchM = 10;
    // A fibre end this near after a connector is the end of a receive cord
    // put behind the link, metres.
    static constexpr double kReceiveCordM = 1000;

    // The items of `result`'s events. `bends` (may be shorter than the
    // events, or empty) flags the events found to be bends; `verdicts` (the
    // same) gives their verdicts.
    static std::vector<tItem> Items(
        const tAnalysisResult& result, const std::vector<bool>& bends = {}, const std::vector<tVerdict>& verdicts = {});
    // The averaged events of a fibre measured from both ends, on the A→B
    // axis, as one event set.
    static tAnalysisResult Combined(const tBidirectionalResult& result);
};

} // namespace analysis

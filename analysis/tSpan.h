#pragma once

#include <optional>

namespace analysis {

// The part of a trace that is the link under test. Its start: after a launch
// cord of known length, or at a chosen event, or at the trace start. Its end:
// a receive cord's length before the fibre end, or at a chosen event, or at
// the fibre end. Events outside it belong to the cords and are not tested.
struct tSpan
{
    // Metres of the launch and the receive cord.
    std::optional<double> launchM;
    std::optional<double> receiveM;
    // Event numbers counted from 1 in distance order; used where the cord on
    // that side is not given.
    std::optional<int> startEvent;
    std::optional<int> endEvent;

    // The span is the whole trace: nothing above is given.
    bool IsWhole() const { return !launchM && !receiveM && !startEvent && !endEvent; }
    bool operator==(const tSpan& other) const
    {
        return launchM == other.launchM && receiveM == other.receiveM && startEvent == other.startEvent
            && endEvent == other.endEvent;
    }
};

} // namespace analysis

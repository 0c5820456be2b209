#pragma once

#include "tAnalysisResult.h"

#include <QString>

#include <optional>
#include <vector>

namespace analysis {

// One event of a fibre measured from both ends, on the A→B distance axis.
struct tBidirectionalEvent
{
    // Which directions saw the event.
    enum tSeen { Both, AToBOnly, BToAOnly };

    // Metres from the A→B trace start: where A→B saw it, or where the B→A
    // trace's event falls once mirrored when only B→A saw it.
    double distanceM = 0;
    tFoundEvent::tKind kind = tFoundEvent::NonReflective;
    tSeen seen = Both;
    // dB: the mean of the two one-way losses; half the loss where one side
    // alone saw the event; the one loss there is where the other side saw the
    // event but could not measure it. Unset where neither measured one.
    std::optional<double> lossDb;
    // dB, the losses each direction measured (the B→A figure as B→A saw it).
    std::optional<double> lossAToBDb;
    std::optional<double> lossBToADb;
    // dB, the worse (higher) of the two reflectances.
    std::optional<double> reflectanceDb;
    bool saturated = false;
};

// The events of one fibre measured from both ends, and the figures of each
// direction side by side.
struct tBidirectionalResult
{
    // Empty when the traces make a pair; otherwise why they do not, and the
    // figures below are what could be found before the refusal.
    QString reason;
    // The events of each trace on its own distance axis.
    tAnalysisResult aToB;
    tAnalysisResult bToA;
    // A B→A position x lies at mirrorOffsetM - x on the A→B axis: the B→A
    // fibre end falls on the A→B trace start. Metres.
    double mirrorOffsetM = 0;
    // Metres: events of the two directions closer than this are one event.
    double matchToleranceM = 0;
    // In distance order on the A→B axis, the A→B fibre end among them.
    std::vector<tBidirectionalEvent> events;
    // dB: the mean of the two directions' end-to-end losses, where both have one.
    std::optional<double> averageLossDb;

    bool Paired() const { return reason.isEmpty(); }
};

} // namespace analysis

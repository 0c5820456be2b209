#include "CLinkMapModel.h"

namespace analysis {

std::vector<CLinkMapModel::tItem> CLinkMapModel::Items(
    const tAnalysisResult& result, const std::vector<bool>& bends, const std::vector<tVerdict>& verdicts)
{
    std::vector<tItem> items;
    const std::vector<tFoundEvent>& events = result.events;
    for (size_t i = 0; i < events.size(); ++i) {
        const tFoundEvent& event = events[i];
        tItem item;
        item.distanceM = event.distanceM;
        item.lossDb = event.lossDb;
        item.eventIndex = i;
        item.verdict = i < verdicts.size() ? verdicts[i] : NoVerdict;
        const double loss = event.lossDb.value_or(0.0);
        const bool reflective = event.kind == tFoundEvent::Reflective || event.kind == tFoundEvent::Echo;
        if (event.kind == tFoundEvent::End) {
            // The fibre end shortly behind a connector: the link ends at that
            // connector, and what follows is the receive cord.
            const bool cord = i > 0 && events[i - 1].kind == tFoundEvent::Reflective
                && event.distanceM - events[i - 1].distanceM <= kReceiveCordM && i > 1;
            item.icon = cord ? ReceiveCord : End;
        } else if (i < bends.size() && bends[i]) {
            item.icon = Bend;
        } else if (i == 0 && reflective && event.distanceM <= kLaunchM) {
            item.icon = LaunchCord;
        } else if (event.lossDb && loss < 0) {
            item.icon = Gainer;
        } else if (loss >= kSplitterLossDb) {
            item.icon = SplitterLoss;
        } else {
            item.icon = reflective ? Connector : Splice;
        }
        items.push_back(item);
    }
    return items;
}

tAnalysisResult CLinkMapModel::Combined(const tBidirectionalResult& result)
{
    tAnalysisResult combined = result.aToB;
    combined.events.clear();
    for (const tBidirectionalEvent& pairEvent : result.events) {
        tFoundEvent event;
        event.distanceM = pairEvent.distanceM;
        event.kind = pairEvent.kind;
        event.lossDb = pairEvent.lossDb;
        event.reflectanceDb = pairEvent.reflectanceDb;
        event.saturated = pairEvent.saturated;
        combined.events.push_back(event);
    }
    return combined;
}

} // namespace analysis

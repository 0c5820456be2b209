#include "CBendFinder.h"

#include <algorithm>

namespace analysis {

std::vector<CBendFinder::tPlace> CBendFinder::Find(
    const tAnalysisResult& shorter, const tAnalysisResult& longer, double toleranceM, double thresholdDb)
{
    std::vector<tPlace> places;
    for (const CWavelengthPair::tMatch& match : CWavelengthPair::Match(shorter, longer, toleranceM)) {
        tPlace place;
        place.distanceM = match.distanceM;
        place.shortIndex = match.shortIndex;
        place.longIndex = match.longIndex;
        const tFoundEvent* s = match.shortIndex ? &shorter.events[*match.shortIndex] : nullptr;
        const tFoundEvent* l = match.longIndex ? &longer.events[*match.longIndex] : nullptr;
        if (s)
            place.lossShortDb = s->lossDb;
        if (l)
            place.lossLongDb = l->lossDb;
        const bool end = (s && s->kind == tFoundEvent::End) || (l && l->kind == tFoundEvent::End);
        if (l && l->lossDb && !end) {
            const double shortLoss = std::max(0.0, place.lossShortDb.value_or(0.0));
            const double longLoss = std::max(0.0, *l->lossDb);
            place.bend = longLoss - shortLoss > thresholdDb;
        }
        places.push_back(place);
    }
    return places;
}

} // namespace analysis

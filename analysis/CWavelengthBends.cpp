#include "CWavelengthBends.h"

#include "CBendFinder.h"
#include "CWavelengthPair.h"

#include <CFile.h>

#include <algorithm>
#include <cmath>

namespace analysis {

std::optional<CWavelengthBends::tPaired> CWavelengthBends::Pair(const sor::CFile& file, const tAnalysisResult& own,
    const sor::CFile& partner, const tAnalysisResult& other, double thresholdDb)
{
    const bool longer = CWavelengthPair::WavelengthNm(file) > CWavelengthPair::WavelengthNm(partner);
    const sor::CFile& shortFile = longer ? partner : file;
    const sor::CFile& longFile = longer ? file : partner;
    const tAnalysisResult& shorter = longer ? other : own;
    const tAnalysisResult& longerResult = longer ? own : other;
    if (!CWavelengthPair::Refusal(shortFile, shorter, longFile, longerResult).isEmpty())
        return std::nullopt;
    const double tolerance = CWavelengthPair::ToleranceM(
        shorter.pulseNs, longerResult.pulseNs, double(float(longFile.FixedParameters().groupIndex)));
    tPaired paired;
    paired.longer = longer;
    paired.events = own;
    paired.events.events.clear();
    for (const CBendFinder::tPlace& place : CBendFinder::Find(shorter, longerResult, tolerance, thresholdDb)) {
        const std::optional<size_t> mine = longer ? place.longIndex : place.shortIndex;
        const std::optional<size_t> theirs = longer ? place.shortIndex : place.longIndex;
        // Of the other trace's own events only the bends are shown.
        if (!mine && !place.bend)
            continue;
        tFoundEvent event = mine ? own.events[*mine] : other.events[*theirs];
        if (!mine)
            event.distanceM = place.distanceM;
        const bool end = event.kind == tFoundEvent::End;
        std::optional<double> excess;
        if (place.lossLongDb && !end)
            excess = std::max(0.0, *place.lossLongDb) - std::max(0.0, place.lossShortDb.value_or(0.0));
        paired.events.events.push_back(event);
        paired.own.push_back(mine);
        paired.bends.push_back(place.bend);
        paired.excessDb.push_back(excess);
    }
    return paired;
}

double CWavelengthBends::Threshold(const tLimitSet* set, double longNm, double fallbackDb)
{
    if (!set)
        return fallbackDb;
    const tLimit limit = set->For(longNm).limits[tLimitLevels::Bend];
    if (limit.warn && limit.fail)
        return std::min(*limit.warn, *limit.fail);
    return limit.warn.value_or(limit.fail.value_or(fallbackDb));
}

void CWavelengthBends::Judge(tVerdict& verdict, const tPaired& paired, const tLimit& limit)
{
    if (!paired.longer || !limit.IsSet() || !verdict.problem.isEmpty())
        return;
    for (size_t i = 0; i < paired.own.size(); ++i) {
        if (!paired.own[i] || !paired.excessDb[i] || !verdict.span.Holds(int(*paired.own[i])))
            continue;
        tCheck check;
        check.kind = tLimitLevels::Bend;
        check.event = int(*paired.own[i]);
        check.value = std::round(*paired.excessDb[i] * 1000.0) / 1000.0;
        check.limit = limit;
        check.state = CVerdict::Compare(tLimitLevels::Bend, *paired.excessDb[i], limit);
        verdict.checks.push_back(check);
        verdict.state = std::max(verdict.state, check.state);
    }
}

} // namespace analysis

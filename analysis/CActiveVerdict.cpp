#include "CActiveVerdict.h"

#include "CBendFinder.h"
#include "CEventSource.h"
#include "CLimitSets.h"
#include "CWavelengthBends.h"
#include "CWavelengthPair.h"

#include <CDistanceUnit.h>
#include <CFile.h>

#include <algorithm>

namespace analysis {

CActiveVerdict::tState& CActiveVerdict::State()
{
    // Read and written on the GUI thread only.
    static tState state;
    if (!state.loaded) {
        state.set = CLimitSets::Active();
        state.span = CLimitSets::ActiveSpan();
        state.loaded = true;
    }
    return state;
}

void CActiveVerdict::Reload()
{
    State().loaded = false;
    State();
}

const std::optional<tLimitSet>& CActiveVerdict::LimitSet()
{
    return State().set;
}

const tSpan& CActiveVerdict::Span()
{
    return State().span;
}

std::optional<tVerdict> CActiveVerdict::Of(const sor::CFile& file)
{
    const tState& state = State();
    if (!state.set)
        return std::nullopt;
    const tAnalysisResult events = CEventSource::Stored(file);
    tVerdict verdict = CVerdict::Judge(file, events, *state.set, state.span);
    verdict.unit = CDistanceUnit::Of(&file);
    // The partner is looked for only where a bend can be judged: the search
    // goes through every listed trace.
    const bool bends = std::any_of(state.set->levels.begin(), state.set->levels.end(),
        [](const tLimitLevels& levels) { return levels.limits[tLimitLevels::Bend].IsSet(); });
    const sor::CFile* partner = bends && state.partnerFinder ? state.partnerFinder(file) : nullptr;
    if (partner && partner != &file) {
        const double longNm
            = std::max(CWavelengthPair::WavelengthNm(file), CWavelengthPair::WavelengthNm(*partner));
        const tLimit limit = state.set->For(longNm).limits[tLimitLevels::Bend];
        if (limit.IsSet()) {
            const double threshold
                = CWavelengthBends::Threshold(&*state.set, longNm, CBendFinder::kDefaultThresholdDb);
            if (const std::optional<CWavelengthBends::tPaired> paired
                = CWavelengthBends::Pair(file, events, *partner, CEventSource::Stored(*partner), threshold))
                CWavelengthBends::Judge(verdict, *paired, limit);
        }
    }
    return verdict;
}

void CActiveVerdict::SetPartnerFinder(const tPartnerFinder& finder)
{
    State().partnerFinder = finder;
}

} // namespace analysis

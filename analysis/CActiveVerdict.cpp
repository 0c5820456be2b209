#include "CActiveVerdict.h"

#include "CEventSource.h"
#include "CLimitSets.h"

#include <CFile.h>

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
    return CVerdict::Judge(file, CEventSource::Stored(file), *state.set, state.span);
}

} // namespace analysis

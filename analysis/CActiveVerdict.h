#pragma once

#include "CVerdict.h"

#include <optional>

namespace sor {
class CFile;
}

namespace analysis {

// The judgement the program shows everywhere: the limit set and the span
// chosen in the settings store, read once and kept until Reload(), so that
// list cards and table cells can ask for a verdict as often as they paint.
class CActiveVerdict
{
public:
    // The verdict of the file's stored events; nothing when no limit set is
    // chosen.
    static std::optional<tVerdict> Of(const sor::CFile& file);
    static const std::optional<tLimitSet>& LimitSet();
    static const tSpan& Span();
    // Reads the choice from the settings store again (after it changed).
    static void Reload();

private:
    struct tState
    {
        bool loaded = false;
        std::optional<tLimitSet> set;
        tSpan span;
    };
    static tState& State();
};

} // namespace analysis

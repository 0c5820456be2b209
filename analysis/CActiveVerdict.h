#pragma once

#include "CVerdict.h"

#include <functional>
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
    // The trace of the same fibre at another wavelength a file is compared
    // with, or null.
    using tPartnerFinder = std::function<const sor::CFile*(const sor::CFile&)>;

    // The verdict of the file's stored events; nothing when no limit set is
    // chosen. Where the set has bend levels and the partner finder names a
    // trace at another wavelength, the bends between the two are judged too.
    static std::optional<tVerdict> Of(const sor::CFile& file);
    // Set by the window that pairs the traces; an empty finder judges no bends.
    static void SetPartnerFinder(const tPartnerFinder& finder);
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
        tPartnerFinder partnerFinder;
    };
    static tState& State();
};

} // namespace analysis

#pragma once

#include <tFixedParameters.h>
#include <tGeneralParameters.h>

namespace sor {

// The later layout keeps a distance beside some of its times: the
// acquisition offset, the acquisition range and the user offset each have a
// distance field, in a scale of the instrument's own (tenths or hundredths
// of the distance unit, or other; many instruments leave them 0). A distance
// follows its time and the group index by which the time becomes a distance,
// so when either is edited the companion is scaled by the same ratio; a zero
// companion, or one beside a zero time, stays as it is.
// The data spacing has no such rule: instruments disagree on whether their
// range distance follows it, so the later layout does not offer it for editing.
class CDistanceCompanions
{
public:
    // Brings the companions of `fixed` and `general`, taken from `oldFixed`,
    // in step with the edited times and group index of `fixed`.
    static void Follow(const tFixedParameters& oldFixed, tFixedParameters& fixed, tGeneralParameters& general);
};

} // namespace sor

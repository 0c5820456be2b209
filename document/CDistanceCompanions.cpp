#include "CDistanceCompanions.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace sor {

namespace {

// `distance` scaled by `ratio`, rounded and kept within the field's range.
qint32 Scaled(qint32 distance, double ratio)
{
    if (distance == 0 || !std::isfinite(ratio) || ratio <= 0)
        return distance;
    const double scaled = std::round(double(distance) * ratio);
    const double limit = double(std::numeric_limits<qint32>::max());
    return qint32(std::max(-limit, std::min(limit, scaled)));
}

} // namespace

void CDistanceCompanions::Follow(const tFixedParameters& oldFixed, tFixedParameters& fixed, tGeneralParameters& general)
{
    // A distance is the time divided by the group index.
    const double oldIndex = oldFixed.groupIndex;
    const double index = fixed.groupIndex;
    const double indexRatio = index > 0 && oldIndex > 0 ? oldIndex / index : 1.0;
    if (indexRatio != 1.0) {
        fixed.acquisitionOffsetDistance = Scaled(fixed.acquisitionOffsetDistance, indexRatio);
        general.userOffsetDistance = Scaled(general.userOffsetDistance, indexRatio);
    }
    const double oldRange = oldFixed.acquisitionRange;
    const double range = fixed.acquisitionRange;
    const double rangeRatio = oldRange > 0 && range > 0 ? range / oldRange : 1.0;
    if (indexRatio != 1.0 || rangeRatio != 1.0)
        fixed.acquisitionRangeDistance = Scaled(fixed.acquisitionRangeDistance, indexRatio * rangeRatio);
}

} // namespace sor

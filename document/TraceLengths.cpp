#include "TraceLengths.h"

#include "CFile.h"

#include <cmath>

namespace sor {

namespace {

// Index of "E" (end of fibre) in the event code's origin table.
constexpr quint32 kOriginEnd = 2;

} // namespace

double TraceExtent(const CFile& file)
{
    return file.PointCount() > 1 ? double(file.PointCount() - 1) * file.Resolution() : 0.0;
}

double ShownRange(const CFile& file)
{
    const float range = file.FixedParameters().acquisitionRange;
    const double metres = range > 0 ? double(file.TimeToDistance(range)) : 0.0;
    // A group index of 0 gives no distance at all: the extent (0) then.
    return metres > 0 && std::isfinite(metres) ? metres : TraceExtent(file);
}

int EndEventIndex(const CFile& file)
{
    const std::deque<tKeyEvent>& events = file.KeyEvents();
    for (size_t i = 0; i < events.size(); ++i)
        if (events[i].codeOrigin == kOriginEnd)
            return int(i);
    const float threshold = file.FixedParameters().endOfFiberThreshold;
    if (!events.empty() && threshold > 0 && float(events.back().loss) >= threshold)
        return int(events.size()) - 1;
    return -1;
}

double FibreLength(const CFile& file)
{
    const int end = EndEventIndex(file);
    if (end < 0)
        return ShownRange(file);
    const double metres = double(file.TimeToDistance(file.KeyEvents()[size_t(end)].time));
    return metres > 0 && std::isfinite(metres) ? metres : ShownRange(file);
}

} // namespace sor

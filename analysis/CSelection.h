#pragma once

#include <cstddef>

namespace analysis {

// The k-th smallest of many values, as std::nth_element finds it but a few
// times faster on the short lists the noise estimates take medians of: the
// partitions move values without branching on them, and the last few values
// are counted rather than sorted.
class CSelection
{
public:
    // The k-th smallest (from 0) of values[0, count), k < count; the values
    // are reordered. Values must not be NaN.
    static double Kth(double* values, size_t count, size_t k);
};

} // namespace analysis

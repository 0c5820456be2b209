#include "CSelection.h"

#include <algorithm>

namespace analysis {

namespace {

// Ranges this short are sorted outright.
constexpr size_t kSortBelow = 16;

} // namespace

double CSelection::Kth(double* values, size_t count, size_t k)
{
    // values[lo, hi) holds the k-th smallest; everything before lo is no
    // larger and everything from hi on no smaller than what lies inside.
    size_t lo = 0;
    size_t hi = count;
    while (hi - lo > kSortBelow) {
        const double a = values[lo];
        const double b = values[lo + (hi - lo) / 2];
        const double c = values[hi - 1];
        const double pivot = std::max(std::min(a, b), std::min(std::max(a, b), c));
        // The values below the pivot to the front: each value is swapped
        // into place and the boundary moves on where it belongs in front.
        size_t below = lo;
        for (size_t i = lo; i < hi; ++i) {
            const double x = values[i];
            values[i] = values[below];
            values[below] = x;
            below += x < pivot ? 1 : 0;
        }
        if (k < below) {
            hi = below;
            continue;
        }
        // Of the rest, the values equal to the pivot (one at least) next.
        size_t equal = below;
        for (size_t i = below; i < hi; ++i) {
            const double x = values[i];
            values[i] = values[equal];
            values[equal] = x;
            equal += pivot < x ? 0 : 1;
        }
        if (k < equal)
            return pivot;
        lo = equal;
    }
    std::sort(values + lo, values + hi);
    return values[k];
}

} // namespace analysis

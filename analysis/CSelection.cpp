#include "CSelection.h"

#include <algorithm>

namespace analysis {

namespace {

// Ranges this short are sorted outright.
constexpr size_t kSortBelow = 16;

// Moves the values of [from, hi) for which `front` holds before the others,
// without branching on the values: each value is swapped into place and the
// boundary moves on where it belongs in front. Returns the boundary.
template<typename F> size_t ToFront(double* values, size_t from, size_t hi, F front)
{
    size_t boundary = from;
    for (size_t i = from; i < hi; ++i) {
        const double x = values[i];
        values[i] = values[boundary];
        values[boundary] = x;
        boundary += front(x) ? 1 : 0;
    }
    return boundary;
}

// The k-th smallest of a few values, found by counting for each value those
// below it and those no larger: no branch depends on the values, where a
// sort of a few values mispredicts at about every other step.
double SmallKth(const double* values, size_t count, size_t k)
{
    size_t at = 0;
    for (size_t i = 0; i < count; ++i) {
        size_t below = 0;
        size_t notAbove = 0;
        for (size_t j = 0; j < count; ++j) {
            below += values[j] < values[i] ? 1 : 0;
            notAbove += values[j] <= values[i] ? 1 : 0;
        }
        // Only a value equal to the k-th smallest has at most k values
        // below it and more than k no larger than it.
        const size_t hit = size_t(below <= k) & size_t(k < notAbove);
        at += hit * (i - at);
    }
    return values[at];
}

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
        // The values below the pivot to the front.
        const size_t below = ToFront(values, lo, hi, [pivot](double x) { return x < pivot; });
        if (k < below) {
            hi = below;
            continue;
        }
        // Of the rest, the values equal to the pivot (one at least) next.
        const size_t equal = ToFront(values, below, hi, [pivot](double x) { return !(pivot < x); });
        if (k < equal)
            return pivot;
        lo = equal;
    }
    return SmallKth(values + lo, hi - lo, k - lo);
}

} // namespace analysis

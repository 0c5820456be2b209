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
    std::sort(values + lo, values + hi);
    return values[k];
}

} // namespace analysis

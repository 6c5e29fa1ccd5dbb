#pragma once

#include <cstddef>
#include <utility>

namespace torvane {

// The first of the two passes every sort of the program runs over positions lo..hi (inclusive)
// of a random-access range (the second, a stable pass, is in Sorting.cpp). compare(a, b) answers
// how the elements a and b order in ascending order (a std::strong_ordering, or an int read by
// its sign). The order in which equal elements end up is fixed by these exact steps: other code
// (saved files, tests) relies on it, so they must not be "improved".

// Partitions around the element that stands at the middle position at the moment of each
// comparison (it is not saved before the scans: a swap that moves it changes the pivot). The
// partition alone does not always leave the range ordered; the stable pass finishes it.
template <class Range, class Compare>
void QuickSortPass(Range& items, ptrdiff_t lo, ptrdiff_t hi, bool descending, Compare compare) {
    const auto before = [&](ptrdiff_t a, ptrdiff_t b) {
        const auto r = compare(items[a], items[b]);
        return descending ? r > 0 : r < 0;
    };
    // The two parts are disjoint and sorted independently: recursing into the smaller one and
    // looping on the larger one bounds the depth without changing any comparison.
    while (lo < hi) {
        const ptrdiff_t mid = lo + (hi - lo) / 2;
        ptrdiff_t i = lo;
        ptrdiff_t j = hi;
        while (i <= j) {
            while (before(i, mid))
                ++i;
            while (before(mid, j))
                --j;
            if (i <= j) {
                using std::swap;
                swap(items[i], items[j]);
                ++i;
                --j;
            }
        }
        if (j - lo < hi - i) {
            if (lo < j)
                QuickSortPass(items, lo, j, descending, compare);
            lo = i;
        } else {
            if (i < hi)
                QuickSortPass(items, i, hi, descending, compare);
            hi = j;
        }
    }
}

} // namespace torvane

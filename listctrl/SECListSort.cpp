#include "listctrl/SECListSort.h"

namespace {
// Runs this short are sorted by insertion before merging starts.
const size_t kRunLength = 16;

// Insertion sort of [first, last) of data; FALSE when stopped.
BOOL InsertionSort(int* data, size_t first, size_t last, SECRowComparer& comparer)
{
    for (size_t i = first + 1; i < last; ++i) {
        const int value = data[i];
        size_t j = i;
        while (j > first) {
            const int c = comparer.Compare(data[j - 1], value);
            if (comparer.Stopped())
                return FALSE;
            if (c <= 0)
                break;
            data[j] = data[j - 1];
            --j;
        }
        data[j] = value;
    }
    return TRUE;
}

// Merges the sorted runs [first, middle) and [middle, last) of from into to;
// FALSE when stopped.
BOOL Merge(const int* from, int* to, size_t first, size_t middle, size_t last, SECRowComparer& comparer)
{
    size_t i = first;
    size_t j = middle;
    size_t k = first;
    // Runs already in order (a list sorted again by the same column) cost one comparison.
    if (i < middle && j < last) {
        const int c = comparer.Compare(from[middle - 1], from[middle]);
        if (comparer.Stopped())
            return FALSE;
        if (c <= 0) {
            for (; k < last; ++k)
                to[k] = from[k];
            return TRUE;
        }
    }
    while (i < middle && j < last) {
        const int c = comparer.Compare(from[i], from[j]);
        if (comparer.Stopped())
            return FALSE;
        // Equal rows: the one from the left run first, which keeps the sort stable.
        to[k++] = c <= 0 ? from[i++] : from[j++];
    }
    while (i < middle)
        to[k++] = from[i++];
    while (j < last)
        to[k++] = from[j++];
    return TRUE;
}
} // namespace

BOOL SECStableSortRows(std::vector<int>& order, SECRowComparer& comparer)
{
    const size_t n = order.size();
    if (n < 2)
        return TRUE;
    std::vector<int> a(order);
    for (size_t first = 0; first < n; first += kRunLength) {
        if (!InsertionSort(a.data(), first, first + kRunLength < n ? first + kRunLength : n, comparer))
            return FALSE;
    }
    std::vector<int> b(n);
    int* from = a.data();
    int* to = b.data();
    for (size_t width = kRunLength; width < n; width *= 2) {
        for (size_t first = 0; first < n; first += 2 * width) {
            const size_t middle = first + width < n ? first + width : n;
            const size_t last = first + 2 * width < n ? first + 2 * width : n;
            if (!Merge(from, to, first, middle, last, comparer))
                return FALSE;
        }
        int* swap = from;
        from = to;
        to = swap;
    }
    order.assign(from, from + n);
    return TRUE;
}

// A stable merge sort that stays inside its array whatever the comparison
// answers: the tree sorts children by an owner's callback, and an owner's
// callback may contradict itself (or stop answering sensibly when the owner
// changes the tree meanwhile). The library's sorts would then be free to read
// past the ends; this one only ever produces some order of the same elements.
#pragma once
#include <cstddef>
#include <vector>

namespace SECTreeSort {

// Sorts items so that less(b, a) never holds for a before b where the
// comparison is consistent; equal elements keep their order. O(n log n)
// comparisons, one buffer of n elements.
template <class T, class Less>
void MergeSort(std::vector<T>& items, Less less)
{
    const size_t n = items.size();
    if (n < 2)
        return;
    std::vector<T> buffer(n);
    std::vector<T>* pFrom = &items;
    std::vector<T>* pTo = &buffer;
    for (size_t width = 1; width < n; width *= 2) {
        for (size_t left = 0; left < n; left += 2 * width) {
            const size_t mid = left + width < n ? left + width : n;
            const size_t right = left + 2 * width < n ? left + 2 * width : n;
            size_t i = left;
            size_t j = mid;
            size_t k = left;
            while (i < mid && j < right)
                (*pTo)[k++] = less((*pFrom)[j], (*pFrom)[i]) ? (*pFrom)[j++] : (*pFrom)[i++];
            while (i < mid)
                (*pTo)[k++] = (*pFrom)[i++];
            while (j < right)
                (*pTo)[k++] = (*pFrom)[j++];
        }
        std::swap(pFrom, pTo);
    }
    if (pFrom != &items)
        items.swap(buffer);
}

} // namespace SECTreeSort

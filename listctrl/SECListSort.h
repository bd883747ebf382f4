// Ordering of the list's rows: a stable merge sort of row indices by a
// comparison that may call out to the list's owner. The comparison can end the
// sort early (the owner changed the rows meanwhile); nothing is then reordered.
#pragma once
#include <windows.h>
#include <vector>
#include "framework/MorvaApi.h"

class MORVA_API SECRowComparer
{
public:
    virtual ~SECRowComparer() = default;
    // Below 0: row a goes first; above 0: row b goes first; 0: they keep their
    // order (the sort is stable).
    virtual int Compare(int a, int b) = 0;
    // Whether the sort must end now; asked after every comparison.
    virtual BOOL Stopped() const { return FALSE; }
};

// Sorts the indices in order (O(n log n) comparisons, one buffer of n indices).
// FALSE when the comparer stopped it; order is then unchanged.
MORVA_API BOOL SECStableSortRows(std::vector<int>& order, SECRowComparer& comparer);

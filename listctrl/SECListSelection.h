// The list's selection: a sorted array of row indices without duplicates. A row
// is selected exactly when its index is in the array. Membership is a bisection
// (logarithmic) and adding rows in ascending order appends in constant time.
#pragma once
#include <windows.h>
#include "framework/CArray.h"

class MORVA_API SECListSelection
{
public:
    // Whether v is in the set; pos receives its position or where it would go.
    BOOL Find(int v, INT_PTR& pos) const;
    BOOL Contains(int v) const;
    // Both answer whether the set changed.
    BOOL Add(int v);
    BOOL Remove(int v);
    void RemoveAll() { m_rows.RemoveAll(); }

    INT_PTR GetCount() const { return m_rows.GetSize(); }
    int GetAt(INT_PTR pos) const { return static_cast<int>(m_rows.GetAt(pos)); }
    const CDWordArray& GetArray() const { return m_rows; }

    // Row bookkeeping: rows from nItem on moved down by one (an insertion).
    void RowInserted(int nItem);
    // Rows nFirst..nLast were deleted: they leave the set, later ones move up.
    void RowsDeleted(int nFirst, int nLast);

private:
    CDWordArray m_rows; // selected row indices, ascending
};

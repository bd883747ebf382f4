#include "listctrl/SECListSelection.h"

namespace {
// Below this size a plain scan is as quick as bisecting.
const INT_PTR kBisectFrom = 7;
} // namespace

BOOL SECListSelection::Find(int v, INT_PTR& pos) const
{
    const INT_PTR n = m_rows.GetSize();
    const DWORD* rows = m_rows.GetData();
    INT_PTR lo = 0;
    INT_PTR hi = n - 1;
    if (n >= kBisectFrom) {
        while (hi - lo >= 2) {
            const INT_PTR mid = lo + (hi - lo) / 2;
            const int m = static_cast<int>(rows[mid]);
            if (m == v) {
                pos = mid;
                return TRUE;
            }
            if (m < v)
                lo = mid;
            else
                hi = mid;
        }
    }
    for (INT_PTR i = lo; i <= hi; ++i) {
        if (static_cast<int>(rows[i]) >= v) {
            pos = i;
            return static_cast<int>(rows[i]) == v;
        }
    }
    pos = n;
    return FALSE;
}

BOOL SECListSelection::Contains(int v) const
{
    INT_PTR pos = 0;
    return Find(v, pos);
}

BOOL SECListSelection::Add(int v)
{
    const INT_PTR n = m_rows.GetSize();
    if (n > 0 && v > static_cast<int>(m_rows[n - 1])) {
        m_rows.Add(static_cast<DWORD>(v));
        return TRUE;
    }
    INT_PTR pos = 0;
    if (Find(v, pos))
        return FALSE;
    m_rows.InsertAt(pos, static_cast<DWORD>(v));
    return TRUE;
}

BOOL SECListSelection::Remove(int v)
{
    // Deselecting every row goes from the last one: no search for it.
    const INT_PTR n = m_rows.GetSize();
    if (n > 0 && static_cast<int>(m_rows[n - 1]) == v) {
        m_rows.RemoveAt(n - 1);
        return TRUE;
    }
    INT_PTR pos = 0;
    if (!Find(v, pos))
        return FALSE;
    m_rows.RemoveAt(pos);
    return TRUE;
}

void SECListSelection::RowInserted(int nItem)
{
    INT_PTR pos = 0;
    Find(nItem, pos);
    DWORD* rows = m_rows.GetData();
    for (INT_PTR i = pos; i < m_rows.GetSize(); ++i)
        ++rows[i];
}

void SECListSelection::RowsDeleted(int nFirst, int nLast)
{
    const DWORD count = static_cast<DWORD>(nLast - nFirst + 1);
    INT_PTR start = 0;
    Find(nFirst, start);
    // Lower the rows after the range first, then drop the range in one move.
    INT_PTR end = start;
    DWORD* rows = m_rows.GetData();
    while (end < m_rows.GetSize() && static_cast<int>(rows[end]) <= nLast)
        ++end;
    for (INT_PTR i = end; i < m_rows.GetSize(); ++i)
        rows[i] -= count;
    if (end > start)
        m_rows.RemoveAt(start, end - start);
}

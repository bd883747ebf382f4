// Sorting of the rows by an owner's comparison, and the sort mark of a heading.
// Part of SECListBaseT; compiled in SECListBaseC.cpp.

namespace SECListDetail {
// Asks the owner's function, and stops when the owner changed the rows (or
// destroyed the window, which frees them) while it was asked.
template <class TList>
class OwnerRowComparer : public SECRowComparer
{
public:
    OwnerRowComparer(const TList* pList, PFNLVCOMPARE pfnCompare, LPARAM lParamSort, const LPARAM* pKeys)
        : m_watch(pList), m_pfnCompare(pfnCompare), m_lParamSort(lParamSort), m_pKeys(pKeys)
    {
    }
    int Compare(int a, int b) override
    {
        const LPARAM first = m_pKeys != nullptr ? m_pKeys[a] : a;
        const LPARAM second = m_pKeys != nullptr ? m_pKeys[b] : b;
        return m_pfnCompare(first, second, m_lParamSort);
    }
    BOOL Stopped() const override { return m_watch.Changed(); }

private:
    typename TList::RecordsWatch m_watch; // the rows as they were when the sort began
    PFNLVCOMPARE m_pfnCompare;            // the owner's function
    LPARAM m_lParamSort;                  // passed to it unchanged
    const LPARAM* m_pKeys;                // item data by row, or null to pass row indices
};
} // namespace SECListDetail

template <class THost>
BOOL SECListBaseT<THost>::SortItems(PFNLVCOMPARE pfnCompare, LPARAM lParamSort)
{
    return SortRows(pfnCompare, lParamSort, FALSE);
}

template <class THost>
BOOL SECListBaseT<THost>::SortItemsEx(PFNLVCOMPARE pfnCompare, LPARAM lParamSort)
{
    return SortRows(pfnCompare, lParamSort, TRUE);
}

template <class THost>
BOOL SECListBaseT<THost>::CanSortRows() const
{
    return TRUE;
}

template <class THost>
BOOL SECListBaseT<THost>::SortRows(PFNLVCOMPARE pfnCompare, LPARAM lParamSort, BOOL bByIndex)
{
    if (pfnCompare == nullptr || m_bSorting || !CanSortRows())
        return FALSE;
    // The editor would stay over a row that moved away: the edit ends first
    // (cancelled, as a click elsewhere would), and an owner that changes the
    // rows on hearing of it leaves the sort undone.
    if (m_nEditItem >= 0) {
        RecordsWatch watch(this);
        EndLabelEdit(FALSE);
        if (watch.Changed() || m_nEditItem >= 0)
            return FALSE;
    }
    const int count = GetItemCount();
    if (count < 2)
        return TRUE;
    std::vector<LPARAM> keys;
    if (!bByIndex) {
        keys.resize(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i)
            keys[static_cast<size_t>(i)] = GetRecordData(m_items.GetAt(i));
    }
    std::vector<int> order(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        order[static_cast<size_t>(i)] = i;
    const HWND hWnd = m_hWnd;
    SECListDetail::OwnerRowComparer<SECListBaseT> comparer(this, pfnCompare, lParamSort,
                                                          bByIndex ? nullptr : keys.data());
    m_bSorting = TRUE;
    const BOOL bSorted = SECStableSortRows(order, comparer);
    m_bSorting = FALSE;
    if (!bSorted || comparer.Stopped() || (hWnd != nullptr && !IsAlive()))
        return FALSE;
    std::vector<SECListItem*> records(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        records[static_cast<size_t>(i)] = m_items.GetAt(order[static_cast<size_t>(i)]);
    // One permutation of the rows: selection, focus, anchor, drop highlight and
    // the pending edit follow their records.
    if (!ReplaceItemRecords(0, count, records.data(), count))
        return FALSE;
    if (IsAlive())
        Invalidate();
    return TRUE;
}

template <class THost>
BOOL SECListBaseT<THost>::SetSortMark(int nCol, BOOL bAscending)
{
    SECListColumn* pColumn = nullptr;
    if (nCol != -1) {
        pColumn = GetColumnRecord(nCol);
        if (pColumn == nullptr)
            return FALSE;
    }
    if (pColumn == m_pSortColumn && (pColumn == nullptr || !bAscending == !m_bSortAscending))
        return TRUE;
    m_pSortColumn = pColumn;
    m_bSortAscending = bAscending ? TRUE : FALSE;
    if (IsAlive() && HasHeader()) {
        CRect client;
        GetListClientRect(client);
        const CRect band(client.left, client.top, client.right, client.top + m_nHeaderHeight);
        InvalidateRect(&band, FALSE);
    }
    return TRUE;
}

template <class THost>
int SECListBaseT<THost>::GetSortMark(BOOL* pbAscending) const
{
    int nCol = -1;
    for (int i = 0; m_pSortColumn != nullptr && i < GetColumnCount(); ++i) {
        if (m_columns[i] == m_pSortColumn) {
            nCol = i;
            break;
        }
    }
    if (pbAscending != nullptr)
        *pbAscending = nCol >= 0 ? m_bSortAscending : FALSE;
    return nCol;
}

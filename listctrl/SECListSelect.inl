// Selection, focus, anchor and drop highlight: the primitives every selection
// step is built from. Part of SECListBaseT; compiled in SECListBaseC.cpp.

template <class THost>
BOOL SECListBaseT<THost>::SelectItem(int nItem, BOOL bSelect)
{
    if (!IsMultiSelect())
        DeselectAllItems(nItem);
    return SetItemState(nItem, bSelect ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

template <class THost>
BOOL SECListBaseT<THost>::SelectItemRange(int nFirst, int nLast, BOOL bSelect)
{
    if (nFirst > nLast)
        std::swap(nFirst, nLast);
    nFirst = std::max(nFirst, 0);
    nLast = std::min(nLast, GetItemCount() - 1);
    BOOL bAll = TRUE;
    for (int i = nFirst; i <= nLast; ++i)
        bAll &= SelectItem(i, bSelect);
    return bAll;
}

template <class THost>
void SECListBaseT<THost>::DeselectAllItems(int nExcept)
{
    for (INT_PTR pos = m_selection.GetCount() - 1; pos >= 0; --pos) {
        if (pos >= m_selection.GetCount())
            continue; // an owner hook shrank the set
        const int row = m_selection.GetAt(pos);
        if (row != nExcept)
            SetItemState(row, 0, LVIS_SELECTED);
    }
}

template <class THost>
BOOL SECListBaseT<THost>::FocusAndSelectItem(int nItem, BOOL bSelect)
{
    if (!IsMultiSelect())
        DeselectAllItems(nItem);
    if (m_nFocusIndex >= 0 && m_nFocusIndex != nItem)
        SetItemState(m_nFocusIndex, 0, LVIS_FOCUSED);
    BOOL bResult = TRUE;
    if (nItem >= 0)
        bResult = SetItemState(nItem, bSelect ? (LVIS_SELECTED | LVIS_FOCUSED) : LVIS_FOCUSED,
                               LVIS_SELECTED | LVIS_FOCUSED);
    m_nAnchor = m_nFocusIndex;
    return bResult;
}

template <class THost>
BOOL SECListBaseT<THost>::SetFocusItem(int nItem)
{
    if (m_nFocusIndex >= 0 && m_nFocusIndex != nItem)
        SetItemState(m_nFocusIndex, 0, LVIS_FOCUSED);
    BOOL bResult = TRUE;
    if (nItem >= 0)
        bResult = SetItemState(nItem, LVIS_FOCUSED, LVIS_FOCUSED);
    m_nAnchor = m_nFocusIndex;
    return bResult;
}

template <class THost>
BOOL SECListBaseT<THost>::SetDropHilightItem(int nItem)
{
    if (nItem == m_nDropHilite)
        return TRUE;
    if (m_nDropHilite >= 0)
        SetItemState(m_nDropHilite, 0, LVIS_DROPHILITED);
    if (nItem >= 0)
        return SetItemState(nItem, LVIS_DROPHILITED, LVIS_DROPHILITED);
    return TRUE;
}

template <class THost>
int SECListBaseT<THost>::GetNextItem(int nItem, int nFlags)
{
    const UINT stateMask = static_cast<UINT>(nFlags) & (LVNI_FOCUSED | LVNI_SELECTED | LVNI_CUT | LVNI_DROPHILITED);
    const UINT direction = static_cast<UINT>(nFlags) & (LVNI_ABOVE | LVNI_BELOW | LVNI_TOLEFT | LVNI_TORIGHT);
    const BOOL bUp = (direction & (LVNI_ABOVE | LVNI_TOLEFT)) != 0;
    const BOOL bDown = direction == 0 || (direction & (LVNI_BELOW | LVNI_TORIGHT)) != 0;
    const int count = GetItemCount();
    // Downward, a start at or past the last row finds nothing (and nItem + 1
    // cannot overflow below); upward, a scan from past the end starts at the
    // last row (a walk back from GetItemCount()).
    if (bDown && !bUp && nItem >= count)
        return -1;
    if (stateMask != 0) {
        if (bUp) {
            for (int i = std::min(std::max(nItem, 0), count) - 1; i >= 0; --i) {
                if (GetItemState(i, stateMask) & stateMask)
                    return i;
            }
        } else if (bDown) {
            for (int i = std::max(nItem, -1) + 1; i < count; ++i) {
                if (GetItemState(i, stateMask) & stateMask)
                    return i;
            }
        }
        return -1;
    }
    if (nItem < -1)
        return -1;
    const int next = bUp ? nItem - 1 : (bDown ? nItem + 1 : -1);
    return next >= 0 && next < count && (bUp || bDown) ? next : -1;
}

template <class THost>
BOOL SECListBaseT<THost>::IsRowSelected(int nItem)
{
    return nItem != -1 && GetItemState(nItem, LVIS_SELECTED) != 0;
}

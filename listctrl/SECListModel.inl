// Rows, cells, columns and image lists of the list: the model operations.
// Part of SECListBaseT; compiled in SECListBaseC.cpp.

#include <unordered_map>

template <class THost>
SECListItem* SECListBaseT<THost>::GetItemAt(int nItem) const
{
    return nItem >= 0 && nItem < GetItemCount() ? m_items.GetAt(nItem) : nullptr;
}

template <class THost>
int SECListBaseT<THost>::FindItemRecord(const SECListItem* pItem) const
{
    if (pItem == nullptr)
        return -1;
    return m_items.Find(pItem);
}

template <class THost>
typename SECListBaseT<THost>::RowRef SECListBaseT<THost>::GetRowRef(int nItem) const
{
    RowRef ref;
    if (const SECListItem* pRow = GetItemAt(nItem)) {
        ref.pRecord = pRow;
        ref.nSerial = pRow->m_nSerial;
    }
    return ref;
}

template <class THost>
int SECListBaseT<THost>::FindRow(const RowRef& ref, int nHint) const
{
    if (ref.pRecord == nullptr)
        return -1;
    // The address alone may be a new record's: only a row found by address is
    // read, and its serial decides.
    const SECListItem* pAtHint = GetItemAt(nHint);
    if (pAtHint == ref.pRecord)
        return pAtHint->m_nSerial == ref.nSerial ? nHint : -1;
    const int nItem = FindItemRecord(ref.pRecord);
    return nItem >= 0 && GetItemAt(nItem)->m_nSerial == ref.nSerial ? nItem : -1;
}

template <class THost>
LPWSTR* SECListBaseT<THost>::TextSlot(SECListItem* pItem, int nSubItem) const
{
    if (pItem == nullptr || nSubItem < 0)
        return nullptr;
    if (nSubItem == 0)
        return &pItem->m_pszText;
    if (nSubItem > pItem->m_subItems.GetSize())
        return nullptr;
    return &pItem->m_subItems[nSubItem - 1]->m_pszText;
}

// ---------------------------------------------------------------------------
// Row records

template <class THost>
void SECListBaseT<THost>::DeleteItemRecord(SECListItem* pItem)
{
    delete pItem;
}

template <class THost>
SECListItem* SECListBaseT<THost>::NewItemRecord()
{
    SECListItem* pItem = new SECListItem;
    InitItemRecord(pItem);
    return pItem;
}

template <class THost>
int SECListBaseT<THost>::InitItemRecord(SECListItem* pItem)
{
    return AllocSubItems(pItem) ? 0 : -1;
}

template <class THost>
BOOL SECListBaseT<THost>::AllocSubItems(SECListItem* pItem)
{
    if (pItem == nullptr)
        return FALSE;
    pItem->m_subItems.Reserve(m_nSubItems);
    for (int i = 0; i < m_nSubItems; ++i)
        pItem->m_subItems.Add(new SECListSubItem);
    return TRUE;
}

template <class THost>
void SECListBaseT<THost>::FreeSubItems(SECListItem* pItem)
{
    if (pItem == nullptr)
        return;
    for (INT_PTR i = 0; i < pItem->m_subItems.GetSize(); ++i)
        delete pItem->m_subItems[i];
    pItem->m_subItems.RemoveAll();
}

// ---------------------------------------------------------------------------
// Insertion

template <class THost>
int SECListBaseT<THost>::InsertItemRecord(int nItem, SECListItem* pItem)
{
    if (pItem == nullptr || nItem < 0)
        return -1;
    nItem = std::min(nItem, GetItemCount());
    DropTip();
    const BOOL bCounted = AreLabelWidthsCounted();
    m_items.InsertAt(nItem, pItem);
    AdmitRecord(pItem);
    if (m_nFocusIndex >= nItem)
        ++m_nFocusIndex;
    if (m_nAnchor >= nItem)
        ++m_nAnchor;
    if (m_nDropHilite >= nItem)
        ++m_nDropHilite;
    if (m_nEditItem >= nItem)
        ++m_nEditItem;
    if (m_nPendingEdit >= nItem)
        ++m_nPendingEdit;
    m_selection.RowInserted(nItem);
    RowsInserted(bCounted, nItem, 1);
    RecordsChanged();
    PadSubItems(pItem);
    if (m_nFocusIndex < 0) {
        // The first row of an empty list takes focus and selection. Repainting
        // it may ask the owner, who may move or delete it: the answer is where
        // the row is now, -1 when it went.
        const RowRef ref = GetRowRef(nItem);
        RecordsWatch watch(this);
        FocusAndSelectItem(0, TRUE);
        if (watch.Changed())
            return FindRow(ref, nItem);
    }
    return nItem;
}

template <class THost>
void SECListBaseT<THost>::AdmitRecord(SECListItem* pItem)
{
    if (++m_nNextSerial == 0)
        ++m_nNextSerial; // 0 stays the mark of a record that never entered
    pItem->m_nSerial = m_nNextSerial;
    pItem->m_nHeightEpoch = m_nHeightsEpoch; // a starting height given by the maker counts
}

template <class THost>
void SECListBaseT<THost>::PadSubItems(SECListItem* pItem)
{
    // A record made elsewhere gets a cell for every sub-item slot. (Columns
    // that share a slot, as a column inserted at the front shares the row's
    // own text, get no cell of their own: every row has one cell per slot.)
    while (pItem->m_subItems.GetSize() < m_nSubItems)
        pItem->m_subItems.Add(new SECListSubItem);
}

template <class THost>
int SECListBaseT<THost>::InsertItemRecords(int nItem, SECListItem* const* ppItems, int nCount)
{
    if (nItem < 0)
        return -1;
    nItem = std::min(nItem, GetItemCount());
    return ReplaceItemRecords(nItem, 0, ppItems, nCount) ? nItem : -1;
}

template <class THost>
BOOL SECListBaseT<THost>::ReplaceItemRecords(int nItem, int nOldCount, SECListItem* const* ppItems, int nNewCount)
{
    const int count = GetItemCount();
    if (nItem < 0 || nOldCount < 0 || nNewCount < 0 || nItem + nOldCount > count ||
        (nNewCount > 0 && ppItems == nullptr))
        return FALSE;
    DropTip();
    const int end = nItem + nOldCount;
    const int delta = nNewCount - nOldCount;
    const int kGone = -2;
    // Where each record of the old range goes; kGone for those that are deleted.
    std::vector<int> moved(static_cast<size_t>(nOldCount), kGone);
    int kept = 0;
    if (nOldCount > 0 && nOldCount <= nNewCount) {
        // Few rows become many (a tree expanding everything below a few
        // items): the old records are sorted and looked up, so that no table
        // of every new record is built. A record at two old places (never
        // made by the list) moves with each; the first new place counts.
        std::vector<std::pair<const SECListItem*, int>> old;
        old.reserve(static_cast<size_t>(nOldCount));
        for (int i = 0; i < nOldCount; ++i)
            old.emplace_back(m_items.GetAt(nItem + i), i);
        std::sort(old.begin(), old.end());
        for (int k = 0; k < nNewCount; ++k) {
            auto it = std::lower_bound(old.begin(), old.end(), std::make_pair(static_cast<const SECListItem*>(ppItems[k]), -1));
            for (; it != old.end() && it->first == ppItems[k]; ++it) {
                if (moved[static_cast<size_t>(it->second)] == kGone) {
                    moved[static_cast<size_t>(it->second)] = nItem + k;
                    ++kept;
                }
            }
        }
    } else if (nOldCount > 0) {
        std::unordered_map<const SECListItem*, int> newIndex;
        newIndex.reserve(static_cast<size_t>(nNewCount));
        for (int k = 0; k < nNewCount; ++k)
            newIndex.emplace(ppItems[k], nItem + k);
        for (int i = 0; i < nOldCount; ++i) {
            const auto it = newIndex.find(m_items.GetAt(nItem + i));
            if (it != newIndex.end()) {
                moved[static_cast<size_t>(i)] = it->second;
                ++kept;
            }
        }
    }
    auto mapRow = [&](int row) {
        if (row < nItem)
            return row;
        if (row >= end)
            return row + delta;
        return moved[static_cast<size_t>(row - nItem)];
    };
    if (m_nEditItem >= 0 && mapRow(m_nEditItem) == kGone) {
        RecordsWatch watch(this);
        EndLabelEdit(FALSE);
        // The owner heard of it and may have changed the rows: the plan is void.
        if (watch.Changed())
            return FALSE;
    }

    const BOOL bCounted = nOldCount == 0 && AreLabelWidthsCounted();
    // The records that go, then one move of the rows after the range.
    for (int i = 0; i < nOldCount; ++i) {
        if (moved[static_cast<size_t>(i)] == kGone)
            DeleteItemRecord(m_items.GetAt(nItem + i));
    }
    if (delta > 0)
        m_items.InsertAt(end, nullptr, delta);
    else if (delta < 0)
        m_items.RemoveAt(end + delta, -delta);
    RowsInserted(bCounted, nItem, nNewCount);
    RecordsChanged();
    for (int k = 0; k < nNewCount; ++k) {
        m_items.SetAt(nItem + k, ppItems[k]);
        PadSubItems(ppItems[k]);
    }
    // Records that were not in the range before are new rows.
    std::vector<bool> admitted(static_cast<size_t>(nNewCount), true);
    for (int i = 0; i < nOldCount; ++i) {
        if (moved[static_cast<size_t>(i)] != kGone)
            admitted[static_cast<size_t>(moved[static_cast<size_t>(i)] - nItem)] = false;
    }
    for (int k = 0; k < nNewCount; ++k) {
        if (admitted[static_cast<size_t>(k)])
            AdmitRecord(ppItems[k]);
    }

    // Rows that went take the focus and anchor to the row before the range, as
    // DeleteItem does; drop highlight and pending edit are dropped.
    auto follow = [&](int& row, int gone) {
        if (row >= 0) {
            const int to = mapRow(row);
            row = to == kGone ? gone : to;
        }
    };
    follow(m_nFocusIndex, nItem - 1);
    follow(m_nAnchor, nItem - 1);
    follow(m_nDropHilite, -1);
    if (m_nEditItem >= 0 && mapRow(m_nEditItem) == kGone && !m_bEndingEdit)
        DiscardEdit(); // opened by the owner on a going row after it was told of the last edit's end
    follow(m_nEditItem, -1);
    follow(m_nPendingEdit, -1);
    const int newCount = GetItemCount();
    m_nTopIndex = std::max(0, std::min(m_nTopIndex, newCount - 1));
    std::vector<int> selected;
    selected.reserve(static_cast<size_t>(m_selection.GetCount()));
    for (INT_PTR pos = 0; pos < m_selection.GetCount(); ++pos) {
        const int to = mapRow(m_selection.GetAt(pos));
        if (to != kGone)
            selected.push_back(to);
    }
    std::sort(selected.begin(), selected.end());
    m_selection.RemoveAll();
    for (int row : selected)
        m_selection.Add(row);
    if (kept < nOldCount && m_selection.GetCount() == 0)
        FocusAndSelectItem(m_nFocusIndex, TRUE); // the row that took the focus becomes selected
    if (kept < nNewCount && m_nFocusIndex < 0)
        FocusAndSelectItem(0, TRUE); // as InsertItemRecord: the first new row of a list without focus
    return TRUE;
}

template <class THost>
int SECListBaseT<THost>::InsertItem(const LVITEMW* pItem)
{
    if (pItem == nullptr || pItem->iItem < 0)
        return -1;
    const int nItem = InsertItemRecord(pItem->iItem, NewItemRecord());
    if (nItem < 0)
        return -1;
    LVITEMW item = *pItem;
    item.iItem = nItem;
    item.iSubItem = 0;
    const RowRef ref = GetRowRef(nItem);
    RecordsWatch watch(this);
    SetItem(&item, m_bAutoUpdate);
    if (m_bAutoUpdate)
        UpdateScrollBars();
    // Told of a callback field, or asked for texts by the layout, the owner
    // may have moved or deleted the new row.
    return watch.Changed() ? FindRow(ref, nItem) : nItem;
}

template <class THost>
int SECListBaseT<THost>::InsertItem(UINT nMask, int nItem, LPCWSTR lpszItem, UINT nState, UINT nStateMask,
                                    int nImage, LPARAM lParam)
{
    LVITEMW item{};
    item.mask = nMask;
    item.iItem = nItem;
    item.pszText = const_cast<LPWSTR>(lpszItem);
    item.state = nState;
    item.stateMask = nStateMask;
    item.iImage = nImage;
    item.lParam = lParam;
    return InsertItem(&item);
}

template <class THost>
int SECListBaseT<THost>::InsertItem(int nItem, LPCWSTR lpszItem, int nImage)
{
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, nItem, lpszItem, 0, 0, nImage, 0);
}

template <class THost>
int SECListBaseT<THost>::InsertItem(int nItem, LPCWSTR lpszItem)
{
    return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0);
}

template <class THost>
int SECListBaseT<THost>::InsertItemAfter(SECListItem* pAfter, LVITEMW* pItem)
{
    if (pItem == nullptr)
        return -1;
    if (pAfter == nullptr) {
        pItem->iItem = 0;
    } else {
        const int row = FindItemRecord(pAfter);
        if (row >= 0)
            pItem->iItem = row + 1;
    }
    return InsertItem(pItem);
}

// Inserts at the row holding pBefore, so that the new row comes right before it
// (the earlier reading, one row further up, would put it before the previous
// row); at the top when pBefore is null; unchanged when it is not a row.
template <class THost>
int SECListBaseT<THost>::InsertItemBefore(SECListItem* pBefore, LVITEMW* pItem)
{
    if (pItem == nullptr)
        return -1;
    if (pBefore == nullptr) {
        pItem->iItem = 0;
    } else {
        const int row = FindItemRecord(pBefore);
        if (row >= 0)
            pItem->iItem = row;
    }
    return InsertItem(pItem);
}

// ---------------------------------------------------------------------------
// Row contents

template <class THost>
BOOL SECListBaseT<THost>::SetItem(const LVITEMW* pItem, BOOL bRedraw)
{
    if (pItem == nullptr)
        return FALSE;
    SECListItem* pRow = GetItemAt(pItem->iItem);
    if (pRow == nullptr)
        return FALSE;
    const int nItem = pItem->iItem;
    LPWSTR* pText = nullptr;
    if (pItem->mask & LVIF_TEXT) {
        pText = TextSlot(pRow, pItem->iSubItem);
        if (pText == nullptr)
            return FALSE; // no such cell
    }
    BOOL bChanged = FALSE;
    UINT keptMask = 0;
    const BOOL bDiSetItem = (pItem->mask & LVIF_DI_SETITEM) != 0;

    if (pText != nullptr) {
        if (SECListIsCallbackText(pItem->pszText)) {
            SECListFreeText(*pText);
            *pText = LPSTR_TEXTCALLBACKW;
            keptMask |= LVIF_TEXT;
            bChanged = TRUE;
        } else if (SECListIsCallbackText(*pText) && !bDiSetItem) {
            keptMask |= LVIF_TEXT; // the owner keeps this text
        } else {
            LPWSTR copy = SECListCopyText(pItem->pszText);
            SECListFreeText(*pText);
            *pText = copy;
            bChanged = TRUE;
        }
    }
    if (pItem->mask & LVIF_IMAGE) {
        if (pRow->m_nImage != I_IMAGECALLBACK || bDiSetItem) {
            bChanged |= pRow->m_nImage != pItem->iImage;
            pRow->m_nImage = pItem->iImage;
        } else {
            keptMask |= LVIF_IMAGE;
        }
    }
    BOOL bDropChanged = FALSE;
    if (pItem->mask & LVIF_STATE) {
        const UINT mask = pItem->stateMask;
        if (mask & LVIS_SELECTED) {
            bChanged |= (pItem->state & LVIS_SELECTED) ? m_selection.Add(nItem) : m_selection.Remove(nItem);
        }
        if (mask & LVIS_FOCUSED) {
            if (pItem->state & LVIS_FOCUSED) {
                bChanged |= m_nFocusIndex != nItem;
                m_nFocusIndex = nItem;
            } else if (m_nFocusIndex == nItem) {
                m_nFocusIndex = -1;
                bChanged = TRUE;
            }
        }
        if (mask & LVIS_DROPHILITED) {
            if (pItem->state & LVIS_DROPHILITED) {
                bDropChanged = m_nDropHilite != nItem;
                m_nDropHilite = nItem;
            } else if (m_nDropHilite == nItem) {
                m_nDropHilite = -1;
                bDropChanged = TRUE;
            }
            bChanged |= bDropChanged;
        }
        // Selecting every row of a sorted list would otherwise touch each
        // record (scattered in memory) only to leave its state as it was.
        const UINT rowMask = mask & ~(LVIS_SELECTED | LVIS_FOCUSED | LVIS_DROPHILITED);
        if (rowMask != 0) {
            const UINT newState = (pRow->m_state & ~rowMask) | (pItem->state & rowMask);
            bChanged |= newState != pRow->m_state;
            pRow->m_state = newState;
        }
    }
    if (pItem->mask & LVIF_PARAM)
        pRow->m_lParam = pItem->lParam;
    int nRow = nItem;
    if (keptMask != 0) {
        const RowRef ref = GetRowRef(nItem);
        RecordsWatch watch(this);
        LVITEMW kept = *pItem;
        kept.mask = keptMask;
        NotifySetDispInfo(&kept);
        // Told, the owner may have moved or deleted the row.
        if (watch.Changed()) {
            nRow = FindRow(ref, nItem);
            if (nRow < 0)
                return TRUE;
            pRow = GetItemAt(nRow);
        }
    }
    if ((pItem->mask & (LVIF_TEXT | LVIF_STATE)) == 0)
        return TRUE;
    if (pItem->mask & LVIF_TEXT)
        MarkRowForMeasuring(pRow);
    if (bRedraw && bChanged && nRow != m_nEditItem)
        InvalidateItem(nRow, FALSE, FALSE, FALSE, bDropChanged);
    return TRUE;
}

template <class THost>
BOOL SECListBaseT<THost>::SetItem(int nItem, int nSubItem, UINT nMask, LPCWSTR lpszItem, int nImage, UINT nState,
                                  UINT nStateMask, LPARAM lParam)
{
    LVITEMW item{};
    item.mask = nMask;
    item.iItem = nItem;
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPWSTR>(lpszItem);
    item.iImage = nImage;
    item.state = nState;
    item.stateMask = nStateMask;
    item.lParam = lParam;
    return SetItem(&item, TRUE);
}

template <class THost>
BOOL SECListBaseT<THost>::GetItem(LVITEMW* pItem, BOOL bCopyText, BOOL bAskOwner)
{
    if (pItem == nullptr)
        return FALSE;
    SECListItem* pRow = GetItemAt(pItem->iItem);
    if (pRow == nullptr)
        return FALSE;
    UINT missing = 0;
    if (pItem->mask & LVIF_TEXT) {
        LPWSTR* pText = TextSlot(pRow, pItem->iSubItem);
        if (pText != nullptr) {
            if (SECListIsCallbackText(*pText)) {
                missing |= LVIF_TEXT;
                if (!bAskOwner)
                    pItem->pszText = LPSTR_TEXTCALLBACKW;
            } else if (bCopyText) {
                if (pItem->pszText != nullptr && !SECListIsCallbackText(pItem->pszText) && pItem->cchTextMax > 0)
                    lstrcpynW(pItem->pszText, *pText ? *pText : L"", pItem->cchTextMax);
            } else {
                pItem->pszText = *pText ? *pText : const_cast<LPWSTR>(L"");
            }
        }
    }
    if (pItem->mask & LVIF_IMAGE) {
        pItem->iImage = pRow->m_nImage;
        if (pRow->m_nImage == I_IMAGECALLBACK)
            missing |= LVIF_IMAGE;
    }
    if (pItem->mask & LVIF_STATE) {
        if (m_bStateCallback) {
            missing |= LVIF_STATE;
        } else {
            const UINT mask = pItem->stateMask;
            UINT state = pRow->m_state & mask;
            if ((mask & LVIS_SELECTED) && m_selection.Contains(pItem->iItem))
                state |= LVIS_SELECTED;
            if ((mask & LVIS_FOCUSED) && m_nFocusIndex == pItem->iItem)
                state |= LVIS_FOCUSED;
            if ((mask & LVIS_DROPHILITED) && m_nDropHilite == pItem->iItem)
                state |= LVIS_DROPHILITED;
            pItem->state = state;
        }
    }
    if ((pItem->mask & LVIF_PARAM) || missing != 0)
        pItem->lParam = pRow->m_lParam;
    if (bAskOwner && missing != 0) {
        pItem->mask = missing;
        NotifyGetDispInfo(pItem);
    }
    return TRUE;
}

template <class THost>
BOOL SECListBaseT<THost>::SetItemText(int nItem, int nSubItem, LPCWSTR lpszText)
{
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = nItem;
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPWSTR>(lpszText);
    item.cchTextMax = lpszText && !SECListIsCallbackText(lpszText) ? lstrlenW(lpszText) : 0;
    return SetItem(&item, TRUE);
}

template <class THost>
int SECListBaseT<THost>::GetItemText(int nItem, int nSubItem, LPWSTR lpszText, int nLen)
{
    if (lpszText == nullptr || nLen <= 0)
        return 0;
    lpszText[0] = L'\0';
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = nItem;
    item.iSubItem = nSubItem;
    item.pszText = lpszText;
    item.cchTextMax = nLen;
    if (!GetItem(&item, TRUE, TRUE))
        return 0;
    // An owner may answer with a pointer to its own text instead of copying.
    if (item.pszText != lpszText) {
        if (item.pszText == nullptr || SECListIsCallbackText(item.pszText))
            lpszText[0] = L'\0';
        else
            lstrcpynW(lpszText, item.pszText, nLen);
    }
    lpszText[nLen - 1] = L'\0';
    return lstrlenW(lpszText);
}

// The whole text, however long: a stored text is read in place, and an owner
// that answers with a pointer to its own text is read there.
template <class THost>
CString SECListBaseT<THost>::GetItemText(int nItem, int nSubItem)
{
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = nItem;
    item.iSubItem = nSubItem;
    item.pszText = m_pTextBuffer;
    item.cchTextMax = kTextBufferChars;
    m_pTextBuffer[0] = L'\0';
    CString text;
    if (GetItem(&item, FALSE, TRUE) && item.pszText != nullptr && !SECListIsCallbackText(item.pszText)) {
        if (item.pszText == m_pTextBuffer)
            m_pTextBuffer[kTextBufferChars - 1] = L'\0';
        text = item.pszText;
    }
    return text;
}

template <class THost>
BOOL SECListBaseT<THost>::SetItemState(int nItem, UINT nState, UINT nMask)
{
    LVITEMW item{};
    item.mask = LVIF_STATE;
    item.iItem = nItem;
    item.state = nState;
    item.stateMask = nMask;
    return SetItem(&item, TRUE);
}

template <class THost>
UINT SECListBaseT<THost>::GetItemState(int nItem, UINT nMask)
{
    LVITEMW item{};
    item.mask = LVIF_STATE;
    item.iItem = nItem;
    item.stateMask = nMask;
    return GetItem(&item, TRUE, TRUE) ? item.state & nMask : 0;
}

template <class THost>
BOOL SECListBaseT<THost>::SetItemData(int nItem, DWORD_PTR dwData)
{
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    item.lParam = static_cast<LPARAM>(dwData);
    return SetItem(&item, TRUE);
}

template <class THost>
DWORD_PTR SECListBaseT<THost>::GetItemData(int nItem)
{
    SECListItem* pRow = GetItemAt(nItem);
    return pRow ? static_cast<DWORD_PTR>(pRow->m_lParam) : 0;
}

template <class THost>
BOOL SECListBaseT<THost>::SetItemExState(int nItem, UINT nState, UINT nMask)
{
    SECListItem* pRow = GetItemAt(nItem);
    if (pRow == nullptr)
        return FALSE;
    pRow->m_exState = (pRow->m_exState & ~nMask) | (nState & nMask);
    return TRUE;
}

template <class THost>
UINT SECListBaseT<THost>::GetItemExState(int nItem, UINT nMask) const
{
    SECListItem* pRow = GetItemAt(nItem);
    if (pRow == nullptr)
        return 0;
    if (m_bExStateCallback) {
        LVITEMW item{};
        item.mask = LVIF_STATE;
        item.iItem = nItem;
        item.state = pRow->m_exState;
        item.stateMask = nMask;
        item.lParam = pRow->m_lParam;
        const_cast<SECListBaseT*>(this)->NotifyGetExState(&item);
        return item.state & nMask;
    }
    return pRow->m_exState & nMask;
}

// ---------------------------------------------------------------------------
// Deletion

template <class THost>
BOOL SECListBaseT<THost>::DeleteItem(int nItem, int nCount)
{
    if (GetItemAt(nItem) == nullptr || nCount < 1)
        return FALSE;
    nCount = std::min(nCount, GetItemCount() - nItem);
    // The owner may change the rows while it is told (or while the rows are
    // measured for the repaint): the deletion follows the records it was asked
    // for, never the indices. They carry this deletion's mark (unique to each
    // call, so that a deletion the owner starts meanwhile keeps to its own
    // rows); a list of references would cost a fresh page per 256 rows.
    if (++m_nLastDeleteMark == 0)
        ++m_nLastDeleteMark;
    const UINT mark = m_nLastDeleteMark;
    for (int k = 0; k < nCount; ++k)
        m_items.GetAt(nItem + k)->m_nDeleteMark = mark;
    RecordsWatch watch(this);
    InvalidateItem(std::max(nItem - 1, 0), FALSE, FALSE, TRUE, FALSE);
    if (watch.Changed()) {
        // Asked for texts by the repaint, the owner changed the rows: it is
        // told of the first of the rows asked for that is still there.
        nItem = FindMarkedRow(mark);
        if (nItem < 0)
            return FALSE;
    }
    NotifyDeleteItem(nItem);
    // An edit of a row that goes ends first; its owner hears of that too.
    if (!watch.Changed() && m_nEditItem >= nItem && m_nEditItem - nItem < nCount)
        EndLabelEdit(FALSE);
    if (!watch.Changed()) {
        RemoveRows(nItem, nCount);
    } else if (!RemoveMarkedRows(mark)) {
        return FALSE;
    }
    if (m_selection.GetCount() == 0)
        FocusAndSelectItem(m_nFocusIndex, TRUE); // the row that took the focus becomes selected
    UpdateScrollBars();
    return TRUE;
}

template <class THost>
int SECListBaseT<THost>::FindMarkedRow(UINT nMark) const
{
    for (int i = 0; i < GetItemCount(); ++i) {
        if (m_items.GetAt(i)->m_nDeleteMark == nMark)
            return i;
    }
    return -1;
}

template <class THost>
BOOL SECListBaseT<THost>::RemoveMarkedRows(UINT nMark)
{
    for (;;) {
        std::vector<int> found;
        for (int i = 0; i < GetItemCount(); ++i) {
            if (m_items.GetAt(i)->m_nDeleteMark == nMark)
                found.push_back(i);
        }
        if (found.empty())
            return FALSE; // the owner deleted them all itself
        if (m_nEditItem >= 0 && std::binary_search(found.begin(), found.end(), m_nEditItem) &&
            m_pEdit != nullptr && m_pEdit->m_hWnd != nullptr) {
            RecordsWatch watch(this);
            EndLabelEdit(FALSE);
            if (watch.Changed())
                continue; // told of the edit's end, the owner changed the rows again
        }
        // From the bottom up, one contiguous run at a time.
        size_t end = found.size();
        while (end > 0) {
            size_t begin = end - 1;
            while (begin > 0 && found[begin - 1] == found[begin] - 1)
                --begin;
            RemoveRows(found[begin], static_cast<int>(end - begin));
            end = begin;
        }
        return TRUE;
    }
}

template <class THost>
void SECListBaseT<THost>::RemoveRows(int nItem, int nCount)
{
    const int last = nItem + nCount - 1;
    DropTip();
    // An edit still being offered to the owner (it deletes its row while asked)
    // is off. One the owner opened on a going row after it was told of the end
    // of the last one goes without a word: there is no row left to tell of.
    if (m_nEditItem >= nItem && m_nEditItem <= last) {
        if (!m_bEndingEdit)
            DiscardEdit();
        m_nEditItem = -1;
    }
    if (m_nPendingEdit >= nItem)
        m_nPendingEdit = -1;

    // The other rows keep their widths: the widest label is found from the
    // counts. The going rows' widths are forgotten a block at a time just
    // before the block's records are deleted, so that each record comes from
    // memory once, not once for the widths and again for the deletion.
    const int kBlock = 256;
    BOOL bKeepWidest = TRUE;
    for (int first = nItem; first <= last; first += kBlock) {
        const int end = std::min(first + kBlock, last + 1);
        if (!ForgetLabelWidths(first, end - first))
            bKeepWidest = FALSE; // not counted (any more): the next width walks all rows
        for (int i = first; i < end; ++i)
            DeleteItemRecord(m_items.GetAt(i));
    }
    m_items.RemoveAt(nItem, nCount);
    RowsChanged();
    RecordsChanged();
    if (bKeepWidest)
        KeepWidestLabel();
    const int newCount = GetItemCount();
    m_nTopIndex = std::max(0, std::min(m_nTopIndex, newCount - 1));

    // Focus and anchor: kept when at or before the deleted range and still a
    // row, moved up with the rows after the range, else the row above it.
    auto renumber = [&](int& row) {
        if (row < 0)
            return;
        if (row > last)
            row -= nCount;
        else if (!(row <= nItem && row < newCount))
            row = nItem - 1;
    };
    renumber(m_nFocusIndex);
    renumber(m_nAnchor);
    if (m_nDropHilite > last)
        m_nDropHilite -= nCount;
    else if (m_nDropHilite > nItem && m_nDropHilite <= last)
        m_nDropHilite = nItem - 1;
    else if (m_nDropHilite >= newCount)
        m_nDropHilite = -1;
    if (m_nEditItem > last)
        m_nEditItem -= nCount;
    m_selection.RowsDeleted(nItem, last);
}

template <class THost>
BOOL SECListBaseT<THost>::DeleteItem(SECListItem* pItem)
{
    const int nItem = FindItemRecord(pItem);
    return nItem >= 0 && DeleteItem(nItem, 1);
}

// Sends nothing: an open edit goes without LVN_ENDLABELEDITW, and no text is
// asked for.
template <class THost>
BOOL SECListBaseT<THost>::DeleteAllItems()
{
    DropTip();
    DiscardEdit();
    for (int i = 0; i < GetItemCount(); ++i)
        DeleteItemRecord(m_items.GetAt(i));
    m_items.RemoveAll();
    RowsChanged();
    RecordsChanged();
    m_selection.RemoveAll();
    m_nTopIndex = 0;
    m_nFocusIndex = -1;
    m_nAnchor = -1;
    m_nDropHilite = -1;
    m_nEditItem = -1;
    m_nPendingEdit = -1;
    UpdateScrollBars();
    if (IsAlive())
        Invalidate();
    return TRUE;
}

// ---------------------------------------------------------------------------
// Columns

template <class THost>
SECListColumn* SECListBaseT<THost>::GetColumnRecord(int nCol) const
{
    return nCol >= 0 && nCol < GetColumnCount() ? m_columns.GetData()[nCol] : nullptr;
}

template <class THost>
int SECListBaseT<THost>::GetMainColumn() const
{
    for (int i = 0; i < GetColumnCount(); ++i) {
        if (m_columns[i]->m_iSubItem == 0)
            return i;
    }
    return -1;
}

template <class THost>
int SECListBaseT<THost>::GetColumnSubItem(int nCol) const
{
    const SECListColumn* pColumn = GetColumnRecord(nCol);
    return pColumn ? pColumn->m_iSubItem : -1;
}

template <class THost>
int SECListBaseT<THost>::InsertColumnRecord(int nCol, SECListColumn* pColumn, BOOL bRedraw)
{
    if (pColumn == nullptr)
        return -1;
    EndLabelEdit(TRUE);
    HideTip();
    // After the edit's end: its owner may have changed the columns.
    nCol = std::max(0, std::min(nCol, GetColumnCount()));
    if (nCol == 0) {
        pColumn->m_fmt = LVCFMT_LEFT;
        pColumn->m_iSubItem = 0;
    }
    // Columns inserted before others take a new slot at their own position; the
    // later columns move up a slot with their data, so every row keeps exactly
    // one cell per slot and each column goes on showing what it showed. (Where
    // columns share a slot, as a column inserted at the front shares the row's
    // own text, positions run ahead of slots: the new slot is never past the
    // last one plus one.)
    m_columns.InsertAt(nCol, pColumn);
    if (pColumn->m_iSubItem < 0 || pColumn->m_iSubItem > m_nSubItems) {
        const int slot = std::min(nCol, m_nSubItems + 1);
        for (int i = 0; i < GetColumnCount(); ++i) {
            SECListColumn* pOther = m_columns[i];
            if (pOther != pColumn && pOther->m_iSubItem >= slot)
                ++pOther->m_iSubItem;
        }
        pColumn->m_iSubItem = slot;
        for (int i = 0; i < GetItemCount(); ++i) {
            SECListItem* pRow = m_items.GetAt(i);
            const INT_PTR at = std::min<INT_PTR>(slot - 1, pRow->m_subItems.GetSize());
            pRow->m_subItems.InsertAt(at, new SECListSubItem);
        }
        ++m_nSubItems;
        RecordsChanged();
    }
    if (pColumn->m_cx == -1)
        pColumn->m_cx = 10;
    if (bRedraw && m_bAutoUpdate) {
        if (IsListStyleExSet(SEC_LVSX_FITCOLUMNS))
            FitColumnsToWidth();
        ReMeasureAllItems();
        if (IsAlive())
            Invalidate();
    }
    return nCol;
}

template <class THost>
int SECListBaseT<THost>::InsertColumn(int nCol, LPCWSTR lpszHeading, int nFormat, int nWidth, int /*nSubItem*/,
                                      int nImage, BOOL bRedraw)
{
    SECListColumn* pColumn = new SECListColumn;
    pColumn->m_fmt = nFormat;
    pColumn->m_cx = nWidth;
    pColumn->m_strHeading = lpszHeading;
    pColumn->m_iSubItem = -1;
    pColumn->m_iImage = nImage;
    const int nResult = InsertColumnRecord(nCol, pColumn, bRedraw);
    if (nResult < 0)
        delete pColumn;
    return nResult;
}

template <class THost>
int SECListBaseT<THost>::InsertColumn(int nCol, const LVCOLUMNW* pColumn, BOOL bRedraw)
{
    if (pColumn == nullptr)
        return -1;
    return InsertColumn(nCol, (pColumn->mask & LVCF_TEXT) ? pColumn->pszText : nullptr,
                        (pColumn->mask & LVCF_FMT) ? pColumn->fmt : LVCFMT_LEFT,
                        (pColumn->mask & LVCF_WIDTH) ? pColumn->cx : -1,
                        (pColumn->mask & LVCF_SUBITEM) ? pColumn->iSubItem : -1,
                        (pColumn->mask & LVCF_IMAGE) ? pColumn->iImage : -1, bRedraw);
}

template <class THost>
int SECListBaseT<THost>::AddColumn(SECListColumn* pColumn)
{
    return InsertColumnRecord(GetColumnCount(), pColumn, TRUE);
}

template <class THost>
int SECListBaseT<THost>::AddColumn(LPCWSTR lpszHeading, int nFormat, int nWidth, int nSubItem, int nImage)
{
    return InsertColumn(GetColumnCount(), lpszHeading, nFormat, nWidth, nSubItem, nImage, TRUE);
}

template <class THost>
int SECListBaseT<THost>::AddColumn(const LVCOLUMNW* pColumn)
{
    return InsertColumn(GetColumnCount(), pColumn, TRUE);
}

template <class THost>
BOOL SECListBaseT<THost>::DeleteColumn(int nCol)
{
    if (nCol == 0 && GetColumnCount() > 1)
        return FALSE;
    EndLabelEdit(TRUE);
    HideTip();
    SECListColumn* pColumn = GetColumnRecord(nCol);
    if (pColumn == nullptr)
        return FALSE;
    ForgetHeading(nCol);
    const int s = pColumn->m_iSubItem;
    if (s >= 1) {
        for (int i = 0; i < GetItemCount(); ++i) {
            SECListItem* pRow = m_items.GetAt(i);
            if (s <= pRow->m_subItems.GetSize()) {
                delete pRow->m_subItems[s - 1];
                pRow->m_subItems.RemoveAt(s - 1);
            }
        }
    }
    if (!IsListStyleExSet(SEC_LVSX_KEEPMAINWIDTH)) {
        for (int i = 0; i < GetColumnCount(); ++i) {
            if (i != nCol && m_columns[i]->m_iSubItem == 0) {
                m_columns[i]->m_cx += pColumn->m_cx;
                break;
            }
        }
    }
    if (s >= 1 && m_nSubItems > 0)
        --m_nSubItems;
    m_columns.RemoveAt(nCol);
    delete pColumn;
    for (int i = 0; i < GetColumnCount(); ++i) {
        if (s >= 1 && m_columns[i]->m_iSubItem > s)
            --m_columns[i]->m_iSubItem;
    }
    if (m_nEditCol >= GetColumnCount())
        m_nEditCol = GetColumnCount() - 1;
    if (GetColumnCount() == 0)
        DeleteAllItems();
    else if (IsAlive()) {
        ReMeasureAllItems();
        Invalidate();
    }
    return TRUE;
}

// A heading that goes is neither hot nor pressed any more (a press on it is
// abandoned); the headings after it move down by one.
template <class THost>
void SECListBaseT<THost>::ForgetHeading(int nCol)
{
    if (m_nPressedCol == nCol)
        AbandonHeadingPress();
    auto follow = [nCol](int& col) {
        if (col == nCol)
            col = -1;
        else if (col > nCol)
            --col;
    };
    follow(m_nPressedCol);
    follow(m_nHotCol);
    if (m_nDropCol > nCol)
        --m_nDropCol;
    if (m_pSortColumn != nullptr && m_pSortColumn == GetColumnRecord(nCol))
        m_pSortColumn = nullptr; // the mark goes with its column
}

template <class THost>
BOOL SECListBaseT<THost>::DeleteColumn(LPCWSTR lpszHeading)
{
    int nCol = -1;
    int nSubItem = -1;
    return FindColumn(lpszHeading, nCol, nSubItem) && DeleteColumn(nCol);
}

template <class THost>
BOOL SECListBaseT<THost>::DeleteAllColumns()
{
    DeleteAllItems();
    AbandonHeadingPress();
    m_nHotCol = -1;
    m_pSortColumn = nullptr;
    for (int i = 0; i < GetColumnCount(); ++i)
        delete m_columns[i];
    m_columns.RemoveAll();
    m_nSubItems = 0;
    m_nEditCol = -1;
    UpdateScrollBars();
    return TRUE;
}

// Moving a column also moves its cells in every row, so the data under a
// heading follows the heading (the derived tree moves its stored texts the same
// way through OnColumnMoved).
template <class THost>
BOOL SECListBaseT<THost>::MoveColumn(int nFrom, int nTo, BOOL bRedraw)
{
    if (nFrom < 1 || nTo < 1 || GetColumnRecord(nFrom) == nullptr)
        return FALSE;
    // An editor belongs to a column position: it ends before the columns move
    // (and its owner, told, may change them).
    EndLabelEdit(TRUE);
    if (GetColumnRecord(nFrom) == nullptr)
        return FALSE;
    const int count = GetColumnCount();
    BOOL bClamped = FALSE;
    if (nTo > count - 1) {
        nTo = count - 1;
        bClamped = TRUE;
    }
    SECListColumn* pColumn = m_columns[nFrom];
    m_columns.RemoveAt(nFrom);
    const int nAt = (nTo > nFrom && !bClamped) ? nTo - 1 : nTo;
    m_columns.InsertAt(nAt, pColumn);

    // After the move column i shows sub-item i. A column that shared a slot
    // (one inserted at the front shares the row's own text) needs a slot of
    // its own for that: every row gets an empty cell for it.
    while (m_nSubItems < count - 1) {
        for (int r = 0; r < GetItemCount(); ++r)
            m_items.GetAt(r)->m_subItems.Add(new SECListSubItem);
        ++m_nSubItems;
        RecordsChanged();
    }
    // Slot permutation: new slot i (the column now at index i) takes the cells of
    // the slot that column showed before; slots no column claims keep their order.
    const int slots = m_nSubItems;
    std::vector<int> source(static_cast<size_t>(slots) + 1, 0);
    std::vector<bool> taken(static_cast<size_t>(slots) + 1, false);
    for (int i = 1; i < count && i <= slots; ++i) {
        const int old = m_columns[i]->m_iSubItem;
        if (old >= 1 && old <= slots && !taken[static_cast<size_t>(old)]) {
            source[static_cast<size_t>(i)] = old;
            taken[static_cast<size_t>(old)] = true;
        }
    }
    int next = 1;
    for (int i = 1; i <= slots; ++i) {
        if (source[static_cast<size_t>(i)] != 0)
            continue;
        while (next <= slots && taken[static_cast<size_t>(next)])
            ++next;
        source[static_cast<size_t>(i)] = next;
        taken[static_cast<size_t>(next)] = true;
    }
    std::vector<SECListSubItem*> cells(static_cast<size_t>(slots));
    for (int r = 0; r < GetItemCount(); ++r) {
        SECListItem* pRow = m_items.GetAt(r);
        if (pRow->m_subItems.GetSize() != slots)
            continue;
        for (int i = 1; i <= slots; ++i)
            cells[static_cast<size_t>(i - 1)] = pRow->m_subItems[source[static_cast<size_t>(i)] - 1];
        for (int i = 1; i <= slots; ++i)
            pRow->m_subItems[i - 1] = cells[static_cast<size_t>(i - 1)];
    }
    for (int i = 1; i < count; ++i)
        m_columns[i]->m_iSubItem = i;
    OnColumnMoved(nFrom, nAt);
    if (bRedraw) {
        ReMeasureAllItems();
        if (IsAlive())
            Invalidate();
    }
    return TRUE;
}

template <class THost>
BOOL SECListBaseT<THost>::GetColumn(int nCol, LVCOLUMNW* pColumn) const
{
    const SECListColumn* pRecord = GetColumnRecord(nCol);
    if (pRecord == nullptr || pColumn == nullptr)
        return FALSE;
    if ((pColumn->mask & LVCF_TEXT) && pColumn->pszText != nullptr && pColumn->cchTextMax > 0)
        lstrcpynW(pColumn->pszText, pRecord->m_strHeading, pColumn->cchTextMax);
    if (pColumn->mask & LVCF_FMT)
        pColumn->fmt = pRecord->m_fmt;
    if (pColumn->mask & LVCF_SUBITEM)
        pColumn->iSubItem = pRecord->m_iSubItem;
    if (pColumn->mask & LVCF_WIDTH)
        pColumn->cx = pRecord->m_cx;
    if (pColumn->mask & LVCF_IMAGE)
        pColumn->iImage = pRecord->m_iImage;
    return TRUE;
}

template <class THost>
BOOL SECListBaseT<THost>::SetColumn(int nCol, const LVCOLUMNW* pColumn, BOOL bRedraw)
{
    SECListColumn* pRecord = GetColumnRecord(nCol);
    if (pRecord == nullptr || pColumn == nullptr)
        return FALSE;
    if (pColumn->mask & LVCF_TEXT)
        pRecord->m_strHeading = pColumn->pszText;
    if (pColumn->mask & LVCF_FMT)
        pRecord->m_fmt = pColumn->fmt;
    if (pColumn->mask & LVCF_SUBITEM)
        pRecord->m_iSubItem = pColumn->iSubItem;
    if (pColumn->mask & LVCF_WIDTH)
        pRecord->m_cx = pColumn->cx;
    if (bRedraw) {
        ReMeasureAllItems();
        if (IsListStyleExSet(SEC_LVSX_FITCOLUMNS))
            FitColumnsToWidth();
        if (IsAlive())
            Invalidate();
    }
    return TRUE;
}

template <class THost>
BOOL SECListBaseT<THost>::SetColumnWidth(int nCol, int cx)
{
    SECListColumn* pRecord = GetColumnRecord(nCol);
    if (pRecord == nullptr)
        return FALSE;
    pRecord->m_cx = cx;
    if (HasVariableRowHeight())
        InvalidateRowHeights();
    if (IsAlive()) {
        UpdateScrollBars();
        Invalidate();
    }
    return TRUE;
}

template <class THost>
BOOL SECListBaseT<THost>::SetColumnFormat(int nCol, int nFormat)
{
    SECListColumn* pRecord = GetColumnRecord(nCol);
    if (pRecord == nullptr)
        return FALSE;
    pRecord->m_fmt = nFormat;
    if (IsAlive())
        Invalidate();
    return TRUE;
}

template <class THost>
int SECListBaseT<THost>::GetColumnFormat(int nCol) const
{
    const SECListColumn* pRecord = GetColumnRecord(nCol);
    return pRecord ? pRecord->m_fmt : 0;
}

template <class THost>
BOOL SECListBaseT<THost>::SetColumnHeading(int nCol, LPCWSTR lpszHeading)
{
    SECListColumn* pRecord = GetColumnRecord(nCol);
    if (pRecord == nullptr)
        return FALSE;
    pRecord->m_strHeading = lpszHeading;
    if (IsAlive())
        Invalidate();
    return TRUE;
}

template <class THost>
CString SECListBaseT<THost>::GetColumnHeading(int nCol) const
{
    const SECListColumn* pRecord = GetColumnRecord(nCol);
    return pRecord ? pRecord->m_strHeading : CString();
}

template <class THost>
BOOL SECListBaseT<THost>::FindColumn(LPCWSTR lpszHeading, int& nCol, int& nSubItem) const
{
    if (lpszHeading == nullptr)
        return FALSE;
    for (int i = 0; i < GetColumnCount(); ++i) {
        if (m_columns[i]->m_strHeading == lpszHeading) {
            nCol = i;
            nSubItem = m_columns[i]->m_iSubItem;
            return TRUE;
        }
    }
    return FALSE;
}

template <class THost>
BOOL SECListBaseT<THost>::HasColumn(LPCWSTR lpszHeading) const
{
    int nCol = -1;
    int nSubItem = -1;
    return FindColumn(lpszHeading, nCol, nSubItem);
}

// ---------------------------------------------------------------------------
// Image lists

template <class THost>
CImageList* SECListBaseT<THost>::GetImageList(int nImageList) const
{
    return nImageList >= 0 && nImageList < kImageListCount ? m_pImageLists[nImageList] : nullptr;
}

// Without shared image lists the control keeps its own copy. The copy a new
// list replaces is handed back to the caller and stays valid, still owned by
// the control, until the next replacement of that type or the control's end;
// so a host that swaps image lists holds at most two copies per type, and
// ignoring the answer leaks nothing. The caller never deletes it.
template <class THost>
CImageList* SECListBaseT<THost>::SetImageList(CImageList* pImageList, int nImageList)
{
    if (nImageList < 0 || nImageList >= kImageListCount)
        return nullptr;
    CImageList* pOld = m_pImageLists[nImageList];
    CImageList* pNew = pImageList;
    // Ownership is settled here, whatever the style says later.
    const BOOL bCopy = pImageList != nullptr && !IsListStyleSet(LVS_SHAREIMAGELISTS);
    if (bCopy && !CopyImageList(pImageList, pNew))
        return nullptr;
    // The copy handed back last time for this type has had its time.
    delete m_pRetiredImageLists[nImageList];
    m_pRetiredImageLists[nImageList] = m_bOwnImageList[nImageList] ? pOld : nullptr;
    m_pImageLists[nImageList] = pNew;
    m_bOwnImageList[nImageList] = bCopy;
    InvalidateRowHeights();
    if (IsAlive()) {
        UpdateScrollBars();
        Invalidate();
    }
    return pOld;
}

template <class THost>
void SECListBaseT<THost>::FreeOwnImageLists()
{
    for (int i = 0; i < kImageListCount; ++i) {
        if (m_bOwnImageList[i]) {
            delete m_pImageLists[i];
            m_pImageLists[i] = nullptr;
            m_bOwnImageList[i] = FALSE;
        }
        delete m_pRetiredImageLists[i];
        m_pRetiredImageLists[i] = nullptr;
    }
}

template <class THost>
BOOL SECListBaseT<THost>::CopyImageList(CImageList* pSource, CImageList*& pCopy)
{
    pCopy = nullptr;
    if (pSource == nullptr || pSource->GetSafeHandle() == nullptr)
        return FALSE;
    const UINT kFileGrowth = 1024;
    const int kArchiveBuffer = 4096;
    CMemFile file(kFileGrowth);
    {
        CArchive store(&file, CArchive::store, kArchiveBuffer);
        if (!pSource->Write(&store))
            return FALSE;
    }
    file.SeekToBegin();
    CImageList* pNew = new CImageList;
    CArchive load(&file, CArchive::load, kArchiveBuffer);
    if (!pNew->Read(&load)) {
        delete pNew;
        return FALSE;
    }
    pCopy = pNew;
    return TRUE;
}

template <class THost>
void SECListBaseT<THost>::GetCellText(CString& strText, int nItem, int nSubItem)
{
    if (GetItemText(nItem, nSubItem, m_pTextBuffer, kTextBufferChars) > 0)
        strText = m_pTextBuffer;
    else
        strText.Empty();
}

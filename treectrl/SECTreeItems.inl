// Item attributes of the tree: the node's record, owner callbacks, node
// attributes, sub-item texts, and the list's item access for column 0, which
// the tree answers from the nodes. Part of SECTreeBaseT; compiled in
// SECTreeBaseC.cpp.

namespace SECTreeDetail {
// Fields of TVITEMW a node keeps.
const UINT kItemFields = TVIF_TEXT | TVIF_IMAGE | TVIF_PARAM | TVIF_STATE | TVIF_HANDLE | TVIF_SELECTEDIMAGE |
                         TVIF_CHILDREN;
// An empty text for records that point at a node's text when it has none.
inline LPWSTR EmptyText()
{
    static WCHAR empty[1] = {L'\0'};
    empty[0] = L'\0';
    return empty;
}
} // namespace SECTreeDetail

// ---------------------------------------------------------------------------
// The node's record

template <class TList>
BOOL SECTreeBaseT<TList>::ApplyToNode(_Node* pNode, const TVITEMW& item, BOOL bForce, UINT& nCollected)
{
    TVITEMW& node = pNode->m_item;
    BOOL bChanged = FALSE;
    // A callback field keeps asking the owner unless the record itself makes
    // it a callback again or forces a value in; the owner is told instead.
    auto store = [&](int& field, int value, UINT bit, int callback) {
        if (field == callback && value != callback && !bForce) {
            nCollected |= bit;
            return;
        }
        bChanged |= field != value;
        field = value;
    };
    if (item.mask & TVIF_CHILDREN)
        store(node.cChildren, item.cChildren, TVIF_CHILDREN, I_CHILDRENCALLBACK);
    if (item.mask & TVIF_IMAGE)
        store(node.iImage, item.iImage, TVIF_IMAGE, I_IMAGECALLBACK);
    if (item.mask & TVIF_SELECTEDIMAGE)
        store(node.iSelectedImage, item.iSelectedImage, TVIF_SELECTEDIMAGE, I_IMAGECALLBACK);
    if (item.mask & TVIF_PARAM)
        node.lParam = item.lParam;
    if (item.mask & TVIF_STATE) {
        const UINT state = (node.state & ~item.stateMask) | (item.state & item.stateMask);
        bChanged |= state != node.state;
        node.state = state;
    }
    if (item.mask & TVIF_TEXT) {
        if (item.pszText == LPSTR_TEXTCALLBACKW) {
            bChanged |= !pNode->IsTextCallback();
            pNode->SetText(LPSTR_TEXTCALLBACKW);
        } else if (pNode->IsTextCallback() && !bForce) {
            nCollected |= TVIF_TEXT;
        } else {
            pNode->SetText(item.pszText);
            bChanged = TRUE;
        }
    }
    node.mask |= (item.mask & SECTreeDetail::kItemFields) | TVIF_HANDLE;
    return bChanged;
}

template <class TList>
BOOL SECTreeBaseT<TList>::GetItem(TVITEMW* pItem, BOOL bCopyText, BOOL bResolve)
{
    if (pItem == nullptr)
        return FALSE;
    _Node* pNode = Resolve(pItem->hItem);
    const TVITEMW& node = pNode->m_item;
    UINT marked = 0;
    if (pItem->mask & TVIF_CHILDREN) {
        pItem->cChildren = node.cChildren;
        if (node.cChildren == I_CHILDRENCALLBACK)
            marked |= TVIF_CHILDREN;
    }
    if (pItem->mask & TVIF_IMAGE) {
        pItem->iImage = node.iImage;
        if (node.iImage == I_IMAGECALLBACK)
            marked |= TVIF_IMAGE;
    }
    if (pItem->mask & TVIF_SELECTEDIMAGE) {
        pItem->iSelectedImage = node.iSelectedImage;
        if (node.iSelectedImage == I_IMAGECALLBACK)
            marked |= TVIF_SELECTEDIMAGE;
    }
    if (pItem->mask & TVIF_PARAM)
        pItem->lParam = node.lParam;
    if (pItem->mask & TVIF_STATE)
        pItem->state = node.state & pItem->stateMask;
    if (pItem->mask & TVIF_TEXT) {
        if (pNode->IsTextCallback()) {
            marked |= TVIF_TEXT;
            if (!bResolve) {
                pItem->pszText = LPSTR_TEXTCALLBACKW;
                return TRUE;
            }
        } else if (bCopyText) {
            if (pItem->pszText != nullptr && pItem->pszText != LPSTR_TEXTCALLBACKW && pItem->cchTextMax > 0)
                lstrcpynW(pItem->pszText, node.pszText != nullptr ? node.pszText : L"", pItem->cchTextMax);
        } else {
            pItem->pszText = node.pszText != nullptr ? node.pszText : SECTreeDetail::EmptyText();
        }
    }
    if (marked == 0 || !bResolve)
        return TRUE;
    pItem->mask = marked;
    pItem->hItem = node.hItem;
    pItem->lParam = node.lParam;
    SECTreeDetail::WatchGuard guard(m_pWatches, pNode);
    NotifyTreeGetDispInfo(pItem);
    if (pItem->state & 0xFFFF0000u)
        pItem->state |= 0x1000u;
    // The owner may ask to keep what it supplied, as the platform allows.
    if ((pItem->mask & TVIF_DI_SETITEM) && !guard.Gone()) {
        TVITEMW keep = *pItem;
        keep.mask &= marked;
        UINT unused = 0;
        ApplyToNode(pNode, keep, TRUE, unused);
    }
    return TRUE;
}

template <class TList>
BOOL SECTreeBaseT<TList>::SetItem(TVITEMW* pItem)
{
    if (pItem == nullptr)
        return FALSE;
    _Node* pNode = Resolve(pItem->hItem);
    const UINT mask = pItem->mask;
    const UINT stateMask = pItem->stateMask;
    const BOOL bWasExpanded = pNode->IsExpanded();
    UINT collected = 0;
    const BOOL bChanged = ApplyToNode(pNode, *pItem, (mask & TVIF_DI_SETITEM) != 0, collected);
    if (pNode == m_pRoot)
        pNode->SetExpanded(TRUE); // the root's children are always shown
    SECTreeDetail::WatchGuard guard(m_pWatches, pNode);
    if (collected != 0) {
        pItem->mask = collected;
        NotifyTreeSetDispInfo(pItem);
        if (guard.Gone())
            return TRUE;
    }
    const int row = RowOf(reinterpret_cast<HTREEITEM>(pNode));
    if (row < 0)
        return TRUE;
    // The expanded bit set directly (no notifications, as the platform does)
    // still shows or hides the children's rows: a shown node has a row.
    if (bWasExpanded != pNode->IsExpanded() && m_nDeferRows == 0) {
        if (pNode->IsExpanded())
            InsertDescendantRows(pNode, row);
        else
            RemoveDescendantRows(pNode, row, FALSE);
    }
    LVITEMW rowItem{};
    rowItem.iItem = row;
    if (mask & TVIF_STATE) {
        rowItem.mask |= LVIF_STATE;
        rowItem.stateMask = stateMask & SECTreeDetail::kMirroredState;
        if (rowItem.stateMask & LVIS_OVERLAYMASK)
            rowItem.stateMask |= LVIS_OVERLAYMASK;
        rowItem.state = RowStateFromNode(pNode->m_item.state);
    }
    if (mask & TVIF_IMAGE) {
        rowItem.mask |= LVIF_IMAGE | LVIF_DI_SETITEM;
        rowItem.iImage = pNode->m_item.iImage;
    }
    if (rowItem.mask != 0)
        TList::SetItem(&rowItem, FALSE);
    if (bChanged && row != this->GetEditItem()) {
        ResetRowMetrics(row);
        RedrawItem(reinterpret_cast<HTREEITEM>(pNode));
    }
    return TRUE;
}

template <class TList>
BOOL SECTreeBaseT<TList>::OwnerDeclaresChildren(_Node* pNode)
{
    TVITEMW item{};
    item.mask = TVIF_CHILDREN;
    item.hItem = reinterpret_cast<HTREEITEM>(pNode);
    if (!GetItem(&item, FALSE, TRUE))
        return FALSE;
    return item.cChildren >= 1;
}

template <class TList>
LPCWSTR SECTreeBaseT<TList>::GetLabel(_Node* pNode, LPWSTR pBuffer, int cchBuffer)
{
    if (!pNode->IsTextCallback()) {
        const LPCWSTR pszText = pNode->m_item.pszText != nullptr ? pNode->m_item.pszText : L"";
        if (wcsnlen(pszText, static_cast<size_t>(cchBuffer)) < static_cast<size_t>(cchBuffer))
            return pszText;
        // Too long for the buffer: cut as a copy through the buffer would be.
        lstrcpynW(pBuffer, pszText, cchBuffer);
        return pBuffer;
    }
    pBuffer[0] = L'\0';
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = reinterpret_cast<HTREEITEM>(pNode);
    item.pszText = pBuffer;
    item.cchTextMax = cchBuffer;
    GetItem(&item, TRUE, TRUE);
    // Owners may fill the buffer to the brim without a terminator.
    pBuffer[cchBuffer - 1] = L'\0';
    return item.pszText != nullptr && item.pszText != LPSTR_TEXTCALLBACKW ? item.pszText : pBuffer;
}

template <class TList>
BOOL SECTreeBaseT<TList>::SetLabelText(HTREEITEM hItem, LPCWSTR lpszText)
{
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = hItem;
    item.pszText = const_cast<LPWSTR>(lpszText);
    return SetItem(&item);
}

template <class TList>
DWORD_PTR SECTreeBaseT<TList>::GetItemData(HTREEITEM hItem) const
{
    return static_cast<DWORD_PTR>(Resolve(hItem)->m_item.lParam);
}

template <class TList>
BOOL SECTreeBaseT<TList>::SetItemData(HTREEITEM hItem, DWORD_PTR dwData)
{
    TVITEMW item{};
    item.mask = TVIF_PARAM;
    item.hItem = hItem;
    item.lParam = static_cast<LPARAM>(dwData);
    return SetItem(&item);
}

template <class TList>
BOOL SECTreeBaseT<TList>::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask)
{
    TVITEMW item{};
    item.mask = TVIF_STATE;
    item.hItem = hItem;
    item.state = nState;
    item.stateMask = nStateMask;
    return SetItem(&item);
}

template <class TList>
UINT SECTreeBaseT<TList>::GetItemState(HTREEITEM hItem, UINT nStateMask) const
{
    return Resolve(hItem)->m_item.state & nStateMask;
}

template <class TList>
BOOL SECTreeBaseT<TList>::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage)
{
    TVITEMW item{};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = hItem;
    item.iImage = nImage;
    item.iSelectedImage = nSelectedImage;
    return SetItem(&item);
}

template <class TList>
BOOL SECTreeBaseT<TList>::RowNeedsOwnerData(int nRow)
{
    const _Node* pNode = NodeAtRow(nRow);
    if (pNode == nullptr || pNode == m_pRoot)
        return FALSE;
    const TVITEMW& item = pNode->m_item;
    return pNode->IsTextCallback() || item.iImage == I_IMAGECALLBACK || item.iSelectedImage == I_IMAGECALLBACK ||
           item.cChildren == I_CHILDRENCALLBACK;
}

// ---------------------------------------------------------------------------
// Node attributes

template <class TList>
BOOL SECTreeBaseT<TList>::SetItemAttributes(HTREEITEM hItem, const SECTreeAttributes& request)
{
    _Node* pNode = Resolve(hItem);
    if (!(request.mask & SEC_TVAF_VALUE))
        return TRUE;
    const BOOL bWasShown = IsShown(pNode);
    const UINT old = pNode->m_nAttributes;
    pNode->m_nAttributes = (old & ~request.valueMask) | (request.value & request.valueMask);
    const UINT changed = old ^ pNode->m_nAttributes;
    if (changed & _Node::attrHidden) {
        if (pNode == m_pRoot) {
            SyncRows();
        } else if (bWasShown && !IsShown(pNode)) {
            const int row = RowOf(hItem);
            if (row >= 0)
                RemoveDescendantRows(pNode, row, TRUE);
        } else if (!bWasShown) {
            ShowNodeRows(pNode);
        }
        this->UpdateScrollBars();
        if (this->IsAlive())
            this->Invalidate();
    } else if (changed & _Node::attrGreyed) {
        RedrawItem(hItem, FALSE, FALSE, TRUE);
    }
    return TRUE;
}

// The value holds the node's own bits with greyed and hidden added when an
// ancestor has them; a value mask of 0 asks for every bit.
template <class TList>
BOOL SECTreeBaseT<TList>::GetItemAttributes(HTREEITEM hItem, SECTreeAttributes& request)
{
    const _Node* pNode = Resolve(hItem);
    UINT value = pNode->m_nAttributes;
    const UINT inherited = _Node::attrGreyed | _Node::attrHidden;
    for (const _Node* p = ParentOf(pNode); p != nullptr; p = ParentOf(p))
        value |= p->m_nAttributes & inherited;
    request.value = value & (request.valueMask != 0 ? request.valueMask : ~0u);
    request.mask |= SEC_TVAF_VALUE;
    return TRUE;
}

// ---------------------------------------------------------------------------
// Texts of the further columns

template <class TList>
BOOL SECTreeBaseT<TList>::EnableSubItemStorage(BOOL bEnable)
{
    if (bEnable) {
        if (m_pSubItemTexts == nullptr)
            m_pSubItemTexts = new SECSubItemTextStorage;
        return TRUE;
    }
    if (m_pSubItemTexts == nullptr)
        return FALSE;
    delete m_pSubItemTexts;
    m_pSubItemTexts = nullptr;
    return TRUE;
}

template <class TList>
BOOL SECTreeBaseT<TList>::HasSubItemStorage() const
{
    return m_pSubItemTexts != nullptr;
}

template <class TList>
SECSubItemTextStorage* SECTreeBaseT<TList>::GetSubItemStorage() const
{
    return m_pSubItemTexts;
}

template <class TList>
BOOL SECTreeBaseT<TList>::SetItemText(HTREEITEM hItem, int nCol, LPCWSTR lpszText)
{
    if (nCol == 0)
        return SetLabelText(hItem, lpszText);
    if (nCol < 0)
        return FALSE;
    const int row = RowOf(hItem);
    if (m_pSubItemTexts != nullptr) {
        // Keyed by the node, so that null and TVI_ROOT are one item.
        const HTREEITEM hKey = reinterpret_cast<HTREEITEM>(Resolve(hItem));
        if (nCol > this->GetColumnCount() || !m_pSubItemTexts->SetText(hKey, nCol, lpszText))
            return FALSE;
        if (row >= 0) {
            ResetRowMetrics(row);
            RedrawItem(hItem, FALSE, FALSE, TRUE);
        }
        return TRUE;
    }
    if (row < 0)
        return FALSE;
    // Stored in the cell even where the owner kept it so far: the caller sets it.
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_DI_SETITEM;
    item.iItem = row;
    item.iSubItem = this->GetColumnSubItem(nCol);
    item.pszText = const_cast<LPWSTR>(lpszText);
    return item.iSubItem >= 1 && SetItem(&item, TRUE);
}

template <class TList>
CString SECTreeBaseT<TList>::GetItemText(HTREEITEM hItem, int nCol)
{
    WCHAR* buffer = this->m_pTextBuffer;
    buffer[0] = L'\0';
    if (nCol == 0)
        return CString(GetLabel(Resolve(hItem), buffer, TList::kTextBufferChars));
    if (m_pSubItemTexts != nullptr) {
        m_pSubItemTexts->GetText(reinterpret_cast<HTREEITEM>(Resolve(hItem)), nCol, buffer, TList::kTextBufferChars);
        return CString(buffer);
    }
    const int row = RowOf(hItem);
    const int subItem = this->GetColumnSubItem(nCol);
    return row >= 0 && subItem >= 1 ? TList::GetItemText(row, subItem) : CString();
}

// ---------------------------------------------------------------------------
// The list's item access: column 0 of a row is its node

template <class TList>
BOOL SECTreeBaseT<TList>::SetItem(const LVITEMW* pItem, BOOL bRedraw)
{
    if (pItem == nullptr || pItem->iSubItem != 0)
        return TList::SetItem(pItem, bRedraw);
    _Node* pNode = NodeAtRow(pItem->iItem);
    if (pNode == nullptr)
        return FALSE;
    if (pNode == m_pRoot) {
        // A row without a node, made through the list: its item data is the
        // node link, which must stay null.
        LVITEMW rowItem = *pItem;
        rowItem.mask &= ~static_cast<UINT>(LVIF_PARAM);
        return TList::SetItem(&rowItem, bRedraw);
    }
    TVITEMW item{};
    item.hItem = reinterpret_cast<HTREEITEM>(pNode);
    if (pItem->mask & LVIF_TEXT) {
        item.mask |= TVIF_TEXT;
        item.pszText = pItem->pszText;
    }
    if (pItem->mask & LVIF_IMAGE) {
        item.mask |= TVIF_IMAGE;
        item.iImage = pItem->iImage;
    }
    if (pItem->mask & LVIF_PARAM) {
        item.mask |= TVIF_PARAM;
        item.lParam = pItem->lParam;
    }
    if ((pItem->mask & LVIF_STATE) && (pItem->stateMask & SECTreeDetail::kMirroredState)) {
        item.mask |= TVIF_STATE;
        item.state = pItem->state;
        item.stateMask = pItem->stateMask & SECTreeDetail::kMirroredState;
    }
    UINT collected = 0;
    const BOOL bChanged = ApplyToNode(pNode, item, (pItem->mask & LVIF_DI_SETITEM) != 0, collected);
    if (collected != 0) {
        SECTreeDetail::WatchGuard guard(m_pWatches, pNode);
        item.mask = collected;
        NotifyTreeSetDispInfo(&item);
        if (guard.Gone())
            return TRUE;
    }
    // The row keeps state and image; its text and item data stay the node's.
    LVITEMW rowItem = *pItem;
    rowItem.mask &= LVIF_STATE | LVIF_IMAGE;
    if (rowItem.mask & LVIF_STATE) {
        rowItem.state = (pItem->state & ~SECTreeDetail::kMirroredState) | RowStateFromNode(pNode->m_item.state);
        if (rowItem.stateMask & LVIS_OVERLAYMASK)
            rowItem.stateMask |= LVIS_OVERLAYMASK;
    }
    if (rowItem.mask & LVIF_IMAGE) {
        rowItem.mask |= LVIF_DI_SETITEM;
        rowItem.iImage = pNode->m_item.iImage;
    }
    const BOOL bResult = rowItem.mask == 0 || TList::SetItem(&rowItem, bRedraw);
    if ((pItem->mask & (LVIF_TEXT | LVIF_IMAGE)) && bChanged) {
        const int row = pItem->iItem;
        this->MarkRowForMeasuring(this->GetItemAt(row));
        if (bRedraw && row != this->GetEditItem())
            this->InvalidateItem(row);
    }
    return bResult;
}

template <class TList>
BOOL SECTreeBaseT<TList>::GetItem(LVITEMW* pItem, BOOL bCopyText, BOOL bAskOwner)
{
    if (pItem == nullptr || pItem->iSubItem != 0)
        return TList::GetItem(pItem, bCopyText, bAskOwner);
    _Node* pNode = NodeAtRow(pItem->iItem);
    if (pNode == nullptr)
        return FALSE;
    if (pNode == m_pRoot)
        return TList::GetItem(pItem, bCopyText, bAskOwner);
    if (pItem->mask & LVIF_STATE) {
        // Selection, focus and drop highlight come from the list.
        LVITEMW rowItem{};
        rowItem.mask = LVIF_STATE;
        rowItem.iItem = pItem->iItem;
        rowItem.stateMask = pItem->stateMask;
        TList::GetItem(&rowItem, FALSE, FALSE);
        pItem->state = rowItem.state;
    }
    if (pItem->mask & LVIF_PARAM)
        pItem->lParam = pNode->m_item.lParam;
    TVITEMW item{};
    item.hItem = reinterpret_cast<HTREEITEM>(pNode);
    item.mask = ((pItem->mask & LVIF_TEXT) ? TVIF_TEXT : 0u) | ((pItem->mask & LVIF_IMAGE) ? TVIF_IMAGE : 0u);
    if (item.mask == 0)
        return TRUE;
    item.pszText = pItem->pszText;
    item.cchTextMax = pItem->cchTextMax;
    GetItem(&item, bCopyText, bAskOwner);
    if (pItem->mask & LVIF_TEXT)
        pItem->pszText = item.pszText;
    if (pItem->mask & LVIF_IMAGE)
        pItem->iImage = item.iImage;
    return TRUE;
}

template <class TList>
DWORD_PTR SECTreeBaseT<TList>::GetItemData(int nItem)
{
    const _Node* pNode = NodeAtRow(nItem);
    return pNode != nullptr && pNode != m_pRoot ? static_cast<DWORD_PTR>(pNode->m_item.lParam) : 0;
}

template <class TList>
UINT SECTreeBaseT<TList>::GetRowState(int nItem, UINT nMask)
{
    const _Node* pNode = NodeAtRow(nItem);
    return pNode != nullptr ? pNode->m_item.state & nMask : 0;
}

template <class TList>
LRESULT SECTreeBaseT<TList>::NotifyGetDispInfo(LVITEMW* pItem)
{
    if (pItem != nullptr && pItem->iSubItem >= 1 && m_pSubItemTexts != nullptr && (pItem->mask & LVIF_TEXT)) {
        const _Node* pNode = NodeAtRow(pItem->iItem);
        if (pNode != nullptr && pItem->pszText != nullptr && pItem->pszText != LPSTR_TEXTCALLBACKW)
            m_pSubItemTexts->GetText(reinterpret_cast<HTREEITEM>(const_cast<_Node*>(pNode)), pItem->iSubItem,
                                     pItem->pszText, pItem->cchTextMax);
        return 0;
    }
    return TList::NotifyGetDispInfo(pItem);
}

template <class TList>
void SECTreeBaseT<TList>::NotifySetDispInfo(LVITEMW* pItem)
{
    if (pItem == nullptr || pItem->iSubItem < 1 || m_pSubItemTexts == nullptr || !(pItem->mask & LVIF_TEXT))
        return; // column 0 went to the node already
    const _Node* pNode = NodeAtRow(pItem->iItem);
    if (pNode != nullptr && pItem->pszText != LPSTR_TEXTCALLBACKW)
        m_pSubItemTexts->SetText(reinterpret_cast<HTREEITEM>(const_cast<_Node*>(pNode)), pItem->iSubItem,
                                 pItem->pszText);
}

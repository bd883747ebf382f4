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

// A field the owner supplies (an image, selected image or children count of
// -1, a text that is the callback marker, also one the record makes so) is
// not stored but collected, so that the owner can be told; bForce stores what
// an owner gave with TVIF_DI_SETITEM in answer to TVN_GETDISPINFOW.
template <class TList>
BOOL SECTreeBaseT<TList>::ApplyToNode(_Node* pNode, const TVITEMW& item, BOOL bForce, UINT& nCollected)
{
    TVITEMW& node = pNode->m_item;
    BOOL bChanged = FALSE;
    auto store = [&](int& field, int value, UINT bit) {
        if (field == -1 && !bForce) {
            nCollected |= bit;
            return;
        }
        bChanged |= field != value;
        field = value;
    };
    if (item.mask & TVIF_CHILDREN)
        store(node.cChildren, item.cChildren, TVIF_CHILDREN);
    if (item.mask & TVIF_IMAGE)
        store(node.iImage, item.iImage, TVIF_IMAGE);
    if (item.mask & TVIF_SELECTEDIMAGE)
        store(node.iSelectedImage, item.iSelectedImage, TVIF_SELECTEDIMAGE);
    if (item.mask & TVIF_PARAM)
        node.lParam = item.lParam;
    if (item.mask & TVIF_STATE) {
        const UINT state = (node.state & ~item.stateMask) | (item.state & item.stateMask);
        bChanged |= state != node.state;
        if ((state ^ node.state) & TVIS_EXPANDED)
            ++m_nChanges;
        node.state = state;
    }
    if (item.mask & TVIF_TEXT) {
        if (item.pszText == LPSTR_TEXTCALLBACKW) {
            bChanged |= !pNode->IsTextCallback();
            pNode->SetText(LPSTR_TEXTCALLBACKW);
        }
        if (pNode->IsTextCallback() && !(bForce && item.pszText != LPSTR_TEXTCALLBACKW)) {
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
    if (pNode == nullptr)
        return FALSE;
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
    const SECTreeNodeRef ref = RefOf(pNode);
    NotifyTreeGetDispInfo(pItem);
    if (pItem->state & 0xFFFF0000u)
        pItem->state |= 0x1000u;
    // The owner may ask to keep what it supplied, as the platform allows.
    if ((pItem->mask & TVIF_DI_SETITEM) && IsLive(ref)) {
        TVITEMW keep = *pItem;
        keep.mask &= marked;
        UINT unused = 0;
        ApplyToNode(pNode, keep, TRUE, unused);
    }
    return TRUE;
}

// Callback fields are not stored: the owner hears of them with
// TVN_SETDISPINFOW, whose mask holds exactly those fields.
template <class TList>
BOOL SECTreeBaseT<TList>::SetItem(TVITEMW* pItem)
{
    if (pItem == nullptr)
        return FALSE;
    _Node* pNode = Resolve(pItem->hItem);
    if (pNode == nullptr)
        return FALSE;
    const SECTreeNodeRef node = RefOf(pNode);
    const UINT mask = pItem->mask;
    const UINT stateMask = pItem->stateMask;
    // A record that collapses the item ends an edit below it first, while
    // its row is still there.
    if ((mask & TVIF_STATE) && (stateMask & TVIS_EXPANDED) && !(pItem->state & TVIS_EXPANDED) &&
        pNode->IsExpanded() && pNode != m_pRoot && EndEditBelow(pNode, FALSE) && !IsLive(node))
        return FALSE;
    const BOOL bWasExpanded = pNode->IsExpanded();
    UINT collected = 0;
    const BOOL bChanged = ApplyToNode(pNode, *pItem, FALSE, collected);
    if (pNode == m_pRoot)
        pNode->SetExpanded(TRUE); // the root's children are always shown
    // The expanded bit set directly (no notifications, as the platform does)
    // still shows or hides the children's rows: a shown node has a row.
    const int row = RowOfNode(pNode);
    if (bWasExpanded != pNode->IsExpanded() && m_nDeferRows == 0 && row >= 0) {
        if (pNode->IsExpanded())
            InsertDescendantRows(pNode, row);
        else if (!RemoveDescendantRows(pNode, row, FALSE))
            SyncRows();
        if (!IsLive(node))
            return TRUE;
    }
    if (collected != 0) {
        pItem->mask = collected;
        NotifyTreeSetDispInfo(pItem);
        if (!IsLive(node))
            return TRUE;
    }
    const int rowNow = RowOfNode(pNode);
    if (rowNow < 0)
        return TRUE;
    LVITEMW rowItem{};
    rowItem.iItem = rowNow;
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
    if (bChanged && rowNow != this->GetEditItem()) {
        ResetRowMetrics(rowNow);
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
    const _Node* pNode = Resolve(hItem);
    return pNode != nullptr ? static_cast<DWORD_PTR>(pNode->m_item.lParam) : 0;
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
    const _Node* pNode = Resolve(hItem);
    return pNode != nullptr ? pNode->m_item.state & nStateMask : 0;
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
    if (pNode == nullptr)
        return FALSE;
    if (!(request.mask & SEC_TVAF_VALUE))
        return TRUE;
    auto valueOf = [&](UINT old) { return (old & ~request.valueMask) | (request.value & request.valueMask); };
    // Hiding ends an edit in the rows that go first, while they are there.
    const SECTreeNodeRef node = RefOf(pNode);
    if ((valueOf(pNode->m_nAttributes) & ~pNode->m_nAttributes & _Node::attrHidden) &&
        EndEditBelow(pNode, TRUE) && !IsLive(node))
        return FALSE;
    const BOOL bWasShown = IsShown(pNode);
    const UINT old = pNode->m_nAttributes;
    pNode->m_nAttributes = valueOf(old);
    const UINT changed = old ^ pNode->m_nAttributes;
    if (changed & _Node::attrHidden) {
        ++m_nChanges;
        if (pNode == m_pRoot) {
            SyncRows();
        } else if (bWasShown && !IsShown(pNode)) {
            const int row = RowOfNode(pNode);
            if (row >= 0 && !RemoveDescendantRows(pNode, row, TRUE))
                SyncRows();
        } else if (!bWasShown) {
            ShowNodeRows(pNode);
        }
        this->UpdateScrollBars();
        if (this->IsAlive())
            this->Invalidate();
    } else if (changed & _Node::attrGreyed) {
        RedrawItem(reinterpret_cast<HTREEITEM>(pNode), FALSE, FALSE, TRUE);
    }
    return TRUE;
}

// The value holds the node's own bits with greyed and hidden added when an
// ancestor has them; a value mask of 0 asks for every bit.
template <class TList>
BOOL SECTreeBaseT<TList>::GetItemAttributes(HTREEITEM hItem, SECTreeAttributes& request)
{
    const _Node* pNode = Resolve(hItem);
    if (pNode == nullptr)
        return FALSE;
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
    _Node* pNode = Resolve(hItem);
    if (nCol < 0 || pNode == nullptr)
        return FALSE;
    const int row = RowOfNode(pNode);
    if (m_pSubItemTexts != nullptr) {
        // Only for a column that exists; the storage answers in the owner's
        // stead, so it keeps texts, never the callback marker. Keyed by the
        // node, so that null and TVI_ROOT are one item.
        const HTREEITEM hKey = reinterpret_cast<HTREEITEM>(pNode);
        if (nCol >= this->GetColumnCount() || lpszText == LPSTR_TEXTCALLBACKW ||
            !m_pSubItemTexts->SetText(hKey, nCol, lpszText))
            return FALSE;
        if (row >= 0) {
            ResetRowMetrics(row);
            RedrawItem(hKey, FALSE, FALSE, TRUE);
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

// The whole text: a stored label as it is, a stored cell text however long.
template <class TList>
CString SECTreeBaseT<TList>::GetItemText(HTREEITEM hItem, int nCol)
{
    _Node* pNode = Resolve(hItem);
    if (pNode == nullptr)
        return CString();
    if (nCol == 0) {
        if (!pNode->IsTextCallback())
            return CString(pNode->m_item.pszText != nullptr ? pNode->m_item.pszText : L"");
        WCHAR* buffer = this->m_pTextBuffer;
        buffer[0] = L'\0';
        return CString(GetLabel(pNode, buffer, TList::kTextBufferChars));
    }
    if (m_pSubItemTexts != nullptr) {
        // The storage copies into a buffer: one that the text does not fill
        // holds all of it.
        const HTREEITEM hKey = reinterpret_cast<HTREEITEM>(pNode);
        std::vector<WCHAR> text(TList::kTextBufferChars);
        for (;;) {
            m_pSubItemTexts->GetText(hKey, nCol, text.data(), static_cast<int>(text.size()));
            if (wcsnlen(text.data(), text.size()) + 1 < text.size())
                return CString(text.data());
            text.assign(text.size() * 2, L'\0');
        }
    }
    const int row = RowOfNode(pNode);
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
    const int row = collected != 0 ? -1 : pItem->iItem;
    if (collected != 0) {
        const SECTreeNodeRef node = RefOf(pNode);
        item.mask = collected;
        NotifyTreeSetDispInfo(&item);
        // The owner may have moved or deleted the row meanwhile.
        if (!IsLive(node) || RowOfNode(pNode) < 0)
            return TRUE;
    }
    // The row keeps state and image; its text and item data stay the node's.
    LVITEMW rowItem = *pItem;
    rowItem.iItem = row >= 0 ? row : RowOfNode(pNode);
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
        this->MarkRowForMeasuring(this->GetItemAt(rowItem.iItem));
        if (bRedraw && rowItem.iItem != this->GetEditItem())
            this->InvalidateItem(rowItem.iItem);
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

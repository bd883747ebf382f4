// Selection through the tree, the drop target with its auto-expand timer, the
// owner notifications in the platform's tree-view forms, and the list hooks
// that turn the list's selection, drag, key and label-edit events into them.
// Part of SECTreeBaseT; compiled in SECTreeBaseC.cpp.

namespace SECTreeDetail {
// Causes of a selection change, as the list passes them in its bByMouse flag.
enum { kCauseKeyboard = 0, kCauseMouse = 1, kCauseUnknown = 2 };

inline UINT ActionOfCause(int nCause)
{
    return nCause == kCauseKeyboard ? TVC_BYKEYBOARD : (nCause == kCauseMouse ? TVC_BYMOUSE : TVC_UNKNOWN);
}
} // namespace SECTreeDetail

// ---------------------------------------------------------------------------
// Notifications

template <class TList>
void SECTreeBaseT<TList>::CopyItemRecord(const _Node* pNode, TVITEMW& item) const
{
    item = pNode != nullptr ? pNode->m_item : TVITEMW{};
}

template <class TList>
LRESULT SECTreeBaseT<TList>::SendSelectionNotify(UINT nCode, _Node* pNew, _Node* pOld, int nCause)
{
    NMTREEVIEWW info{};
    info.action = SECTreeDetail::ActionOfCause(nCause);
    CopyItemRecord(pOld, info.itemOld);
    CopyItemRecord(pNew, info.itemNew);
    return this->SendNotify(&info.hdr, nCode);
}

template <class TList>
LRESULT SECTreeBaseT<TList>::NotifyTreeGetDispInfo(TVITEMW* pItem)
{
    NMTVDISPINFOW info{};
    info.item = *pItem;
    const LRESULT lResult = this->SendNotify(&info.hdr, TVN_GETDISPINFOW);
    *pItem = info.item;
    return lResult;
}

template <class TList>
void SECTreeBaseT<TList>::NotifyTreeSetDispInfo(TVITEMW* pItem)
{
    NMTVDISPINFOW info{};
    info.item = *pItem;
    this->SendNotify(&info.hdr, TVN_SETDISPINFOW);
}

template <class TList>
LRESULT SECTreeBaseT<TList>::NotifyItemExpanding(HTREEITEM hItem, UINT nCode)
{
    const _Node* pNode = Resolve(hItem);
    if (pNode == nullptr)
        return 0;
    NMTREEVIEWW info{};
    info.action = nCode;
    CopyItemRecord(pNode, info.itemNew);
    return this->SendNotify(&info.hdr, TVN_ITEMEXPANDINGW);
}

template <class TList>
void SECTreeBaseT<TList>::NotifyItemExpanded(HTREEITEM hItem, UINT nCode)
{
    const _Node* pNode = Resolve(hItem);
    if (pNode == nullptr)
        return;
    NMTREEVIEWW info{};
    info.action = nCode;
    CopyItemRecord(pNode, info.itemNew);
    info.itemNew.state &= TVIS_EXPANDED;
    this->SendNotify(&info.hdr, TVN_ITEMEXPANDEDW);
}

template <class TList>
void SECTreeBaseT<TList>::NotifyTreeReserved1()
{
}

template <class TList>
void SECTreeBaseT<TList>::NotifyTreeReserved2()
{
}

template <class TList>
void SECTreeBaseT<TList>::NotifyKeyDown(UINT nVKey)
{
    NMTVKEYDOWN info{};
    info.wVKey = static_cast<WORD>(nVKey);
    info.flags = 0;
    this->SendNotify(&info.hdr, TVN_KEYDOWN);
}

// ---------------------------------------------------------------------------
// The list's selection and drag hooks

template <class TList>
BOOL SECTreeBaseT<TList>::OnSelectionChanging(int nItem, int nOldFocus, BOOL bByMouse)
{
    return SendSelectionNotify(TVN_SELCHANGINGW, NodeAtRow(nItem), NodeAtRow(nOldFocus), bByMouse) != 0;
}

template <class TList>
void SECTreeBaseT<TList>::OnSelectionChanged(int nItem, int nOldFocus, BOOL bByMouse)
{
    SendSelectionNotify(TVN_SELCHANGEDW, NodeAtRow(nItem), NodeAtRow(nOldFocus), bByMouse);
}

template <class TList>
void SECTreeBaseT<TList>::OnBeginDrag(int nItem, CPoint point)
{
    if (GetTreeStyle() & TVS_DISABLEDRAGDROP)
        return;
    NMTREEVIEWW info{};
    CopyItemRecord(NodeAtRow(nItem), info.itemNew);
    info.ptDrag = point;
    this->SendNotify(&info.hdr, TVN_BEGINDRAGW);
}

template <class TList>
void SECTreeBaseT<TList>::OnBeginRDrag(int nItem, CPoint point)
{
    if (GetTreeStyle() & TVS_DISABLEDRAGDROP)
        return;
    NMTREEVIEWW info{};
    CopyItemRecord(NodeAtRow(nItem), info.itemNew);
    info.ptDrag = point;
    this->SendNotify(&info.hdr, TVN_BEGINRDRAGW);
}

// ---------------------------------------------------------------------------
// Label editing of column 0

template <class TList>
BOOL SECTreeBaseT<TList>::NotifyBeginLabelEdit(int nItem, int nSubItem)
{
    // A running edit changes what removing its row involves: plans made
    // before are stale.
    ++m_nChanges;
    _Node* pNode = NodeAtRow(nItem);
    if (nSubItem != 0 || pNode == nullptr || pNode == m_pRoot)
        return TList::NotifyBeginLabelEdit(nItem, nSubItem);
    NMTVDISPINFOW info{};
    CopyItemRecord(pNode, info.item);
    info.item.mask |= TVIF_TEXT;
    // An owner's label is shown to it as text, never as the callback marker.
    std::vector<WCHAR> label;
    if (pNode->IsTextCallback()) {
        const SECTreeNodeRef ref = RefOf(pNode);
        label.assign(TList::kTextBufferChars, L'\0');
        info.item.pszText = const_cast<LPWSTR>(GetLabel(pNode, label.data(), TList::kTextBufferChars));
        info.item.cchTextMax = TList::kTextBufferChars;
        // Asked for the label, the owner may have deleted the item: no edit then.
        if (!IsLive(ref) || !this->IsAlive())
            return TRUE;
    }
    return this->SendNotify(&info.hdr, TVN_BEGINLABELEDITW) == 1;
}

// Texts of kTextBufferChars units or more are cut to fit the buffer.
template <class TList>
BOOL SECTreeBaseT<TList>::NotifyEndLabelEdit(int nItem, int nSubItem, CString& strText, BOOL bCommit)
{
    _Node* pNode = NodeAtRow(nItem);
    if (nSubItem != 0 || pNode == nullptr || pNode == m_pRoot)
        return TList::NotifyEndLabelEdit(nItem, nSubItem, strText, bCommit);
    NMTVDISPINFOW info{};
    CopyItemRecord(pNode, info.item);
    info.item.mask |= TVIF_TEXT;
    info.item.pszText = nullptr;
    info.item.cchTextMax = 0;
    std::vector<WCHAR> buffer;
    if (bCommit) {
        buffer.assign(TList::kTextBufferChars, L'\0');
        lstrcpynW(buffer.data(), strText, TList::kTextBufferChars);
        info.item.pszText = buffer.data();
        info.item.cchTextMax = TList::kTextBufferChars;
    }
    const LRESULT lResult = this->SendNotify(&info.hdr, TVN_ENDLABELEDITW);
    if (!bCommit || lResult == 0)
        return FALSE;
    buffer.back() = L'\0';
    // The owner may have rewritten the buffer, or pointed at a text of its own.
    const LPCWSTR text = info.item.pszText != nullptr && info.item.pszText != LPSTR_TEXTCALLBACKW ? info.item.pszText
                                                                                                  : buffer.data();
    strText = text;
    return TRUE;
}

// The record of the edited row outlives the end of the edit (see
// DeleteItemRecord), so the list cannot take a row made meanwhile for it.
template <class TList>
BOOL SECTreeBaseT<TList>::EndLabelEdit(BOOL bCommit)
{
    SECListItem* const pOuterRow = m_pEndingEditRow;
    SECListItem* const pOuterParked = m_pParkedRow;
    m_pEndingEditRow = this->GetItemAt(this->GetEditItem());
    m_pParkedRow = nullptr;
    const BOOL bResult = TList::EndLabelEdit(bCommit);
    SECListItem* const pParked = m_pParkedRow;
    m_pEndingEditRow = pOuterRow;
    m_pParkedRow = pOuterParked;
    if (pParked != nullptr)
        TList::DeleteItemRecord(pParked);
    return bResult;
}

template <class TList>
void SECTreeBaseT<TList>::OnLabelEditAccepted(int nItem, int nSubItem)
{
    _Node* pNode = NodeAtRow(nItem);
    if (nSubItem != 0 || pNode == nullptr || pNode == m_pRoot) {
        TList::OnLabelEditAccepted(nItem, nSubItem);
        return;
    }
    HWND hTarget = AfxSafeHwnd(this->GetNotifyWnd());
    if (hTarget != nullptr && m_hWnd != nullptr)
        ::SendMessageW(hTarget, SECTreeEndLabelEditMessage, static_cast<WPARAM>(::GetDlgCtrlID(m_hWnd)),
                       reinterpret_cast<LPARAM>(pNode));
}

// ---------------------------------------------------------------------------
// Selection through the tree

template <class TList>
BOOL SECTreeBaseT<TList>::SelectItem(HTREEITEM hItem, UINT nCode)
{
    _Node* pNode = Resolve(hItem);
    if (pNode == nullptr)
        return FALSE;
    const HTREEITEM hNode = reinterpret_cast<HTREEITEM>(pNode);
    const SECTreeNodeRef node = RefOf(pNode);
    // Owners may delete the item while its ancestors expand.
    if (pNode != m_pRoot) {
        EnsureVisible(hNode, FALSE);
        if (!IsLive(node))
            return FALSE;
    }
    switch (nCode & ~static_cast<UINT>(TVSI_NOSINGLEEXPAND)) {
    case TVGN_FIRSTVISIBLE: {
        const int row = RowOfNode(pNode);
        return row >= 0 && this->SetTopIndex(row);
    }
    case TVGN_DROPHILITE:
        return SelectDropTarget(hNode, TRUE);
    case TVGN_CARET: {
        _Node* pOld = NodeAtRow(this->GetFocusItem());
        // A hidden item, or one whose ancestors stayed collapsed, has no row
        // to take the caret: nothing changes, nobody is told.
        if (pNode != m_pRoot && RowOfNode(pNode) < 0)
            return FALSE;
        const SECTreeNodeRef old = RefOf(pOld);
        const BOOL bHadWindow = m_hWnd != nullptr;
        if (SendSelectionNotify(TVN_SELCHANGINGW, pNode, pOld, SECTreeDetail::kCauseUnknown) == 1)
            return FALSE;
        if (!IsLive(node) || (bHadWindow && !this->IsAlive()))
            return FALSE;
        // A null handle (the root, which has no row) clears the caret.
        {
            RefreshHold hold(*this);
            this->FocusAndSelectItem(pNode == m_pRoot ? -1 : RowOfNode(pNode), TRUE);
        }
        if (!IsLive(node) || (bHadWindow && !this->IsAlive()))
            return TRUE;
        SendSelectionNotify(TVN_SELCHANGEDW, pNode, IsLive(old) ? pOld : nullptr, SECTreeDetail::kCauseUnknown);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

template <class TList>
BOOL SECTreeBaseT<TList>::SelectSetFirstVisible(HTREEITEM hItem)
{
    return SelectItem(hItem, TVGN_FIRSTVISIBLE);
}

template <class TList>
BOOL SECTreeBaseT<TList>::SelectDropTarget(HTREEITEM hItem, BOOL bEnsureVisible)
{
    _Node* pNode = Resolve(hItem);
    if (pNode == nullptr)
        return FALSE;
    if (pNode == m_pRoot) {
        this->SetDropHilightItem(-1);
        StopAutoExpandTimer();
        return TRUE;
    }
    if (bEnsureVisible) {
        const SECTreeNodeRef node = RefOf(pNode);
        EnsureVisible(reinterpret_cast<HTREEITEM>(pNode), FALSE);
        if (!IsLive(node))
            return FALSE;
    }
    const int row = RowOfNode(pNode);
    const int old = this->GetDropHilightItem();
    this->SetDropHilightItem(row);
    if (row != old) {
        if (this->AreTipsEnabled())
            this->HideTip();
        if (m_dwTreeStyleEx & SEC_TVSX_AUTOEXPAND) {
            StopAutoExpandTimer();
            if (row >= 0 && this->IsAlive())
                m_nAutoExpandTimer = this->SetTimer(kTimerAutoExpand, m_nAutoExpandDelay, nullptr);
        }
    }
    return TRUE;
}

template <class TList>
void SECTreeBaseT<TList>::StopAutoExpandTimer()
{
    if (m_nAutoExpandTimer != 0 && m_hWnd != nullptr)
        this->KillTimer(kTimerAutoExpand);
    m_nAutoExpandTimer = 0;
}

template <class TList>
BOOL SECTreeBaseT<TList>::AddToSelection(HTREEITEM hItem)
{
    _Node* pNode = Resolve(hItem);
    if (pNode == nullptr || pNode == m_pRoot)
        return FALSE;
    const HTREEITEM hNode = reinterpret_cast<HTREEITEM>(pNode);
    const SECTreeNodeRef node = RefOf(pNode);
    EnsureVisible(hNode, FALSE);
    if (!IsLive(node) || RowOfNode(pNode) < 0)
        return FALSE;
    _Node* pOld = NodeAtRow(this->GetFocusItem());
    const SECTreeNodeRef old = RefOf(pOld);
    const BOOL bHadWindow = m_hWnd != nullptr;
    if (SendSelectionNotify(TVN_SELCHANGINGW, pNode, pOld, SECTreeDetail::kCauseUnknown) == 1)
        return FALSE;
    if (!IsLive(node) || (bHadWindow && !this->IsAlive()))
        return FALSE;
    const int row = RowOfNode(pNode);
    BOOL bSelected = FALSE;
    {
        RefreshHold hold(*this);
        bSelected = row >= 0 && TList::SelectItem(row, TRUE);
    }
    if (!bSelected || !IsLive(node) || (bHadWindow && !this->IsAlive()))
        return FALSE;
    SendSelectionNotify(TVN_SELCHANGEDW, pNode, IsLive(old) ? pOld : nullptr, SECTreeDetail::kCauseUnknown);
    if (!(m_dwTreeStyleEx & SEC_TVSX_MULTISELECT) && IsLive(node))
        SelectItem(hNode, TVGN_CARET);
    return TRUE;
}

// Expansion and collapse of tree items, their rows, EnsureVisible, ExpandAll
// and CountChildren. Part of SECTreeBaseT; compiled in SECTreeBaseC.cpp.

namespace SECTreeDetail {
// The action bits of an expansion code (TVE_COLLAPSE, TVE_EXPAND, TVE_TOGGLE).
const UINT kExpandAction = 0x0003;
} // namespace SECTreeDetail

template <class TList>
void SECTreeBaseT<TList>::SetExpandFocus(_Node* pNode, int nRow)
{
    // While ExpandAll defers the rows, a shown node has no row yet: it takes
    // the focus once the rows are there.
    if (m_nDeferRows > 0 && nRow < 0 && IsShown(pNode)) {
        m_pDeferredFocus = pNode;
        return;
    }
    m_pDeferredFocus = nullptr;
    this->SetFocusItem(nRow);
}

template <class TList>
void SECTreeBaseT<TList>::CollapseRows(_Node* pNode, int nRow)
{
    if (!(m_dwTreeStyleEx & SEC_TVSX_PROGRESSIVE)) {
        RemoveDescendantRows(pNode, nRow, FALSE);
        return;
    }
    // Row by row, repainting now and then, so that the collapse can be seen.
    const int n = CountDescendantRows(pNode, nRow);
    if (n == 0)
        return;
    DeselectRows(nRow + 1, n);
    const int every = std::max(1, n / std::max(m_nProgressiveStep, 1));
    for (int i = 0; i < n; ++i) {
        this->DeleteItem(nRow + 1, 1);
        if (i % every == 0 && this->IsAlive())
            this->UpdateWindow();
    }
    if (this->IsAlive())
        this->UpdateWindow();
}

// The root has no item record to tell an owner about: it is always expanded,
// so expanding it succeeds at once and collapsing it fails.
template <class TList>
BOOL SECTreeBaseT<TList>::Expand(HTREEITEM hItem, UINT nCode, BOOL bRedraw, BOOL bForce)
{
    _Node* pNode = Resolve(hItem);
    const UINT action = nCode & SECTreeDetail::kExpandAction;
    if (pNode == m_pRoot)
        return !((nCode & TVE_COLLAPSERESET) || action == TVE_COLLAPSE || action == TVE_TOGGLE);
    SECTreeDetail::WatchGuard guard(m_pWatches, pNode);
    const BOOL bHadWindow = m_hWnd != nullptr;
    auto lost = [&]() { return guard.Gone() || (bHadWindow && !this->IsAlive()); };
    if (!bForce && FirstChildOf(pNode) == nullptr) {
        if (!OwnerDeclaresChildren(pNode))
            return TRUE;
        if (lost())
            return FALSE;
    }
    CRect before;
    this->GetInsideRect(before);
    // The caret as it was: the focus moves to the item before a collapse looks
    // whether the caret has to leave the subtree.
    _Node* pCaret = NodeAtRow(this->GetFocusItem());
    SECTreeDetail::WatchGuard caretGuard(m_pWatches, pCaret);
    SetExpandFocus(pNode, RowOf(hItem));
    if (action == TVE_TOGGLE)
        nCode = (nCode & ~static_cast<UINT>(SECTreeDetail::kExpandAction)) | (pNode->IsExpanded() ? TVE_COLLAPSE : TVE_EXPAND);
    const BOOL bCollapse = (nCode & TVE_COLLAPSERESET) || (nCode & SECTreeDetail::kExpandAction) == TVE_COLLAPSE;
    const BOOL bExpand = !bCollapse && (nCode & SECTreeDetail::kExpandAction) == TVE_EXPAND;

    if (NotifyItemExpanding(hItem, nCode) == 1 || lost())
        return FALSE;
    if (bExpand) {
        if (pNode->IsExpanded())
            return TRUE;
        if (FirstChildOf(pNode) == nullptr)
            return FALSE; // the owner declared children but gave none
        pNode->SetExpanded(TRUE);
        if (m_dwTreeStyleEx & SEC_TVSX_PROGRESSIVE)
            m_nProgressiveCount = 0;
        const int row = RowOf(hItem);
        if (m_nDeferRows == 0 && row >= 0)
            InsertDescendantRows(pNode, row);
    } else if (bCollapse) {
        if (pNode->IsExpanded()) {
            const BOOL bCaretMoves = !caretGuard.Gone() && IsDescendantOf(pCaret, pNode);
            if (bCaretMoves) {
                SendSelectionNotify(TVN_SELCHANGINGW, pNode, pCaret, 1); // not a veto here
                if (lost())
                    return FALSE;
                this->FocusAndSelectItem(RowOf(hItem), TRUE);
            }
            pNode->SetExpanded(FALSE);
            const int row = RowOf(hItem);
            if (row >= 0)
                CollapseRows(pNode, row);
            if (bCaretMoves) {
                SendSelectionNotify(TVN_SELCHANGEDW, pNode, nullptr, 1);
                if (lost())
                    return FALSE;
            }
        }
        if (nCode & TVE_COLLAPSERESET) {
            while (_Node* pChild = FirstChildOf(pNode)) {
                if (!DeleteItem(reinterpret_cast<HTREEITEM>(pChild)) || lost())
                    return FALSE;
            }
        }
    }
    NotifyItemExpanded(hItem, nCode);
    if (lost())
        return TRUE;
    if (!bRedraw)
        return TRUE;
    // Scrolling shows the new children of an item that has a row; an item out
    // of sight stays so (its ancestors are not expanded for it).
    if (bExpand && m_bScrollAfterExpand && pNode->m_pRowRecord != nullptr) {
        _Node* pLast = LastChildOf(pNode);
        while (pLast != nullptr && SECTreeDetail::IsOwnHidden(pLast))
            pLast = PrevSiblingOf(pLast);
        if (pLast != nullptr)
            EnsureVisible(reinterpret_cast<HTREEITEM>(pLast), TRUE);
        if (lost())
            return TRUE;
        const int row = RowOf(hItem);
        if (row != -1 && row < this->GetTopIndex()) {
            EnsureVisible(hItem, FALSE);
            this->SetTopIndex(row);
            this->FocusAndSelectItem(row, TRUE);
        }
    }
    this->UpdateScrollBars();
    CRect after;
    this->GetInsideRect(after);
    if (after != before) {
        if (this->IsAlive())
            this->Invalidate();
    } else {
        RedrawItem(hItem, FALSE, FALSE, TRUE);
    }
    return TRUE;
}

// Expands the item and everything below it. The expansions only mark the
// nodes (each with its notifications, vetoes respected); the rows of all of
// them follow in one step at the end, so the cost grows with the rows, not
// with rows times expanded items.
template <class TList>
BOOL SECTreeBaseT<TList>::ExpandAll(HTREEITEM hItem, BOOL bRedraw)
{
    _Node* pTop = Resolve(hItem);
    SECTreeDetail::WatchGuard topGuard(m_pWatches, pTop);
    // Owners that delete the item being expanded make the walk go on after
    // that item's subtree; when they delete that place too, it starts over (a
    // few times at most).
    const int kMaxRestarts = 16;
    int restarts = 0;
    BOOL bResult = FALSE;
    ++m_nDeferRows;
    _Node* pCurrent = pTop;
    while (pCurrent != nullptr) {
        BOOL bExpanded = FALSE;
        BOOL bGone = FALSE;
        _Node* pAfter = NextInSubtree(pCurrent, pTop, FALSE);
        BOOL bAfterGone = FALSE;
        {
            SECTreeDetail::WatchGuard guard(m_pWatches, pCurrent);
            SECTreeDetail::WatchGuard afterGuard(m_pWatches, pAfter);
            bExpanded = Expand(reinterpret_cast<HTREEITEM>(pCurrent), TVE_EXPAND, FALSE, FALSE);
            bGone = guard.Gone();
            bAfterGone = afterGuard.Gone();
        }
        if (pCurrent == pTop)
            bResult = bExpanded;
        if (topGuard.Gone() || (m_hWnd != nullptr && !this->IsAlive()))
            break;
        if (bGone) {
            if (!bAfterGone)
                pCurrent = pAfter;
            else
                pCurrent = ++restarts <= kMaxRestarts ? pTop : nullptr;
            continue;
        }
        // The walk does not go below an item that did not expand (an owner vetoed it, say).
        pCurrent = NextInSubtree(pCurrent, pTop, bExpanded);
    }
    if (--m_nDeferRows == 0) {
        SyncRows();
        if (m_pDeferredFocus != nullptr) {
            this->SetFocusItem(RowOf(reinterpret_cast<HTREEITEM>(m_pDeferredFocus)));
            m_pDeferredFocus = nullptr;
        }
    }
    if (bRedraw && this->IsAlive()) {
        this->UpdateScrollBars();
        this->Invalidate();
    }
    return bResult;
}

template <class TList>
BOOL SECTreeBaseT<TList>::EnsureVisible(HTREEITEM hItem, BOOL bKeepParentVisible)
{
    if (hItem == nullptr || hItem == TVI_ROOT)
        return FALSE;
    _Node* pNode = Resolve(hItem);
    if (pNode == m_pRoot)
        return FALSE;
    SECTreeDetail::WatchGuard guard(m_pWatches, pNode);
    if (pNode->m_pRowRecord == nullptr) {
        for (_Node* pParent = ParentOf(pNode); pParent != nullptr && pParent != m_pRoot; pParent = ParentOf(pParent)) {
            if (pParent->IsExpanded())
                continue;
            SECTreeDetail::WatchGuard parentGuard(m_pWatches, pParent);
            if (!Expand(reinterpret_cast<HTREEITEM>(pParent), TVE_EXPAND, FALSE, FALSE) || guard.Gone() ||
                parentGuard.Gone())
                return FALSE;
        }
        // New rows are measured when they show; the others keep their heights.
        SyncRows();
        this->UpdateScrollBars();
        if (this->IsAlive())
            this->Invalidate();
    }
    const int row = RowOf(hItem);
    if (row < 0)
        return FALSE;
    if (bKeepParentVisible) {
        _Node* pParent = ParentOf(pNode);
        const int parentRow = pParent != nullptr ? RowOf(reinterpret_cast<HTREEITEM>(pParent)) : -1;
        if (parentRow >= 0)
            return this->EnsureRangeVisible(parentRow, row);
    }
    return TList::EnsureVisible(row, FALSE);
}

template <class TList>
int SECTreeBaseT<TList>::CountChildren(HTREEITEM hItem, BOOL bRecursive, BOOL bOnlyExpanded) const
{
    const _Node* pTop = Resolve(hItem);
    int count = 0;
    for (const _Node* p = FirstChildOf(pTop); p != nullptr;
         p = NextInSubtree(p, pTop, bRecursive && (!bOnlyExpanded || p->IsExpanded())))
        ++count;
    return count;
}

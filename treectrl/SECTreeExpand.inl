// Expansion and collapse of tree items, their rows, EnsureVisible, ExpandAll
// and CountChildren. Part of SECTreeBaseT; compiled in SECTreeBaseC.cpp.

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
        if (!RemoveDescendantRows(pNode, nRow, FALSE))
            SyncRows();
        return;
    }
    // Row by row, repainting now and then, so that the collapse can be seen.
    // Painting asks owners for texts; when one changes the tree meanwhile, the
    // rest of the plan is stale and the rows are repaired as a whole.
    BOOL bStale = FALSE;
    {
        RefreshHold hold(*this);
        const int n = CountDescendantRows(pNode, nRow);
        DeselectRows(nRow + 1, n);
        const int every = std::max(1, n / std::max(m_nProgressiveStep, 1));
        for (int i = 0; i < n && !bStale; ++i) {
            bStale = !RemoveRows(nRow + 1, 1);
            if (!bStale && i % every == 0 && this->IsAlive()) {
                const UINT mark = m_nChanges;
                TList::UpdateScrollBars();
                TList::InvalidateItem(nRow, FALSE, FALSE, TRUE, TRUE);
                bStale = m_nChanges != mark;
            }
        }
    }
    if (bStale)
        SyncRows();
    else if (this->IsAlive())
        this->UpdateWindow();
}

// Only the codes TVE_COLLAPSE, TVE_EXPAND, TVE_TOGGLE and TVE_COLLAPSERESET
// (with or without TVE_COLLAPSE) act; any other code is told to the owner and
// changes nothing. The root has no item record to tell an owner about: it is
// always expanded, so expanding it succeeds at once and collapsing it fails.
template <class TList>
BOOL SECTreeBaseT<TList>::Expand(HTREEITEM hItem, UINT nCode, BOOL bRedraw, BOOL bForce)
{
    _Node* pNode = Resolve(hItem);
    if (pNode == nullptr)
        return FALSE;
    const BOOL bReset = nCode == TVE_COLLAPSERESET || nCode == (TVE_COLLAPSERESET | TVE_COLLAPSE);
    if (pNode == m_pRoot)
        return !(bReset || nCode == TVE_COLLAPSE || nCode == TVE_TOGGLE);
    const HTREEITEM hNode = reinterpret_cast<HTREEITEM>(pNode);
    const SECTreeNodeRef node = RefOf(pNode);
    const BOOL bHadWindow = m_hWnd != nullptr;
    auto lost = [&]() { return !IsLive(node) || (bHadWindow && !this->IsAlive()); };
    if (!bForce && FirstChildOf(pNode) == nullptr) {
        if (!OwnerDeclaresChildren(pNode))
            return !lost();
        if (lost())
            return FALSE;
    }
    CRect before;
    this->GetInsideRect(before);
    // The caret as it was: the focus moves to the item before a collapse looks
    // whether the caret has to leave the subtree.
    _Node* pCaret = NodeAtRow(this->GetFocusItem());
    const SECTreeNodeRef caret = RefOf(pCaret);
    {
        RefreshHold hold(*this);
        SetExpandFocus(pNode, RowOfNode(pNode));
    }
    if (lost())
        return FALSE;
    if (nCode == TVE_TOGGLE)
        nCode = pNode->IsExpanded() ? TVE_COLLAPSE : TVE_EXPAND;
    const BOOL bExpand = nCode == TVE_EXPAND;
    const BOOL bCollapse = nCode == TVE_COLLAPSE || bReset;

    if (NotifyItemExpanding(hNode, nCode) == 1 || lost())
        return FALSE;
    if (bExpand) {
        if (pNode->IsExpanded())
            return TRUE;
        if (FirstChildOf(pNode) == nullptr)
            return FALSE; // the owner declared children but gave none
        SetNodeExpanded(pNode, TRUE);
        if (m_dwTreeStyleEx & SEC_TVSX_PROGRESSIVE)
            m_nProgressiveCount = 0;
        const int row = RowOfNode(pNode);
        if (m_nDeferRows == 0 && row >= 0)
            InsertDescendantRows(pNode, row);
        if (lost())
            return FALSE;
    } else if (bCollapse) {
        if (pNode->IsExpanded()) {
            const BOOL bCaretMoves = IsLive(caret) && IsDescendantOf(pCaret, pNode);
            if (bCaretMoves) {
                SendSelectionNotify(TVN_SELCHANGINGW, pNode, pCaret, 1); // not a veto here
                if (lost())
                    return FALSE;
                {
                    RefreshHold hold(*this);
                    this->FocusAndSelectItem(RowOfNode(pNode), TRUE);
                }
                if (lost())
                    return FALSE;
            }
            // An edit below ends while its row is still there; its owner may
            // change anything when told.
            if (EndEditBelow(pNode, FALSE) && lost())
                return FALSE;
            SetNodeExpanded(pNode, FALSE);
            const int row = RowOfNode(pNode);
            if (row >= 0)
                CollapseRows(pNode, row);
            if (lost())
                return FALSE;
            if (bCaretMoves) {
                SendSelectionNotify(TVN_SELCHANGEDW, pNode, nullptr, 1);
                if (lost())
                    return FALSE;
            }
        }
        if (bReset) {
            // The children the item has now go; any an owner adds while told stay.
            std::vector<SECTreeNodeRef> children;
            for (_Node* pChild = FirstChildOf(pNode); pChild != nullptr; pChild = NextSiblingOf(pChild))
                children.push_back(RefOf(pChild));
            for (const SECTreeNodeRef& child : children) {
                if (IsLive(child) && ParentOf(child.pNode) == pNode)
                    DeleteItem(reinterpret_cast<HTREEITEM>(child.pNode));
                if (lost())
                    return FALSE;
            }
        }
    }
    NotifyItemExpanded(hNode, nCode);
    if (lost() || !bRedraw)
        return TRUE;
    // The new children come into sight, as EnsureVisible brings them, also
    // when the item itself was out of sight inside a collapsed parent.
    if (bExpand && m_bScrollAfterExpand) {
        if (_Node* pLast = LastChildOf(pNode))
            EnsureVisible(reinterpret_cast<HTREEITEM>(pLast), TRUE);
        if (lost())
            return TRUE;
        const int row = RowOfNode(pNode);
        if (row != -1 && row < this->GetTopIndex()) {
            EnsureVisible(hNode, FALSE);
            if (lost())
                return TRUE;
            const int top = RowOfNode(pNode);
            this->SetTopIndex(top);
            if (lost())
                return TRUE;
            this->FocusAndSelectItem(RowOfNode(pNode), TRUE);
        }
    }
    this->UpdateScrollBars();
    if (lost())
        return TRUE;
    CRect after;
    this->GetInsideRect(after);
    if (after != before) {
        if (this->IsAlive())
            this->Invalidate();
    } else {
        RedrawItem(hNode, FALSE, FALSE, TRUE);
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
    if (pTop == nullptr)
        return FALSE;
    const SECTreeNodeRef top = RefOf(pTop);
    // Owners that delete the item being expanded make the walk go on after
    // that item's subtree; when they delete that place too, it starts over (a
    // few times at most).
    const int kMaxRestarts = 16;
    int restarts = 0;
    BOOL bResult = FALSE;
    BOOL bFirst = TRUE;
    ++m_nDeferRows;
    _Node* pCurrent = pTop;
    while (pCurrent != nullptr) {
        _Node* pAfter = NextInSubtree(pCurrent, pTop, FALSE);
        const SECTreeNodeRef current = RefOf(pCurrent);
        const SECTreeNodeRef after = RefOf(pAfter);
        NoteLive(pCurrent);
        const BOOL bExpanded = Expand(reinterpret_cast<HTREEITEM>(pCurrent), TVE_EXPAND, FALSE, FALSE);
        if (bFirst)
            bResult = bExpanded;
        bFirst = FALSE;
        if (!IsLive(top) || (m_hWnd != nullptr && !this->IsAlive()))
            break;
        if (!IsLive(current)) {
            if (IsLive(after))
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
            this->SetFocusItem(RowOfNode(m_pDeferredFocus));
            m_pDeferredFocus = nullptr;
        }
    }
    if (bRedraw && this->IsAlive()) {
        this->UpdateScrollBars();
        if (this->IsAlive())
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
    if (pNode == nullptr || pNode == m_pRoot)
        return FALSE;
    const SECTreeNodeRef node = RefOf(pNode);
    if (pNode->m_pRowRecord == nullptr) {
        for (_Node* pParent = ParentOf(pNode); pParent != nullptr && pParent != m_pRoot; pParent = ParentOf(pParent)) {
            if (pParent->IsExpanded())
                continue;
            const SECTreeNodeRef parent = RefOf(pParent);
            if (!Expand(reinterpret_cast<HTREEITEM>(pParent), TVE_EXPAND, FALSE, FALSE) || !IsLive(node) ||
                !IsLive(parent))
                return FALSE;
        }
        // New rows are measured when they show; the others keep their heights.
        SyncRows();
        this->UpdateScrollBars();
        if (this->IsAlive())
            this->Invalidate();
        if (!IsLive(node))
            return FALSE;
    }
    const int row = RowOfNode(pNode);
    if (row < 0)
        return FALSE;
    if (bKeepParentVisible) {
        _Node* pParent = ParentOf(pNode);
        const int parentRow = pParent != nullptr ? RowOfNode(pParent) : -1;
        if (parentRow >= 0)
            return this->EnsureRangeVisible(parentRow, row);
    }
    return TList::EnsureVisible(row, FALSE);
}

template <class TList>
int SECTreeBaseT<TList>::CountChildren(HTREEITEM hItem, BOOL bRecursive, BOOL bOnlyExpanded) const
{
    const _Node* pTop = Resolve(hItem);
    if (pTop == nullptr)
        return 0;
    int count = 0;
    for (const _Node* p = FirstChildOf(pTop); p != nullptr;
         p = NextInSubtree(p, pTop, bRecursive && (!bOnlyExpanded || p->IsExpanded())))
        ++count;
    return count;
}

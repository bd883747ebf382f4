// The tree's keyboard, character and mouse handling: the list's key hooks
// filled for the hierarchy (collapse or go to the parent, expand or go to the
// first child, expand everything below), the characters those keys type kept
// from the type-ahead search, clicks on buttons, single-expand and
// double-click expansion. Part of SECTreeBaseT; compiled in SECTreeBaseC.cpp.

namespace SECTreeDetail {
// Characters of the expand and collapse keys: typed, they do not search.
inline BOOL IsExpandKeyChar(UINT nChar)
{
    return nChar == L'*' || nChar == L'+' || nChar == L'-' || nChar == L'=' || nChar == L'_';
}
} // namespace SECTreeDetail

// ---------------------------------------------------------------------------
// Keys

template <class TList>
BOOL SECTreeBaseT<TList>::CollapseOrGoToParent(int nItem)
{
    _Node* pNode = NodeAtRow(nItem);
    if (pNode == nullptr || pNode == m_pRoot)
        return FALSE;
    const HTREEITEM hNode = reinterpret_cast<HTREEITEM>(pNode);
    const SECTreeNodeRef node = RefOf(pNode);
    const BOOL bHasChildren = FirstChildOf(pNode) != nullptr || OwnerDeclaresChildren(pNode);
    // The owner was asked: the item may be gone, or the window.
    if (!this->IsAlive() || !IsLive(node))
        return FALSE;
    if (bHasChildren && pNode->IsExpanded()) {
        Expand(hNode, TVE_COLLAPSE, TRUE);
    } else {
        _Node* pParent = ParentOf(pNode);
        if (pParent == nullptr || pParent == m_pRoot)
            return FALSE;
        this->DeselectAllItems(-1);
        SelectItem(reinterpret_cast<HTREEITEM>(pParent), TVGN_CARET);
    }
    if (this->IsAlive())
        this->HideTip();
    return TRUE;
}

template <class TList>
void SECTreeBaseT<TList>::ExpandOrGoToChild(int nItem)
{
    _Node* pNode = NodeAtRow(nItem);
    if (pNode != nullptr && pNode != m_pRoot) {
        const HTREEITEM hNode = reinterpret_cast<HTREEITEM>(pNode);
        if (FirstChildOf(pNode) != nullptr && pNode->IsExpanded()) {
            _Node* pChild = FirstChildOf(pNode);
            while (pChild != nullptr && SECTreeDetail::IsOwnHidden(pChild))
                pChild = NextSiblingOf(pChild);
            if (pChild != nullptr) {
                this->DeselectAllItems(-1);
                SelectItem(reinterpret_cast<HTREEITEM>(pChild), TVGN_CARET);
            }
        } else {
            const SECTreeNodeRef node = RefOf(pNode);
            const BOOL bHasChildren = FirstChildOf(pNode) != nullptr || OwnerDeclaresChildren(pNode);
            if (bHasChildren && this->IsAlive() && IsLive(node))
                Expand(hNode, TVE_EXPAND, TRUE);
        }
    }
    if (this->IsAlive())
        this->HideTip();
}

template <class TList>
void SECTreeBaseT<TList>::OnKeyLeft(int nItem, int, BOOL, BOOL, UINT, UINT)
{
    CollapseOrGoToParent(nItem);
}

template <class TList>
void SECTreeBaseT<TList>::OnKeyBack(int nItem, int, BOOL, BOOL, UINT, UINT)
{
    CollapseOrGoToParent(nItem);
}

template <class TList>
void SECTreeBaseT<TList>::OnKeyRight(int nItem, int, BOOL, BOOL, UINT, UINT)
{
    ExpandOrGoToChild(nItem);
}

template <class TList>
void SECTreeBaseT<TList>::OnKeyMultiply(int nItem, int, BOOL, BOOL, UINT, UINT)
{
    // Without a caret there is nothing to expand (a null handle would mean
    // every item).
    _Node* pNode = NodeAtRow(nItem);
    if (pNode != nullptr && pNode != m_pRoot)
        ExpandAll(reinterpret_cast<HTREEITEM>(pNode), TRUE);
}

template <class TList>
void SECTreeBaseT<TList>::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (SECTreeDetail::IsExpandKeyChar(nChar))
        return; // the key already expanded or collapsed
    TList::OnChar(nChar, nRepCnt, nFlags);
}

// ---------------------------------------------------------------------------
// Mouse

template <class TList>
void SECTreeBaseT<TList>::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (this->m_pTip != nullptr && this->m_pTip->IsTipVisible()) {
        CWnd* pFrame = this->GetParentFrame();
        this->SendMessage(WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(AfxSafeHwnd(pFrame)),
                          MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
        if (!this->IsAlive())
            return;
    }
    if (!this->HasFocus())
        this->SetFocus();
    if (!this->IsAlive())
        return;
    _Node* pOldCaret = NodeAtRow(this->GetFocusItem());
    const SECTreeNodeRef oldCaret = RefOf(pOldCaret);
    UINT flags = 0;
    _Node* pHit = Resolve(HitTestItem(point, &flags));
    if (pHit == m_pRoot)
        pHit = nullptr;
    const SECTreeNodeRef hit = RefOf(pHit);
    if ((GetTreeStyle() & TVS_SINGLEEXPAND) && pOldCaret != nullptr && pHit != nullptr) {
        TList::OnLButtonDown(nFlags, point);
        if (!this->IsAlive() || !IsLive(hit))
            return;
        _Node* pNewCaret = NodeAtRow(this->GetFocusItem());
        if (pNewCaret != pHit)
            return;
        if (!IsLive(oldCaret) || pNewCaret != pOldCaret) {
            // The old branch closes unless the new caret lies inside it.
            if (IsLive(oldCaret) && pOldCaret->IsExpanded() && !IsDescendantOf(pNewCaret, pOldCaret))
                Expand(reinterpret_cast<HTREEITEM>(pOldCaret), TVE_COLLAPSE, TRUE);
            if (this->IsAlive() && IsLive(hit))
                Expand(reinterpret_cast<HTREEITEM>(pHit), TVE_EXPAND, TRUE);
        } else {
            Expand(reinterpret_cast<HTREEITEM>(pHit), TVE_TOGGLE, TRUE);
        }
        return;
    }
    if (pHit != nullptr && (flags & TVHT_ONITEMBUTTON)) {
        // The button opens or closes the item without selecting it.
        Expand(reinterpret_cast<HTREEITEM>(pHit), TVE_TOGGLE, TRUE);
        return;
    }
    TList::OnLButtonDown(nFlags, point);
}

template <class TList>
void SECTreeBaseT<TList>::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    TList::OnLButtonDblClk(nFlags, point);
    // An owner that answered the double-click took it over.
    if (!this->IsAlive() || this->GetLastNotifyResult() != 0)
        return;
    if (nFlags & (MK_CONTROL | MK_SHIFT))
        return; // a selection step: nothing more, the tip stays
    UINT flags = 0;
    _Node* pHit = Resolve(HitTestItem(point, &flags));
    if (pHit != nullptr && pHit != m_pRoot && (flags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMBUTTON)))
        Expand(reinterpret_cast<HTREEITEM>(pHit), TVE_TOGGLE, TRUE);
    if (this->IsAlive() && this->m_pTip != nullptr && this->m_pTip->IsTipVisible())
        this->HideTip();
}

// Insertion and deletion of tree items: the node factory, positions including
// both sorted orders, linking with a last-child hint, and deletion children
// first with one notification per item. Part of SECTreeBaseT; compiled in
// SECTreeBaseC.cpp.

// ---------------------------------------------------------------------------
// Nodes

template <class TList>
_Node* SECTreeBaseT<TList>::CreateNode()
{
    return new _Node;
}

template <class TList>
void SECTreeBaseT<TList>::CreateRoot()
{
    m_pRoot = CreateNode();
    m_pRoot->SetExpanded(TRUE);
}

template <class TList>
int SECTreeBaseT<TList>::CompareItems(_Node* pFirst, _Node* pSecond)
{
    // Stored labels are compared in place; the buffers take owners' answers
    // (and over-long labels, cut).
    WCHAR first[TList::kTextBufferChars];
    WCHAR second[TList::kTextBufferChars];
    // The owner asked for the second label may change or free the first.
    const BOOL bKeepFirst = !pFirst->IsTextCallback() && pSecond->IsTextCallback();
    LPCWSTR a = GetLabel(pFirst, first, TList::kTextBufferChars);
    if (bKeepFirst && a != first) {
        lstrcpynW(first, a, TList::kTextBufferChars);
        a = first;
    }
    const LPCWSTR b = GetLabel(pSecond, second, TList::kTextBufferChars);
    return lstrcmpiW(a, b);
}

// ---------------------------------------------------------------------------
// Linking

// Appending after the last child or after the node linked last costs a
// constant; other positions walk the sibling run as SECTreeNode::AddChild does,
// comparing addresses only, so that a position that is not a child fails
// without being read.
template <class TList>
BOOL SECTreeBaseT<TList>::LinkNode(_Node* pParent, _Node* pChild, UINT_PTR nPosition)
{
    if (FirstChildOf(pParent) == nullptr) {
        if (!SECTreeNode::AddChild(pParent, pChild, SECTreeNode::addLast))
            return FALSE;
        pParent->m_pLastChild = pChild;
        return TRUE;
    }
    _Node* pLast = LastChildOf(pParent);
    _Node* pAfter = nullptr;
    if (nPosition == SECTreeNode::addLast || nPosition == SECTreeNode::addLastAlso ||
        nPosition == reinterpret_cast<UINT_PTR>(pLast))
        pAfter = pLast;
    else if (nPosition != SECTreeNode::addFirst && m_pLastInserted != nullptr &&
             nPosition == reinterpret_cast<UINT_PTR>(m_pLastInserted) && m_pLastInserted->GetRawParent() == pParent)
        pAfter = m_pLastInserted;
    if (pAfter == nullptr)
        return SECTreeNode::AddChild(pParent, pChild, nPosition);
    _Node* pNext = NextSiblingOf(pAfter);
    pChild->SetParent(pParent);
    pChild->SetPrevSibling(pAfter);
    pChild->SetNextSibling(pNext);
    if (pNext != nullptr)
        pNext->SetPrevSibling(pChild);
    pAfter->SetNextSibling(pChild);
    if (pAfter == pLast)
        pParent->m_pLastChild = pChild;
    return TRUE;
}

template <class TList>
void SECTreeBaseT<TList>::UnlinkNode(_Node* pNode)
{
    _Node* pParent = ParentOf(pNode);
    if (pParent != nullptr && pParent->m_pLastChild == pNode)
        pParent->m_pLastChild = PrevSiblingOf(pNode);
    pNode->Detach();
}

// The owner may answer the label comparisons of a sorted insertion; when it
// deletes the parent or a child being compared meanwhile, the insertion fails.
template <class TList>
_Node* SECTreeBaseT<TList>::ResolveInsertPosition(_Node* pParent, _Node* pNew, HTREEITEM hInsertAfter,
                                                  UINT_PTR& nPosition)
{
    if (hInsertAfter == nullptr || hInsertAfter == TVI_LAST || hInsertAfter == TVI_ROOT) {
        nPosition = SECTreeNode::addLast;
        return pParent;
    }
    if (hInsertAfter == TVI_FIRST) {
        nPosition = SECTreeNode::addFirst;
        return pParent;
    }
    if (hInsertAfter != TVI_SORT && hInsertAfter != SEC_TVI_SORTDESCENDING) {
        nPosition = reinterpret_cast<UINT_PTR>(hInsertAfter);
        return pParent;
    }
    const BOOL bAscending = hInsertAfter == TVI_SORT;
    SECTreeDetail::WatchGuard parentGuard(m_pWatches, pParent);
    _Node* pAfter = nullptr;
    for (_Node* pChild = FirstChildOf(pParent); pChild != nullptr;) {
        SECTreeDetail::WatchGuard childGuard(m_pWatches, pChild);
        const int order = CompareItems(pChild, pNew);
        if (parentGuard.Gone() || childGuard.Gone())
            return nullptr;
        if (bAscending ? order > 0 : order < 0)
            break;
        pAfter = pChild;
        pChild = NextSiblingOf(pChild);
    }
    nPosition = pAfter != nullptr ? SECTreeNode::PositionAfter(pAfter) : SECTreeNode::addFirst;
    return pParent;
}

// ---------------------------------------------------------------------------
// Insertion

template <class TList>
HTREEITEM SECTreeBaseT<TList>::InsertItem(const TVINSERTSTRUCTW* pInsert)
{
    if (pInsert == nullptr)
        return nullptr;
    if (m_pRoot == nullptr)
        CreateRoot();
    _Node* pParent = Resolve(pInsert->hParent);
    _Node* pNode = CreateNode();
    if (pNode == nullptr)
        return nullptr;
    pNode->m_item.hItem = reinterpret_cast<HTREEITEM>(pNode);
    TVITEMW item = pInsert->item;
    item.mask |= TVIF_HANDLE;
    item.hItem = pNode->m_item.hItem;
    // A new node has no callback fields yet: nothing to tell the owner.
    UINT collected = 0;
    ApplyToNode(pNode, item, TRUE, collected);
    UINT_PTR position = SECTreeNode::addLast;
    pNode->m_nTreeFlags |= kNodeLinking;
    const BOOL bLinked = ResolveInsertPosition(pParent, pNode, pInsert->hInsertAfter, position) != nullptr &&
                         LinkNode(pParent, pNode, position);
    pNode->m_nTreeFlags &= ~static_cast<UINT>(kNodeLinking);
    if (!bLinked) {
        delete pNode; // never linked
        return nullptr;
    }
    if ((item.mask & TVIF_STATE) && (item.stateMask & TVIS_EXPANDED) && (item.state & TVIS_EXPANDED))
        pNode->SetExpanded(TRUE);
    m_pLastInserted = pNode;
    ShowNodeRows(pNode);
    RefreshAfterChange();
    return reinterpret_cast<HTREEITEM>(pNode);
}

template <class TList>
HTREEITEM SECTreeBaseT<TList>::InsertItem(UINT nMask, LPCWSTR lpszText, int nImage, int nSelectedImage, UINT nState,
                                          UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    TVINSERTSTRUCTW insert{};
    insert.hParent = hParent;
    insert.hInsertAfter = hInsertAfter;
    insert.item.mask = nMask;
    insert.item.pszText = const_cast<LPWSTR>(lpszText);
    insert.item.iImage = nImage;
    insert.item.iSelectedImage = nSelectedImage;
    insert.item.state = nState;
    insert.item.stateMask = nStateMask;
    insert.item.lParam = lParam;
    return InsertItem(&insert);
}

template <class TList>
HTREEITEM SECTreeBaseT<TList>::InsertItem(LPCWSTR lpszText, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    return InsertItem(TVIF_TEXT, lpszText, 0, 0, 0, 0, 0, hParent, hInsertAfter);
}

// ---------------------------------------------------------------------------
// Deletion

template <class TList>
BOOL SECTreeBaseT<TList>::DeleteItem(HTREEITEM hItem)
{
    if (m_pRoot == nullptr)
        return TRUE;
    _Node* pNode = Resolve(hItem);
    if (pNode->m_nTreeFlags & kNodeDeleting)
        return FALSE; // already on its way out
    if (pNode != m_pRoot)
        return DeleteNodeTree(pNode);
    // An empty tree stays as it is (a window going deletes all more than once).
    if (FirstChildOf(m_pRoot) == nullptr && this->GetItemCount() == 0)
        return TRUE;

    // Every item: the rows go first, so that nothing shows a node that is
    // about to be freed, then the nodes, then the root is renewed.
    _Node* pRoot = m_pRoot;
    SECTreeDetail::WatchGuard guard(m_pWatches, pRoot);
    pRoot->m_nTreeFlags |= kNodeDying;
    ClearAllRows();
    if (!DeleteNodeTree(pRoot))
        return FALSE;
    if (guard.Gone())
        return TRUE; // an owner deleted everything meanwhile
    ForgetNode(pRoot);
    m_pRoot = nullptr;
    delete pRoot;
    const BOOL bResult = ClearAllRows();
    CreateRoot();
    return bResult;
}

// Deletes the node's descendants, leaves first, and then the node itself
// (except the root, which its caller renews). The rows of the descendants go
// in one step before the first notification: the node is marked as dying, so
// its descendants are not shown from then on, and none of them gets a row
// again, even from owners inserting items while they are told.
template <class TList>
BOOL SECTreeBaseT<TList>::DeleteNodeTree(_Node* pNode)
{
    SECTreeDetail::WatchGuard guard(m_pWatches, pNode);
    pNode->m_nTreeFlags |= kNodeDying;
    if (pNode != m_pRoot) {
        const int row = RowOf(reinterpret_cast<HTREEITEM>(pNode));
        if (row >= 0) {
            const int n = CountDescendantRows(pNode, row);
            if (n > 0)
                this->DeleteItem(row + 1, n);
        }
    }
    // The search for the next leaf resumes below the parent of the last one,
    // which keeps deep chains linear.
    _Node* pFrom = pNode;
    while (FirstChildOf(pNode) != nullptr) {
        while (FirstChildOf(pFrom) != nullptr)
            pFrom = FirstChildOf(pFrom);
        _Node* pParent = ParentOf(pFrom);
        SECTreeDetail::WatchGuard parentGuard(m_pWatches, pParent);
        if (!DeleteLeafNode(pFrom)) {
            pNode->m_nTreeFlags &= ~static_cast<UINT>(kNodeDying);
            return FALSE;
        }
        if (guard.Gone())
            return TRUE;
        pFrom = parentGuard.Gone() || pParent == nullptr ? pNode : pParent;
    }
    if (pNode == m_pRoot)
        return TRUE;
    return DeleteLeafNode(pNode);
}

template <class TList>
BOOL SECTreeBaseT<TList>::DeleteLeafNode(_Node* pNode)
{
    if (FirstChildOf(pNode) != nullptr)
        return FALSE;
    UnlinkNode(pNode);
    pNode->m_nTreeFlags |= kNodeDeleting;
    if (pNode->m_pRowRecord != nullptr) {
        const int row = RowOf(reinterpret_cast<HTREEITEM>(pNode));
        if (row >= 0)
            this->DeleteItem(row, 1);
        pNode->m_pRowRecord = nullptr;
    }
    if (m_hWnd != nullptr)
        NotifyTreeDeleteItem(reinterpret_cast<HTREEITEM>(pNode));
    ForgetNode(pNode);
    // Children an owner gave the node while it was told go with it, untold.
    for (_Node* p = FirstChildOf(pNode); p != nullptr; p = NextInSubtree(p, pNode, TRUE))
        ForgetNode(p);
    delete pNode;
    return TRUE;
}

template <class TList>
void SECTreeBaseT<TList>::ForgetNode(_Node* pNode)
{
    // Every freed node passes here, told or not: its texts must not reappear
    // under a node that later gets the same address.
    if (m_pSubItemTexts != nullptr)
        m_pSubItemTexts->RemoveItem(reinterpret_cast<HTREEITEM>(pNode));
    for (SECTreeNodeWatch* pWatch = m_pWatches; pWatch != nullptr; pWatch = pWatch->pOuter) {
        if (pWatch->pNode == pNode)
            pWatch->bGone = TRUE;
    }
    if (m_pDeferredFocus == pNode)
        m_pDeferredFocus = nullptr;
    if (m_pLastInserted == pNode)
        m_pLastInserted = nullptr;
}

template <class TList>
void SECTreeBaseT<TList>::NotifyTreeDeleteItem(HTREEITEM hItem)
{
    // Without a notification window SendNotify sends nothing.
    NMTREEVIEWW info{};
    CopyItemRecord(reinterpret_cast<const _Node*>(hItem), info.itemOld);
    info.itemOld.mask = TVIF_HANDLE | TVIF_PARAM;
    this->SendNotify(&info.hdr, TVN_DELETEITEMW);
}

template <class TList>
BOOL SECTreeBaseT<TList>::DeleteAllItems()
{
    const BOOL bResult = DeleteItem(TVI_ROOT);
    if (bResult)
        RefreshAfterChange();
    return bResult;
}

// Insertion and deletion of tree items: the node factory, positions including
// both sorted orders, linking, and deletion children first with one
// notification per item. Part of SECTreeBaseT; compiled in
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
    m_pRoot = NewNode();
    if (m_pRoot != nullptr)
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

// Appending costs a constant (the parent remembers its last child), and so
// does inserting after the last child or after the node linked last; other
// positions walk the sibling run in SECTreeNode::AddChild, comparing addresses
// only, so that a position that is not a child fails without being read.
template <class TList>
BOOL SECTreeBaseT<TList>::LinkNode(_Node* pParent, _Node* pChild, UINT_PTR nPosition)
{
    _Node* pKnown = nullptr;
    if (nPosition != SECTreeNode::addFirst && nPosition != SECTreeNode::addLast &&
        nPosition != SECTreeNode::addLastAlso) {
        if (m_pLastInserted != nullptr && nPosition == reinterpret_cast<UINT_PTR>(m_pLastInserted) &&
            m_pLastInserted->GetRawParent() == pParent)
            pKnown = m_pLastInserted;
        else if (_Node* pLast = LastChildOf(pParent); nPosition == reinterpret_cast<UINT_PTR>(pLast))
            pKnown = pLast;
    }
    if (pKnown != nullptr)
        SECTreeNode::AddChildAfterKnown(pParent, pChild, pKnown);
    else if (!SECTreeNode::AddChild(pParent, pChild, nPosition))
        return FALSE;
    ++m_nChanges;
    return TRUE;
}

template <class TList>
void SECTreeBaseT<TList>::UnlinkNode(_Node* pNode)
{
    pNode->Detach();
    ++m_nChanges;
}

// The owner may answer the label comparisons of a sorted insertion; when it
// deletes the parent or a child being compared meanwhile, the insertion fails.
template <class TList>
BOOL SECTreeBaseT<TList>::ResolveInsertPosition(_Node* pParent, _Node* pNew, HTREEITEM hInsertAfter,
                                                UINT_PTR& nPosition)
{
    if (hInsertAfter == nullptr || hInsertAfter == TVI_LAST || hInsertAfter == TVI_ROOT) {
        nPosition = SECTreeNode::addLast;
        return TRUE;
    }
    if (hInsertAfter == TVI_FIRST) {
        nPosition = SECTreeNode::addFirst;
        return TRUE;
    }
    if (hInsertAfter != TVI_SORT && hInsertAfter != SEC_TVI_SORTDESCENDING) {
        // Compared as an address only: linking fails unless it is a child.
        nPosition = reinterpret_cast<UINT_PTR>(hInsertAfter);
        return TRUE;
    }
    const BOOL bAscending = hInsertAfter == TVI_SORT;
    const SECTreeNodeRef parent = RefOf(pParent);
    _Node* pAfter = nullptr;
    for (_Node* pChild = FirstChildOf(pParent); pChild != nullptr;) {
        const SECTreeNodeRef child = RefOf(pChild);
        const int order = CompareItems(pChild, pNew);
        if (!IsLive(parent) || !IsLive(child) || ParentOf(pChild) != pParent)
            return FALSE;
        if (bAscending ? order > 0 : order < 0)
            break;
        pAfter = pChild;
        pChild = NextSiblingOf(pChild);
    }
    nPosition = pAfter != nullptr ? SECTreeNode::PositionAfter(pAfter) : SECTreeNode::addFirst;
    return TRUE;
}

// ---------------------------------------------------------------------------
// Insertion

// A parent that names no item, or one being deleted (with everything below
// it), takes no new item: the insertion answers null.
template <class TList>
HTREEITEM SECTreeBaseT<TList>::InsertItem(const TVINSERTSTRUCTW* pInsert)
{
    if (pInsert == nullptr)
        return nullptr;
    if (m_pRoot == nullptr)
        CreateRoot();
    _Node* pParent = Resolve(pInsert->hParent);
    if (pParent == nullptr || !CanTakeChildren(pParent))
        return nullptr;
    _Node* pNode = NewNode();
    if (pNode == nullptr)
        return nullptr;
    const HTREEITEM hNode = reinterpret_cast<HTREEITEM>(pNode);
    pNode->m_item.hItem = hNode;
    TVITEMW item = pInsert->item;
    item.mask |= TVIF_HANDLE;
    item.hItem = hNode;
    // Applied as SetItem applies it, without telling the owner: a new node
    // has no field it supplies yet.
    UINT collected = 0;
    ApplyToNode(pNode, item, FALSE, collected);
    // Until it is linked, the node is no item: owners asked for labels of a
    // sorted insertion cannot delete it or insert below it.
    const SECTreeNodeRef parent = RefOf(pParent);
    const SECTreeNodeRef node = RefOf(pNode);
    UINT_PTR position = SECTreeNode::addLast;
    pNode->m_nTreeFlags |= kNodeLinking;
    const BOOL bLinked = ResolveInsertPosition(pParent, pNode, pInsert->hInsertAfter, position) &&
                         IsLive(parent) && CanTakeChildren(pParent) && LinkNode(pParent, pNode, position);
    pNode->m_nTreeFlags &= ~static_cast<UINT>(kNodeLinking);
    if (!bLinked) {
        FreeNode(pNode); // never an item
        return nullptr;
    }
    if ((item.mask & TVIF_STATE) && (item.stateMask & TVIS_EXPANDED) && (item.state & TVIS_EXPANDED))
        pNode->SetExpanded(TRUE);
    m_pLastInserted = pNode;
    ShowNodeRows(pNode);
    RefreshAfterChange();
    // Owners asked for texts while the rows were measured may have deleted it.
    return IsLive(node) ? hNode : nullptr;
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
    if (pNode == nullptr || (pNode->m_nTreeFlags & (kNodeDeleting | kNodeLinking)))
        return FALSE; // no item, or one on its way out or not in yet
    if (pNode == m_pRoot)
        return DeleteEverything();
    // Its rows go one by one: the scroll bars and the repaint follow once.
    RefreshHold hold(*this);
    return DeleteNodeTree(pNode);
}

// Every item: the rows go first, in one step, so that nothing shows a node
// about to be freed, then the nodes, children first, then the root is renewed.
template <class TList>
BOOL SECTreeBaseT<TList>::DeleteEverything()
{
    // An edit ends while the items are all there; its owner may change them.
    if (this->GetEditItem() >= 0)
        this->EndLabelEdit(FALSE);
    if (m_pRoot == nullptr)
        return TRUE;
    // An empty tree stays as it is (a window going deletes all more than once).
    if (FirstChildOf(m_pRoot) == nullptr && this->GetItemCount() == 0)
        return TRUE;
    _Node* pRoot = m_pRoot;
    const SECTreeNodeRef root = RefOf(pRoot);
    MarkDying(pRoot);
    const BOOL bResult = ClearAllRows();
    DeleteNodeTree(pRoot);
    if (!IsLive(root))
        return TRUE; // an owner deleted everything meanwhile
    m_pRoot = nullptr;
    FreeNode(pRoot);
    CreateRoot();
    return bResult;
}

// Deletes the node's descendants, leaves first, and then the node itself
// (except the root, which its caller renews). Nothing can be inserted below a
// node being deleted, so the walk ends, and everything it frees was told.
template <class TList>
BOOL SECTreeBaseT<TList>::DeleteNodeTree(_Node* pNode)
{
    const SECTreeNodeRef top = RefOf(pNode);
    MarkDying(pNode);
    // The search for the next leaf resumes below the parent of the last one,
    // which keeps deep chains linear.
    _Node* pFrom = pNode;
    while (FirstChildOf(pNode) != nullptr) {
        while (FirstChildOf(pFrom) != nullptr)
            pFrom = FirstChildOf(pFrom);
        _Node* pParent = ParentOf(pFrom);
        const SECTreeNodeRef parent = RefOf(pParent);
        DeleteLeafNode(pFrom);
        if (!IsLive(top))
            return TRUE; // an owner deleted it meanwhile
        pFrom = IsLive(parent) ? pParent : pNode;
    }
    if (pNode == m_pRoot || DeleteLeafNode(pNode))
        return TRUE;
    if (IsLive(top) && (pNode->m_nTreeFlags & kNodeDying)) {
        pNode->m_nTreeFlags &= ~static_cast<UINT>(kNodeDying);
        --m_nDying;
    }
    return FALSE;
}

// The leaf's row goes just before its owner is told, so the owner sees the
// rows of the items not yet deleted; an edit of that row ends before, while
// the leaf is still an item. The leaf is unlinked when told.
template <class TList>
BOOL SECTreeBaseT<TList>::DeleteLeafNode(_Node* pNode)
{
    const SECTreeNodeRef ref = RefOf(pNode);
    if (pNode->m_pRowRecord != nullptr && EndEditBelow(pNode, TRUE) && !IsLive(ref))
        return TRUE; // its owner deleted it when the edit ended
    if (FirstChildOf(pNode) != nullptr)
        return FALSE;
    UnlinkNode(pNode);
    pNode->m_nTreeFlags |= kNodeDeleting;
    RemoveNodeRow(pNode);
    if (m_hWnd != nullptr)
        NotifyTreeDeleteItem(reinterpret_cast<HTREEITEM>(pNode));
    FreeNode(pNode);
    return TRUE;
}

template <class TList>
void SECTreeBaseT<TList>::MarkDying(_Node* pNode)
{
    if (!(pNode->m_nTreeFlags & kNodeDying)) {
        pNode->m_nTreeFlags |= kNodeDying;
        ++m_nDying;
    }
}

template <class TList>
void SECTreeBaseT<TList>::FreeNode(_Node* pNode)
{
    // Nodes still linked below go with it (the control lets none come there).
    for (_Node* p = FirstChildOf(pNode); p != nullptr; p = NextInSubtree(p, pNode, TRUE))
        ForgetNode(p);
    ForgetNode(pNode);
    delete pNode;
}

template <class TList>
void SECTreeBaseT<TList>::ForgetNode(_Node* pNode)
{
    // Every freed node passes here: its handle stops naming an item, and its
    // texts must not reappear under a node that later gets the same address.
    ++m_nChanges;
    ++m_nFreed;
    m_handles.Remove(pNode);
    if (pNode->m_nTreeFlags & kNodeDying)
        --m_nDying;
    if (m_pSubItemTexts != nullptr)
        m_pSubItemTexts->RemoveItem(reinterpret_cast<HTREEITEM>(pNode));
    if (m_pDeferredFocus == pNode)
        m_pDeferredFocus = nullptr;
    if (m_pLastInserted == pNode)
        m_pLastInserted = nullptr;
}

template <class TList>
void SECTreeBaseT<TList>::NotifyTreeDeleteItem(HTREEITEM hItem)
{
    // Without a notification window SendNotify sends nothing.
    const _Node* pNode = Resolve(hItem);
    if (pNode == nullptr)
        return;
    NMTREEVIEWW info{};
    CopyItemRecord(pNode, info.itemOld);
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

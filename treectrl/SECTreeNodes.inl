// Nodes and rows of the tree: handles, links, visibility, the row mapping and
// the rows of shown subtrees. Part of SECTreeBaseT; compiled in SECTreeBaseC.cpp.

namespace SECTreeDetail {
// Holds a node across owner notifications: registered for its lifetime, it
// learns from the control when the node is deleted meanwhile.
class WatchGuard
{
public:
    WatchGuard(SECTreeNodeWatch*& pHead, _Node* pNode) : m_pHead(pHead)
    {
        m_watch.pNode = pNode;
        m_watch.pOuter = pHead;
        pHead = &m_watch;
    }
    ~WatchGuard()
    {
        // Guards live on the stack, so the innermost one is always first.
        if (m_pHead == &m_watch)
            m_pHead = m_watch.pOuter;
    }
    WatchGuard(const WatchGuard&) = delete;
    WatchGuard& operator=(const WatchGuard&) = delete;
    BOOL Gone() const { return m_watch.bGone; }

private:
    SECTreeNodeWatch*& m_pHead; // the control's list of watches
    SECTreeNodeWatch m_watch;   // this guard's entry
};

// State bits the node and its row both carry: selected, cut, drop-highlighted,
// overlay and state image.
const UINT kMirroredState = LVIS_SELECTED | LVIS_CUT | LVIS_DROPHILITED | LVIS_OVERLAYMASK | LVIS_STATEIMAGEMASK;

inline BOOL IsOwnHidden(const _Node* pNode)
{
    return (pNode->m_nAttributes & _Node::attrHidden) != 0;
}

// A failed check of a debug build: reported, then raised as an assertion
// failure, which stops a debugger or ends the process at once (no message box
// waiting for someone to click it).
inline void FailCheck(const char* pszWhat, const char* pszFile, int nLine)
{
    char text[512];
    wsprintfA(text, "%s(%d): %s\n", pszFile, nLine, pszWhat);
    ::OutputDebugStringA(text);
    std::fputs(text, stderr);
    std::fflush(stderr);
    ::RaiseException(STATUS_ASSERTION_FAILURE, EXCEPTION_NONCONTINUABLE, 0, nullptr);
}
} // namespace SECTreeDetail

// Checks a caller's handle in debug builds only, as the platform trusts them.
#if defined(NDEBUG)
#define SEC_TREE_CHECK_HANDLE(expr) ((void)0)
#else
#define SEC_TREE_CHECK_HANDLE(expr) \
    ((expr) ? (void)0 : SECTreeDetail::FailCheck("not an item of this tree: " #expr, __FILE__, __LINE__))
#endif

// ---------------------------------------------------------------------------
// Handles and links

template <class TList>
_Node* SECTreeBaseT<TList>::Resolve(HTREEITEM hItem) const
{
    if (hItem == nullptr || hItem == TVI_ROOT)
        return m_pRoot;
    _Node* pNode = reinterpret_cast<_Node*>(hItem);
    SEC_TREE_CHECK_HANDLE(IsNodeOfTree(pNode));
    return pNode;
}

template <class TList>
BOOL SECTreeBaseT<TList>::IsNodeOfTree(const _Node* pNode) const
{
    if (!SECTreeNode::IsNodeMemoryUsable(pNode))
        return FALSE;
    // Below the root, or below an item that is unlinked for the moment: one
    // being deleted (owners still read it, and may even give it children) or
    // one being inserted (compared for a sorted position).
    const _Node* pTop = pNode;
    while (pTop->GetRawParent() != nullptr && !(pTop->m_nTreeFlags & (kNodeDeleting | kNodeLinking)))
        pTop = ParentOf(pTop);
    return pTop == m_pRoot || (pTop->m_nTreeFlags & (kNodeDeleting | kNodeLinking)) != 0;
}

template <class TList>
_Node* SECTreeBaseT<TList>::NodeOf(SECTreeNode* pNode)
{
    return static_cast<_Node*>(pNode);
}

template <class TList>
_Node* SECTreeBaseT<TList>::ParentOf(const _Node* pNode)
{
    return NodeOf(pNode->GetRawParent());
}

template <class TList>
_Node* SECTreeBaseT<TList>::FirstChildOf(const _Node* pNode)
{
    return NodeOf(pNode->GetRawFirstChild());
}

template <class TList>
_Node* SECTreeBaseT<TList>::NextSiblingOf(const _Node* pNode)
{
    return NodeOf(pNode->GetRawNextSibling());
}

template <class TList>
_Node* SECTreeBaseT<TList>::PrevSiblingOf(const _Node* pNode)
{
    return NodeOf(pNode->GetRawPrevSibling());
}

template <class TList>
_Node* SECTreeBaseT<TList>::LastChildOf(_Node* pNode)
{
    _Node* pHint = NodeOf(pNode->m_pLastChild);
    if (pHint != nullptr && pHint->GetRawParent() == pNode && pHint->GetRawNextSibling() == nullptr)
        return pHint;
    _Node* pLast = FirstChildOf(pNode);
    if (pLast != nullptr) {
        while (NextSiblingOf(pLast) != nullptr)
            pLast = NextSiblingOf(pLast);
    }
    pNode->m_pLastChild = pLast;
    return pLast;
}

template <class TList>
BOOL SECTreeBaseT<TList>::IsDescendantOf(const _Node* pNode, const _Node* pAncestor)
{
    if (pNode == nullptr || pAncestor == nullptr)
        return FALSE;
    for (const SECTreeNode* p = pNode->GetRawParent(); p != nullptr; p = p->GetRawParent()) {
        if (p == pAncestor)
            return TRUE;
    }
    return FALSE;
}

template <class TList>
_Node* SECTreeBaseT<TList>::NextInSubtree(const _Node* p, const _Node* pTop, BOOL bEnterChildren)
{
    if (bEnterChildren) {
        if (_Node* pChild = FirstChildOf(p))
            return pChild;
    }
    while (p != nullptr && p != pTop && NextSiblingOf(p) == nullptr)
        p = ParentOf(p);
    return p != nullptr && p != pTop ? NextSiblingOf(p) : nullptr;
}

template <class TList>
BOOL SECTreeBaseT<TList>::IsShown(const _Node* pNode) const
{
    if (pNode == nullptr || pNode == m_pRoot || SECTreeDetail::IsOwnHidden(pNode))
        return FALSE;
    for (const _Node* p = ParentOf(pNode);; p = ParentOf(p)) {
        if (p == nullptr)
            return FALSE; // not linked below the root
        if (!p->IsExpanded() || SECTreeDetail::IsOwnHidden(p) || (p->m_nTreeFlags & kNodeDying))
            return FALSE;
        if (p == m_pRoot)
            return TRUE;
    }
}

// ---------------------------------------------------------------------------
// Navigation

template <class TList>
_Node* SECTreeBaseT<TList>::GetRootNode() const
{
    return m_pRoot;
}

template <class TList>
HTREEITEM SECTreeBaseT<TList>::GetRootItem() const
{
    return GetChildItem(TVI_ROOT);
}

template <class TList>
HTREEITEM SECTreeBaseT<TList>::GetChildItem(HTREEITEM hItem) const
{
    return reinterpret_cast<HTREEITEM>(Resolve(hItem)->GetFirstChild());
}

template <class TList>
HTREEITEM SECTreeBaseT<TList>::GetNextSiblingItem(HTREEITEM hItem) const
{
    return reinterpret_cast<HTREEITEM>(Resolve(hItem)->GetNextSibling());
}

template <class TList>
HTREEITEM SECTreeBaseT<TList>::GetPrevSiblingItem(HTREEITEM hItem) const
{
    return reinterpret_cast<HTREEITEM>(Resolve(hItem)->GetPrevSibling());
}

template <class TList>
HTREEITEM SECTreeBaseT<TList>::GetParentItem(HTREEITEM hItem) const
{
    SECTreeNode* pParent = Resolve(hItem)->GetParent();
    return pParent == m_pRoot ? nullptr : reinterpret_cast<HTREEITEM>(pParent);
}

template <class TList>
HTREEITEM SECTreeBaseT<TList>::GetTopLevelItem(HTREEITEM hItem) const
{
    SECTreeNode* pNode = Resolve(hItem);
    if (pNode == m_pRoot)
        return reinterpret_cast<HTREEITEM>(pNode->GetFirstChild());
    for (SECTreeNode* pParent = pNode->GetParent(); pParent != nullptr && pParent != m_pRoot;
         pParent = pNode->GetParent())
        pNode = pParent;
    return reinterpret_cast<HTREEITEM>(pNode);
}

template <class TList>
HTREEITEM SECTreeBaseT<TList>::GetCaretItem() const
{
    return reinterpret_cast<HTREEITEM>(NodeAtRow(this->GetFocusItem()));
}

template <class TList>
HTREEITEM SECTreeBaseT<TList>::GetDropTargetItem() const
{
    return reinterpret_cast<HTREEITEM>(NodeAtRow(this->GetDropHilightItem()));
}

template <class TList>
HTREEITEM SECTreeBaseT<TList>::GetFirstSelectedItem() const
{
    const SECListSelection& selection = this->GetSelection();
    return selection.GetCount() > 0 ? reinterpret_cast<HTREEITEM>(NodeAtRow(selection.GetAt(0))) : nullptr;
}

template <class TList>
HTREEITEM SECTreeBaseT<TList>::GetPrevVisibleItem(HTREEITEM hItem) const
{
    const _Node* pNode = Resolve(hItem);
    if (pNode == m_pRoot)
        return nullptr;
    const int row = RowOf(hItem);
    if (row >= 0)
        return row > 0 ? reinterpret_cast<HTREEITEM>(NodeAtRow(row - 1)) : nullptr;
    return reinterpret_cast<HTREEITEM>(PrevShownNode(pNode));
}

template <class TList>
HTREEITEM SECTreeBaseT<TList>::GetNextVisibleItem(HTREEITEM hItem) const
{
    const _Node* pNode = Resolve(hItem);
    const int row = pNode == m_pRoot ? -1 : RowOf(hItem);
    if (pNode != m_pRoot && row < 0)
        return nullptr;
    return reinterpret_cast<HTREEITEM>(NodeAtRow(row + 1));
}

template <class TList>
BOOL SECTreeBaseT<TList>::ItemHasChildren(HTREEITEM hItem) const
{
    return Resolve(hItem)->GetFirstChild() != nullptr;
}

template <class TList>
BOOL SECTreeBaseT<TList>::IsItemHidden(HTREEITEM hItem) const
{
    for (const _Node* p = Resolve(hItem); p != nullptr; p = ParentOf(p)) {
        if (SECTreeDetail::IsOwnHidden(p))
            return TRUE;
    }
    return FALSE;
}

template <class TList>
BOOL SECTreeBaseT<TList>::IsItemVisible(HTREEITEM hItem) const
{
    return IsShown(Resolve(hItem));
}

template <class TList>
BOOL SECTreeBaseT<TList>::IsItemExpanded(HTREEITEM hItem) const
{
    return Resolve(hItem)->IsExpanded();
}

// The shown node before pNode in pre-order. A shown node's predecessor is the
// last shown descendant of its previous shown sibling, or its parent; a node
// that is not shown stands behind the topmost node of its path that is not:
// behind that node's predecessor when it is hidden, behind its parent when the
// parent is collapsed. Costs the depth and the hidden siblings passed, never
// the size of a collapsed subtree.
template <class TList>
_Node* SECTreeBaseT<TList>::PrevShownNode(const _Node* pNode) const
{
    const _Node* pFrom = pNode;
    const _Node* pCollapsed = nullptr;
    for (const _Node* p = pNode; p != m_pRoot;) {
        const _Node* pParent = ParentOf(p);
        if (pParent == nullptr)
            return nullptr; // not linked below the root
        if (pParent != m_pRoot && (!pParent->IsExpanded() || (pParent->m_nTreeFlags & kNodeDying))) {
            pCollapsed = pParent;
            pFrom = pParent;
        } else if (SECTreeDetail::IsOwnHidden(p)) {
            pCollapsed = nullptr;
            pFrom = p;
        }
        p = pParent;
    }
    if (pCollapsed != nullptr)
        return const_cast<_Node*>(pCollapsed);
    const _Node* pPrev = PrevSiblingOf(pFrom);
    while (pPrev != nullptr && SECTreeDetail::IsOwnHidden(pPrev))
        pPrev = PrevSiblingOf(pPrev);
    if (pPrev == nullptr) {
        _Node* pParent = ParentOf(pFrom);
        return pParent == m_pRoot ? nullptr : pParent;
    }
    _Node* pLast = const_cast<_Node*>(pPrev);
    while (pLast->IsExpanded() && !(pLast->m_nTreeFlags & kNodeDying)) {
        _Node* pChild = LastChildOf(pLast);
        while (pChild != nullptr && SECTreeDetail::IsOwnHidden(pChild))
            pChild = PrevSiblingOf(pChild);
        if (pChild == nullptr)
            break;
        pLast = pChild;
    }
    return pLast;
}

// ---------------------------------------------------------------------------
// Row mapping

template <class TList>
_Node* SECTreeBaseT<TList>::NodeAtRow(int nRow) const
{
    const SECListItem* pRecord = this->GetItemAt(nRow);
    if (pRecord == nullptr)
        return nullptr;
    return pRecord->m_lParam != 0 ? reinterpret_cast<_Node*>(pRecord->m_lParam) : m_pRoot;
}

template <class TList>
HTREEITEM SECTreeBaseT<TList>::NodeFromRow(int nRow) const
{
    return reinterpret_cast<HTREEITEM>(NodeAtRow(nRow));
}

template <class TList>
int SECTreeBaseT<TList>::RowOf(HTREEITEM hItem) const
{
    const _Node* pNode = Resolve(hItem);
    if (pNode == m_pRoot || pNode->m_pRowRecord == nullptr)
        return -1;
    const SECListItem* pRecord = static_cast<const SECListItem*>(pNode->m_pRowRecord);
    const int count = this->GetItemCount();
    if (this->GetItemAt(m_nRowCache) == pRecord)
        return m_nRowCache;
    ++m_nRowCache;
    if (this->GetItemAt(m_nRowCache) == pRecord)
        return m_nRowCache;
    // The scan starts after the cache, where a walk down the rows goes on.
    const int start = std::max(0, std::min(m_nRowCache, count));
    for (int i = start; i < count; ++i) {
        if (this->m_items.GetAt(i) == pRecord)
            return m_nRowCache = i;
    }
    for (int i = 0; i < start; ++i) {
        if (this->m_items.GetAt(i) == pRecord)
            return m_nRowCache = i;
    }
    return -1;
}

template <class TList>
SECListItem* SECTreeBaseT<TList>::NewRowRecord(_Node* pNode)
{
    SECListItem* pRecord = this->NewItemRecord();
    pRecord->m_lParam = reinterpret_cast<LPARAM>(pNode);
    pRecord->m_cy = pNode->m_nMinRowHeight;
    pRecord->m_nImage = pNode->m_item.iImage;
    // Selection and drop highlight live in the list, the rest in the record.
    pRecord->m_state = RowStateFromNode(pNode->m_item.state) & ~static_cast<UINT>(LVIS_SELECTED | LVIS_DROPHILITED);
    pNode->m_pRowRecord = pRecord;
    return pRecord;
}

template <class TList>
UINT SECTreeBaseT<TList>::RowStateFromNode(UINT nNodeState)
{
    // The row carries "some overlay" as all overlay bits; the index stays in the node.
    const UINT overlay = (nNodeState & LVIS_OVERLAYMASK) != 0 ? LVIS_OVERLAYMASK : 0u;
    return (nNodeState & (SECTreeDetail::kMirroredState & ~static_cast<UINT>(LVIS_OVERLAYMASK))) | overlay;
}

template <class TList>
void SECTreeBaseT<TList>::MirrorStateToRow(_Node* pNode, int nRow)
{
    const UINT listBits = pNode->m_item.state & (TVIS_SELECTED | TVIS_DROPHILITED);
    if (listBits == 0 || nRow < 0)
        return;
    LVITEMW item{};
    item.mask = LVIF_STATE;
    item.iItem = nRow;
    item.state = listBits;
    item.stateMask = listBits;
    TList::SetItem(&item, FALSE);
}

template <class TList>
void SECTreeBaseT<TList>::CollectShownDescendants(_Node* pTop, std::vector<_Node*>& nodes) const
{
    if (!pTop->IsExpanded() || (pTop->m_nTreeFlags & kNodeDying) || SECTreeDetail::IsOwnHidden(pTop))
        return;
    for (_Node* p = FirstChildOf(pTop); p != nullptr;) {
        // A hidden node takes its subtree along.
        BOOL bEnter = FALSE;
        if (!SECTreeDetail::IsOwnHidden(p)) {
            nodes.push_back(p);
            bEnter = p->IsExpanded() && !(p->m_nTreeFlags & kNodeDying);
        }
        p = NextInSubtree(p, pTop, bEnter);
    }
}

template <class TList>
void SECTreeBaseT<TList>::InsertDescendantRows(_Node* pNode, int nRow)
{
    std::vector<_Node*> nodes;
    CollectShownDescendants(pNode, nodes);
    if (nodes.empty())
        return;
    const int count = static_cast<int>(nodes.size());
    std::vector<SECListItem*> records(nodes.size());
    for (int i = 0; i < count; ++i)
        records[static_cast<size_t>(i)] = NewRowRecord(nodes[static_cast<size_t>(i)]);
    const int at = nRow + 1;
    int done = 0;
    if (m_dwTreeStyleEx & SEC_TVSX_PROGRESSIVE) {
        // The first rows appear one by one, so that something shows at once.
        for (; done < count && m_nProgressiveCount < m_nProgressiveStep; ++done) {
            this->InsertItemRecord(at + done, records[static_cast<size_t>(done)]);
            ++m_nProgressiveCount;
            this->InvalidateItem(at + done, FALSE, TRUE, TRUE, TRUE);
        }
    }
    if (done < count)
        this->InsertItemRecords(at + done, records.data() + done, count - done);
    m_nProgressiveCount += count - done;
    m_nRowCache = nRow;
    for (int i = 0; i < count; ++i)
        MirrorStateToRow(nodes[static_cast<size_t>(i)], at + i);
}

template <class TList>
int SECTreeBaseT<TList>::CountDescendantRows(const _Node* pNode, int nRow) const
{
    const int count = this->GetItemCount();
    int n = 0;
    while (nRow + 1 + n < count && IsDescendantOf(NodeAtRow(nRow + 1 + n), pNode))
        ++n;
    return n;
}

template <class TList>
void SECTreeBaseT<TList>::DeselectRows(int nFirst, int nCount)
{
    const SECListSelection& selection = this->GetSelection();
    for (INT_PTR pos = selection.GetCount() - 1; pos >= 0; --pos) {
        if (pos >= selection.GetCount())
            continue; // an owner hook shrank the set
        const int row = selection.GetAt(pos);
        if (row < nFirst)
            break;
        if (row < nFirst + nCount)
            this->SetItemState(row, 0, LVIS_SELECTED);
    }
}

template <class TList>
void SECTreeBaseT<TList>::RemoveDescendantRows(_Node* pNode, int nRow, BOOL bWithNode)
{
    const int n = CountDescendantRows(pNode, nRow) + (bWithNode ? 1 : 0);
    const int first = bWithNode ? nRow : nRow + 1;
    if (n == 0)
        return;
    DeselectRows(first, n);
    this->DeleteItem(first, n);
}

template <class TList>
void SECTreeBaseT<TList>::ShowNodeRows(_Node* pNode)
{
    if (m_nDeferRows > 0 || pNode->m_pRowRecord != nullptr || !IsShown(pNode))
        return;
    const _Node* pPrev = PrevShownNode(pNode);
    const int row = pPrev != nullptr ? RowOf(reinterpret_cast<HTREEITEM>(const_cast<_Node*>(pPrev))) + 1 : 0;
    this->InsertItemRecord(row, NewRowRecord(pNode));
    m_nRowCache = row;
    MirrorStateToRow(pNode, row);
    InsertDescendantRows(pNode, row);
}

template <class TList>
BOOL SECTreeBaseT<TList>::SyncRows()
{
    std::vector<_Node*> nodes;
    CollectShownDescendants(m_pRoot, nodes);
    for (_Node* pNode : nodes)
        pNode->m_nTreeFlags |= kNodeSeen;
    // Rows of nodes that are not shown (or not theirs) lose their selection
    // first, then go with the replacement below.
    const int count = this->GetItemCount();
    BOOL bSame = static_cast<int>(nodes.size()) == count;
    for (int row = 0; row < count; ++row) {
        SECListItem* pRecord = this->GetItemAt(row);
        _Node* pNode = reinterpret_cast<_Node*>(pRecord->m_lParam);
        const BOOL bKeep = pNode != nullptr && (pNode->m_nTreeFlags & kNodeSeen) && pNode->m_pRowRecord == pRecord;
        bSame = bSame && bKeep && pNode == nodes[static_cast<size_t>(row)];
        if (bKeep)
            continue;
        if (this->GetSelection().Contains(row))
            this->SetItemState(row, 0, LVIS_SELECTED);
        if (pNode != nullptr && pNode->m_pRowRecord == pRecord)
            pNode->m_pRowRecord = nullptr;
        pRecord->m_lParam = 0;
    }
    for (_Node* pNode : nodes)
        pNode->m_nTreeFlags &= ~static_cast<UINT>(kNodeSeen);
    if (bSame)
        return TRUE;
    std::vector<SECListItem*> records(nodes.size());
    std::vector<_Node*> created;
    for (size_t i = 0; i < nodes.size(); ++i) {
        _Node* pNode = nodes[i];
        if (pNode->m_pRowRecord == nullptr) {
            NewRowRecord(pNode);
            created.push_back(pNode);
        }
        records[i] = static_cast<SECListItem*>(pNode->m_pRowRecord);
    }
    if (!this->ReplaceItemRecords(0, this->GetItemCount(), records.data(), static_cast<int>(records.size()))) {
        for (_Node* pNode : created) {
            delete static_cast<SECListItem*>(pNode->m_pRowRecord);
            pNode->m_pRowRecord = nullptr;
        }
        return FALSE;
    }
    for (_Node* pNode : created) {
        if (pNode->m_item.state & (TVIS_SELECTED | TVIS_DROPHILITED))
            MirrorStateToRow(pNode, RowOf(reinterpret_cast<HTREEITEM>(pNode)));
    }
    return TRUE;
}

template <class TList>
BOOL SECTreeBaseT<TList>::ClearAllRows()
{
    m_nRowCache = 0;
    return TList::DeleteAllItems();
}

// A node's back link to its row goes with the record, however the list frees it.
template <class TList>
void SECTreeBaseT<TList>::DeleteItemRecord(SECListItem* pItem)
{
    _Node* pNode = pItem != nullptr ? reinterpret_cast<_Node*>(pItem->m_lParam) : nullptr;
    if (pNode != nullptr && pNode->m_pRowRecord == pItem)
        pNode->m_pRowRecord = nullptr;
    TList::DeleteItemRecord(pItem);
}

template <class TList>
void SECTreeBaseT<TList>::ResetRowMetrics(int nRow)
{
    this->MarkRowForMeasuring(this->GetItemAt(nRow), TRUE);
}

template <class TList>
void SECTreeBaseT<TList>::RefreshAfterChange()
{
    if (!this->GetAutoUpdate())
        return;
    this->UpdateScrollBars();
    if (this->IsAlive())
        this->Invalidate();
}

template <class TList>
BOOL SECTreeBaseT<TList>::RedrawItem(HTREEITEM hItem, BOOL bLabelOnly, BOOL bErase, BOOL bToBottom, BOOL bNow)
{
    const int row = RowOf(hItem);
    if (row < 0)
        return FALSE;
    this->InvalidateItem(row, bLabelOnly, bErase, bToBottom, bNow);
    return TRUE;
}

// ---------------------------------------------------------------------------
// The list's row operations, kept in step with the nodes' row records

template <class TList>
BOOL SECTreeBaseT<TList>::DeleteItem(int nItem, int nCount)
{
    if (this->GetItemAt(nItem) == nullptr || nCount < 1)
        return TList::DeleteItem(nItem, nCount);
    nCount = std::min(nCount, this->GetItemCount() - nItem);
    const int edit = this->GetEditItem();
    if (edit >= nItem && edit - nItem < nCount) {
        // An edit of a row that goes ends first. Its owner hears of that and
        // may change the rows; the rows asked for still go, wherever they are
        // now, since their nodes are going too.
        std::vector<SECListItem*> records;
        for (int row = nItem; row < nItem + nCount; ++row)
            records.push_back(this->GetItemAt(row));
        std::sort(records.begin(), records.end());
        this->EndLabelEdit(FALSE);
        auto listed = [&](int row) {
            return std::binary_search(records.begin(), records.end(), this->GetItemAt(row));
        };
        BOOL bDeleted = FALSE;
        for (int row = this->GetItemCount() - 1; row >= 0; --row) {
            if (!listed(row))
                continue;
            int first = row;
            while (first > 0 && listed(first - 1))
                --first;
            bDeleted |= TList::DeleteItem(first, row - first + 1);
            row = std::min(first, this->GetItemCount());
        }
        return bDeleted;
    }
    return TList::DeleteItem(nItem, nCount);
}

template <class TList>
void SECTreeBaseT<TList>::NotifyDeleteItem(int /*nItem*/)
{
    // Owners hear of deleted items through TVN_DELETEITEMW, one per item.
}

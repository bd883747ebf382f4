// Nodes and rows of the tree: handles, links, visibility, the row mapping and
// the rows of shown subtrees. Part of SECTreeBaseT; compiled in SECTreeBaseC.cpp.

namespace SECTreeDetail {
// State bits the node and its row both carry: selected, cut, drop-highlighted,
// overlay and state image.
const UINT kMirroredState = LVIS_SELECTED | LVIS_CUT | LVIS_DROPHILITED | LVIS_OVERLAYMASK | LVIS_STATEIMAGEMASK;

inline BOOL IsOwnHidden(const _Node* pNode)
{
    return (pNode->m_nAttributes & _Node::attrHidden) != 0;
}

// Debug builds say where a handle that names no item came in; the call still
// answers as it does in release builds.
inline void TraceBadHandle(HTREEITEM hItem)
{
#if defined(NDEBUG)
    (void)hItem;
#else
    char text[96];
    wsprintfA(text, "tree control: %p is no item of this control\n", static_cast<void*>(hItem));
    ::OutputDebugStringA(text);
#endif
}
} // namespace SECTreeDetail

// ---------------------------------------------------------------------------
// Handles and links

template <class TList>
_Node* SECTreeBaseT<TList>::Resolve(HTREEITEM hItem) const
{
    if (hItem == nullptr || hItem == TVI_ROOT)
        return m_pRoot;
    // Painting or measuring a row resolves its handle several times in a row
    // (item, attributes, text): the handle found last still names a live node
    // while no node was freed since.
    if (hItem == m_hLastResolved && m_nLastResolvedFreed == m_nFreed)
        return reinterpret_cast<_Node*>(hItem);
    if (m_handles.Contains(hItem)) {
        m_hLastResolved = hItem;
        m_nLastResolvedFreed = m_nFreed;
        return reinterpret_cast<_Node*>(hItem);
    }
    SECTreeDetail::TraceBadHandle(hItem);
    return nullptr;
}

template <class TList>
void SECTreeBaseT<TList>::NoteLive(_Node* pNode) const
{
    m_hLastResolved = reinterpret_cast<HTREEITEM>(pNode);
    m_nLastResolvedFreed = m_nFreed;
}

template <class TList>
_Node* SECTreeBaseT<TList>::NewNode()
{
    _Node* pNode = CreateNode();
    if (pNode == nullptr)
        return nullptr;
    if (!m_handles.Add(pNode)) {
        delete pNode;
        return nullptr;
    }
    pNode->m_nSerial = ++m_nLastSerial;
    return pNode;
}

template <class TList>
SECTreeNodeRef SECTreeBaseT<TList>::RefOf(_Node* pNode) const
{
    SECTreeNodeRef ref;
    ref.pNode = pNode;
    ref.nSerial = pNode != nullptr ? pNode->m_nSerial : 0;
    ref.nFreed = m_nFreed;
    return ref;
}

template <class TList>
BOOL SECTreeBaseT<TList>::IsLive(const SECTreeNodeRef& ref) const
{
    // Walks that call out after every node check their places this often:
    // when no node was freed since the reference was taken, the node lives
    // without a look into the handle table (a cache miss per look in a large
    // tree). Only exactly 2^32 frees in between could fool the count.
    if (ref.pNode == nullptr)
        return FALSE;
    if (ref.nFreed == m_nFreed)
        return TRUE;
    return m_handles.Contains(ref.pNode) && ref.pNode->m_nSerial == ref.nSerial;
}

template <class TList>
BOOL SECTreeBaseT<TList>::CanTakeChildren(const _Node* pNode) const
{
    if (pNode->m_nTreeFlags & (kNodeDeleting | kNodeLinking))
        return FALSE;
    if (m_nDying == 0)
        return TRUE;
    for (const _Node* p = pNode; p != nullptr; p = ParentOf(p)) {
        if (p->m_nTreeFlags & kNodeDying)
            return FALSE;
    }
    return TRUE;
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
_Node* SECTreeBaseT<TList>::LastChildOf(const _Node* pNode)
{
    return NodeOf(pNode->GetRawLastChild());
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
BOOL SECTreeBaseT<TList>::ShowsChildren(const _Node* pNode) const
{
    return pNode->IsExpanded() && !(pNode == m_pRoot && (pNode->m_nTreeFlags & kNodeDying));
}

template <class TList>
void SECTreeBaseT<TList>::SetNodeExpanded(_Node* pNode, BOOL bExpanded)
{
    if (!pNode->IsExpanded() != !bExpanded)
        ++m_nChanges;
    pNode->SetExpanded(bExpanded);
}

template <class TList>
BOOL SECTreeBaseT<TList>::IsShown(const _Node* pNode) const
{
    if (pNode == nullptr || pNode == m_pRoot || SECTreeDetail::IsOwnHidden(pNode))
        return FALSE;
    for (const _Node* p = ParentOf(pNode);; p = ParentOf(p)) {
        if (p == nullptr)
            return FALSE; // not linked below the root
        if (!ShowsChildren(p) || SECTreeDetail::IsOwnHidden(p))
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
    const _Node* pNode = Resolve(hItem);
    return pNode != nullptr ? reinterpret_cast<HTREEITEM>(pNode->GetFirstChild()) : nullptr;
}

template <class TList>
HTREEITEM SECTreeBaseT<TList>::GetNextSiblingItem(HTREEITEM hItem) const
{
    const _Node* pNode = Resolve(hItem);
    return pNode != nullptr ? reinterpret_cast<HTREEITEM>(pNode->GetNextSibling()) : nullptr;
}

template <class TList>
HTREEITEM SECTreeBaseT<TList>::GetPrevSiblingItem(HTREEITEM hItem) const
{
    const _Node* pNode = Resolve(hItem);
    return pNode != nullptr ? reinterpret_cast<HTREEITEM>(pNode->GetPrevSibling()) : nullptr;
}

template <class TList>
HTREEITEM SECTreeBaseT<TList>::GetParentItem(HTREEITEM hItem) const
{
    const _Node* pNode = Resolve(hItem);
    SECTreeNode* pParent = pNode != nullptr ? pNode->GetParent() : nullptr;
    return pParent == m_pRoot ? nullptr : reinterpret_cast<HTREEITEM>(pParent);
}

template <class TList>
HTREEITEM SECTreeBaseT<TList>::GetTopLevelItem(HTREEITEM hItem) const
{
    SECTreeNode* pNode = Resolve(hItem);
    if (pNode == nullptr)
        return nullptr;
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
    if (pNode == nullptr || pNode == m_pRoot)
        return nullptr;
    const int row = RowOfNode(pNode);
    if (row >= 0)
        return row > 0 ? reinterpret_cast<HTREEITEM>(NodeAtRow(row - 1)) : nullptr;
    return reinterpret_cast<HTREEITEM>(PrevShownNode(pNode));
}

template <class TList>
HTREEITEM SECTreeBaseT<TList>::GetNextVisibleItem(HTREEITEM hItem) const
{
    const _Node* pNode = Resolve(hItem);
    if (pNode == nullptr)
        return nullptr;
    const int row = RowOfNode(pNode);
    if (pNode != m_pRoot && row < 0)
        return nullptr;
    return reinterpret_cast<HTREEITEM>(NodeAtRow(row + 1));
}

template <class TList>
BOOL SECTreeBaseT<TList>::ItemHasChildren(HTREEITEM hItem) const
{
    const _Node* pNode = Resolve(hItem);
    return pNode != nullptr && pNode->GetFirstChild() != nullptr;
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
    const _Node* pNode = Resolve(hItem);
    return pNode != nullptr && pNode->IsExpanded();
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
        if (pParent != m_pRoot && !pParent->IsExpanded()) {
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
    while (pLast->IsExpanded()) {
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
    return pNode != nullptr ? RowOfNode(pNode) : -1;
}

template <class TList>
int SECTreeBaseT<TList>::RowOfNode(const _Node* pNode) const
{
    if (pNode == m_pRoot || pNode->m_pRowRecord == nullptr)
        return -1;
    const SECListItem* pRecord = static_cast<const SECListItem*>(pNode->m_pRowRecord);
    const int count = this->GetItemCount();
    if (this->GetItemAt(m_nRowCache) == pRecord)
        return m_nRowCache;
    ++m_nRowCache;
    if (this->GetItemAt(m_nRowCache) == pRecord)
        return m_nRowCache;
    const int indexed = IndexedRowOf(pRecord);
    if (indexed >= 0)
        return m_nRowCache = indexed;
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

// Lookups that keep missing the cache while the rows stay the same (items
// visited in an order of their own) would each scan the rows: after a few
// such scans the rows are indexed once. An index answer counts only where
// the row still holds the record, so a stale index is never believed.
template <class TList>
int SECTreeBaseT<TList>::IndexedRowOf(const SECListItem* pRecord) const
{
    const int kFewRows = 512; // a scan of these costs less than keeping an index
    const int kScansFirst = 4;
    const int count = this->GetItemCount();
    if (count <= kFewRows)
        return -1;
    if (m_nRowIndexChanges != m_nChanges || m_rowIndex.empty()) {
        std::vector<std::pair<const void*, int>>().swap(m_rowIndex); // stale: its memory goes
        if (m_nScanChanges != m_nChanges) {
            m_nScanChanges = m_nChanges;
            m_nScans = 0;
        }
        if (++m_nScans <= kScansFirst)
            return -1;
        m_rowIndex.reserve(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i)
            m_rowIndex.emplace_back(this->m_items.GetAt(i), i);
        std::sort(m_rowIndex.begin(), m_rowIndex.end());
        m_nRowIndexChanges = m_nChanges;
    }
    const auto it =
        std::lower_bound(m_rowIndex.begin(), m_rowIndex.end(), std::make_pair(static_cast<const void*>(pRecord), -1));
    if (it == m_rowIndex.end() || it->first != pRecord)
        return -1;
    return this->GetItemAt(it->second) == pRecord ? it->second : -1;
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
    if (!ShowsChildren(pTop) || SECTreeDetail::IsOwnHidden(pTop))
        return;
    for (_Node* p = FirstChildOf(pTop); p != nullptr;) {
        // A hidden node takes its subtree along.
        BOOL bEnter = FALSE;
        if (!SECTreeDetail::IsOwnHidden(p)) {
            nodes.push_back(p);
            bEnter = p->IsExpanded();
        }
        p = NextInSubtree(p, pTop, bEnter);
    }
}

template <class TList>
void SECTreeBaseT<TList>::InsertDescendantRows(_Node* pNode, int nRow)
{
    RefreshHold hold(*this);
    std::vector<_Node*> nodes;
    CollectShownDescendants(pNode, nodes);
    const int count = static_cast<int>(nodes.size());
    const int at = nRow + 1;
    int done = 0;
    if (m_dwTreeStyleEx & SEC_TVSX_PROGRESSIVE) {
        // The first rows appear one by one, so that something shows at once.
        // Painting asks owners for texts; when one changes the tree meanwhile,
        // the rest of the plan is stale and the rows are repaired as a whole.
        for (; done < count && m_nProgressiveCount < m_nProgressiveStep; ++done) {
            _Node* pChild = nodes[static_cast<size_t>(done)];
            this->InsertItemRecord(at + done, NewRowRecord(pChild));
            MirrorStateToRow(pChild, at + done);
            ++m_nProgressiveCount;
            const UINT mark = m_nChanges;
            this->InvalidateItem(at + done, FALSE, TRUE, TRUE, TRUE);
            if (m_nChanges != mark) {
                SyncRows();
                return;
            }
        }
    }
    if (done < count) {
        std::vector<SECListItem*> records;
        records.reserve(static_cast<size_t>(count - done));
        for (int i = done; i < count; ++i)
            records.push_back(NewRowRecord(nodes[static_cast<size_t>(i)]));
        this->InsertItemRecords(at + done, records.data(), count - done);
        m_nProgressiveCount += count - done;
        for (int i = done; i < count; ++i)
            MirrorStateToRow(nodes[static_cast<size_t>(i)], at + i);
    }
    m_nRowCache = nRow;
}

template <class TList>
int SECTreeBaseT<TList>::CountDescendantRows(const _Node* pNode, int nRow) const
{
    const int count = this->GetItemCount();
    if (nRow < -1 || nRow >= count)
        return 0;
    // The rows below a node are its shown descendants, and the row after them
    // is the next node after its subtree: found by its record among the row
    // pointers, the count reads no row record or node in between (collapsing
    // 10^5 rows read about 20 MB for it). Checked at both ends; where rows
    // and nodes do not agree there (in the middle of a change), each row is
    // looked at.
    const _Node* pAfter = nullptr;
    for (const _Node* p = pNode; p != nullptr && p != m_pRoot && pAfter == nullptr; p = ParentOf(p))
        pAfter = NextSiblingOf(p);
    int end = count;
    if (pAfter != nullptr)
        end = pAfter->m_pRowRecord != nullptr
                  ? this->m_items.Find(static_cast<const SECListItem*>(pAfter->m_pRowRecord), nRow + 1)
                  : -1;
    if (end == nRow + 1)
        return 0;
    if (end > nRow + 1 && IsDescendantOf(NodeAtRow(nRow + 1), pNode) && IsDescendantOf(NodeAtRow(end - 1), pNode))
        return end - nRow - 1;
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
BOOL SECTreeBaseT<TList>::RemoveRows(int nFirst, int nCount)
{
    if (nCount <= 0)
        return TRUE;
    const int edit = this->GetEditItem();
    if (edit >= nFirst && edit < nFirst + nCount) {
        const UINT mark = m_nChanges;
        if (this->EndLabelEdit(FALSE) && m_nChanges != mark)
            return FALSE;
    }
    RefreshHold hold(*this);
    DeselectRows(nFirst, nCount);
    return TList::DeleteItem(nFirst, nCount);
}

template <class TList>
BOOL SECTreeBaseT<TList>::RemoveDescendantRows(_Node* pNode, int nRow, BOOL bWithNode)
{
    const int n = CountDescendantRows(pNode, nRow) + (bWithNode ? 1 : 0);
    return RemoveRows(bWithNode ? nRow : nRow + 1, n);
}

template <class TList>
void SECTreeBaseT<TList>::RemoveNodeRow(_Node* pNode)
{
    if (pNode->m_pRowRecord == nullptr)
        return;
    const int row = RowOfNode(pNode);
    if (row >= 0)
        RemoveRows(row, 1);
    pNode->m_pRowRecord = nullptr;
}

template <class TList>
BOOL SECTreeBaseT<TList>::EndEditBelow(const _Node* pNode, BOOL bWithNode)
{
    const _Node* pEdited = NodeAtRow(this->GetEditItem());
    if (pEdited == nullptr || pEdited == m_pRoot)
        return FALSE;
    if (!(bWithNode && pEdited == pNode) && !IsDescendantOf(pEdited, pNode))
        return FALSE;
    return this->EndLabelEdit(FALSE);
}

template <class TList>
void SECTreeBaseT<TList>::ShowNodeRows(_Node* pNode)
{
    if (m_nDeferRows > 0 || pNode->m_pRowRecord != nullptr || !IsShown(pNode))
        return;
    RefreshHold hold(*this);
    const _Node* pPrev = PrevShownNode(pNode);
    const int row = pPrev != nullptr ? RowOfNode(pPrev) + 1 : 0;
    this->InsertItemRecord(row, NewRowRecord(pNode));
    m_nRowCache = row;
    MirrorStateToRow(pNode, row);
    InsertDescendantRows(pNode, row);
}

// Rows for the shown nodes in pre-order, each keeping its record where it has
// one. An edit of a row that goes ends first, while the rows are as they
// were; its owner may change the tree when told, so the plan is made again.
template <class TList>
BOOL SECTreeBaseT<TList>::SyncRows()
{
    RefreshHold hold(*this);
    const int kMaxPlans = 8;
    for (int plan = 0; plan < kMaxPlans; ++plan) {
        std::vector<_Node*> nodes;
        CollectShownDescendants(m_pRoot, nodes);
        for (_Node* pNode : nodes)
            pNode->m_nTreeFlags |= kNodeSeen;
        auto kept = [this](int row) {
            SECListItem* pRecord = this->GetItemAt(row);
            _Node* pNode = reinterpret_cast<_Node*>(pRecord->m_lParam);
            return pNode != nullptr && (pNode->m_nTreeFlags & kNodeSeen) && pNode->m_pRowRecord == pRecord;
        };
        const int edit = this->GetEditItem();
        if (edit >= 0 && edit < this->GetItemCount() && !kept(edit)) {
            for (_Node* pNode : nodes)
                pNode->m_nTreeFlags &= ~static_cast<UINT>(kNodeSeen);
            if (this->EndLabelEdit(FALSE))
                continue;
            for (_Node* pNode : nodes) // an end already under way: the row goes all the same
                pNode->m_nTreeFlags |= kNodeSeen;
        }
        // Rows of nodes that are not shown (or not theirs) lose their selection
        // first, then go with the replacement below.
        const int count = this->GetItemCount();
        BOOL bSame = static_cast<int>(nodes.size()) == count;
        for (int row = 0; row < count; ++row) {
            const BOOL bKeep = kept(row);
            SECListItem* pRecord = this->GetItemAt(row);
            _Node* pNode = reinterpret_cast<_Node*>(pRecord->m_lParam);
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
        m_nRowCache = 0;
        for (_Node* pNode : created) {
            if (pNode->m_item.state & (TVIS_SELECTED | TVIS_DROPHILITED))
                MirrorStateToRow(pNode, RowOfNode(pNode));
        }
        return TRUE;
    }
    return FALSE;
}

template <class TList>
BOOL SECTreeBaseT<TList>::ClearAllRows()
{
    m_nRowCache = 0;
    return TList::DeleteAllItems();
}

// The tree's plans count on the rows they saw: every change of them counts.
template <class TList>
int SECTreeBaseT<TList>::InsertItemRecord(int nItem, SECListItem* pItem)
{
    ++m_nChanges;
    return TList::InsertItemRecord(nItem, pItem);
}

template <class TList>
BOOL SECTreeBaseT<TList>::ReplaceItemRecords(int nItem, int nOldCount, SECListItem* const* ppItems, int nNewCount)
{
    ++m_nChanges;
    return TList::ReplaceItemRecords(nItem, nOldCount, ppItems, nNewCount);
}

// A node's back link to its row goes with the record, however the list frees
// it. The record of a row whose edit is ending stays allocated until the end
// is over, so that a row made meanwhile cannot take its address and be taken
// for the edited one.
template <class TList>
void SECTreeBaseT<TList>::DeleteItemRecord(SECListItem* pItem)
{
    ++m_nChanges;
    _Node* pNode = pItem != nullptr ? reinterpret_cast<_Node*>(pItem->m_lParam) : nullptr;
    if (pNode != nullptr && pNode->m_pRowRecord == pItem)
        pNode->m_pRowRecord = nullptr;
    if (pItem != nullptr && pItem == m_pEndingEditRow && m_pParkedRow == nullptr) {
        pItem->m_lParam = 0;
        m_pParkedRow = pItem;
        return;
    }
    TList::DeleteItemRecord(pItem);
}

template <class TList>
void SECTreeBaseT<TList>::ResetRowMetrics(int nRow)
{
    this->MarkRowForMeasuring(this->GetItemAt(nRow), TRUE);
}

template <class TList>
void SECTreeBaseT<TList>::ReleaseRefresh()
{
    if (--m_nHoldRefresh > 0)
        return;
    if (m_bScrollBarsDue)
        UpdateScrollBars();
    // A window that does not show (redrawing turned off, say) drops any
    // invalidation, which costs a trip to the window server all the same.
    if (m_bRepaintDue && this->IsAlive() && ::IsWindowVisible(m_hWnd))
        this->Invalidate();
    m_bRepaintDue = FALSE;
}

template <class TList>
void SECTreeBaseT<TList>::UpdateScrollBars()
{
    if (m_nHoldRefresh > 0) {
        m_bScrollBarsDue = TRUE;
        return;
    }
    m_bScrollBarsDue = FALSE;
    TList::UpdateScrollBars();
}

template <class TList>
void SECTreeBaseT<TList>::InvalidateItem(int nItem, BOOL bLabelOnly, BOOL bErase, BOOL bToBottom, BOOL bNow)
{
    if (m_nHoldRefresh > 0 && !bNow) {
        m_bRepaintDue = TRUE;
        return;
    }
    TList::InvalidateItem(nItem, bLabelOnly, bErase, bToBottom, bNow);
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

template <class TList>
void SECTreeBaseT<TList>::NotifyDeleteItem(int /*nItem*/)
{
    // Owners hear of deleted items through TVN_DELETEITEMW, one per item.
}

// Sorting an item's children by label or by an owner's comparison: the
// children are relinked in their new order, and when they show, their
// existing rows are laid out again in one pass (no row is made or freed).
// The selected items and the caret are then selected again through
// AddToSelection and SelectItem, so that the owner hears of the selection
// as it is after the sort and may refuse it. Part of SECTreeBaseT; compiled
// in SECTreeBaseC.cpp.

namespace SECTreeDetail {
// Shows the wait cursor while it lives.
class WaitCursor
{
public:
    WaitCursor() : m_hOld(::SetCursor(::LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)))) {} // IDC_WAIT
    ~WaitCursor() { ::SetCursor(m_hOld); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR m_hOld; // cursor shown before
};
} // namespace SECTreeDetail

template <class TList>
BOOL SECTreeBaseT<TList>::SortChildren(HTREEITEM hItem, BOOL bRecursive)
{
    _Node* pParent = Resolve(hItem);
    if (pParent == nullptr)
        return FALSE;
    return SortChildrenBy(pParent, bRecursive, [this](_Node* pFirst, _Node* pSecond) {
        return CompareItems(pFirst, pSecond);
    });
}

template <class TList>
BOOL SECTreeBaseT<TList>::SortChildrenCB(LPTVSORTCB pSort, BOOL bRecursive, BOOL /*bReserved*/)
{
    if (pSort == nullptr || pSort->lpfnCompare == nullptr)
        return FALSE;
    _Node* pParent = Resolve(pSort->hParent);
    if (pParent == nullptr)
        return FALSE;
    const PFNTVCOMPARE pfnCompare = pSort->lpfnCompare;
    const LPARAM lParamSort = pSort->lParam;
    return SortChildrenBy(pParent, bRecursive, [pfnCompare, lParamSort](_Node* pFirst, _Node* pSecond) {
        return pfnCompare(pFirst->m_item.lParam, pSecond->m_item.lParam, lParamSort);
    });
}

// A comparison that changes the tree (deletes or inserts items, sorts again,
// destroys the window) ends the sort: what was relinked so far stays, the
// rows are repaired as a whole, and the answer is FALSE.
template <class TList>
BOOL SECTreeBaseT<TList>::SortChildrenBy(_Node* pParent, BOOL bRecursive,
                                        const std::function<int(_Node*, _Node*)>& compare)
{
    if (m_bSorting)
        return FALSE; // asked from inside a comparison
    SECTreeDetail::WaitCursor wait;
    const BOOL bHadWindow = m_hWnd != nullptr;
    const SECTreeNodeRef parent = RefOf(pParent);
    // An edit belongs to its row's place; it ends before the rows move.
    this->EndLabelEdit(TRUE);
    if ((bHadWindow && !this->IsAlive()) || !IsLive(parent))
        return FALSE;
    // The selected items (in the order of their rows) and the caret.
    std::vector<SECTreeNodeRef> selected;
    const SECListSelection& selection = this->GetSelection();
    selected.reserve(static_cast<size_t>(selection.GetCount()));
    for (INT_PTR pos = 0; pos < selection.GetCount(); ++pos) {
        _Node* pNode = NodeAtRow(selection.GetAt(pos));
        if (pNode != nullptr && pNode != m_pRoot)
            selected.push_back(RefOf(pNode));
    }
    _Node* pCaret = NodeAtRow(this->GetFocusItem());
    const SECTreeNodeRef caret = pCaret != m_pRoot ? RefOf(pCaret) : SECTreeNodeRef{};
    BOOL bIntact = TRUE;
    BOOL bMoved = FALSE;
    m_bSorting = TRUE;
    std::vector<_Node*> pending{pParent};
    std::vector<_Node*> children;
    while (!pending.empty() && bIntact) {
        _Node* pNode = pending.back();
        pending.pop_back();
        children.clear();
        for (_Node* p = FirstChildOf(pNode); p != nullptr; p = NextSiblingOf(p))
            children.push_back(p);
        if (children.size() > 1) {
            const UINT mark = m_nChanges;
            SECTreeSort::MergeSort(children, [&](_Node* pFirst, _Node* pSecond) {
                if (!bIntact)
                    return false;
                const int result = compare(pFirst, pSecond);
                if (m_nChanges != mark)
                    bIntact = FALSE;
                return bIntact && result < 0;
            });
            if (!bIntact)
                break;
            bMoved = RelinkChildren(pNode, children) || bMoved;
        }
        // Depth first, in the new order.
        if (bRecursive) {
            for (auto it = children.rbegin(); it != children.rend(); ++it) {
                if (FirstChildOf(*it) != nullptr)
                    pending.push_back(*it);
            }
        }
    }
    m_bSorting = FALSE;
    if (bHadWindow && !this->IsAlive())
        return FALSE;
    if (!bIntact) {
        SyncRows();
        if (this->IsAlive()) {
            this->UpdateScrollBars();
            this->Invalidate();
        }
        Reselect(selected, caret);
        return FALSE;
    }
    if (bMoved && IsLive(parent))
        RelayDescendantRows(pParent);
    Reselect(selected, caret);
    return TRUE;
}

// The selection is cleared and each item selected again in turn, then the
// caret; items an owner deleted meanwhile are passed over, and a window an
// owner destroyed ends it.
template <class TList>
void SECTreeBaseT<TList>::Reselect(const std::vector<SECTreeNodeRef>& selected, const SECTreeNodeRef& caret)
{
    const BOOL bHadWindow = m_hWnd != nullptr;
    auto gone = [&]() { return bHadWindow && !this->IsAlive(); };
    if (gone())
        return;
    this->DeselectAllItems(-1);
    for (const SECTreeNodeRef& node : selected) {
        if (gone())
            return;
        if (IsLive(node))
            AddToSelection(reinterpret_cast<HTREEITEM>(node.pNode));
    }
    if (!gone() && caret.pNode != nullptr && IsLive(caret))
        SelectItem(reinterpret_cast<HTREEITEM>(caret.pNode), TVGN_CARET);
}

// Links the children again in the order given (all of pParent's children,
// each once); FALSE when it was their order already.
template <class TList>
BOOL SECTreeBaseT<TList>::RelinkChildren(_Node* pParent, const std::vector<_Node*>& children)
{
    BOOL bSame = TRUE;
    _Node* p = FirstChildOf(pParent);
    for (size_t i = 0; i < children.size() && bSame; ++i, p = p != nullptr ? NextSiblingOf(p) : nullptr)
        bSame = p == children[i];
    if (bSame)
        return FALSE;
    for (_Node* pChild : children)
        UnlinkNode(pChild);
    for (_Node* pChild : children)
        LinkNode(pParent, pChild, SECTreeNode::addLast);
    m_pLastInserted = nullptr;
    return TRUE;
}

// The rows below a shown, expanded node take their nodes' new pre-order: the
// existing row records are put in that order in one replacement.
template <class TList>
void SECTreeBaseT<TList>::RelayDescendantRows(_Node* pParent)
{
    const int parentRow = pParent == m_pRoot ? -1 : RowOfNode(pParent);
    if (pParent != m_pRoot && parentRow < 0)
        return; // collapsed above, or hidden: no rows to move
    if (!ShowsChildren(pParent))
        return;
    std::vector<_Node*> nodes;
    CollectShownDescendants(pParent, nodes);
    const int first = parentRow + 1;
    const int count = CountDescendantRows(pParent, parentRow);
    std::vector<SECListItem*> records;
    records.reserve(nodes.size());
    for (_Node* pNode : nodes) {
        if (pNode->m_pRowRecord == nullptr)
            break;
        records.push_back(static_cast<SECListItem*>(pNode->m_pRowRecord));
    }
    RefreshHold hold(*this);
    if (static_cast<int>(records.size()) != count || static_cast<int>(nodes.size()) != count ||
        !this->ReplaceItemRecords(first, count, records.data(), count)) {
        SyncRows(); // the rows were not as the nodes say: repair them as a whole
    } else {
        m_nRowCache = first;
    }
    if (this->IsAlive()) {
        this->InvalidateItem(std::max(first, 0), FALSE, FALSE, TRUE, FALSE);
        this->UpdateScrollBars();
    }
}

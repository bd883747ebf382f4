// Columns of the tree beyond the tree column: inserting and deleting keeps
// every item's texts under their headings, and a moved column takes its
// stored texts along. Part of SECTreeBaseT; compiled in SECTreeBaseC.cpp.

// ---------------------------------------------------------------------------
// Expansion saved around a change of the columns

template <class TList>
typename SECTreeBaseT<TList>::ExpansionState SECTreeBaseT<TList>::SaveExpansion() const
{
    ExpansionState state;
    state.caret = RefOf(NodeAtRow(this->GetFocusItem()));
    for (_Node* p = FirstChildOf(m_pRoot); p != nullptr; p = NextInSubtree(p, m_pRoot, TRUE))
        state.nodes.push_back({RefOf(p), p->IsExpanded() != FALSE});
    return state;
}

// Every node gets a row, so that the list's column change reaches all cells.
template <class TList>
void SECTreeBaseT<TList>::ExpandEverything()
{
    ExpandAll(TVI_ROOT, FALSE);
}

// Items are collapsed again with redraw, also when the column change itself
// is not redrawn.
template <class TList>
void SECTreeBaseT<TList>::RestoreExpansion(const ExpansionState& state)
{
    for (const auto& saved : state.nodes) {
        if (!this->IsAlive() && m_hWnd != nullptr)
            return;
        if (!saved.second && IsLive(saved.first) && saved.first.pNode->IsExpanded())
            Expand(reinterpret_cast<HTREEITEM>(saved.first.pNode), TVE_TOGGLE, TRUE);
    }
    if (IsLive(state.caret) && state.caret.pNode != m_pRoot && (m_hWnd == nullptr || this->IsAlive()))
        SelectItem(reinterpret_cast<HTREEITEM>(state.caret.pNode), TVGN_CARET);
}

// ---------------------------------------------------------------------------
// Inserting and deleting columns

// Column 0 stays the tree column: a column asked for at 0 (or before) goes to
// 1, one asked for past the end goes last. The tree column itself is the
// first column a control gets.
template <class TList>
int SECTreeBaseT<TList>::InsertColumnRecord(int nCol, SECListColumn* pColumn, BOOL bRedraw)
{
    if (pColumn == nullptr)
        return -1;
    const int count = this->GetColumnCount();
    if (count == 0)
        return TList::InsertColumnRecord(0, pColumn, bRedraw);
    // An edit belongs to a column position: it ends first, and its owner may
    // change anything meanwhile.
    const BOOL bHadWindow = m_hWnd != nullptr;
    this->EndLabelEdit(TRUE);
    if (bHadWindow && !this->IsAlive())
        return -1;
    nCol = std::max(1, std::min(nCol, this->GetColumnCount()));
    int nResult = -1;
    {
        RefreshHold hold(*this);
        const ExpansionState state = SaveExpansion();
        ExpandEverything();
        if (bHadWindow && !this->IsAlive())
            return -1;
        nCol = std::max(1, std::min(nCol, this->GetColumnCount()));
        nResult = TList::InsertColumnRecord(nCol, pColumn, FALSE);
        if (nResult >= 0 && m_pSubItemTexts != nullptr)
            m_pSubItemTexts->InsertColumn(nResult);
        RestoreExpansion(state);
    }
    if (bRedraw && this->IsAlive()) {
        this->UpdateScrollBars();
        this->Invalidate();
    }
    return nResult;
}

template <class TList>
BOOL SECTreeBaseT<TList>::DeleteColumn(int nCol)
{
    auto refused = [this](int col) {
        const int count = this->GetColumnCount();
        return col < 0 || col >= count || (col == 0 && count > 1);
    };
    if (refused(nCol))
        return FALSE;
    const BOOL bHadWindow = m_hWnd != nullptr;
    this->EndLabelEdit(TRUE);
    if ((bHadWindow && !this->IsAlive()) || refused(nCol))
        return FALSE;
    BOOL bResult = FALSE;
    {
        RefreshHold hold(*this);
        const ExpansionState state = SaveExpansion();
        ExpandEverything();
        if ((bHadWindow && !this->IsAlive()) || refused(nCol))
            return FALSE;
        if (m_pSubItemTexts != nullptr && nCol >= 1)
            m_pSubItemTexts->DeleteColumn(nCol);
        bResult = TList::DeleteColumn(nCol);
        RestoreExpansion(state);
    }
    if (!this->IsAlive())
        return bResult;
    if (this->GetColumnCount() > 0)
        this->UpdateScrollBars();
    this->Invalidate();
    return bResult;
}

// The stored texts follow a moved column, for every item (a hidden one too:
// it shows its texts again when it comes back).
template <class TList>
void SECTreeBaseT<TList>::OnColumnMoved(int nFrom, int nTo)
{
    TList::OnColumnMoved(nFrom, nTo);
    if (m_pSubItemTexts == nullptr || nFrom == nTo)
        return;
    for (_Node* p = FirstChildOf(m_pRoot); p != nullptr; p = NextInSubtree(p, m_pRoot, TRUE))
        m_pSubItemTexts->MoveColumn(reinterpret_cast<HTREEITEM>(p), nFrom, nTo);
}

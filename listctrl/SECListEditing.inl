// In-place label editing: the editor over a cell, the live update while
// typing, and the end of an edit with or without commit. Part of SECListBaseT;
// compiled in SECListBaseC.cpp.

namespace SECListDetail {
// Editor styles: WS_CHILD | WS_BORDER | ES_MULTILINE plus, for single-line
// rows, ES_AUTOHSCROLL | ES_WANTRETURN, otherwise ES_AUTOVSCROLL.
const DWORD kEditorSingleLine = 0x40801084;
const DWORD kEditorMultiLine = 0x40800044;
} // namespace SECListDetail

template <class THost>
SECListEdit* SECListBaseT<THost>::EditLabel(int nItem, int nCol)
{
    if (m_pEdit == nullptr || m_pEdit->m_hWnd != nullptr || !IsAlive() || GetItemAt(nItem) == nullptr)
        return nullptr;
    HideTip();
    if (m_nEditItem >= 0)
        EndLabelEdit(TRUE);
    // Until the owner has agreed to the edit there is nothing to end.
    m_bEndingEdit = TRUE;
    // No scrolling: an edit of a row out of sight opens where the row would be.
    const int nSubItem = GetColumnRecord(nCol) ? GetColumnSubItem(nCol) : 0;
    m_nEditCol = nCol;
    m_nPendingEdit = -1;
    CancelEditTimer();
    m_nEditItem = nItem;
    // Reading the cell's place and text may ask the owner, who may move or
    // delete the row: then the edit is off before the owner hears of it.
    const RowRef edited = GetRowRef(nItem);
    auto rowStays = [&] { return IsAlive() && m_nEditItem == nItem && FindRow(edited, nItem) == nItem; };

    // A column that does not exist edits the row's own text over the first column.
    const int nGeometryCol = GetColumnRecord(nCol) ? nCol : 0;
    CRect label;
    GetCellRect(nItem, nGeometryCol, label, kCellLabel);
    if (m_pEdit->m_hWnd != nullptr) {
        m_bEndingEdit = FALSE;
        return nullptr; // asked for the cell, the owner opened an edit of its own
    }
    if (!rowStays()) {
        m_nEditItem = -1;
        m_bEndingEdit = FALSE;
        return nullptr;
    }
    CRect inside;
    GetInsideRect(inside);
    const int left = std::max<int>(label.left - 4, 0);
    const int right = std::min<int>(left + (label.Width() + 4) + 10, inside.right);
    const CRect rect(left, label.top - 1, std::max(right, left + 1), label.bottom + 1);
    const DWORD style = HasVariableRowHeight() ? SECListDetail::kEditorMultiLine : SECListDetail::kEditorSingleLine;
    if (!m_pEdit->CreateEx(0, L"EDIT", nullptr, style, rect, this, kEditorId)) {
        m_nEditItem = -1;
        m_bEndingEdit = FALSE;
        return nullptr;
    }
    m_pEdit->SendMessage(EM_SETTABSTOPS, 0, 0);
    // The whole text: a cancelled edit gives back exactly what was there.
    const CString text = GetItemText(nItem, nSubItem);
    {
        CClientDC dc(this);
        SECListPaintContext* pContext = CreatePaintContext(&dc);
        m_pEdit->SetWindowText(text);
        pContext->m_nCol = nGeometryCol;
        pContext->m_pColumn = GetColumnRecord(nGeometryCol);
        LoadPaintItem(pContext, nItem, nSubItem);
        m_pEdit->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pContext->m_hFont), TRUE);
        delete pContext;
    }
    m_pEdit->SendMessage(EM_SETSEL, 0, -1);
    m_pEdit->SendMessage(EM_SCROLLCARET);

    // The owner may change the rows while it is asked: an edit whose row moved
    // or went is off, as if vetoed.
    const BOOL bVetoed = rowStays() && NotifyBeginLabelEdit(nItem, nSubItem);
    if (bVetoed || !rowStays() || m_pEdit->m_hWnd == nullptr) {
        if (m_pEdit->m_hWnd != nullptr)
            DestroyEditor();
        m_nEditItem = -1;
        m_nPendingEdit = -1;
        m_bEndingEdit = FALSE;
        return m_pEdit;
    }
    // The edit is on: from here whatever ends an edit ends this one (showing
    // it repaints the row, which may ask the owner, who may delete the row).
    m_strSavedEditText = text;
    m_bEndingEdit = FALSE;
    m_pEdit->ShowWindow(SW_SHOW);
    if (m_pEdit->m_hWnd != nullptr)
        m_pEdit->SetFocus();
    if (m_nEditItem >= 0 && m_pEdit->m_hWnd != nullptr)
        InvalidateItem(m_nEditItem, FALSE, TRUE);
    return m_pEdit;
}

template <class THost>
void SECListBaseT<THost>::DestroyEditor()
{
    if (m_pEdit == nullptr || m_pEdit->m_hWnd == nullptr)
        return;
    if (m_nEditorCallbacks == 0) {
        m_pEdit->DestroyWindow();
        return;
    }
    // Called back from inside the edit control (its text changed and the
    // owner ended the edit meanwhile): the control goes on with its own
    // work after we return, so its window must outlive the call. It leaves
    // the list's service at once (no id, not shown, no longer our editor)
    // and closes itself when its turn in the message queue comes.
    // (Away from the list too, which may be going: its children go with it.)
    const HWND hEditor = m_pEdit->UnsubclassWindow();
    ::SetWindowLongPtrW(hEditor, GWLP_ID, 0);
    ::ShowWindow(hEditor, SW_HIDE);
    ::SetParent(hEditor, nullptr);
    ::PostMessageW(hEditor, WM_CLOSE, 0, 0);
}

template <class THost>
void SECListBaseT<THost>::OnEditUpdate()
{
    // Text set while the editor is being prepared (not shown yet) is no edit
    // yet. The editor's own style counts, not whether its parents show.
    if (m_pEdit == nullptr || m_pEdit->m_hWnd == nullptr || !(m_pEdit->GetStyle() & WS_VISIBLE) || m_nEditItem < 0)
        return;
    ++m_nEditorCallbacks;
    struct Leave
    {
        int& count;
        ~Leave() { --count; }
    } leave{m_nEditorCallbacks};
    // Every step below may ask the owner, who may end the edit or move or
    // delete its row: the typed text only ever goes to the edited row.
    const RowRef edited = GetRowRef(m_nEditItem);
    auto stillOn = [&] {
        return IsAlive() && m_pEdit->m_hWnd != nullptr && m_nEditItem >= 0 && FindRow(edited, m_nEditItem) == m_nEditItem;
    };
    const int nSubItem = std::max(GetColumnSubItem(m_nEditCol), 0);
    const int nCol = GetColumnRecord(m_nEditCol) ? m_nEditCol : 0;
    CString text;
    m_pEdit->GetWindowText(text);
    CRect before;
    GetCellRect(m_nEditItem, nCol, before, kCellLabel);
    if (!stillOn())
        return;
    SetItemText(m_nEditItem, nSubItem, text);
    if (!stillOn())
        return;
    MarkRowForMeasuring(GetItemAt(m_nEditItem));
    MeasureItemByIndex(m_nEditItem);
    CRect label;
    if (!stillOn() || !GetCellRect(m_nEditItem, nCol, label, kCellLabel))
        return;
    if (label.Height() != before.Height()) {
        ReMeasureAllItems();
        if (stillOn())
            InvalidateItem(m_nEditItem, FALSE, TRUE, TRUE);
        if (!stillOn() || !GetCellRect(m_nEditItem, nCol, label, kCellLabel))
            return;
    }
    CRect inside;
    GetInsideRect(inside);
    const int left = std::max<int>(label.left - 4, 0);
    const int cap = GetColumnCount() < 2 ? inside.right : GetColumnRight(nCol);
    const int right = std::min<int>(left + (label.Width() + 8) + 10, cap);
    m_pEdit->SetWindowPos(nullptr, 0, 0, std::max(right - left, 1), label.Height() + 2,
                          SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

template <class THost>
void SECListBaseT<THost>::DiscardEdit()
{
    CancelEditTimer();
    m_nEditItem = -1;
    m_nPendingEdit = -1;
    if (m_pEdit == nullptr || m_pEdit->m_hWnd == nullptr)
        return;
    // The editor's loss of focus ends nothing, and the list taking the focus
    // back is no news to the owner: for it the list had the focus all along.
    const BOOL bWasEnding = m_bEndingEdit;
    m_bEndingEdit = TRUE;
    m_bQuietFocus = TRUE;
    if (::GetFocus() == m_pEdit->m_hWnd && IsAlive())
        THost::SetFocus();
    if (m_pEdit->m_hWnd != nullptr)
        DestroyEditor();
    m_bQuietFocus = FALSE;
    m_bEndingEdit = bWasEnding;
}

template <class THost>
void SECListBaseT<THost>::OnEditKillFocus()
{
    EndLabelEdit(TRUE);
}

template <class THost>
BOOL SECListBaseT<THost>::EndLabelEdit(BOOL bCommit)
{
    if (m_pEdit == nullptr || m_pEdit->m_hWnd == nullptr || m_bEndingEdit)
        return FALSE;
    m_bEndingEdit = TRUE;
    CString text;
    m_pEdit->GetWindowText(text);
    const int nSubItem = GetColumnRecord(m_nEditCol) ? GetColumnSubItem(m_nEditCol) : 0;
    // The owner may insert or delete rows while it is told: follow the record,
    // which a new row at its old address is not.
    const int nEditItem = m_nEditItem;
    const RowRef edited = GetRowRef(nEditItem);
    const BOOL bAccepted = NotifyEndLabelEdit(nEditItem, nSubItem, text, bCommit);
    if (!IsAlive()) {
        m_nEditItem = -1;
        return TRUE;
    }
    const int nItem = FindRow(edited, nEditItem);
    if (nItem >= 0 && bAccepted) {
        SetItemText(nItem, nSubItem, text);
        OnLabelEditAccepted(nItem, nSubItem);
    } else if (nItem >= 0) {
        SetItemText(nItem, nSubItem, m_strSavedEditText); // undoes the live updates
    }
    m_nEditItem = -1;
    if (!IsAlive())
        return TRUE;
    if (m_pEdit->m_hWnd != nullptr) {
        if (::GetFocus() == m_pEdit->m_hWnd)
            THost::SetFocus(); // the list takes the focus back from its editor
        DestroyEditor();
    }
    ReMeasureAllItems();
    Invalidate();
    return TRUE;
}

// The tree's window side: construction, the tree styles and how they map onto
// the list's, settings, and the message handlers the tree adds. Part of
// SECTreeBaseT; compiled in SECTreeBaseC.cpp.

namespace SECTreeDetail {
// Width of the tree column inserted at creation; a lone column fills the width anyway.
const int kTreeColumnWidth = 100;
} // namespace SECTreeDetail

// ---------------------------------------------------------------------------
// Construction

template <class TList>
SECTreeBaseT<TList>::SECTreeBaseT()
{
    // Rows in columns with a header band; image lists are the owner's.
    this->m_dwListStyle |= LVS_REPORT | LVS_SHAREIMAGELISTS;
    CreateRoot();
}

template <class TList>
SECTreeBaseT<TList>::~SECTreeBaseT()
{
    // WM_DESTROY deletes every item, with notifications, while the tree is whole.
    if (this->IsAlive())
        this->DestroyWindow();
    delete m_pSubItemTexts;
    m_pSubItemTexts = nullptr;
    // Rows the list still holds point at nodes: they forget them first.
    const int count = this->GetItemCount();
    for (int row = 0; row < count; ++row)
        this->GetItemAt(row)->m_lParam = 0;
    ++m_nFreed;
    delete m_pRoot;
    m_pRoot = nullptr;
    m_handles.RemoveAll();
    if (m_hTheme != nullptr)
        SECThemeApi::Get().CloseThemeData(m_hTheme);
}

// ---------------------------------------------------------------------------
// Styles

template <class TList>
BOOL SECTreeBaseT<TList>::GetStyles(DWORD& dwStyle, DWORD& dwExStyle) const
{
    dwStyle = GetTreeStyle();
    dwExStyle = GetTreeExStyle();
    return TRUE;
}

template <class TList>
BOOL SECTreeBaseT<TList>::SetStyles(DWORD dwStyle, DWORD dwExStyle, BOOL bRedraw)
{
    const BOOL bStyle = SetTreeStyle(dwStyle, bRedraw);
    const BOOL bExStyle = SetTreeExStyle(dwExStyle, bRedraw);
    return bStyle && bExStyle;
}

template <class TList>
DWORD SECTreeBaseT<TList>::GetTreeStyle() const
{
    const DWORD list = this->GetListStyle();
    return m_dwTreeStyle | ((list & LVS_EDITLABELS) ? TVS_EDITLABELS : 0u) |
           ((list & LVS_SHOWSELALWAYS) ? TVS_SHOWSELALWAYS : 0u);
}

template <class TList>
DWORD SECTreeBaseT<TList>::GetTreeExStyle() const
{
    return m_dwTreeStyleEx;
}

template <class TList>
BOOL SECTreeBaseT<TList>::SetTreeStyle(DWORD dwStyle, BOOL bRedraw)
{
    m_dwTreeStyle = dwStyle & SEC_TVS_STORED_MASK;
    DWORD dwAdd = 0;
    DWORD dwRemove = 0;
    ((dwStyle & TVS_EDITLABELS) ? dwAdd : dwRemove) |= LVS_EDITLABELS;
    ((dwStyle & TVS_SHOWSELALWAYS) ? dwAdd : dwRemove) |= LVS_SHOWSELALWAYS;
    return this->ModifyListStyle(dwRemove, dwAdd, bRedraw);
}

template <class TList>
BOOL SECTreeBaseT<TList>::SetTreeExStyle(DWORD dwExStyle, BOOL bRedraw)
{
    m_dwTreeStyleEx = dwExStyle;
    DWORD dwAdd = 0;
    DWORD dwRemove = 0;
    DWORD dwAddEx = 0;
    DWORD dwRemoveEx = 0;
    const BOOL bHeader = (dwExStyle & SEC_TVSX_HEADER) != 0;
    const BOOL bButtons = bHeader && (dwExStyle & SEC_TVSX_HEADERBTNS);
    ((dwExStyle & SEC_TVSX_MULTISELECT) ? dwRemove : dwAdd) |= LVS_SINGLESEL;
    ((dwExStyle & SEC_TVSX_WRAPLABELS) ? dwRemove : dwAdd) |= LVS_NOLABELWRAP;
    (bHeader ? dwRemove : dwAdd) |= LVS_NOCOLUMNHEADER;
    (bButtons ? dwRemove : dwAdd) |= LVS_NOSORTHEADER;
    ((dwExStyle & SEC_TVSX_TIPS) ? dwAddEx : dwRemoveEx) |= SEC_LVSX_TIPS;
    ((dwExStyle & SEC_TVSX_HEADERBTNS) && (dwExStyle & SEC_TVSX_REORDER) ? dwAddEx : dwRemoveEx) |=
        SEC_LVSX_REORDER_COLUMNS;
    return this->ModifyListStyles(dwRemove, dwAdd, dwRemoveEx, dwAddEx, bRedraw);
}

template <class TList>
BOOL SECTreeBaseT<TList>::ModifyTreeStyle(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw)
{
    return SetTreeStyle((GetTreeStyle() & ~dwRemove) | dwAdd, bRedraw);
}

template <class TList>
BOOL SECTreeBaseT<TList>::ModifyTreeExStyle(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw)
{
    return SetTreeExStyle((m_dwTreeStyleEx & ~dwRemove) | dwAdd, bRedraw);
}

template <class TList>
BOOL SECTreeBaseT<TList>::ModifyStyles(DWORD dwRemove, DWORD dwAdd, DWORD dwRemoveEx, DWORD dwAddEx, BOOL bRedraw)
{
    const BOOL bStyle = ModifyTreeStyle(dwRemove, dwAdd, bRedraw);
    const BOOL bExStyle = ModifyTreeExStyle(dwRemoveEx, dwAddEx, bRedraw);
    return bStyle && bExStyle;
}

template <class TList>
void SECTreeBaseT<TList>::SplitCreateStyles(CREATESTRUCTW& cs)
{
    const DWORD dwStyle = static_cast<DWORD>(cs.style) & SEC_TVS_CREATE_MASK;
    cs.style = static_cast<LONG>(static_cast<DWORD>(cs.style) & ~SEC_TVS_CREATE_MASK);
    ModifyTreeStyle(0, dwStyle, FALSE);
    const DWORD dwExStyle = cs.dwExStyle & SEC_TVSX_CREATE_MASK;
    cs.dwExStyle &= ~SEC_TVSX_CREATE_MASK;
    ModifyTreeExStyle(0, dwExStyle, FALSE);
    TList::SplitCreateStyles(cs);
}

// The list's own setters of the styles the extended tree style mirrors: the
// tree's word notes the setting first, so GetTreeExStyle reflects it.
template <class TList>
void SECTreeBaseT<TList>::SetTreeExBit(DWORD dwBit, BOOL bSet)
{
    if (bSet)
        m_dwTreeStyleEx |= dwBit;
    else
        m_dwTreeStyleEx &= ~dwBit;
}

template <class TList>
void SECTreeBaseT<TList>::EnableLabelWrap(BOOL bEnable)
{
    SetTreeExBit(SEC_TVSX_WRAPLABELS, bEnable);
    TList::EnableLabelWrap(bEnable);
}

template <class TList>
void SECTreeBaseT<TList>::EnableTips(BOOL bEnable)
{
    SetTreeExBit(SEC_TVSX_TIPS, bEnable);
    TList::EnableTips(bEnable);
}

template <class TList>
void SECTreeBaseT<TList>::EnableMultiSelect(BOOL bEnable)
{
    SetTreeExBit(SEC_TVSX_MULTISELECT, bEnable);
    TList::EnableMultiSelect(bEnable);
}

template <class TList>
void SECTreeBaseT<TList>::ShowHeader(BOOL bShow, BOOL bButtons)
{
    SetTreeExBit(SEC_TVSX_HEADER, bShow);
    SetTreeExBit(SEC_TVSX_HEADERBTNS, bButtons);
    TList::ShowHeader(bShow, bButtons);
}

// ---------------------------------------------------------------------------
// Creation

template <class TList>
BOOL SECTreeBaseT<TList>::CreateFromDlgItem(UINT nID, CWnd* pParentDlg)
{
    if (pParentDlg == nullptr || m_hWnd != nullptr)
        return FALSE;
    HWND hParent = pParentDlg->GetSafeHwnd();
    HWND hPlaceholder = ::GetDlgItem(hParent, static_cast<int>(nID));
    if (hPlaceholder == nullptr)
        return FALSE;
    const DWORD dwStyle = static_cast<DWORD>(::GetWindowLongW(hPlaceholder, GWL_STYLE));
    DWORD dwExStyle = static_cast<DWORD>(::GetWindowLongW(hPlaceholder, GWL_EXSTYLE));
    if (!(dwStyle & TVS_NOTOOLTIPS))
        dwExStyle |= SEC_TVSX_TIPS;
    CRect rect;
    ::GetWindowRect(hPlaceholder, &rect);
    ::MapWindowPoints(nullptr, hParent, reinterpret_cast<LPPOINT>(&rect), 2);
    // The window above the placeholder in the z-order (and so the tab order).
    HWND hPrevious = ::GetWindow(hPlaceholder, GW_HWNDPREV);
    HFONT hFont = reinterpret_cast<HFONT>(::SendMessageW(hPlaceholder, WM_GETFONT, 0, 0));
    ::DestroyWindow(hPlaceholder);
    if (!this->Create(dwStyle, dwExStyle, rect, pParentDlg, nID, nullptr))
        return FALSE;
    ::SetWindowPos(m_hWnd, hPrevious != nullptr ? hPrevious : HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (hFont != nullptr && this->m_hFont == nullptr)
        this->m_hFont = hFont;
    return TRUE;
}

// ---------------------------------------------------------------------------
// Settings

template <class TList>
int SECTreeBaseT<TList>::GetIndent() const
{
    return m_nIndent;
}

template <class TList>
void SECTreeBaseT<TList>::SetIndent(int nIndent)
{
    m_nIndent = nIndent;
}

template <class TList>
UINT SECTreeBaseT<TList>::GetAutoExpandDelay() const
{
    return m_nAutoExpandDelay;
}

template <class TList>
void SECTreeBaseT<TList>::SetAutoExpandDelay(UINT nMilliseconds)
{
    m_nAutoExpandDelay = nMilliseconds;
}

template <class TList>
int SECTreeBaseT<TList>::GetProgressiveStep() const
{
    return m_nProgressiveStep;
}

template <class TList>
void SECTreeBaseT<TList>::SetProgressiveStep(int nStep)
{
    m_nProgressiveStep = nStep;
}

template <class TList>
BOOL SECTreeBaseT<TList>::GetScrollAfterExpand() const
{
    return m_bScrollAfterExpand;
}

template <class TList>
void SECTreeBaseT<TList>::SetScrollAfterExpand(BOOL bScroll)
{
    m_bScrollAfterExpand = bScroll;
}

// ---------------------------------------------------------------------------
// Message handlers

template <class TList>
int SECTreeBaseT<TList>::OnCreate(LPCREATESTRUCTW lpCreateStruct)
{
    if (TList::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (this->GetColumnCount() == 0)
        this->InsertColumn(0, L"", LVCFMT_LEFT, SECTreeDetail::kTreeColumnWidth, 0, -1, FALSE);
    return 0;
}

template <class TList>
void SECTreeBaseT<TList>::OnDestroy()
{
    StopAutoExpandTimer();
    DeleteAllItems();
    TList::OnDestroy();
}

template <class TList>
void SECTreeBaseT<TList>::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kTimerAutoExpand) {
        StopAutoExpandTimer();
        _Node* pNode = NodeAtRow(this->GetDropHilightItem());
        if (pNode != nullptr && pNode != m_pRoot && !pNode->IsExpanded()) {
            Expand(reinterpret_cast<HTREEITEM>(pNode), TVE_EXPAND, TRUE, FALSE);
            if (this->IsAlive())
                this->UpdateWindow();
        }
        if (!this->IsAlive())
            return;
    }
    TList::OnTimer(nIDEvent);
}

template <class TList>
void SECTreeBaseT<TList>::OnThemeChanged()
{
    if (m_hTheme != nullptr) {
        SECThemeApi::Get().CloseThemeData(m_hTheme);
        m_hTheme = nullptr;
    }
    TList::OnThemeChanged();
}

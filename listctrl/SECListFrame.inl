// The list's window side: construction, creation and style words, owner
// notifications and the frame's message handlers. Part of SECListBaseT;
// compiled in SECListBaseC.cpp.

namespace SECListDetail {
// Resource number of the cursor shown over a column divider.
const WORD kDividerCursorId = 20692;
// WM_GETDLGCODE answer: arrows, tab, characters and all keys go to the list.
const UINT kListDlgCode = DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTCHARS;
// Width of the implicit column of a list that is not in report mode.
const int kImplicitColumnWidth = 20;
// Delay of the pending edit: a click on the label of the selected focus row
// opens the editor after a double-click time, unless a double-click comes first.
inline UINT DefaultPendingEditDelay()
{
    return ::GetDoubleClickTime();
}
} // namespace SECListDetail

// ---------------------------------------------------------------------------
// Construction

template <class THost>
SECListBaseT<THost>::SECListBaseT()
{
    m_pTextBuffer = new WCHAR[kTextBufferChars];
    m_pTextBuffer[0] = L'\0';
    ReloadSystemColors();
    m_pTip = new SECListTip(this);
    m_pEdit = new SECListEdit(this);
    m_nPendingEditDelay = SECListDetail::DefaultPendingEditDelay();
}

template <class THost>
SECListBaseT<THost>::~SECListBaseT()
{
    if (IsAlive())
        THost::DestroyWindow(); // WM_DESTROY empties the model while the object is whole
    delete m_pEdit;
    m_pEdit = nullptr;
    delete m_pTip;
    m_pTip = nullptr;
    for (int i = 0; i < GetItemCount(); ++i)
        delete m_items.GetAt(i);
    m_items.RemoveAll();
    for (int i = 0; i < GetColumnCount(); ++i)
        delete m_columns[i];
    m_columns.RemoveAll();
    FreeOwnImageLists();
    delete m_pHorzBar;
    delete m_pVertBar;
    delete m_pHeadingDragImage;
    delete[] m_pTextBuffer;
}

// ---------------------------------------------------------------------------
// Creation

template <class THost>
BOOL SECListBaseT<THost>::Create(LPCWSTR /*lpszClassName*/, LPCWSTR /*lpszWindowName*/, DWORD dwStyle,
                                 const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* /*pContext*/)
{
    return Create(dwStyle, 0, rect, pParentWnd, nID, nullptr);
}

template <class THost>
BOOL SECListBaseT<THost>::Create(DWORD dwStyle, DWORD dwExStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                                 LPVOID lpParam)
{
    return CreateEx(dwExStyle, nullptr, nullptr, dwStyle, rect, pParentWnd, nID, lpParam);
}

template <class THost>
BOOL SECListBaseT<THost>::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return Create(dwStyle, 0, rect, pParentWnd, nID, lpParam);
}

template <class THost>
BOOL SECListBaseT<THost>::CreateFromDlgItem(UINT nID, CWnd* pParentDlg)
{
    if (pParentDlg == nullptr || m_hWnd != nullptr)
        return FALSE;
    HWND hParent = pParentDlg->GetSafeHwnd();
    HWND hPlaceholder = ::GetDlgItem(hParent, static_cast<int>(nID));
    if (hPlaceholder == nullptr)
        return FALSE;
    const DWORD dwStyle = static_cast<DWORD>(::GetWindowLongW(hPlaceholder, GWL_STYLE)) | WS_BORDER;
    const DWORD dwExStyle = static_cast<DWORD>(::GetWindowLongW(hPlaceholder, GWL_EXSTYLE));
    CRect rect;
    ::GetWindowRect(hPlaceholder, &rect);
    ::MapWindowPoints(nullptr, hParent, reinterpret_cast<LPPOINT>(&rect), 2);
    // Keep the placeholder's place in the tab order.
    HWND hPrevious = ::GetWindow(hPlaceholder, GW_HWNDPREV);
    HFONT hFont = reinterpret_cast<HFONT>(::SendMessageW(hPlaceholder, WM_GETFONT, 0, 0));
    ::DestroyWindow(hPlaceholder);
    if (!Create(dwStyle, dwExStyle, rect, pParentDlg, nID, nullptr))
        return FALSE;
    ::SetWindowPos(m_hWnd, hPrevious ? hPrevious : HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (hFont != nullptr && m_hFont == nullptr)
        m_hFont = hFont;
    return TRUE;
}

template <class THost>
BOOL SECListBaseT<THost>::PreCreateWindow(CREATESTRUCTW& cs)
{
    if (!THost::PreCreateWindow(cs))
        return FALSE;
    SplitCreateStyles(cs);
    return TRUE;
}

template <class THost>
void SECListBaseT<THost>::SplitCreateStyles(CREATESTRUCTW& cs)
{
    const DWORD style = static_cast<DWORD>(cs.style);
    ModifyListStyle(0, style & SEC_LVS_CREATE_MASK, FALSE);
    cs.style = static_cast<LONG>(style & SEC_LVS_WINDOW_MASK);
    ModifyListStyleEx(0, cs.dwExStyle & SEC_LVSX_CREATE_MASK, FALSE);
    cs.dwExStyle &= SEC_LVSX_WINDOW_MASK;
}

template <class THost>
CWnd* SECListBaseT<THost>::GetNotifyWnd() const
{
    return m_pNotifyWnd != nullptr ? m_pNotifyWnd : (m_hWnd ? GetParent() : nullptr);
}

// ---------------------------------------------------------------------------
// Styles

template <class THost>
BOOL SECListBaseT<THost>::GetListStyles(DWORD& dwStyle, DWORD& dwExStyle) const
{
    dwStyle = m_dwListStyle;
    dwExStyle = m_dwListStyleEx;
    return TRUE;
}

template <class THost>
BOOL SECListBaseT<THost>::SetListStyles(DWORD dwStyle, DWORD dwExStyle, BOOL bRedraw)
{
    return SetListStyle(dwStyle, bRedraw) && SetListStyleEx(dwExStyle, bRedraw);
}

template <class THost>
BOOL SECListBaseT<THost>::SetListStyle(DWORD dwStyle, BOOL bRedraw)
{
    const DWORD dwOld = m_dwListStyle;
    m_dwListStyle = dwStyle;
    EndLabelEdit(TRUE);
    CancelEditTimer();
    HideTip();
    if ((dwOld ^ dwStyle) & LVS_NOLABELWRAP)
        InvalidateRowHeights();
    if (bRedraw) {
        ReMeasureAllItems();
        if (IsAlive())
            Invalidate();
    }
    return TRUE;
}

template <class THost>
BOOL SECListBaseT<THost>::SetListStyleEx(DWORD dwExStyle, BOOL bRedraw)
{
    EndLabelEdit(TRUE);
    HideTip();
    const BOOL bFitNow = (dwExStyle & SEC_LVSX_FITCOLUMNS) && !(m_dwListStyleEx & SEC_LVSX_FITCOLUMNS);
    m_dwListStyleEx = dwExStyle;
    if (bFitNow)
        FitColumnsToWidth();
    if (bRedraw) {
        ReMeasureAllItems();
        if (IsAlive())
            Invalidate();
    }
    return TRUE;
}

template <class THost>
BOOL SECListBaseT<THost>::ModifyListStyle(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw)
{
    return SetListStyle((m_dwListStyle & ~dwRemove) | dwAdd, bRedraw);
}

template <class THost>
BOOL SECListBaseT<THost>::ModifyListStyleEx(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw)
{
    return SetListStyleEx((m_dwListStyleEx & ~dwRemove) | dwAdd, bRedraw);
}

template <class THost>
BOOL SECListBaseT<THost>::ModifyListStyles(DWORD dwRemove, DWORD dwAdd, DWORD dwRemoveEx, DWORD dwAddEx,
                                           BOOL bRedraw)
{
    const BOOL bStyle = ModifyListStyle(dwRemove, dwAdd, bRedraw);
    const BOOL bStyleEx = ModifyListStyleEx(dwRemoveEx, dwAddEx, bRedraw);
    return bStyle && bStyleEx;
}

template <class THost>
void SECListBaseT<THost>::EnableLabelWrap(BOOL bEnable)
{
    ModifyListStyle(bEnable ? LVS_NOLABELWRAP : 0, bEnable ? 0 : LVS_NOLABELWRAP, TRUE);
}

template <class THost>
void SECListBaseT<THost>::EnableTips(BOOL bEnable)
{
    if (bEnable)
        m_dwListStyleEx |= SEC_LVSX_TIPS;
    else
        m_dwListStyleEx &= ~SEC_LVSX_TIPS;
}

template <class THost>
void SECListBaseT<THost>::EnableMultiSelect(BOOL bEnable)
{
    if (bEnable) {
        ModifyListStyle(LVS_SINGLESEL, 0, TRUE);
        return;
    }
    if (GetSelectedCount() > 1)
        DeselectAllItems(-1);
    ModifyListStyle(0, LVS_SINGLESEL, TRUE);
}

template <class THost>
void SECListBaseT<THost>::ShowHeader(BOOL bShow, BOOL bButtons)
{
    const DWORD dwRemove = (bShow ? LVS_NOCOLUMNHEADER : 0) | (bButtons ? LVS_NOSORTHEADER : 0);
    const DWORD dwAdd = (bShow ? 0 : LVS_NOCOLUMNHEADER) | (bButtons ? 0 : LVS_NOSORTHEADER);
    ModifyListStyle(dwRemove, dwAdd, TRUE);
}

// ---------------------------------------------------------------------------
// Notifications

template <class THost>
LRESULT SECListBaseT<THost>::SendNotify(NMHDR* pHeader, UINT nCode)
{
    CWnd* pTarget = GetNotifyWnd();
    const int nID = m_hWnd ? ::GetDlgCtrlID(m_hWnd) : 0;
    pHeader->hwndFrom = m_hWnd;
    pHeader->idFrom = static_cast<UINT_PTR>(nID);
    pHeader->code = nCode;
    HWND hTarget = AfxSafeHwnd(pTarget);
    if (hTarget == nullptr)
        return 0;
    return ::SendMessageW(hTarget, WM_NOTIFY, static_cast<WPARAM>(nID), reinterpret_cast<LPARAM>(pHeader));
}

template <class THost>
LRESULT SECListBaseT<THost>::NotifyParent(UINT nCode)
{
    NMHDR header{};
    m_lLastNotifyResult = SendNotify(&header, nCode);
    return m_lLastNotifyResult;
}

template <class THost>
BOOL SECListBaseT<THost>::NotifyBeginLabelEdit(int nItem, int nSubItem)
{
    NMLVDISPINFOW info{};
    info.item.mask = LVIF_TEXT;
    info.item.iItem = nItem;
    info.item.iSubItem = nSubItem;
    info.item.lParam = static_cast<LPARAM>(GetItemData(nItem));
    return SendNotify(&info.hdr, LVN_BEGINLABELEDITW) == 1;
}

template <class THost>
BOOL SECListBaseT<THost>::NotifyEndLabelEdit(int nItem, int nSubItem, CString& strText, BOOL bCommit)
{
    NMLVDISPINFOW info{};
    info.item.mask = LVIF_TEXT;
    info.item.iItem = nItem;
    info.item.iSubItem = nSubItem;
    info.item.lParam = static_cast<LPARAM>(GetItemData(nItem));
    std::vector<WCHAR> buffer;
    if (bCommit) {
        buffer.assign(kTextBufferChars, L'\0');
        lstrcpynW(buffer.data(), strText, kTextBufferChars); // cut to 2047 units
        info.item.pszText = buffer.data();
        info.item.cchTextMax = kTextBufferChars;
    }
    const LRESULT lResult = SendNotify(&info.hdr, LVN_ENDLABELEDITW);
    if (!bCommit || lResult == 0)
        return FALSE;
    buffer.back() = L'\0';
    strText = buffer.data();
    return TRUE;
}

template <class THost>
LRESULT SECListBaseT<THost>::NotifyGetDispInfo(LVITEMW* pItem)
{
    if (pItem == nullptr)
        return 0; // nothing to ask for
    NMLVDISPINFOW info{};
    info.item = *pItem;
    const LRESULT lResult = SendNotify(&info.hdr, LVN_GETDISPINFOW);
    *pItem = info.item;
    return lResult;
}

template <class THost>
void SECListBaseT<THost>::NotifyColumnClick(int nCol)
{
    NMLISTVIEW info{};
    info.iItem = -1;
    info.iSubItem = nCol;
    SendNotify(&info.hdr, LVN_COLUMNCLICK);
}

template <class THost>
void SECListBaseT<THost>::NotifyDeleteItem(int nItem)
{
    NMLISTVIEW info{};
    info.iItem = nItem;
    SendNotify(&info.hdr, LVN_DELETEITEM);
}

template <class THost>
void SECListBaseT<THost>::NotifyInsertItem(int nItem)
{
    NMLISTVIEW info{};
    info.iItem = nItem;
    SendNotify(&info.hdr, LVN_INSERTITEM);
}

template <class THost>
void SECListBaseT<THost>::NotifyKeyDown(UINT nVKey)
{
    NMLVKEYDOWN info{};
    info.wVKey = static_cast<WORD>(nVKey);
    info.flags = 0;
    SendNotify(&info.hdr, LVN_KEYDOWN);
}

// ---------------------------------------------------------------------------
// SECListClient

template <class THost>
BOOL SECListBaseT<THost>::GetScrollOffsets(CPoint& point) const
{
    point = CPoint(m_nHorzOffset, m_nTopIndex);
    return TRUE;
}

template <class THost>
void SECListBaseT<THost>::ClientToScreen(CPoint& point) const
{
    ::ClientToScreen(m_hWnd, &point);
}

template <class THost>
CWnd* SECListBaseT<THost>::SetOwnerCapture(BOOL bSet)
{
    if (!bSet)
        return nullptr;
    return CWnd::FromHandle(::SetCapture(m_hWnd));
}

template <class THost>
HFONT SECListBaseT<THost>::GetOwnerFont() const
{
    return m_hFont != nullptr ? m_hFont : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

template <class THost>
void SECListBaseT<THost>::HideTip()
{
    if (m_pTip != nullptr)
        m_pTip->HideTip();
}

template <class THost>
void SECListBaseT<THost>::DropTip()
{
    if (m_pTip != nullptr && m_pTip->GetShownItem() >= 0)
        m_pTip->DropTip();
}

template <class THost>
void SECListBaseT<THost>::RefreshTip()
{
    if (m_pTip != nullptr && m_pTip->IsTipVisible()) {
        m_pTip->Invalidate();
        m_pTip->UpdateWindow();
    }
}

// ---------------------------------------------------------------------------
// Frame message handlers

template <class THost>
LRESULT SECListBaseT<THost>::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETFOCUS || message == WM_KILLFOCUS || message == WM_NCDESTROY)
        m_nHasFocus = message == WM_SETFOCUS ? 1 : message == WM_KILLFOCUS ? 0 : -1;
    if (message == WM_MOUSELEAVE) {
        m_bTrackingLeave = FALSE;
        SetHotColumn(-1);
    } else if (message == WM_THEMECHANGED) {
        OnThemeChanged();
    } else if (message == SECListRepaintBarsMessage() && message != 0) {
        RepaintBars();
        return 0;
    }
    return THost::WindowProc(message, wParam, lParam);
}

template <class THost>
int SECListBaseT<THost>::OnCreate(LPCREATESTRUCTW lpCreateStruct)
{
    if (THost::OnCreate(lpCreateStruct) == -1)
        return -1;
    LPCWSTR cursorName = MAKEINTRESOURCEW(SECListDetail::kDividerCursorId);
    HINSTANCE hModule = AfxFindResourceHandle(cursorName, RT_GROUP_CURSOR);
    m_hDividerCursor = hModule ? ::LoadCursorW(hModule, cursorName) : nullptr;
    const DWORD dwView = LVS_TYPEMASK & (static_cast<DWORD>(lpCreateStruct->style) | m_dwListStyle);
    if ((lpCreateStruct->style & LVS_TYPEMASK) == SEC_LVS_VIEW_REPORT ||
        (m_dwListStyle & LVS_TYPEMASK) == SEC_LVS_VIEW_REPORT || dwView == SEC_LVS_VIEW_REPORT)
        return 0;
    // Not a report: one implicit column, no header.
    ModifyListStyle(0, LVS_NOCOLUMNHEADER, FALSE);
    InsertColumn(0, L"", LVCFMT_LEFT, SECListDetail::kImplicitColumnWidth, 0, 0, TRUE);
    return 0;
}

template <class THost>
void SECListBaseT<THost>::OnDestroy()
{
    StopAutoScrollTimer();
    CancelEditTimer();
    if (m_nTypeAheadTimer != 0) {
        KillTimer(m_nTypeAheadTimer);
        m_nTypeAheadTimer = 0;
    }
    if (m_nEditItem >= 0)
        EndLabelEdit(FALSE);
    if (m_nEditorCallbacks > 0)
        DestroyEditor(); // the edit control calling us back must outlive this
    FreeOwnImageLists();
    if (m_pTip != nullptr && m_pTip->m_hWnd != nullptr)
        m_pTip->DestroyWindow();
    DeleteAllItems();
    DeleteAllColumns();
    if (m_pHorzBar != nullptr)
        m_pHorzBar->DestroyWindow();
    if (m_pVertBar != nullptr)
        m_pVertBar->DestroyWindow();
    m_dwScrollStyle = 0;
    if (!m_bPaintBufferBusy)
        m_paintBuffer.DeleteObject();
    THost::OnDestroy();
}

template <class THost>
void SECListBaseT<THost>::OnSize(UINT nType, int cx, int cy)
{
    ++m_nSizeStamp;
    PositionScrollBars();
    if (GetColumnCount() > 0) {
        CheckFitColumns();
        ReMeasureAllItems();
    }
    THost::OnSize(nType, cx, cy);
}

template <class THost>
void SECListBaseT<THost>::OnPaint()
{
    CPaintDC dc(this);
    DoPaint(&dc);
}

template <class THost>
BOOL SECListBaseT<THost>::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE; // the paint fills everything
}

template <class THost>
UINT SECListBaseT<THost>::OnGetDlgCode()
{
    return SECListDetail::kListDlgCode;
}

template <class THost>
void SECListBaseT<THost>::OnEnable(BOOL bEnable)
{
    if (!bEnable)
        HideTip();
    Invalidate();
}

template <class THost>
void SECListBaseT<THost>::OnCancelMode()
{
    HideTip();
    THost::OnCancelMode();
}

template <class THost>
BOOL SECListBaseT<THost>::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT && pWnd != nullptr && pWnd->m_hWnd == m_hWnd && m_bOverDivider &&
        m_hDividerCursor != nullptr) {
        ::SetCursor(m_hDividerCursor);
        return TRUE;
    }
    return THost::OnSetCursor(pWnd, nHitTest, message);
}

template <class THost>
void SECListBaseT<THost>::OnSysColorChange()
{
    if (m_bFollowSysColors)
        ReloadSystemColors();
    SECListRefreshSharedColors();
    Invalidate();
    THost::OnSysColorChange();
}

template <class THost>
LRESULT SECListBaseT<THost>::OnThemeChangedMessage(WPARAM, LPARAM)
{
    OnThemeChanged();
    Invalidate();
    return 0;
}

template <class THost>
void SECListBaseT<THost>::OnSetFont(HFONT hFont, BOOL bRedraw)
{
    m_hFont = hFont;
    InvalidateRowHeights();
    if (IsAlive()) {
        UpdateScrollBars();
        if (bRedraw)
            Invalidate();
    }
}

template <class THost>
HFONT SECListBaseT<THost>::OnGetFont()
{
    return m_hFont;
}

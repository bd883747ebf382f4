// Mouse, keyboard and timer input of the list: selection steps, drags of rows,
// headings and dividers, the keyboard table and type-ahead. Part of
// SECListBaseT; compiled in SECListBaseC.cpp.

namespace SECListDetail {
// A row drag starts when the pointer moves more than this from the press.
const int kRowDragThreshold = 3;
// A heading drag starts when the pointer moves this far from the press.
const int kHeadingDragThreshold = 2;
// Height below the header band where a heading drag still shows its mark.
const int kHeadingDropZone = 30;
// A column dragged by its divider keeps at least this width.
const int kMinTrackedWidth = 10;
// Widths below this are raised after a divider drag of a filled list.
const int kMinFilledWidth = 5;
} // namespace SECListDetail

// ---------------------------------------------------------------------------
// Selection steps

template <class THost>
int SECListBaseT<THost>::ProcessSelection(int nItem, UINT nHitFlags, UINT nKeyFlags, BOOL bByMouse)
{
    int old = m_nFocusIndex;
    // The hook may reach the owner, which may move or delete rows or destroy
    // the window: the step follows the rows it was asked for, and a row that
    // is gone is not selected.
    const BOOL bHadWindow = m_hWnd != nullptr;
    auto askHook = [&]() {
        const RowRef target = GetRowRef(nItem);
        const RowRef oldFocus = GetRowRef(old);
        RecordsWatch watch(this);
        m_bVeto = OnSelectionChanging(nItem, old, bByMouse);
        if (bHadWindow && !IsAlive())
            return false;
        if (watch.Changed()) {
            nItem = FindRow(target, nItem);
            old = FindRow(oldFocus, old);
        }
        if (GetItemAt(nItem) == nullptr)
            return false;
        return !m_bVeto;
    };
    // Steps that keep the anchor put it back afterwards; repainting on the way
    // may ask the owner, who may move or delete the anchor's row.
    auto keepAnchor = [this](int anchor, const RowRef& ref, const RecordsWatch& watch) {
        m_nAnchor = watch.Changed() ? FindRow(ref, anchor) : anchor;
    };
    HideTip();
    const BOOL bShift = (nKeyFlags & SEC_KEY_SHIFT) != 0;
    const BOOL bCtrl = (nKeyFlags & SEC_KEY_CONTROL) != 0;
    if (IsMultiSelect() && (bShift || bCtrl)) {
        if (m_bVeto)
            return 1;
        if (bShift && bCtrl)
            return 1; // both held: a step of neither kind
        if (bShift) {
            const BOOL bProceed = (m_nAnchor >= 0 && (nItem != old || !bByMouse)) ||
                                  (m_nAnchor < 0 && !bByMouse && nItem == old);
            if (!bProceed)
                return 1;
            if (!askHook())
                return 0;
            const int anchor = m_nAnchor >= 0 && m_nAnchor < GetItemCount() ? m_nAnchor : nItem;
            const RowRef anchorRef = GetRowRef(anchor);
            RecordsWatch watch(this);
            DeselectAllItems(-1);
            SelectItemRange(anchor, nItem, TRUE);
            FocusAndSelectItem(nItem, TRUE);
            keepAnchor(anchor, anchorRef, watch);
            if (!watch.Changed())
                InvalidateItemRange(anchor, nItem);
        } else {
            if (!bByMouse) {
                const int anchor = m_nAnchor;
                const RowRef anchorRef = GetRowRef(anchor);
                RecordsWatch watch(this);
                SetFocusItem(nItem);
                keepAnchor(anchor, anchorRef, watch);
                if (nItem != old)
                    return 1; // control-arrow only moves the focus
            }
            if (m_bDragArmed)
                return 1; // the toggle comes with the release
            if (!askHook())
                return 0;
            FocusAndSelectItem(nItem, !m_selection.Contains(nItem));
        }
    } else {
        const BOOL bSelected = m_selection.Contains(nItem);
        if (nItem == old && bSelected)
            return 1;
        if (bSelected && m_selection.GetCount() > 1)
            return 1; // the release collapses the selection
        if ((nHitFlags & SEC_LVHT_ONITEMICON) && bSelected) {
            const int anchor = m_nAnchor;
            const RowRef anchorRef = GetRowRef(anchor);
            RecordsWatch watch(this);
            SetFocusItem(nItem);
            keepAnchor(anchor, anchorRef, watch);
            return 1;
        }
        if (!askHook())
            return 0;
        DeselectAllItems(nItem);
        FocusAndSelectItem(nItem, TRUE);
    }
    OnSelectionChanged(nItem, old, bByMouse);
    return 1;
}

template <class THost>
void SECListBaseT<THost>::AnalyzeClick(CPoint point, int nItem, UINT nHitFlags, BOOL& bArmDrag, BOOL& bSelect)
{
    bArmDrag = FALSE;
    bSelect = FALSE;
    if (nHitFlags & (SEC_LVHT_ONITEMICON | SEC_LVHT_ONITEMLABEL)) {
        bArmDrag = bSelect = TRUE;
    } else if (nHitFlags & SEC_LVHT_ONHEADING) {
        bArmDrag = IsListStyleExSet(SEC_LVSX_REORDER_COLUMNS) && m_nEditCol >= 1;
    } else if ((nHitFlags & SEC_LVHT_ONITEM) && !(nHitFlags & SEC_LVHT_ONITEMSTATE)) {
        if (IsListStyleExSet(SEC_LVSX_FULLROWSELECT)) {
            bSelect = TRUE;
        } else if (nHitFlags & SEC_LVHT_LEFTOFLABEL) {
            CRect image;
            // A row without an image has an empty image rectangle at the
            // cell's left: the margin left of the label selects then.
            bSelect = GetItemRect(nItem, image, kCellImage) && point.x >= image.right;
        }
        bArmDrag = bSelect;
    }
}

template <class THost>
BOOL SECListBaseT<THost>::StepTo(int nItem, BOOL bShift, BOOL bCtrl, BOOL bEnsureVisible)
{
    const UINT keys = (bShift ? SEC_KEY_SHIFT : 0u) | (bCtrl ? SEC_KEY_CONTROL : 0u);
    if (ProcessSelection(nItem, SEC_HIT_KEYBOARD, keys, FALSE) != 1 || !IsAlive())
        return FALSE;
    OnSelectionMoved(nItem, FALSE);
    if (bEnsureVisible)
        EnsureVisible(nItem);
    return TRUE;
}

// ---------------------------------------------------------------------------
// Mouse

template <class THost>
void SECListBaseT<THost>::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!HasFocus())
        THost::SetFocus();
    if (!IsAlive())
        return;
    AbandonHeadingPress(); // the release of an earlier press never came
    UINT flags = 0;
    int nCol = -1;
    const int nItem = HitTest(point, &flags, &nCol);
    m_bDragArmed = FALSE;
    m_nEditCol = nCol;
    // Whether this press lands on the row that was already the selected focus
    // row: only such a click may open the editor after a pause.
    m_bClickOnSelectedFocus = nItem >= 0 && nItem == m_nFocusIndex && m_selection.Contains(nItem);
    const int lastCol = GetColumnCount() - 1;
    if ((flags & SEC_LVHT_ONDIVIDER) && !(IsListStyleExSet(SEC_LVSX_FITCOLUMNS) && nCol == lastCol)) {
        const int delta = TrackColumnDivider(point, nCol);
        if (IsAlive())
            ResizeColumnByDivider(nCol, delta);
    } else {
        BOOL bArm = FALSE;
        BOOL bSelect = FALSE;
        AnalyzeClick(point, nItem, flags, bArm, bSelect);
        m_bDragArmed = bArm;
        if (!IsListStyleSet(LVS_NOSORTHEADER) && (flags & SEC_LVHT_ONHEADING) && nCol >= 0) {
            m_nPressedCol = nCol;
            DrawHeaderItem(nCol, TRUE);
            ::SetCapture(m_hWnd);
        }
        if (bSelect && nItem >= 0) {
            ProcessSelection(nItem, flags, nFlags, TRUE);
            if (!IsAlive())
                return;
            OnSelectionMoved(nItem, TRUE);
        }
    }
    m_ptButtonDown = point;
    RefreshTip();
    m_bRowDrag = FALSE;
    m_bHeadingDrag = FALSE;
    Default();
}

template <class THost>
void SECListBaseT<THost>::ResizeColumnByDivider(int nCol, int nDelta)
{
    SECListColumn* pColumn = GetColumnRecord(nCol);
    if (pColumn == nullptr)
        return;
    pColumn->m_cx += nDelta;
    if (IsListStyleExSet(SEC_LVSX_FITCOLUMNS)) {
        if (SECListColumn* pNext = GetColumnRecord(nCol + 1))
            pNext->m_cx -= nDelta;
        int sum = 0;
        for (int i = 0; i < GetColumnCount(); ++i) {
            m_columns[i]->m_cx = std::max(m_columns[i]->m_cx, SECListDetail::kMinFilledWidth);
            sum += m_columns[i]->m_cx;
        }
        CRect inside;
        GetInsideRect(inside);
        if (sum > inside.Width())
            m_columns[0]->m_cx = std::max(m_columns[0]->m_cx - (sum - inside.Width()), SECListDetail::kMinFilledWidth);
    }
    if (HasVariableRowHeight())
        InvalidateRowHeights();
    ReMeasureAllItems();
    Invalidate();
}

template <class THost>
int SECListBaseT<THost>::TrackColumnDivider(CPoint point, int nCol)
{
    if (::GetCapture() != nullptr || GetColumnRecord(nCol) == nullptr)
        return 0;
    ::SetCapture(m_hWnd);
    this->UpdateWindow();
    // The paint may ask the owner, who may destroy the window.
    if (!IsAlive() || ::GetCapture() != m_hWnd)
        return 0;
    m_bTrackingDivider = TRUE;
    const int x0 = point.x;
    const int left = GetColumnLeft(nCol);
    const int minX = left + SECListDetail::kMinTrackedWidth;
    CRect inside;
    GetInsideRect(inside);
    auto lineAt = [&](int x) { return CRect(x, 0, x + 2, inside.bottom); };
    const CSize frame(1, 1);
    int x = GetColumnRight(nCol);
    {
        CClientDC dc(this);
        if (nCol > 0) {
            const CRect fixed = lineAt(left);
            dc.DrawDragRect(&fixed, frame, nullptr, frame);
        }
        CRect moving = lineAt(x);
        dc.DrawDragRect(&moving, frame, nullptr, frame);
        MSG msg;
        BOOL bDone = FALSE;
        while (!bDone && IsAlive() && ::GetCapture() == m_hWnd) {
            const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
            if (got <= 0) {
                if (got == 0)
                    ::PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            const BOOL bMine = msg.hwnd == m_hWnd;
            if (bMine && msg.message == WM_MOUSEMOVE) {
                const int nx = std::max<int>(static_cast<short>(LOWORD(msg.lParam)), minX);
                const CRect next = lineAt(nx);
                dc.DrawDragRect(&next, frame, &moving, frame);
                moving = next;
                x = nx;
            } else if (bMine && msg.message == WM_LBUTTONUP) {
                x = static_cast<short>(LOWORD(msg.lParam));
                bDone = TRUE;
            } else if ((msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) || msg.message == WM_RBUTTONDOWN) {
                x = x0;
                bDone = TRUE;
            } else {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
        // Remove the lines now; the resize that follows repaints anyway.
        dc.DrawDragRect(nullptr, frame, &moving, frame);
        if (nCol > 0) {
            const CRect fixed = lineAt(left);
            dc.DrawDragRect(nullptr, frame, &fixed, frame);
        }
    }
    m_bTrackingDivider = FALSE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    return std::max(x, minX) - x0;
}

template <class THost>
void SECListBaseT<THost>::SetHotColumn(int nCol)
{
    if (nCol == m_nHotCol)
        return;
    const int old = m_nHotCol;
    m_nHotCol = nCol;
    if (old >= 0)
        DrawHeaderItem(old, old == m_nPressedCol);
    if (nCol >= 0)
        DrawHeaderItem(nCol, nCol == m_nPressedCol);
}

template <class THost>
void SECListBaseT<THost>::EraseColumnInsertMark(int nDropCol)
{
    if (nDropCol < 0)
        return;
    if (nDropCol < GetColumnCount()) {
        DrawHeaderItem(nDropCol, nDropCol == m_nPressedCol);
        return;
    }
    CRect client;
    GetListClientRect(client);
    const int lastRight = GetColumnRight(GetColumnCount() - 1);
    CRect rest(lastRight - 1, client.top, client.right, client.top + m_nHeaderHeight);
    ::RedrawWindow(m_hWnd, &rest, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

template <class THost>
void SECListBaseT<THost>::UpdateHeadingDrag(CPoint point)
{
    CRect inside;
    GetInsideRect(inside);
    const BOOL bInZone = point.x >= 0 && point.x <= inside.right && point.y >= 0 &&
                         point.y <= m_nHeaderHeight + SECListDetail::kHeadingDropZone;
    const int oldDrop = m_nDropCol;
    if (bInZone) {
        UINT flags = 0;
        int nCol = -1;
        HitTest(CPoint(point.x, 0), &flags, &nCol);
        CImageList::DragEnter(m_hWnd, CPoint(point.x, 0));
        CImageList::DragMove(CPoint(point.x, 0));
        if (nCol < 0)
            nCol = GetColumnCount() - 1;
        DrawColumnInsertMark(nCol, point);
        if (m_nDropCol != oldDrop) {
            CImageList::DragLeave(m_hWnd);
            EraseColumnInsertMark(oldDrop);
            DrawColumnInsertMark(nCol, point);
            CImageList::DragEnter(m_hWnd, CPoint(point.x, 0));
        }
    } else if (CImageList::DragLeave(m_hWnd)) {
        // The drop position stays: a release out here still moves the column there.
        EraseColumnInsertMark(oldDrop);
    }
}

template <class THost>
void SECListBaseT<THost>::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bRowDrag && !m_bHeadingDrag) {
        Default();
        return;
    }
    UINT flags = 0;
    int nCol = -1;
    HitTest(point, &flags, &nCol);
    const BOOL bOverHeader = (flags & (SEC_LVHT_ONHEADING | SEC_LVHT_ONDIVIDER)) != 0;
    if (!IsListStyleSet(LVS_NOSORTHEADER) && SECThemeApi::Get().IsHeaderThemed()) {
        if (bOverHeader) {
            SetHotColumn(nCol);
            if (!m_bTrackingLeave) {
                TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, m_hWnd, 0};
                m_bTrackingLeave = SECThemeApi::Get().TrackMouseEvent(&tme);
            }
        } else {
            SetHotColumn(-1);
        }
    }
    const int lastCol = GetColumnCount() - 1;
    m_bOverDivider = (flags & SEC_LVHT_ONDIVIDER) && !(IsListStyleExSet(SEC_LVSX_FITCOLUMNS) && nCol == lastCol);
    if (m_nPressedCol >= 0 && !bOverHeader && !m_bHeadingDrag) {
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        const int pressed = m_nPressedCol;
        m_nPressedCol = -1;
        DrawHeaderItem(pressed, FALSE);
        m_bDragArmed = FALSE;
    }
    const CSize moved(std::abs(point.x - m_ptButtonDown.x), std::abs(point.y - m_ptButtonDown.y));
    BOOL bRowDragStarted = FALSE;
    if (m_nFocusIndex >= 0 && m_bDragArmed && !bOverHeader && (nFlags & (MK_LBUTTON | MK_RBUTTON)) &&
        (moved.cx > SECListDetail::kRowDragThreshold || moved.cy > SECListDetail::kRowDragThreshold)) {
        m_bRowDrag = TRUE;
        m_bDragArmed = FALSE;
        bRowDragStarted = TRUE;
    }
    if (m_nPressedCol >= 1 && m_bDragArmed && (nFlags & MK_LBUTTON) &&
        (moved.cx >= SECListDetail::kHeadingDragThreshold || moved.cy >= SECListDetail::kHeadingDragThreshold)) {
        m_bHeadingDrag = TRUE;
        m_bDragArmed = FALSE;
        if (!m_bHeadingDragShown) {
            m_bHeadingDragShown = TRUE;
            delete m_pHeadingDragImage;
            m_pHeadingDragImage = CreateHeaderDragImage(m_nPressedCol);
            CImageList::DragShowNolock(TRUE);
            if (m_pHeadingDragImage != nullptr)
                m_pHeadingDragImage->BeginDrag(0, CPoint(point.x - GetColumnLeft(m_nPressedCol), 0));
        }
    }
    if (m_bHeadingDrag && (nFlags & MK_LBUTTON))
        UpdateHeadingDrag(point);
    if (AreTipsEnabled() && !HasVariableRowHeight() && m_pTip != nullptr) {
        const int nItem = HitTest(point, &flags, &nCol);
        if (m_bRowDrag || m_bHeadingDrag || nItem == m_nEditItem)
            HideTip();
        else
            m_pTip->ShowTip(flags, nItem, nCol, point);
    }
    if (bRowDragStarted) {
        if (nFlags & MK_LBUTTON)
            OnBeginDrag(m_nFocusIndex, m_ptButtonDown);
        else
            OnBeginRDrag(m_nFocusIndex, m_ptButtonDown);
    }
    if (IsAlive())
        Default();
}

template <class THost>
void SECListBaseT<THost>::EndHeadingDrag()
{
    m_bHeadingDrag = FALSE;
    m_bHeadingDragShown = FALSE;
    CImageList::DragLeave(m_hWnd);
    CImageList::EndDrag();
    delete m_pHeadingDragImage;
    m_pHeadingDragImage = nullptr;
    EraseColumnInsertMark(m_nDropCol);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

template <class THost>
void SECListBaseT<THost>::AbandonHeadingPress()
{
    if (m_bHeadingDrag)
        EndHeadingDrag();
    m_nDropCol = -1;
    if (m_nPressedCol < 0)
        return;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    const int pressed = m_nPressedCol;
    m_nPressedCol = -1;
    DrawHeaderItem(pressed, FALSE);
}

template <class THost>
void SECListBaseT<THost>::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_bDragArmed = FALSE;
    if (m_bRowDrag) {
        m_bRowDrag = FALSE;
        Default();
        return;
    }
    if (m_bHeadingDrag) {
        const int pressed = m_nPressedCol;
        const int drop = m_nDropCol;
        EndHeadingDrag();
        m_nPressedCol = -1;
        m_nDropCol = -1;
        DrawHeaderItem(pressed, FALSE);
        if (drop >= 0 && drop != pressed && drop != pressed + 1)
            MoveColumn(pressed, drop, TRUE);
        Default();
        return;
    }
    if (!IsListStyleSet(LVS_NOSORTHEADER) && m_nPressedCol >= 0) {
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        const int pressed = m_nPressedCol;
        m_nPressedCol = -1;
        DrawHeaderItem(pressed, FALSE);
        NotifyColumnClick(pressed);
        if (!IsAlive())
            return;
    }
    UINT flags = 0;
    int nCol = -1;
    const int nItem = HitTest(point, &flags, &nCol);
    const BOOL bKeys = (nFlags & (MK_SHIFT | MK_CONTROL)) != 0;
    if (nItem >= 0 && m_selection.Contains(nItem) && m_selection.GetCount() > 1 && !bKeys) {
        DeselectAllItems(-1);
        ProcessSelection(nItem, flags, nFlags, TRUE);
    } else if (nItem >= 0 && (nFlags & MK_CONTROL)) {
        ProcessSelection(nItem, flags, nFlags, TRUE);
    }
    if (!IsAlive())
        return;
    const BOOL bSelectingArea = (flags & (SEC_LVHT_ONITEMLABEL | SEC_LVHT_ONITEMICON)) != 0 ||
                                (IsListStyleExSet(SEC_LVSX_FULLROWSELECT) && (flags & SEC_LVHT_ONITEM));
    const BOOL bTimerWasRunning = m_nPendingEditTimer != 0;
    if (bTimerWasRunning && nItem >= 0 && nItem == m_nPendingEdit && bSelectingArea)
        CancelEditTimer();
    int pending = -1;
    if (IsListStyleSet(LVS_EDITLABELS) && nItem >= 0 && m_selection.Contains(nItem)) {
        const BOOL bLabel = (flags & SEC_LVHT_ONITEMLABEL) != 0;
        const BOOL bFullRowCell = IsListStyleExSet(SEC_LVSX_FULLROWSELECT) && (flags & SEC_LVHT_ONITEM) &&
                                  nCol >= 1 && m_nEditCol >= 1;
        if (bLabel || bFullRowCell)
            pending = nItem;
    }
    m_nPendingEdit = pending;
    if (pending >= 0 && m_bClickOnSelectedFocus && !bTimerWasRunning && m_nPendingEditDelay > 0)
        m_nPendingEditTimer = SetTimer(kTimerPendingEdit, m_nPendingEditDelay);
    m_bClickOnSelectedFocus = FALSE;
    Default();
    NotifyParent(NM_CLICK);
}

template <class THost>
void SECListBaseT<THost>::OnLButtonDblClk(UINT /*nFlags*/, CPoint /*point*/)
{
    if (m_nPendingEdit >= 0 || m_nPendingEditTimer != 0) {
        m_nPendingEdit = -1;
        CancelEditTimer();
    }
    Default();
    NotifyParent(NM_DBLCLK);
}

template <class THost>
void SECListBaseT<THost>::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (m_pTip != nullptr && m_pTip->IsTipVisible()) {
        CWnd* pFrame = THost::GetParentFrame();
        SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(AfxSafeHwnd(pFrame)), MAKELPARAM(HTCLIENT, WM_RBUTTONDOWN));
    }
    if (!HasFocus())
        THost::SetFocus();
    if (!IsAlive())
        return;
    UINT flags = 0;
    int nCol = -1;
    const int nItem = HitTest(point, &flags, &nCol);
    m_bDragArmed = FALSE;
    if (!(flags & SEC_LVHT_ONDIVIDER)) {
        BOOL bArm = FALSE;
        BOOL bSelect = FALSE;
        AnalyzeClick(point, nItem, flags, bArm, bSelect);
        m_bDragArmed = bArm && !(flags & SEC_LVHT_ONHEADING);
        if (bSelect && nItem >= 0) {
            ProcessSelection(nItem, flags, nFlags, TRUE);
            if (!IsAlive())
                return;
            OnSelectionMoved(nItem, TRUE);
        }
    }
    m_ptButtonDown = point;
    RefreshTip();
    m_bRowDrag = FALSE;
    Default();
}

template <class THost>
void SECListBaseT<THost>::OnRButtonUp(UINT /*nFlags*/, CPoint /*point*/)
{
    m_bDragArmed = FALSE;
    if (m_bRowDrag) {
        m_bRowDrag = FALSE;
        return;
    }
    RefreshTip();
    Default();
    if (IsAlive())
        NotifyParent(NM_RCLICK);
}

// ---------------------------------------------------------------------------
// Keyboard

template <class THost>
void SECListBaseT<THost>::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    NotifyKeyDown(nChar);
    if (!IsAlive())
        return;
    const BOOL bShift = ::GetKeyState(VK_SHIFT) < 0;
    const BOOL bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    const int nSubItem = std::max(GetColumnSubItem(m_nEditCol), 0);
    const int nItem = m_nFocusIndex;
    switch (nChar) {
    case VK_UP:
        OnKeyUp(nItem, nSubItem, bShift, bCtrl, nRepCnt, nFlags);
        break;
    case VK_DOWN:
        OnKeyDown(nItem, nSubItem, bShift, bCtrl, nRepCnt, nFlags);
        break;
    case VK_SPACE:
        OnKeySpace(nItem, nSubItem, bShift, bCtrl, nRepCnt, nFlags);
        break;
    case VK_PRIOR:
        OnKeyPageUp(nItem, nSubItem, bShift, bCtrl, nRepCnt, nFlags);
        break;
    case VK_NEXT:
        OnKeyPageDown(nItem, nSubItem, bShift, bCtrl, nRepCnt, nFlags);
        break;
    case VK_HOME:
        OnKeyHome(nItem, nSubItem, bShift, bCtrl, nRepCnt, nFlags);
        break;
    case VK_END:
        OnKeyEnd(nItem, nSubItem, bShift, bCtrl, nRepCnt, nFlags);
        break;
    case VK_RETURN:
        OnKeyReturn(nItem, nSubItem, bShift, bCtrl, nRepCnt, nFlags);
        break;
    case VK_F2:
        OnKeyF2(nItem, nSubItem, bShift, bCtrl, nRepCnt, nFlags);
        break;
    case VK_LEFT:
    case VK_SUBTRACT:
    case VK_OEM_MINUS:
        OnKeyLeft(nItem, nSubItem, bShift, bCtrl, nRepCnt, nFlags);
        break;
    case VK_RIGHT:
    case VK_ADD:
    case VK_OEM_PLUS:
        OnKeyRight(nItem, nSubItem, bShift, bCtrl, nRepCnt, nFlags);
        break;
    case VK_BACK:
        OnKeyBack(nItem, nSubItem, bShift, bCtrl, nRepCnt, nFlags);
        break;
    case VK_MULTIPLY:
        OnKeyMultiply(nItem, nSubItem, bShift, bCtrl, nRepCnt, nFlags);
        break;
    case VK_TAB:
        if (CWnd* pParent = GetParent())
            pParent->PostMessage(WM_NEXTDLGCTL, bShift ? 1 : 0, 0);
        break;
    case VK_ESCAPE:
        if (CWnd* pParent = GetParent())
            pParent->PostMessage(WM_COMMAND, IDCANCEL, 0);
        break;
    default:
        break;
    }
    if (IsAlive())
        Default();
}

template <class THost>
void SECListBaseT<THost>::OnSysKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    NotifyKeyDown(nChar);
    if (IsAlive())
        Default();
}

template <class THost>
void SECListBaseT<THost>::OnKeyUp(int nItem, int, BOOL bShift, BOOL bCtrl, UINT, UINT)
{
    if (nItem > 0)
        StepTo(nItem - 1, bShift, bCtrl, TRUE);
}

template <class THost>
void SECListBaseT<THost>::OnKeyDown(int nItem, int, BOOL bShift, BOOL bCtrl, UINT, UINT)
{
    if (nItem < GetItemCount() - 1)
        StepTo(nItem + 1, bShift, bCtrl, TRUE);
}

template <class THost>
void SECListBaseT<THost>::OnKeySpace(int nItem, int, BOOL bShift, BOOL bCtrl, UINT, UINT)
{
    if (nItem >= 0)
        StepTo(nItem, bShift, bCtrl, TRUE);
}

template <class THost>
void SECListBaseT<THost>::OnKeyPageUp(int nItem, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags)
{
    if (!IsVertScrollBarShown()) {
        OnKeyHome(nItem, nSubItem, bShift, bCtrl, nRepCnt, nFlags);
        return;
    }
    if (nItem == m_nTopIndex)
        SendMessage(WM_VSCROLL, SB_PAGEUP, 0);
    StepTo(m_nTopIndex, bShift, bCtrl, FALSE);
    if (IsAlive())
        Invalidate();
}

template <class THost>
void SECListBaseT<THost>::OnKeyPageDown(int nItem, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt,
                                        UINT nFlags)
{
    if (!IsVertScrollBarShown()) {
        OnKeyEnd(nItem, nSubItem, bShift, bCtrl, nRepCnt, nFlags);
        return;
    }
    if (nItem == GetBottomIndex())
        SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    StepTo(std::max(GetBottomIndex(), 0), bShift, bCtrl, FALSE);
    if (IsAlive())
        Invalidate();
}

template <class THost>
void SECListBaseT<THost>::OnKeyHome(int, int, BOOL bShift, BOOL bCtrl, UINT, UINT)
{
    if (GetItemCount() == 0)
        return;
    if (IsVertScrollBarShown())
        SendMessage(WM_VSCROLL, SB_TOP, 0);
    StepTo(0, bShift, bCtrl, FALSE);
    if (IsAlive())
        Invalidate();
}

template <class THost>
void SECListBaseT<THost>::OnKeyEnd(int, int, BOOL bShift, BOOL bCtrl, UINT, UINT)
{
    if (GetItemCount() == 0)
        return;
    if (IsVertScrollBarShown())
        SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
    StepTo(GetItemCount() - 1, bShift, bCtrl, FALSE);
    if (IsAlive())
        Invalidate();
}

template <class THost>
void SECListBaseT<THost>::OnKeyReturn(int, int, BOOL, BOOL, UINT, UINT)
{
    NotifyParent(NM_RETURN);
}

template <class THost>
void SECListBaseT<THost>::OnKeyF2(int nItem, int, BOOL, BOOL, UINT, UINT)
{
    if (nItem >= 0 && IsListStyleSet(LVS_EDITLABELS))
        EditLabel(nItem, std::max(m_nEditCol, 0));
}

template <class THost>
void SECListBaseT<THost>::OnKeyLeft(int, int, BOOL, BOOL, UINT, UINT)
{
}

template <class THost>
void SECListBaseT<THost>::OnKeyRight(int, int, BOOL, BOOL, UINT, UINT)
{
}

template <class THost>
void SECListBaseT<THost>::OnKeyBack(int, int, BOOL, BOOL, UINT, UINT)
{
}

template <class THost>
void SECListBaseT<THost>::OnKeyMultiply(int, int, BOOL, BOOL, UINT, UINT)
{
}

// ---------------------------------------------------------------------------
// Type-ahead

template <class THost>
void SECListBaseT<THost>::OnChar(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    if ((m_nTypeAheadFlags & SEC_TYPEAHEAD_OFF) || nChar == VK_RETURN || nChar == VK_ESCAPE || nChar == VK_SPACE ||
        GetItemCount() == 0) {
        Default();
        return;
    }
    TypeAhead(static_cast<WCHAR>(nChar));
}

template <class THost>
BOOL SECListBaseT<THost>::TypeAhead(WCHAR ch)
{
    if (m_nTypeAheadFlags & SEC_TYPEAHEAD_FAILED) {
        m_nTypeAheadFlags |= SEC_TYPEAHEAD_MATCHED; // swallowed, but keeps the search alive
        return FALSE;
    }
    if (!(m_nTypeAheadFlags & SEC_TYPEAHEAD_ACTIVE)) {
        m_nTypeAheadFlags |= SEC_TYPEAHEAD_ACTIVE;
        m_strTypeAhead.Empty();
        m_nTypeAheadTimer = SetTimer(kTimerTypeAhead, m_nTypeAheadTimeout);
    }
    m_strTypeAhead += ch;
    const int count = GetItemCount();
    int start = std::max(m_nFocusIndex, 0);
    if (m_strTypeAhead.GetLength() < 2) {
        const int next = GetNextItem(m_nFocusIndex, LVNI_BELOW);
        start = next >= 0 ? next : 0;
    }
    CString prefix = m_strTypeAhead;
    prefix.MakeLower();
    CString text;
    int i = start;
    do {
        GetCellText(text, i, 0);
        text.MakeLower();
        if (text.Left(prefix.GetLength()) == prefix) {
            StepTo(i, FALSE, FALSE, TRUE);
            m_nTypeAheadFlags |= SEC_TYPEAHEAD_MATCHED;
            return TRUE;
        }
        i = (i + 1) % count;
    } while (i != start);
    ::MessageBeep(0xFFFFFFFF);
    m_nTypeAheadFlags |= SEC_TYPEAHEAD_MATCHED | SEC_TYPEAHEAD_FAILED;
    return FALSE;
}

// ---------------------------------------------------------------------------
// Timers, focus

template <class THost>
void SECListBaseT<THost>::StartAutoScrollTimer(UINT nPeriod)
{
    m_nAutoScrollTimer = SetTimer(kTimerAutoScroll, nPeriod);
}

template <class THost>
void SECListBaseT<THost>::StopAutoScrollTimer()
{
    if (m_nAutoScrollTimer != 0 && m_hWnd != nullptr)
        KillTimer(kTimerAutoScroll);
    m_nAutoScrollTimer = 0;
}

template <class THost>
void SECListBaseT<THost>::CancelEditTimer()
{
    if (m_nPendingEditTimer != 0 && m_hWnd != nullptr)
        KillTimer(kTimerPendingEdit);
    m_nPendingEditTimer = 0;
}

template <class THost>
void SECListBaseT<THost>::OnTimer(UINT_PTR nIDEvent)
{
    switch (nIDEvent) {
    case kTimerPendingEdit:
        // A tick of a timer that was killed (a double-click came first) opens nothing.
        if (m_nPendingEditTimer == 0)
            break;
        CancelEditTimer();
        if (m_nPendingEdit >= 0 && m_nPendingEdit == m_nFocusIndex)
            EditLabel(m_nPendingEdit, std::max(m_nEditCol, 0));
        break;
    case kTimerAutoScroll:
        if (m_bRowDrag) {
            CPoint point;
            ::GetCursorPos(&point);
            ::ScreenToClient(m_hWnd, &point);
            const int nItem = HitTest(point);
            if (nItem >= 0 && GetItemCount() >= 3) {
                const int bottom = GetBottomIndex();
                if (m_nTopIndex > 0 && nItem < m_nTopIndex + 1) {
                    SetDropHilightItem(-1);
                    ScrollVert(-1);
                } else if (nItem > bottom - 1 && bottom != GetItemCount() - 1) {
                    SetDropHilightItem(-1);
                    ScrollVert(1);
                }
            }
        }
        break;
    case kTimerTypeAhead: {
        const UINT both = SEC_TYPEAHEAD_ACTIVE | SEC_TYPEAHEAD_MATCHED;
        if ((m_nTypeAheadFlags & both) != both) {
            KillTimer(kTimerTypeAhead);
            m_nTypeAheadTimer = 0;
            m_nTypeAheadFlags &= SEC_TYPEAHEAD_OFF;
            m_strTypeAhead.Empty();
        }
        m_nTypeAheadFlags &= ~SEC_TYPEAHEAD_MATCHED;
        break;
    }
    default:
        Default();
        break;
    }
}

template <class THost>
BOOL SECListBaseT<THost>::IsEditorWindow(HWND hWnd) const
{
    return hWnd != nullptr && m_pEdit != nullptr && m_pEdit->m_hWnd == hWnd;
}

template <class THost>
void SECListBaseT<THost>::OnSetFocus(CWnd* pOldWnd)
{
    THost::OnSetFocus(pOldWnd);
    if (m_bQuietFocus) {
        Invalidate(); // the focus came back from a discarded editor: nothing to tell, nothing to measure
        return;
    }
    if (!IsMultiSelect() && m_nFocusIndex >= 0)
        InvalidateItem(m_nFocusIndex, TRUE);
    else
        Invalidate();
    NotifyParent(NM_SETFOCUS);
}

template <class THost>
void SECListBaseT<THost>::OnKillFocus(CWnd* pNewWnd)
{
    THost::OnKillFocus(pNewWnd);
    if (IsEditorWindow(AfxSafeHwnd(pNewWnd)))
        return;
    if (m_pEdit != nullptr && m_pEdit->m_hWnd != nullptr)
        EndLabelEdit(TRUE);
    if (!IsAlive())
        return;
    if (!IsMultiSelect() && m_nFocusIndex >= 0)
        InvalidateItem(m_nFocusIndex, TRUE);
    else
        Invalidate();
    NotifyParent(NM_KILLFOCUS);
}

// Painting of the list: header band, rows, cells, images, text, selection and
// focus, grid lines, and the header feedback of a column drag. Every step is a
// virtual hook over one SECListPaintContext. Part of SECListBaseT; compiled in
// SECListBaseC.cpp.

namespace SECListDetail {
// Cell text: DT_WORDBREAK | DT_EXPANDTABS | DT_VCENTER | DT_NOPREFIX.
const UINT kCellTextFlags = 0x854;
// Heading text: DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_NOPREFIX.
const UINT kHeadingTextFlags = 0x864;
// Theme parts and states of the "HEADER" class.
const int kHeaderPartItem = 1;
const int kHeaderPartItemRight = 3;
const int kHeaderStateNormal = 1;
const int kHeaderStateHot = 2;
const int kHeaderStatePressed = 3;
// Classic pressed heading: DFCS_BUTTONPUSH | DFCS_PUSHED | DFCS_FLAT.
const UINT kClassicPressed = 0x4210;
// Insets of the heading text and the header image geometry.
const int kHeadingTextLeft = 6;
const int kHeadingTextRight = 5;
const int kHeaderImageSize = 16;
const int kHeaderImageMinCell = 22;
const int kHeaderImageGap = 26;
// Drag image background and insertion mark colour.
const COLORREF kDragImageBk = 0x6E6E6E;
const COLORREF kInsertMarkColor = 0xFF0000;
// Sort mark: the slot it takes at the right of the heading text, the themed
// arrow's box, and the classic triangle's half width (its height is one more).
const int kSortMarkSlot = 18;
const int kHeaderPartSortArrow = 4;  // HP_HEADERSORTARROW
const int kSortArrowStateUp = 1;     // HSAS_SORTEDUP
const int kSortArrowStateDown = 2;   // HSAS_SORTEDDOWN
const int kSortArrowWidth = 12;
const int kSortArrowHeight = 8;
const int kSortTriangleHalf = 4;
// Sort mark of a heading: none, ascending (arrow up), descending (arrow down).
enum SortMark { kSortNone = 0, kSortUp = 1, kSortDown = 2 };
} // namespace SECListDetail

// ---------------------------------------------------------------------------
// Colours and fonts

template <class THost>
void SECListBaseT<THost>::ReloadSystemColors()
{
    m_crText = ::GetSysColor(COLOR_WINDOWTEXT);
    m_crTextBk = ::GetSysColor(COLOR_WINDOW);
    m_crSelText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    m_crSelBk = ::GetSysColor(COLOR_HIGHLIGHT);
    m_crGrayText = ::GetSysColor(COLOR_GRAYTEXT);
    m_crCellBk = ::GetSysColor(COLOR_WINDOW);
    m_crFocusCellBk = ::GetSysColor(COLOR_WINDOW);
    m_crTipBk = ::GetSysColor(COLOR_INFOBK);
    m_crTipText = ::GetSysColor(COLOR_INFOTEXT);
    m_crBk = ::GetSysColor(COLOR_WINDOW);
    SECListRefreshSharedColors();
}

template <class THost>
COLORREF SECListBaseT<THost>::GetBkColor() const
{
    const BOOL bEnabled = m_hWnd == nullptr || ::IsWindowEnabled(m_hWnd);
    return bEnabled ? m_crBk : SECListDisabledBkColor();
}

template <class THost>
HFONT SECListBaseT<THost>::GetHeaderFont() const
{
    return m_hFont != nullptr ? m_hFont : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

template <class THost>
HFONT SECListBaseT<THost>::GetRowFont(int /*nItem*/)
{
    return GetOwnerFont();
}

template <class THost>
HPEN SECListBaseT<THost>::GetHorzGridPen()
{
    return SECListHorzGridPen();
}

template <class THost>
HPEN SECListBaseT<THost>::GetVertGridPen()
{
    return SECListVertGridPen();
}

// ---------------------------------------------------------------------------
// The paint

template <class THost>
SECListPaintContext* SECListBaseT<THost>::CreatePaintContext(CDC* pDC)
{
    SECListPaintContext* pContext = new SECListPaintContext(pDC);
    pContext->m_nViewMode = m_dwListStyle & LVS_TYPEMASK;
    return pContext;
}

template <class THost>
SECMemDC* SECListBaseT<THost>::CreateMemDC(CDC* pDC, const CRect& rect)
{
    if (m_bHeadingDrag || m_bTrackingDivider)
        return nullptr; // the XOR feedback lives on the screen, not in a buffer
    // A target that is itself a bitmap (WM_PRINTCLIENT, snapshots) shows
    // nothing half drawn: a buffer in front of it would only copy twice.
    if (pDC != nullptr && ::GetObjectType(pDC->GetSafeHdc()) == OBJ_MEMDC)
        return nullptr;
    // The kept bitmap serves one buffer at a time: a paint inside a paint
    // (an owner updating the window while asked) gets a bitmap of its own.
    if (m_bPaintBufferBusy)
        return new SECMemDC(pDC, rect, TRUE);
    SECMemDC* pMemDC = new SECMemDC(pDC, rect, TRUE, &m_paintBuffer);
    m_bPaintBufferBusy = TRUE;
    return pMemDC;
}

template <class THost>
void SECListBaseT<THost>::DoPaint(CDC* pDC)
{
    if (pDC == nullptr || pDC->GetSafeHdc() == nullptr)
        return;
    const BOOL bReport = (m_dwListStyle & LVS_TYPEMASK) == SEC_LVS_VIEW_REPORT;
    if (pDC->IsPrinting()) {
        SECListPaintContext* pContext = CreatePaintContext(pDC);
        if (bReport && HasHeader())
            DrawHeader(pContext);
        DrawRows(pContext);
        delete pContext;
        return;
    }
    CRect inside;
    GetInsideRect(inside);
    CRect client;
    GetListClientRect(client);
    CRect area(inside.left, client.top, IsVertScrollBarShown() ? inside.right : client.right,
               IsHorzScrollBarShown() ? inside.bottom : client.bottom);
    const BOOL bCorner = IsVertScrollBarShown() && IsHorzScrollBarShown();
    const CRect corner(inside.right + 1, inside.bottom + 1, client.right, client.bottom);
    // Only what needs painting: a changed row or a row scrolled into view
    // costs that row, not the page.
    CRect clip;
    if (pDC->GetClipBox(&clip) != ERROR && !clip.IsRectEmpty())
        area.IntersectRect(&area, &clip);

    SECMemDC* pMemDC = nullptr;
    const BOOL bBufferWasBusy = m_bPaintBufferBusy; // a paint inside a paint leaves the outer one's buffer to it
    if (!area.IsRectEmpty()) {
        // Without a buffer the paint goes straight to the screen: it flickers,
        // but it shows.
        try {
            pMemDC = CreateMemDC(pDC, area);
        } catch (CException* e) {
            // Exceptions travel as CException*; only a missing GDI resource is
            // answered here, anything else goes on up.
            if (dynamic_cast<CResourceException*>(e) == nullptr)
                throw;
            e->Delete();
            pMemDC = nullptr;
        }
    }
    CDC* pDraw = pMemDC ? static_cast<CDC*>(pMemDC) : pDC;
    const int saved = pDraw->SaveDC();
    pDraw->IntersectClipRect(&area); // the header and rows outside it are skipped
    if (!area.IsRectEmpty())
        pDraw->FillSolidRect(&area, GetBkColor());
    SECListPaintContext* pContext = CreatePaintContext(pDraw);
    if (bReport && HasHeader())
        DrawHeader(pContext);
    pDraw->IntersectClipRect(&inside);
    DrawRows(pContext);
    pDraw->RestoreDC(saved);
    delete pMemDC;
    m_bPaintBufferBusy = bBufferWasBusy;
    if (bCorner && !corner.IsRectEmpty())
        pDC->FillSolidRect(&corner, SECListHeaderFaceColor());
    delete pContext;
}

template <class THost>
LRESULT SECListBaseT<THost>::OnPrintClient(WPARAM wParam, LPARAM lParam)
{
    if ((lParam & PRF_CHECKVISIBLE) != 0 && !::IsWindowVisible(m_hWnd))
        return 0;
    CDC dc;
    if (!dc.Attach(reinterpret_cast<HDC>(wParam)))
        return 0;
    DoPaint(&dc);
    dc.Detach();
    return 0;
}

template <class THost>
void SECListBaseT<THost>::DrawRows(SECListPaintContext* pContext)
{
    CDC* pDC = pContext->m_pDC;
    const BOOL bPrinting = pDC->IsPrinting();
    CRect inside;
    GetInsideRect(inside);
    int walked = 0;
    SECListMeasureScope<THost> measuring(this); // one context for the rows measured on the way
    // Rows are measured and drawn with the owner's texts; an owner that changes
    // the rows meanwhile ends this paint (its change asked for the next one).
    RecordsWatch watch(this);
    if (pContext->m_nViewMode == SEC_LVS_VIEW_ICON) {
        // Icon mode: cells as wide as column 0 flow left to right; a line
        // advances by the tallest cell in it.
        const int cellWidth = std::max(GetColumnWidth(0), 1);
        int x = inside.left - m_nHorzOffset;
        int y = inside.top;
        int lineHeight = 0;
        for (int i = m_nTopIndex; i < GetItemCount() && y < inside.bottom && !watch.Changed(); ++i) {
            MeasureItem(i, m_items.GetAt(i));
            if (watch.Changed())
                break;
            SECListItem* pRow = m_items.GetAt(i);
            if (x > inside.left && x + cellWidth > inside.right) {
                x = inside.left - m_nHorzOffset;
                y += lineHeight;
                lineHeight = 0;
            }
            const CRect rcRow(x, y, x + cellWidth, y + pRow->m_cy);
            const int rowHeight = pRow->m_cy;
            if (bPrinting || pDC->RectVisible(&rcRow))
                DrawRow(pContext, i, pRow, rcRow);
            if (watch.Changed())
                break;
            lineHeight = std::max(lineHeight, rowHeight + GetRowSpacing());
            x += cellWidth;
            ++walked;
        }
    } else if (pContext->m_nViewMode == SEC_LVS_VIEW_REPORT) {
        const int left = -m_nHorzOffset;
        const int width = GetPaintTotalWidth(pContext);
        int y = inside.top;
        // (Finding the width may already have asked the owner for texts.)
        for (int i = m_nTopIndex; i < GetItemCount() && !watch.Changed(); ++i) {
            if (!bPrinting && y >= inside.bottom)
                break;
            MeasureItem(i, m_items.GetAt(i));
            if (watch.Changed())
                break;
            SECListItem* pRow = m_items.GetAt(i);
            const int rowHeight = std::max(pRow->m_cy, 0);
            const CRect rcRow(left, y, left + width, y + rowHeight);
            if (bPrinting && y + rowHeight > inside.bottom && walked > 0)
                break;
            if (bPrinting || pDC->RectVisible(&rcRow))
                DrawRow(pContext, i, pRow, rcRow);
            if (watch.Changed())
                break;
            y += rowHeight + GetRowSpacing();
            ++walked;
        }
    }
    if (!bPrinting && m_pVertBar != nullptr && m_pVertBar->m_hWnd != nullptr && IsVertScrollBarShown()) {
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_PAGE | SIF_POS;
        si.nPage = static_cast<UINT>(walked);
        si.nPos = m_nTopIndex;
        SetBarInfo(m_pVertBar, si);
    }
}

template <class THost>
void SECListBaseT<THost>::DrawRow(SECListPaintContext* pContext, int nItem, SECListItem* pItem, const CRect& rcRow)
{
    CDC* pDC = pContext->m_pDC;
    const int columns = GetColumnCount();
    const BOOL bIcon = pContext->m_nViewMode == SEC_LVS_VIEW_ICON;
    RecordsWatch watch(this);
    for (int nCol = 0; nCol < columns && nCol < GetColumnCount(); ++nCol) {
        if (bIcon && nCol > 0)
            break;
        int width = bIcon ? rcRow.Width() : GetColumnWidth(nCol);
        if (columns == 1 && !bIcon)
            width = std::max<int>(width, pItem->m_rcText.right);
        const int left = bIcon ? rcRow.left : GetColumnLeft(nCol);
        const CRect cell(left, rcRow.top, left + width, rcRow.bottom);
        if (width <= 0 || (!pDC->IsPrinting() && !pDC->RectVisible(&cell)))
            continue;
        pContext->m_nCol = nCol;
        pContext->m_pColumn = GetColumnRecord(nCol);
        pContext->m_rect = cell;
        LoadPaintItem(pContext, nItem, GetColumnSubItem(nCol));
        if (watch.Changed() || pContext->m_pItem != pItem)
            return; // asked for the cell, the owner changed the rows: the record may be gone
        pContext->m_rect = cell;
        DrawSubItem(pContext);
    }
    DrawFocusRect(pContext, nItem, rcRow);
    if (IsListStyleExSet(SEC_LVSX_VGRID))
        DrawVertGridLines(pContext, rcRow, nItem == GetItemCount() - 1);
    if (IsListStyleExSet(SEC_LVSX_HGRID))
        DrawHorzGridLine(pContext, rcRow);
}

template <class THost>
void SECListBaseT<THost>::LoadPaintItem(SECListPaintContext* pContext, int nItem, int nSubItem)
{
    LVITEMW& item = pContext->m_lvi;
    item = LVITEMW{};
    item.mask = LVIF_TEXT | LVIF_STATE | (nSubItem == 0 ? LVIF_IMAGE : 0u);
    item.iItem = nItem;
    item.iSubItem = std::max(nSubItem, 0);
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.pszText = m_pTextBuffer;
    item.cchTextMax = kTextBufferChars;
    m_pTextBuffer[0] = L'\0';
    RecordsWatch watch(this);
    GetItem(&item, TRUE, TRUE);
    // An owner that changed the rows while asked answered for a row that may
    // now be another one: nothing is stored, and the caller stops its walk.
    if ((item.mask & LVIF_DI_SETITEM) && !watch.Changed()) {
        // The owner asked to keep what it supplied: its text and image. States
        // asked through the callback mask stay the owner's; storing them here
        // would change the selection in the middle of a paint.
        LVITEMW store = item;
        store.mask &= LVIF_TEXT | LVIF_IMAGE | LVIF_DI_SETITEM;
        SetItem(&store, FALSE);
    }
    if (item.pszText == nullptr || SECListIsCallbackText(item.pszText))
        item.pszText = m_pTextBuffer;
    SECListItem* pRow = GetItemAt(nItem);
    pContext->m_pItem = pRow;
    pContext->m_pSubItem =
        (pRow != nullptr && nSubItem > 0 && nSubItem <= pRow->m_subItems.GetSize()) ? pRow->m_subItems[nSubItem - 1]
                                                                                   : nullptr;
    GetPaintBkColor(pContext);
    GetPaintCellBkColor(pContext);
    GetPaintTextColors(pContext);
    GetPaintFont(pContext);
}

template <class THost>
void SECListBaseT<THost>::LoadWindowState(SECListPaintContext* pContext) const
{
    if (pContext->m_bStateKnown)
        return;
    pContext->m_bEnabled = m_hWnd == nullptr || ::IsWindowEnabled(m_hWnd);
    pContext->m_bFocused = HasFocus();
    pContext->m_bStateKnown = TRUE;
}

template <class THost>
void SECListBaseT<THost>::GetPaintBkColor(SECListPaintContext* pContext)
{
    LoadWindowState(pContext);
    pContext->m_crBk = pContext->m_bEnabled ? m_crBk : SECListDisabledBkColor();
}

template <class THost>
void SECListBaseT<THost>::GetPaintCellBkColor(SECListPaintContext* pContext)
{
    LoadWindowState(pContext);
    if (!pContext->m_bEnabled) {
        pContext->m_crCellBk = SECListDisabledBkColor();
        return;
    }
    const BOOL bFocused = pContext->m_bFocused;
    const BOOL bSelected = (pContext->m_lvi.state & LVIS_SELECTED) != 0;
    pContext->m_crCellBk = bFocused && bSelected ? m_crFocusCellBk : m_crCellBk;
}

template <class THost>
void SECListBaseT<THost>::GetPaintTextColors(SECListPaintContext* pContext)
{
    LoadWindowState(pContext);
    if (!pContext->m_bEnabled) {
        pContext->m_crText = m_crGrayText;
        pContext->m_crTextBk = SECListDisabledBkColor();
        return;
    }
    const BOOL bFocused = pContext->m_bFocused;
    const BOOL bSubItem = pContext->m_lvi.iSubItem > 0;
    const BOOL bFullRow = IsListStyleExSet(SEC_LVSX_FULLROWSELECT);
    const BOOL bGrey = pContext->IsGreyText();
    BOOL bSelectedLook = (pContext->m_lvi.state & LVIS_SELECTED) &&
                         (IsListStyleSet(LVS_SHOWSELALWAYS) || bFocused) && (!bSubItem || bFullRow);
    if (bSelectedLook) {
        if (!bFocused && m_nEditItem < 0) {
            pContext->m_crText = SECListInactiveSelTextColor();
            pContext->m_crTextBk = SECListDisabledBkColor();
        } else {
            pContext->m_crText = bGrey ? m_crGrayText : m_crSelText;
            pContext->m_crTextBk = m_crSelBk;
        }
    } else {
        pContext->m_crText = bGrey ? m_crGrayText : m_crText;
        pContext->m_crTextBk = m_crTextBk;
    }
    if (pContext->m_lvi.iItem == m_nDropHilite && m_nDropHilite >= 0 && (!bSubItem || bFullRow)) {
        pContext->m_crText = m_crSelText;
        pContext->m_crTextBk = m_crSelBk;
    }
}

template <class THost>
void SECListBaseT<THost>::GetPaintFont(SECListPaintContext* pContext)
{
    pContext->m_hFont = GetRowFont(pContext->m_lvi.iItem);
}

template <class THost>
void SECListBaseT<THost>::DrawSubItem(SECListPaintContext* pContext)
{
    const LPCWSTR text = pContext->m_lvi.pszText;
    if (text == nullptr || *text == L'\0') {
        pContext->m_pDC->FillSolidRect(&pContext->m_rect, pContext->m_crBk);
        return;
    }
    // DrawItemText fills the cell but for the image, which shows the row's
    // background: each pixel is filled once.
    CRect image;
    if (pContext->m_pSubItem == nullptr && GetPaintImageRect(pContext, image))
        pContext->m_pDC->FillSolidRect(&image, pContext->m_crBk);
    if (pContext->m_pSubItem == nullptr)
        DrawItemImage(pContext);
    DrawItemText(pContext);
}

template <class THost>
BOOL SECListBaseT<THost>::GetPaintImageRect(SECListPaintContext* pContext, CRect& rect)
{
    const SECListItem* pRow = pContext->m_pItem;
    const BOOL bIcon = pContext->m_nViewMode == SEC_LVS_VIEW_ICON;
    if (pContext->m_pSubItem != nullptr || pRow == nullptr || pRow->m_rcIcon.IsRectEmpty() ||
        GetImageList(bIcon ? kImageNormal : kImageSmall) == nullptr)
        return FALSE;
    const CRect& cell = pContext->m_rect;
    const CRect& icon = pRow->m_rcIcon;
    const int x = bIcon ? cell.left + (pRow->m_rcText.Width() - SECListDetail::kHeaderImageSize) / 2
                        : cell.left + icon.left;
    rect.SetRect(x, cell.top + icon.top, x + icon.Width(), cell.top + icon.bottom);
    return TRUE;
}

template <class THost>
void SECListBaseT<THost>::DrawItemImage(SECListPaintContext* pContext)
{
    SECListItem* pRow = pContext->m_pItem;
    const BOOL bIcon = pContext->m_nViewMode == SEC_LVS_VIEW_ICON;
    CImageList* pImages = GetImageList(bIcon ? kImageNormal : kImageSmall);
    if (pRow == nullptr || pImages == nullptr || pRow->m_rcIcon.IsRectEmpty())
        return;
    CPoint at(pContext->m_rect.left + pRow->m_rcIcon.left, pContext->m_rect.top + pRow->m_rcIcon.top);
    if (bIcon)
        at.x = pContext->m_rect.left + (pRow->m_rcText.Width() - SECListDetail::kHeaderImageSize) / 2;
    pImages->Draw(pContext->m_pDC, pContext->m_lvi.iImage, at, ILD_NORMAL);
}

template <class THost>
void SECListBaseT<THost>::DrawItemText(SECListPaintContext* pContext)
{
    CDC* pDC = pContext->m_pDC;
    const CRect& cell = pContext->m_rect;
    SECListItem* pRow = pContext->m_pItem;
    CRect rcText(cell.left + 6, cell.top, cell.right - 5, cell.bottom);
    if (pContext->m_pSubItem == nullptr && pRow != nullptr && !pRow->m_rcIcon.IsRectEmpty()) {
        if (pContext->m_nViewMode == SEC_LVS_VIEW_ICON) {
            rcText = pRow->m_rcText;
            rcText.OffsetRect(cell.left, cell.top);
        } else {
            // 3 pixels below the top, as far as the row has room: a wrapped
            // label as tall as the row would lose its last line's descenders.
            const int left = cell.left + pRow->m_rcIcon.right + 4;
            const int drop = std::min(3, std::max(0, cell.Height() - pRow->m_rcText.Height()));
            rcText.SetRect(left, cell.top + drop, std::min<int>(left + pRow->m_rcText.Width(), cell.right - 5),
                           cell.bottom);
        }
    }
    // The image drawn just before keeps its place; the rest of the cell takes
    // the text background, so a selection spans the whole cell.
    CRect image;
    if (GetPaintImageRect(pContext, image)) {
        const int saved = pDC->SaveDC();
        pDC->ExcludeClipRect(&image);
        pDC->FillSolidRect(&cell, pContext->m_crTextBk);
        pDC->RestoreDC(saved);
    } else {
        pDC->FillSolidRect(&cell, pContext->m_crTextBk);
    }
    const int nEditSubItem = GetColumnSubItem(m_nEditCol);
    if (pContext->m_lvi.iItem == m_nEditItem && m_nEditItem >= 0 &&
        pContext->m_lvi.iSubItem == std::max(nEditSubItem, 0))
        return; // the editor shows this text
    UINT flags = SECListDetail::kCellTextFlags;
    const int align = pContext->m_pColumn ? pContext->m_pColumn->GetAlignment() : LVCFMT_LEFT;
    if (align == LVCFMT_RIGHT)
        flags |= DT_RIGHT;
    else if (align == LVCFMT_CENTER)
        flags |= DT_CENTER;
    if (IsListStyleSet(LVS_NOLABELWRAP))
        flags |= DT_SINGLELINE | DT_END_ELLIPSIS;
    HGDIOBJ oldFont = pDC->SelectObject(pContext->m_hFont ? pContext->m_hFont : GetOwnerFont());
    const COLORREF oldText = pDC->SetTextColor(pContext->m_crText);
    const COLORREF oldBk = pDC->SetBkColor(pContext->m_crTextBk);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    SECDrawCellText(pDC->GetSafeHdc(), pContext->m_lvi.pszText, &rcText, flags);
    pDC->SetBkMode(oldMode);
    pDC->SetBkColor(oldBk);
    pDC->SetTextColor(oldText);
    pDC->SelectObject(oldFont);
}

template <class THost>
void SECListBaseT<THost>::DrawFocusRect(SECListPaintContext* pContext, int nItem, const CRect& rcRow)
{
    if (pContext->m_nViewMode != SEC_LVS_VIEW_REPORT || !IsListStyleExSet(SEC_LVSX_FULLROWSELECT) ||
        nItem != m_nFocusIndex || GetColumnCount() < 2 || !HasFocus())
        return;
    SECListItem* pRow = GetItemAt(nItem);
    const int nMain = std::max(GetMainColumn(), 0);
    const CRect focus(GetColumnLeft(nMain) + (pRow ? pRow->m_rcText.left : 0) - 3, rcRow.top, rcRow.right,
                      rcRow.bottom);
    const COLORREF oldText = pContext->m_pDC->SetTextColor(RGB(0, 0, 0));
    const COLORREF oldBk = pContext->m_pDC->SetBkColor(RGB(255, 255, 255));
    pContext->m_pDC->DrawFocusRect(&focus);
    pContext->m_pDC->SetBkColor(oldBk);
    pContext->m_pDC->SetTextColor(oldText);
}

template <class THost>
void SECListBaseT<THost>::DrawHorzGridLine(SECListPaintContext* pContext, const CRect& rcRow)
{
    CDC* pDC = pContext->m_pDC;
    HGDIOBJ old = pDC->SelectObject(GetHorzGridPen());
    pDC->MoveTo(rcRow.left, rcRow.bottom - 1);
    pDC->LineTo(rcRow.right, rcRow.bottom - 1);
    pDC->SelectObject(old);
}

template <class THost>
void SECListBaseT<THost>::DrawVertGridLines(SECListPaintContext* pContext, const CRect& rcRow, BOOL bLastRow)
{
    CDC* pDC = pContext->m_pDC;
    const int columns = GetColumnCount();
    const int last = IsListStyleExSet(SEC_LVSX_FITCOLUMNS) ? columns - 1 : columns;
    HGDIOBJ old = pDC->SelectObject(GetVertGridPen());
    for (int i = 0; i < last; ++i) {
        const int x = GetColumnRight(i) - 1;
        pDC->MoveTo(x, rcRow.top);
        pDC->LineTo(x, rcRow.bottom);
    }
    pDC->SelectObject(GetHorzGridPen());
    if (bLastRow) {
        pDC->MoveTo(rcRow.left, rcRow.bottom - 1);
        pDC->LineTo(rcRow.right, rcRow.bottom - 1);
    }
    // Then the main column's and the last column's right edges, the last one
    // also when the columns fill the width.
    const int nMain = GetMainColumn();
    for (int i : {nMain, columns - 1}) {
        if (i < 0 || i >= columns)
            continue;
        const int x = GetColumnRight(i) - 1;
        pDC->MoveTo(x, rcRow.top);
        pDC->LineTo(x, rcRow.bottom);
    }
    pDC->SelectObject(old);
}

// ---------------------------------------------------------------------------
// Header band

namespace SECListDetail {
// The sort mark in its slot at the right of the heading: the theme's arrow, or
// a triangle in the shadow colour.
inline void DrawSortMark(CDC* pDC, HTHEME_SEC hTheme, const CRect& slot, int nMark)
{
    const CPoint centre = slot.CenterPoint();
    if (hTheme != nullptr) {
        const CRect arrow(centre.x - kSortArrowWidth / 2, centre.y - kSortArrowHeight / 2,
                          centre.x - kSortArrowWidth / 2 + kSortArrowWidth,
                          centre.y - kSortArrowHeight / 2 + kSortArrowHeight);
        SECThemeApi::Get().DrawThemeBackground(hTheme, pDC->GetSafeHdc(), kHeaderPartSortArrow,
                                               nMark == kSortUp ? kSortArrowStateUp : kSortArrowStateDown, &arrow,
                                               nullptr);
        return;
    }
    const int h = kSortTriangleHalf;
    const int top = centre.y - h / 2;
    POINT points[3];
    if (nMark == kSortUp) {
        points[0] = {centre.x, top};
        points[1] = {centre.x - h, top + h};
        points[2] = {centre.x + h, top + h};
    } else {
        points[0] = {centre.x - h, top};
        points[1] = {centre.x + h, top};
        points[2] = {centre.x, top + h};
    }
    HPEN pen = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    HGDIOBJ oldPen = ::SelectObject(pDC->GetSafeHdc(), pen);
    HGDIOBJ oldBrush = ::SelectObject(pDC->GetSafeHdc(), ::GetSysColorBrush(COLOR_BTNSHADOW));
    ::Polygon(pDC->GetSafeHdc(), points, 3);
    ::SelectObject(pDC->GetSafeHdc(), oldBrush);
    ::SelectObject(pDC->GetSafeHdc(), oldPen);
    ::DeleteObject(pen);
}

// One heading's face and text, in the given state (0 normal, 1 hot, 2 pressed),
// with its sort mark (SortMark).
template <class TList>
void DrawHeading(TList* pList, CDC* pDC, HTHEME_SEC hTheme, SECListColumn* pColumn, const CRect& rect, int nState,
                 int nSortMark = kSortNone)
{
    if (rect.Width() <= 0)
        return;
    CRect face = rect;
    if (hTheme != nullptr) {
        const int state = nState == 2 ? kHeaderStatePressed : (nState == 1 ? kHeaderStateHot : kHeaderStateNormal);
        SECThemeApi::Get().DrawThemeBackground(hTheme, pDC->GetSafeHdc(), kHeaderPartItem, state, &face, nullptr);
    } else {
        pDC->DrawFrameControl(&face, DFC_BUTTON, nState == 2 ? kClassicPressed : DFCS_BUTTONPUSH);
    }
    CRect rcText(rect.left + kHeadingTextLeft, rect.top, rect.right - 1 - kHeadingTextRight, rect.bottom);
    if (nState == 2)
        rcText.OffsetRect(1, 1);
    // The mark keeps its slot while the heading is wide enough for some text
    // beside it; the text is clipped first.
    if (nSortMark != kSortNone && rcText.Width() > kSortMarkSlot) {
        const CRect slot(rcText.right - kSortMarkSlot, rcText.top, rcText.right, rcText.bottom);
        DrawSortMark(pDC, hTheme, slot, nSortMark);
        rcText.right = slot.left;
    }
    UINT format = kHeadingTextFlags;
    const int align = pColumn->GetAlignment();
    if (align == LVCFMT_RIGHT)
        format |= DT_RIGHT;
    else if (align == LVCFMT_CENTER)
        format |= DT_CENTER;
    const CSize extent = pDC->GetTextExtent(pColumn->m_strHeading);
    CImageList* pImages = pList->GetImageList(TList::kImageHeader);
    if (pImages != nullptr && pColumn->m_iImage >= 0 && rect.Width() > kHeaderImageMinCell)
        pList->DrawHeaderImage(pDC, pColumn, rcText, format, extent.cx);
    if (extent.cx > rcText.Width())
        format |= DT_END_ELLIPSIS;
    pDC->DrawText(pColumn->m_strHeading, &rcText, format);
}
} // namespace SECListDetail

template <class THost>
int SECListBaseT<THost>::GetPaintTotalWidth(SECListPaintContext* pContext)
{
    if (pContext->m_nTotalWidth < 0)
        pContext->m_nTotalWidth = GetTotalWidth();
    return pContext->m_nTotalWidth;
}

template <class THost>
void SECListBaseT<THost>::DrawHeader(SECListPaintContext* pContext)
{
    CDC* pDC = pContext->m_pDC;
    CRect client;
    GetListClientRect(client);
    const int width = std::max(GetPaintTotalWidth(pContext), client.Width() + 1);
    const CRect band(-m_nHorzOffset, client.top, -m_nHorzOffset + width, client.top + m_nHeaderHeight);
    if (!pDC->IsPrinting() && !pDC->RectVisible(&band))
        return;
    HGDIOBJ oldFont = pDC->SelectObject(GetHeaderFont());
    HGDIOBJ oldBrush = pDC->SelectObject(SECListHeaderBrush());
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldText = pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    pDC->FillRect(&band, SECListHeaderBrush());
    SECThemeApi& theme = SECThemeApi::Get();
    HTHEME_SEC hTheme = nullptr;
    if (!pDC->IsPrinting() && theme.IsHeaderThemed()) {
        HWND hMain = m_hWnd ? ::GetAncestor(m_hWnd, GA_ROOTOWNER) : nullptr;
        hTheme = theme.OpenThemeData(hMain ? hMain : ::GetDesktopWindow(), L"HEADER");
    }
    const int columns = GetColumnCount();
    for (int i = 0; i < columns; ++i) {
        const CRect rect(GetColumnLeft(i), band.top, GetColumnRight(i), band.bottom);
        const int state = i == m_nPressedCol ? 2 : (i == m_nHotCol ? 1 : 0);
        SECListDetail::DrawHeading(this, pDC, hTheme, m_columns[i], rect, state, SortMarkOf(m_columns[i]));
    }
    if (columns > 0) {
        const int lastRight = GetColumnRight(columns - 1);
        CRect rest(lastRight, band.top, std::max<int>(client.right + 2, lastRight + 2), band.bottom);
        if (hTheme != nullptr)
            theme.DrawThemeBackground(hTheme, pDC->GetSafeHdc(), SECListDetail::kHeaderPartItemRight,
                                      SECListDetail::kHeaderStateNormal, &rest, nullptr);
        else
            pDC->DrawFrameControl(&rest, DFC_BUTTON, DFCS_BUTTONPUSH);
    }
    if (hTheme != nullptr)
        theme.CloseThemeData(hTheme);
    pDC->SetTextColor(oldText);
    pDC->SetBkMode(oldMode);
    pDC->SelectObject(oldBrush);
    pDC->SelectObject(oldFont);
}

template <class THost>
void SECListBaseT<THost>::DrawHeaderItem(int nCol, BOOL bPressed)
{
    SECListColumn* pColumn = GetColumnRecord(nCol);
    if (pColumn == nullptr || !IsAlive() || !HasHeader())
        return;
    CClientDC dc(this);
    CRect client;
    GetListClientRect(client);
    if (IsVertScrollBarShown()) {
        CRect inside;
        GetInsideRect(inside);
        CRect bar(inside.right, client.top, client.right, client.bottom);
        dc.ExcludeClipRect(&bar);
    }
    HGDIOBJ oldFont = dc.SelectObject(GetHeaderFont());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    const CRect rect(GetColumnLeft(nCol), client.top, GetColumnRight(nCol), client.top + m_nHeaderHeight);
    dc.FillRect(&rect, SECListHeaderBrush());
    SECThemeApi& theme = SECThemeApi::Get();
    HTHEME_SEC hTheme = nullptr;
    if (theme.IsHeaderThemed()) {
        HWND hMain = ::GetAncestor(m_hWnd, GA_ROOTOWNER);
        hTheme = theme.OpenThemeData(hMain ? hMain : ::GetDesktopWindow(), L"HEADER");
    }
    SECListDetail::DrawHeading(this, &dc, hTheme, pColumn, rect, bPressed ? 2 : (nCol == m_nHotCol ? 1 : 0),
                               SortMarkOf(pColumn));
    if (hTheme != nullptr)
        theme.CloseThemeData(hTheme);
    dc.SelectObject(oldFont);
}

template <class THost>
void SECListBaseT<THost>::DrawHeaderImage(CDC* pDC, SECListColumn* pColumn, CRect& rcText, UINT& nFormat,
                                          int nTextWidth)
{
    CImageList* pImages = GetImageList(kImageHeader);
    if (pImages == nullptr || pColumn == nullptr)
        return;
    const int align = pColumn->GetAlignment();
    int x = rcText.left;
    if (align == LVCFMT_RIGHT)
        x = rcText.right - nTextWidth - SECListDetail::kHeaderImageGap;
    else if (align == LVCFMT_CENTER)
        x = rcText.left + (rcText.Width() - nTextWidth - SECListDetail::kHeaderImageGap) / 2;
    const BOOL bImageRight = (pColumn->m_fmt & SECListColumn::kImageOnRight) != 0;
    if (bImageRight)
        x = std::min<int>(rcText.right - SECListDetail::kHeaderImageSize, x + 10 + nTextWidth);
    x = std::max<int>(x, rcText.left);
    HICON hIcon = ImageList_GetIcon(pImages->GetSafeHandle(), pColumn->m_iImage, ILD_NORMAL);
    if (hIcon != nullptr) {
        ::DrawIconEx(pDC->GetSafeHdc(), x, rcText.top + 1, hIcon, SECListDetail::kHeaderImageSize,
                     SECListDetail::kHeaderImageSize, 0, nullptr, DI_NORMAL);
        ::DestroyIcon(hIcon);
    }
    if (bImageRight) {
        rcText.right = x - 10;
        nFormat = (nFormat & ~(DT_CENTER | DT_RIGHT)) | DT_RIGHT;
    } else {
        rcText.left = x + SECListDetail::kHeaderImageGap;
        nFormat &= ~(DT_CENTER | DT_RIGHT);
    }
}

template <class THost>
CImageList* SECListBaseT<THost>::CreateHeaderDragImage(int nCol)
{
    SECListColumn* pColumn = GetColumnRecord(nCol);
    if (pColumn == nullptr || pColumn->m_cx <= 0 || m_hWnd == nullptr)
        return nullptr;
    const CRect rect(0, 0, pColumn->m_cx, m_nHeaderHeight + 1);
    CClientDC screen(this);
    CDC dc;
    if (!dc.CreateCompatibleDC(&screen))
        return nullptr;
    CBitmap bitmap;
    if (!bitmap.CreateCompatibleBitmap(screen.GetSafeHdc(), rect.Width(), rect.Height()))
        return nullptr;
    HGDIOBJ oldBitmap = dc.SelectObject(&bitmap);
    dc.FillSolidRect(&rect, SECListDetail::kDragImageBk);
    HGDIOBJ oldFont = dc.SelectObject(GetHeaderFont());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    SECListDetail::DrawHeading(this, &dc, nullptr, pColumn, rect, 0, SortMarkOf(pColumn));
    dc.SelectObject(oldFont);
    dc.SelectObject(oldBitmap);
    CImageList* pImage = new CImageList;
    if (!pImage->Create(rect.Width(), rect.Height(), ILC_MASK | ILC_COLOR24, 1, 0) ||
        pImage->Add(static_cast<HBITMAP>(bitmap), SECListHeaderFaceColor()) < 0) {
        delete pImage;
        return nullptr;
    }
    return pImage;
}

template <class THost>
void SECListBaseT<THost>::DrawColumnInsertMark(int nCol, CPoint point)
{
    if (GetColumnRecord(nCol) == nullptr || !IsAlive())
        return;
    const int left = GetColumnLeft(nCol);
    const int right = GetColumnRight(nCol);
    const BOOL bRightHalf = point.x >= left + (right - left) / 2;
    const int x = bRightHalf ? right : left;
    m_nDropCol = bRightHalf ? nCol + 1 : nCol;
    CClientDC dc(this);
    CRect client;
    GetListClientRect(client);
    dc.FillSolidRect(x, client.top, 1, m_nHeaderHeight, SECListDetail::kInsertMarkColor);
}

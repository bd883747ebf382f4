// Where everything of the list lies: rows area, columns, row heights, scroll
// offsets, the child scroll bars, and what is under a point. Part of
// SECListBaseT; compiled in SECListBaseC.cpp.

#include "listctrl/SECListCharWidths.h"

namespace SECListDetail {
// Horizontal scroll step of a line command and of a wheel notch, in pixels.
const int kHorzLineStep = 15;
// Wheel delta of one notch.
const int kWheelNotch = WHEEL_DELTA;
// Control ids of the child scroll bars.
const UINT kHorzBarId = 0xEA00;
const UINT kVertBarId = 0xEA10;
// A pointer this close to a column boundary in the header is on its divider.
const int kDividerSlop = 4;
// The text of a cell may use the column width minus the image and this margin.
const int kTextMargin = 11;
// Default origin of a measured label inside its cell.
const int kLabelLeft = 6;
const int kLabelTop = 2;
// Gap between the row image and the label.
const int kImageGap = 5;
// Measuring flags: DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_CALCRECT.
const UINT kMeasureFlags = 0xC50;
} // namespace SECListDetail

// A device context for measuring, selected with the list's font. A scope
// opened while another one of the same list is open borrows its context, so a
// walk over many rows (layout, painting) gets one context, not one per row:
// every member that walks rows opens one. The context is made only when
// something is measured: a layout whose rows are all measured (the usual
// case) costs no device context at all.
template <class THost>
class SECListMeasureScope
{
public:
    // The open scopes hang from the list, not from a thread-local chain: a
    // thread-local costs a locked lookup per access in this runtime, and
    // every row measured opens a scope.
    explicit SECListMeasureScope(SECListBaseT<THost>* pList) : m_pList(pList), m_pOuter(pList->m_pMeasureScope)
    {
// The destructor takes the scope out again; the compiler cannot see that.
#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ >= 12
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdangling-pointer"
#endif
        pList->m_pMeasureScope = this;
#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ >= 12
#pragma GCC diagnostic pop
#endif
    }
    ~SECListMeasureScope()
    {
        m_pList->m_pMeasureScope = m_pOuter;
        delete m_pContext;
        if (m_bOwned) {
            m_pDC->SelectObject(m_hOldFont);
            m_pList->ReleaseClientDC(m_pDC);
        }
    }
    SECListMeasureScope(const SECListMeasureScope&) = delete;
    SECListMeasureScope& operator=(const SECListMeasureScope&) = delete;
    CDC* DC()
    {
        if (Outer() != nullptr)
            return Outer()->DC();
        if (m_pDC == nullptr && !m_bTried) {
            m_bTried = TRUE;
            m_pDC = m_pList->CreateClientDC();
            m_bOwned = m_pDC != nullptr;
            if (m_bOwned)
                m_hOldFont = static_cast<HFONT>(m_pDC->SelectObject(m_pList->GetOwnerFont()));
        }
        return m_pDC;
    }
    // A paint context over the measuring DC, made once for the outermost scope
    // and shared by the scopes inside it.
    SECListPaintContext* Context()
    {
        if (Outer() != nullptr)
            return Outer()->Context();
        if (m_pContext == nullptr && DC() != nullptr)
            m_pContext = m_pList->CreatePaintContext(m_pDC);
        return m_pContext;
    }
    // The character widths of hFont, when pDC is the measuring context a scope
    // open for pList made (a plain screen context): texts measured there need
    // no GDI call each. Null otherwise.
    static const SECListCharWidths* WidthsFor(const SECListBaseT<THost>* pList, CDC* pDC, HFONT hFont)
    {
        for (SECListMeasureScope* p = pList->m_pMeasureScope; p != nullptr; p = p->m_pOuter) {
            if (!p->m_bOwned || p->m_pDC != pDC)
                continue;
            if (p->m_nPlainScreen < 0) {
                const HDC hdc = pDC->GetSafeHdc();
                p->m_nPlainScreen = ::GetDeviceCaps(hdc, TECHNOLOGY) == DT_RASDISPLAY &&
                                    ::GetMapMode(hdc) == MM_TEXT && ::GetTextCharacterExtra(hdc) == 0;
            }
            if (!p->m_nPlainScreen)
                return nullptr;
            if (p->m_hWidthsFont != hFont) {
                p->m_hWidthsFont = hFont;
                p->m_pWidths = SECListCharWidths::ForFont(pDC->GetSafeHdc(), hFont);
            }
            return p->m_pWidths;
        }
        return nullptr;
    }

private:
    // The scope of the same list this one borrows from; null when it is the outermost.
    SECListMeasureScope* Outer() const
    {
        return m_pOuter;
    }

    SECListBaseT<THost>* m_pList;      // the list measured
    SECListMeasureScope* m_pOuter;     // the scope of the same list open before this one
    CDC* m_pDC = nullptr;              // the measuring context, once made
    BOOL m_bTried = FALSE;             // making it was tried (it may fail without a window)
    BOOL m_bOwned = FALSE;             // this scope made the context and releases it
    HFONT m_hOldFont = nullptr;        // font displaced by the list's font
    SECListPaintContext* m_pContext = nullptr; // context made by Context(), owned
    int m_nPlainScreen = -1;                   // the context is a screen context in MM_TEXT; -1 until looked at
    HFONT m_hWidthsFont = nullptr;             // font m_pWidths belongs to
    const SECListCharWidths* m_pWidths = nullptr; // its character widths; null when it has none
};

// ---------------------------------------------------------------------------
// Rectangles

template <class THost>
void SECListBaseT<THost>::GetListClientRect(CRect& rect) const
{
    rect.SetRectEmpty();
    if (m_hWnd != nullptr)
        ::GetClientRect(m_hWnd, &rect);
}

template <class THost>
void SECListBaseT<THost>::GetInsideRect(CRect& rect) const
{
    if (m_hWnd == nullptr) {
        rect.SetRectEmpty();
        return;
    }
    GetListClientRect(rect);
    if ((m_dwListStyle & LVS_TYPEMASK) == SEC_LVS_VIEW_REPORT && HasHeader())
        rect.top += m_nHeaderHeight;
    if (IsVertScrollBarShown())
        rect.right += 1 - SECListVScrollWidth();
    if (IsHorzScrollBarShown())
        rect.bottom += 1 - SECListHScrollHeight();
    rect.bottom += 1;
}

template <class THost>
CDC* SECListBaseT<THost>::CreateClientDC()
{
    return new CClientDC(this);
}

template <class THost>
void SECListBaseT<THost>::ReleaseClientDC(CDC* pDC)
{
    delete pDC;
}

template <class THost>
CScrollBar* SECListBaseT<THost>::GetScrollBarCtrl(int nBar) const
{
    return nBar == SB_HORZ ? m_pHorzBar : (nBar == SB_VERT ? m_pVertBar : nullptr);
}

// ---------------------------------------------------------------------------
// Columns

template <class THost>
int SECListBaseT<THost>::GetColumnWidth(int nCol) const
{
    if (GetColumnCount() == 0) {
        CRect inside;
        GetInsideRect(inside);
        return inside.Width();
    }
    const SECListColumn* pColumn = GetColumnRecord(nCol);
    return pColumn ? pColumn->m_cx : 0;
}

template <class THost>
int SECListBaseT<THost>::GetColumnLeft(int nCol) const
{
    int x = -m_nHorzOffset;
    for (int i = 0; i < nCol && i < GetColumnCount(); ++i)
        x += m_columns[i]->m_cx;
    return x;
}

template <class THost>
int SECListBaseT<THost>::GetColumnRight(int nCol) const
{
    return GetColumnLeft(nCol) + GetColumnWidth(nCol);
}

template <class THost>
int SECListBaseT<THost>::GetTotalWidth()
{
    if (GetColumnCount() >= 2) {
        int total = 0;
        for (int i = 0; i < GetColumnCount(); ++i)
            total += m_columns[i]->m_cx;
        return total;
    }
    CRect inside;
    GetInsideRect(inside);
    int widest = 0;
    if (!HasVariableRowHeight()) {
        if (m_nWidestGeneration != m_nRowsGeneration && !CountPendingLabelWidths()) {
            // Every row's label edge is counted, so that rows going one by one
            // need no new walk over all rows (ForgetLabelWidths).
            SECListMeasureScope<THost> scope(this);
            RecordsWatch watch(this);
            const UINT generation = m_nRowsGeneration;
            int found = 0;
            BOOL bWhole = TRUE;
            BOOL bAllMeasured = TRUE;
            std::map<int, int> counts;
            auto last = counts.end();
            for (int i = 0; i < GetItemCount(); ++i) {
                MeasureItem(i, m_items.GetAt(i));
                if (watch.Changed()) {
                    bWhole = FALSE; // the owner changed the rows: this width is not kept
                    break;
                }
                const SECListItem* pRow = m_items.GetAt(i);
                const int right = pRow->m_rcText.right + 5;
                found = std::max<int>(found, right);
                bAllMeasured = bAllMeasured && IsRowMeasured(pRow);
                if (last == counts.end() || last->first != right)
                    last = counts.emplace(right, 0).first;
                ++last->second;
            }
            // Kept only when nothing changed meanwhile: an owner asked for a
            // text may mark a row counted already, or start a walk of its own.
            if (bWhole && m_nRowsGeneration == generation) {
                m_nWidestLabel = found;
                m_nWidestGeneration = m_nRowsGeneration;
                m_widestCounts.swap(counts);
                m_bWidestCounted = bAllMeasured;
            }
            widest = found;
        } else {
            widest = m_nWidestLabel;
        }
    } else {
        SECListMeasureScope<THost> scope(this);
        RecordsWatch watch(this);
        int y = 0;
        for (int i = m_nTopIndex; i < GetItemCount() && y < inside.Height(); ++i) {
            MeasureItem(i, m_items.GetAt(i));
            if (watch.Changed())
                break;
            const SECListItem* pRow = m_items.GetAt(i);
            widest = std::max<int>(widest, pRow->m_rcText.right + 5);
            y += std::max(pRow->m_cy, 0) + GetRowSpacing();
        }
    }
    if ((m_dwListStyle & LVS_TYPEMASK) == SEC_LVS_VIEW_REPORT)
        widest = std::max<int>(widest, inside.Width());
    return widest;
}

template <class THost>
void SECListBaseT<THost>::FitColumnsToWidth()
{
    const int count = GetColumnCount();
    if (count == 0 || m_hWnd == nullptr)
        return;
    int nMain = -1;
    for (int i = count - 1; i >= 0; --i) {
        if (m_columns[i]->m_iSubItem == 0) {
            nMain = i;
            break;
        }
    }
    if (nMain < 0)
        return;
    CRect inside;
    GetInsideRect(inside);
    const int width = inside.Width();
    int others = 0;
    for (int i = 0; i < count; ++i) {
        if (i != nMain)
            others += m_columns[i]->m_cx;
    }
    const int kMinMain = 20;
    // A rows area narrower than the other columns leaves the main column empty,
    // never negative.
    m_columns[nMain]->m_cx = std::max(width - others, 0);
    if (width > count + 19 && m_columns[nMain]->m_cx < kMinMain) {
        // Share what is left beside a 20-pixel main column out by the old
        // widths, each share taken off the remaining width before the next.
        m_columns[nMain]->m_cx = kMinMain;
        int remaining = width - kMinMain;
        const double sum = others > 0 ? static_cast<double>(others) : 1.0;
        for (int i = 1; i <= count - 2; ++i) {
            if (i == nMain)
                continue;
            const int share = static_cast<int>(m_columns[i]->m_cx / sum * remaining);
            m_columns[i]->m_cx = share;
            remaining -= share;
        }
        if (count - 1 != nMain)
            m_columns[count - 1]->m_cx = remaining;
    }
    if (HasVariableRowHeight())
        InvalidateRowHeights();
}

template <class THost>
void SECListBaseT<THost>::CheckFitColumns()
{
    if (GetColumnCount() == 1 || IsListStyleExSet(SEC_LVSX_FITCOLUMNS))
        FitColumnsToWidth();
}

// ---------------------------------------------------------------------------
// Measuring

template <class THost>
int SECListBaseT<THost>::GetItemHeight(int nItem)
{
    SECListItem* pRow = GetItemAt(nItem);
    if (pRow == nullptr)
        return 0;
    if (!IsRowMeasured(pRow)) {
        MeasureItem(nItem, pRow);
        // Asked for the row's texts, the owner may have changed the rows.
        pRow = GetItemAt(nItem);
        if (pRow == nullptr)
            return 0;
    }
    // A measured row is at least one pixel high; so is one whose measuring
    // the owner broke off: every walk down the rows advances, even past an
    // owner that inserts a row each time it is asked for a text.
    return std::max(pRow->m_cy, 1);
}

template <class THost>
void SECListBaseT<THost>::MeasureItemByIndex(int nItem)
{
    SECListItem* pRow = GetItemAt(nItem);
    if (pRow != nullptr)
        MeasureItem(nItem, pRow);
}

template <class THost>
void SECListBaseT<THost>::MeasureItem(int nItem, SECListItem* pItem)
{
    // A row whose measuring asked the owner, who asks for the row's geometry in
    // turn, keeps its height so far instead of starting over without end.
    if (pItem == nullptr || IsRowMeasured(pItem) || pItem == m_pMeasuring)
        return;
    if (pItem->m_nHeightEpoch != m_nHeightsEpoch) {
        // All heights were declared unknown since this row was measured.
        pItem->m_cy = -1;
        pItem->m_nHeightEpoch = m_nHeightsEpoch;
        pItem->m_bDirty = TRUE;
    }
    if (pItem->m_cy == -1)
        pItem->m_cy = 0;
    SECListMeasureScope<THost> scope(this);
    if (scope.DC() == nullptr)
        return;
    SECListPaintContext* pContext = scope.Context();
    const SECListItem* pOuter = m_pMeasuring;
    m_pMeasuring = pItem;
    RecordsWatch watch(this);
    int height = pItem->m_cy;
    const int columns = std::max(GetColumnCount(), 1);
    for (int nCol = 0; nCol < columns; ++nCol) {
        pContext->m_nCol = nCol;
        pContext->m_pColumn = GetColumnRecord(nCol);
        LoadPaintItem(pContext, nItem, GetColumnCount() ? GetColumnSubItem(nCol) : 0);
        // The owner changed the rows while asked for the cell: the record may
        // be gone. It stays marked, and the next walk measures what is there.
        if (watch.Changed() || pContext->m_pItem != pItem) {
            m_pMeasuring = pOuter;
            return;
        }
        height = std::max(height, MeasureSubItem(pContext, nCol));
    }
    m_pMeasuring = pOuter;
    // A row is never lower than one line of its font, so that an empty row can
    // still be seen, clicked and scrolled.
    pItem->m_cy = std::max(height, 1);
    pItem->m_bDirty = FALSE;
}

template <class THost>
void SECListBaseT<THost>::CalcImageRect(SECListPaintContext* pContext, CRect& rect)
{
    rect.SetRectEmpty();
    const UINT view = m_dwListStyle & LVS_TYPEMASK;
    CImageList* pImages = GetImageList(view == SEC_LVS_VIEW_ICON ? kImageNormal : kImageSmall);
    if (pImages == nullptr || pImages->GetSafeHandle() == nullptr || pContext->m_pItem == nullptr)
        return;
    const CSize size = pImages->GetIconSize();
    rect.SetRect(2, 2, size.cx + 2, size.cy + 2);
}

template <class THost>
void SECListBaseT<THost>::CalcTextRect(SECListPaintContext* pContext, CRect& rect, int nAvailable)
{
    rect.SetRect(0, 0, std::max(nAvailable, 1), 0);
    UINT flags = SECListDetail::kMeasureFlags;
    const int align = pContext->m_pColumn ? pContext->m_pColumn->GetAlignment() : LVCFMT_LEFT;
    if (align == LVCFMT_RIGHT)
        flags |= DT_RIGHT;
    else if (align == LVCFMT_CENTER)
        flags |= DT_CENTER;
    LPCWSTR text = pContext->m_lvi.pszText;
    if (text == nullptr || SECListIsCallbackText(text) || *text == L'\0')
        text = L" "; // an empty cell measures one line
    int length = lstrlenW(text);
    if (!HasVariableRowHeight()) {
        const LPCWSTR lf = std::wcschr(text, L'\n');
        if (lf != nullptr)
            length = static_cast<int>(lf - text) + 1;
        flags |= DT_SINGLELINE;
    }
    CDC* pDC = pContext->m_pDC;
    const HFONT hFont = pContext->m_hFont ? pContext->m_hFont : GetOwnerFont();
    // A left-aligned single line without control characters measures the same
    // with the text extent, at a fraction of the cost: large single-line lists
    // (and every tree) measure each row once. In the measuring context, the
    // font's character widths give that extent without a GDI call.
    const BOOL bPlainLine = (flags & DT_SINGLELINE) && align == LVCFMT_LEFT &&
                            std::none_of(text, text + length, [](WCHAR ch) { return ch < L' '; });
    SIZE extent{};
    if (bPlainLine) {
        const SECListCharWidths* pWidths = SECListMeasureScope<THost>::WidthsFor(this, pDC, hFont);
        if (pWidths != nullptr && pWidths->Measure(text, length, extent)) {
            rect.SetRect(0, 0, extent.cx, extent.cy);
            return;
        }
    }
    HGDIOBJ old = pDC->SelectObject(hFont);
    if (bPlainLine && ::GetTextExtentPoint32W(pDC->GetSafeHdc(), text, length, &extent))
        rect.SetRect(0, 0, extent.cx, extent.cy);
    else
        ::DrawTextW(pDC->GetSafeHdc(), text, length, &rect, flags);
    pDC->SelectObject(old);
}

template <class THost>
const SECListCharWidths* SECListBaseT<THost>::MeasuringWidths(CDC* pDC, HFONT hFont) const
{
    return SECListMeasureScope<THost>::WidthsFor(this, pDC, hFont);
}

template <class THost>
int SECListBaseT<THost>::MeasureSubItem(SECListPaintContext* pContext, int nCol)
{
    SECListItem* pRow = pContext->m_pItem;
    if (pRow == nullptr)
        return 0;
    const UINT view = m_dwListStyle & LVS_TYPEMASK;
    const BOOL bMain = pContext->m_pSubItem == nullptr;
    // Only the main cell carries the row image; a sub-item's text has the whole
    // column less the margins, as DrawItemText gives it.
    CRect rcImage;
    if (bMain) {
        CalcImageRect(pContext, rcImage);
        pRow->m_rcIcon = rcImage;
    }
    const int columnWidth = GetColumnCount() ? GetColumnWidth(nCol) : GetColumnWidth(0);
    CRect rcText;
    CalcTextRect(pContext, rcText, columnWidth - rcImage.Width() - SECListDetail::kTextMargin);
    const int w = rcText.Width();
    const int h = rcText.Height();
    CPoint origin(SECListDetail::kLabelLeft, SECListDetail::kLabelTop);
    if (bMain && !pRow->m_rcIcon.IsRectEmpty()) {
        if (view == SEC_LVS_VIEW_ICON)
            origin = CPoint(8, pRow->m_rcIcon.bottom + 2);
        else
            origin = CPoint(pRow->m_rcIcon.right + SECListDetail::kImageGap, (pRow->m_rcIcon.Height() - h) / 2);
    }
    const CRect label(origin.x, origin.y, origin.x + w, origin.y + h);
    if (bMain)
        pRow->m_rcText = label;
    else
        pContext->m_pSubItem->m_rcText = label;
    if (view == SEC_LVS_VIEW_ICON)
        return pRow->m_rcIcon.Height() - label.top + label.bottom + 5;
    // The image sits 2 pixels below the cell's top; a row only as high as the
    // image would let the next row paint over the image's last lines.
    if (view == SEC_LVS_VIEW_REPORT)
        return std::max<int>(h, bMain && !pRow->m_rcIcon.IsRectEmpty() ? pRow->m_rcIcon.bottom : 0);
    return 0;
}

// Every row's height becomes unknown at once: rows compare their epoch with the
// list's when they are next measured, so this costs nothing per row.
template <class THost>
void SECListBaseT<THost>::InvalidateRowHeights()
{
    if (++m_nHeightsEpoch == 0)
        ++m_nHeightsEpoch;
    RowsChanged();
}

template <class THost>
void SECListBaseT<THost>::MarkRowForMeasuring(SECListItem* pRow, BOOL bHeightToo)
{
    if (pRow == nullptr)
        return;
    if (bHeightToo)
        pRow->m_cy = -1;
    pRow->m_bDirty = TRUE;
    RowsChanged();
}

template <class THost>
void SECListBaseT<THost>::RowsChanged()
{
    ++m_nRowsGeneration;
}

template <class THost>
BOOL SECListBaseT<THost>::ForgetLabelWidths(int nItem, int nCount)
{
    if (m_nWidestGeneration != m_nRowsGeneration || !m_bWidestCounted)
        return FALSE;
    // The decrements are summed per width and applied to the counts once. A
    // few widths recur among neighbouring rows (labels of one level differ in
    // a digit or two, and digits differ in width), so a small table of them
    // saves a look into the counts for most rows.
    using Count = std::map<int, int>::iterator;
    struct Pending
    {
        int right;
        Count it;
        int count;
    };
    const int kSlots = 8;
    Pending slots[kSlots];
    int used = 0;
    int evict = 0;
    auto apply = [&](const Pending& p) {
        if ((p.it->second -= p.count) <= 0)
            m_widestCounts.erase(p.it);
    };
    auto giveUp = [&]() {
        for (int k = 0; k < used; ++k)
            apply(slots[k]);
        m_bWidestCounted = FALSE; // not as counted: the next width walks all rows again
        return FALSE;
    };
    for (int i = nItem; i < nItem + nCount; ++i) {
        const SECListItem* pRow = m_items.GetAt(i);
        if (!IsRowMeasured(pRow))
            return giveUp();
        const int right = pRow->m_rcText.right + 5;
        int k = 0;
        while (k < used && slots[k].right != right)
            ++k;
        if (k < used) {
            if (slots[k].count >= slots[k].it->second)
                return giveUp(); // more rows of this width than counted
            ++slots[k].count;
            continue;
        }
        const Count it = m_widestCounts.find(right);
        if (it == m_widestCounts.end())
            return giveUp();
        if (used < kSlots) {
            k = used++;
        } else {
            k = evict;
            evict = (evict + 1) % kSlots;
            apply(slots[k]);
        }
        slots[k] = Pending{right, it, 1};
    }
    for (int k = 0; k < used; ++k)
        apply(slots[k]);
    return TRUE;
}

template <class THost>
BOOL SECListBaseT<THost>::AreLabelWidthsCounted() const
{
    return m_nWidestGeneration == m_nRowsGeneration && m_bWidestCounted;
}

template <class THost>
void SECListBaseT<THost>::RowsInserted(BOOL bWereCounted, int nItem, int nCount)
{
    const BOOL bPendingValid = m_nPendingGeneration == m_nRowsGeneration && m_nPendingCount > 0;
    RowsChanged();
    if (nCount <= 0)
        return;
    if (bWereCounted) {
        m_nPendingFirst = nItem;
        m_nPendingCount = nCount;
        m_nPendingGeneration = m_nRowsGeneration;
    } else if (bPendingValid && nItem >= m_nPendingFirst && nItem <= m_nPendingFirst + m_nPendingCount) {
        // Rows inserted into (or right after) the pending ones join them.
        m_nPendingCount += nCount;
        m_nPendingGeneration = m_nRowsGeneration;
    }
}

// Counts the label edges of the rows inserted since the counts were made;
// FALSE when the counts cannot be brought up to date that way (then every
// row is walked).
template <class THost>
BOOL SECListBaseT<THost>::CountPendingLabelWidths()
{
    if (m_nPendingGeneration != m_nRowsGeneration || m_nPendingCount <= 0 || !m_bWidestCounted ||
        m_nPendingFirst + m_nPendingCount > GetItemCount())
        return FALSE;
    const int first = m_nPendingFirst;
    const int count = m_nPendingCount;
    m_nPendingCount = 0;
    SECListMeasureScope<THost> scope(this);
    RecordsWatch watch(this);
    const UINT generation = m_nRowsGeneration;
    std::vector<int> rights;
    rights.reserve(static_cast<size_t>(count));
    for (int i = first; i < first + count; ++i) {
        MeasureItem(i, m_items.GetAt(i));
        // An owner that changed rows or their measure while asked: walk them all.
        if (watch.Changed() || m_nRowsGeneration != generation)
            return FALSE;
        const SECListItem* pRow = m_items.GetAt(i);
        if (!IsRowMeasured(pRow))
            return FALSE;
        rights.push_back(pRow->m_rcText.right + 5);
    }
    auto last = m_widestCounts.end();
    for (const int right : rights) {
        if (last == m_widestCounts.end() || last->first != right)
            last = m_widestCounts.emplace(right, 0).first;
        ++last->second;
    }
    KeepWidestLabel();
    return TRUE;
}

template <class THost>
void SECListBaseT<THost>::KeepWidestLabel()
{
    m_nWidestLabel = m_widestCounts.empty() ? 0 : std::max(m_widestCounts.rbegin()->first, 0);
    m_nWidestGeneration = m_nRowsGeneration;
}

template <class THost>
void SECListBaseT<THost>::ReMeasureAllItems()
{
    InvalidateRowHeights();
    UpdateScrollBars();
}

template <class THost>
void SECListBaseT<THost>::ReMeasureItem(int nItem)
{
    SECListItem* pRow = GetItemAt(nItem);
    if (pRow == nullptr)
        return;
    MarkRowForMeasuring(pRow, TRUE);
    UpdateScrollBars();
    InvalidateItem(nItem, FALSE, TRUE, TRUE, FALSE);
}

// ---------------------------------------------------------------------------
// Paging

template <class THost>
int SECListBaseT<THost>::GetRowsHeight(int nFrom, int nTo, BOOL bInclusive)
{
    SECListMeasureScope<THost> measuring(this);
    const int sign = nFrom > nTo ? -1 : 1;
    const int lo = std::max(std::min(nFrom, nTo), 0);
    const int hi = std::max(nFrom, nTo);
    const int end = std::min(bInclusive ? hi : hi - 1, GetItemCount() - 1);
    int total = 0;
    for (int i = lo; i <= end; ++i)
        total += GetItemHeight(i) + GetRowSpacing();
    return sign * total;
}

template <class THost>
int SECListBaseT<THost>::CountRowsInHeight(int nHeight, int nStart, BOOL bForward)
{
    SECListMeasureScope<THost> measuring(this);
    int count = 0;
    int sum = 0;
    for (int i = nStart; i >= 0 && i < GetItemCount() && sum < nHeight; i += bForward ? 1 : -1) {
        sum += GetItemHeight(i) + GetRowSpacing();
        ++count;
    }
    return count;
}

template <class THost>
int SECListBaseT<THost>::GetCountPerPage()
{
    SECListMeasureScope<THost> measuring(this);
    CRect inside;
    GetInsideRect(inside);
    const int height = inside.Height();
    int count = 0;
    int y = 0;
    for (int i = m_nTopIndex; i < GetItemCount(); ++i) {
        const int h = GetItemHeight(i) + GetRowSpacing();
        if (y + h > height)
            return count;
        y += h;
        ++count;
    }
    for (int i = m_nTopIndex - 1; i >= 0; --i) {
        const int h = GetItemHeight(i) + GetRowSpacing();
        if (y + h > height)
            break;
        y += h;
        ++count;
    }
    return count;
}

template <class THost>
int SECListBaseT<THost>::GetCountPerPageAbove()
{
    SECListMeasureScope<THost> measuring(this);
    CRect inside;
    GetInsideRect(inside);
    int count = 0;
    int y = 0;
    for (int i = m_nTopIndex - 1; i >= 0; --i) {
        const int h = GetItemHeight(i) + GetRowSpacing();
        if (y + h > inside.Height())
            break;
        y += h;
        ++count;
    }
    return count;
}

template <class THost>
int SECListBaseT<THost>::GetBottomIndex()
{
    SECListMeasureScope<THost> measuring(this);
    const int count = GetItemCount();
    if (count == 0)
        return -1;
    CRect inside;
    GetInsideRect(inside);
    int y = 0;
    int last = m_nTopIndex - 1;
    for (int i = m_nTopIndex; i < count; ++i) {
        y += GetItemHeight(i) + GetRowSpacing();
        if (y > inside.Height())
            break;
        last = i;
    }
    return last;
}

template <class THost>
BOOL SECListBaseT<THost>::SetTopIndex(int nIndex)
{
    if (nIndex < 0 || nIndex >= std::max(GetItemCount(), 1))
        return FALSE;
    ScrollVert(nIndex - m_nTopIndex);
    return TRUE;
}

template <class THost>
BOOL SECListBaseT<THost>::EnsureVisible(int nItem, BOOL /*bPartialOK*/)
{
    const int count = GetItemCount();
    if (nItem < 0 || nItem >= count)
        return FALSE;
    const int b = GetBottomIndex();
    const int t = m_nTopIndex;
    if (nItem == b && b == count - 1)
        return TRUE;
    if (b != -1 && nItem >= b) {
        ScrollVert(nItem - b, TRUE);
        return TRUE;
    }
    if (nItem > t)
        return TRUE;
    ScrollVert(std::max(nItem - 1, 0) - t);
    return TRUE;
}

template <class THost>
BOOL SECListBaseT<THost>::EnsureRangeVisible(int nFirst, int nLast)
{
    SECListMeasureScope<THost> measuring(this);
    if (nFirst < 0 || nFirst > nLast || nLast > GetItemCount())
        return FALSE;
    nLast = std::min(nLast, GetItemCount() - 1);
    if (nFirst >= m_nTopIndex && nLast <= GetBottomIndex())
        return TRUE;
    CRect inside;
    GetInsideRect(inside);
    const int height = inside.Height();
    int used = 0;
    for (int i = nFirst; i <= nLast; ++i) {
        const int h = GetItemHeight(i) + GetRowSpacing();
        if (used + h >= height)
            break;
        used += h;
    }
    int top = nFirst;
    int left = height - used;
    if (left > 0 && nFirst > 0) {
        for (int i = nFirst - 1; i >= 0; --i) {
            const int h = GetItemHeight(i) + GetRowSpacing();
            if (h > left)
                break;
            left -= h;
            top = i;
        }
    }
    ScrollVert(top - m_nTopIndex);
    return TRUE;
}

// ---------------------------------------------------------------------------
// Cells and hit-testing

template <class THost>
BOOL SECListBaseT<THost>::GetCellRect(int nItem, int nCol, CRect& rect, int nCode)
{
    SECListMeasureScope<THost> measuring(this);
    SECListItem* pRow = GetItemAt(nItem);
    if (pRow == nullptr || nItem < m_nTopIndex || (GetColumnCount() > 0 && GetColumnRecord(nCol) == nullptr))
        return FALSE;
    CRect inside;
    GetInsideRect(inside);
    int y = inside.top;
    for (int i = m_nTopIndex; i < nItem; ++i)
        y += GetItemHeight(i) + GetRowSpacing();
    const int height = GetItemHeight(nItem);
    // Measuring may have asked the owner, who may have changed the rows.
    pRow = GetItemAt(nItem);
    if (pRow == nullptr || (GetColumnCount() > 0 && GetColumnRecord(nCol) == nullptr))
        return FALSE;
    const int left = GetColumnLeft(nCol);
    const int right = GetColumnCount() < 2 ? inside.right : left + GetColumnWidth(nCol);
    const CRect cell(left, y, right, y + height);
    const int nSubItem = GetColumnCount() ? GetColumnSubItem(nCol) : 0;
    if (nCode == kCellWhole) {
        rect = cell;
        return TRUE;
    }
    if (nSubItem != 0) {
        if (nCode != kCellLabel || nSubItem > pRow->m_subItems.GetSize())
            return FALSE;
        const CRect& label = pRow->m_subItems[nSubItem - 1]->m_rcText;
        const SECListColumn* pColumn = GetColumnRecord(nCol);
        int x = left + label.left;
        if (pColumn != nullptr && (pColumn->m_fmt & SECListColumn::kAlignMask) == SECListColumn::kAlignMask)
            x = left + GetColumnWidth(nCol) / 2 - label.Width() / 2;
        rect.SetRect(x, cell.top, x + label.Width(), cell.bottom);
        return TRUE;
    }
    if (nCode == kCellLabel) {
        rect.SetRect(left + pRow->m_rcText.left, cell.top, left + pRow->m_rcText.right, cell.bottom);
        return TRUE;
    }
    if (nCode == kCellImage) {
        rect = pRow->m_rcIcon;
        rect.OffsetRect(left, cell.top);
        return TRUE;
    }
    return FALSE;
}

template <class THost>
BOOL SECListBaseT<THost>::GetItemRect(int nItem, CRect& rect, int nCode)
{
    const int nMain = GetMainColumn();
    return GetCellRect(nItem, nMain < 0 ? 0 : nMain, rect, nCode);
}

template <class THost>
int SECListBaseT<THost>::HitTest(CPoint point, UINT* pFlags, int* pCol)
{
    SECListMeasureScope<THost> measuring(this);
    UINT flags = 0;
    int nCol = -1;
    int nResult = -1;
    auto answer = [&](int row) {
        if (pFlags != nullptr)
            *pFlags = flags ? flags : SEC_LVHT_NOWHERE;
        if (pCol != nullptr)
            *pCol = nCol;
        return row;
    };
    CRect client;
    GetListClientRect(client);
    if (point.y < client.top)
        flags |= SEC_LVHT_ABOVE;
    if (point.y > client.bottom)
        flags |= SEC_LVHT_BELOW;
    if (point.x < client.left)
        flags |= SEC_LVHT_TOLEFT;
    if (point.x > client.right)
        flags |= SEC_LVHT_TORIGHT;
    if (flags != 0)
        return answer(-1);
    const int columns = GetColumnCount();
    if (columns == 0) {
        flags = SEC_LVHT_NOWHERE;
        return answer(-1);
    }
    if (columns < 2) {
        nCol = 0;
    } else if (point.x >= -m_nHorzOffset) {
        int right = -m_nHorzOffset;
        for (int i = 0; i < columns; ++i) {
            right += m_columns[i]->m_cx;
            if (right > point.x) {
                nCol = i;
                break;
            }
        }
    }
    CRect inside;
    GetInsideRect(inside);
    if ((m_dwListStyle & LVS_TYPEMASK) == SEC_LVS_VIEW_REPORT && HasHeader() && point.y >= client.top &&
        point.y <= inside.top) {
        int left = -m_nHorzOffset;
        for (int i = 0; i < columns; ++i) {
            const int right = left + m_columns[i]->m_cx;
            if (std::abs(point.x - right) <= SECListDetail::kDividerSlop) {
                nCol = i;
                flags = SEC_LVHT_ONDIVIDER;
                return answer(-1);
            }
            if (point.x >= left && point.x < right) {
                nCol = i;
                flags = SEC_LVHT_ONHEADING;
                return answer(-1);
            }
            left = right;
        }
        nCol = -1;
        flags = SEC_LVHT_NOWHERE;
        return answer(-1);
    }
    // Measuring a row may ask the owner, who may change the rows: the walk
    // starts over then, a few times at most.
    RecordsWatch watch(this);
    int y = inside.top;
    int restarts = 0;
    for (int i = m_nTopIndex; i < GetItemCount() && y < inside.bottom; ++i) {
        const int height = GetItemHeight(i) + GetRowSpacing();
        if (watch.Changed()) {
            watch.Reset();
            if (++restarts > kMaxWalkRestarts)
                break;
            i = m_nTopIndex - 1;
            y = inside.top;
            continue;
        }
        if (point.y >= y && point.y < y + height) {
            flags = SEC_LVHT_ONITEM;
            nResult = i;
            if (nCol >= 0 && GetColumnSubItem(nCol) == 0) {
                const SECListItem* pRow = m_items.GetAt(i);
                const CPoint origin(GetColumnLeft(nCol), y);
                CRect label = pRow->m_rcText;
                label.OffsetRect(origin.x, 0);
                label.top = y;
                label.bottom = y + height;
                CRect image = pRow->m_rcIcon;
                image.OffsetRect(origin);
                CRect state = pRow->m_rcState;
                state.OffsetRect(origin);
                if (label.PtInRect(point))
                    flags |= SEC_LVHT_ONITEMLABEL;
                else if (image.PtInRect(point))
                    flags |= SEC_LVHT_ONITEMICON;
                else if (state.PtInRect(point))
                    flags |= SEC_LVHT_ONITEMSTATE;
                else if (point.x < label.left)
                    flags |= SEC_LVHT_LEFTOFLABEL;
                else
                    flags |= SEC_LVHT_RIGHTOFLABEL;
            }
            return answer(nResult);
        }
        y += height;
    }
    flags = SEC_LVHT_NOWHERE;
    return answer(-1);
}

// ---------------------------------------------------------------------------
// Scrolling

template <class THost>
void SECListBaseT<THost>::ScrollHorz(int dx)
{
    CRect inside;
    GetInsideRect(inside);
    int offset = m_nHorzOffset - dx;
    offset = std::max(offset, 0);
    offset = std::min(offset, GetTotalWidth() - inside.Width());
    offset = std::max(offset, 0); // content narrower than the area: no offset at all
    if (offset == m_nHorzOffset)
        return;
    m_nHorzOffset = offset;
    if (m_pHorzBar != nullptr && m_pHorzBar->m_hWnd != nullptr) {
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_POS;
        si.nPos = m_nHorzOffset;
        SetBarInfo(m_pHorzBar, si);
    }
    if (IsAlive())
        Invalidate(FALSE);
}

template <class THost>
void SECListBaseT<THost>::ScrollVert(int nRows, BOOL bByItem)
{
    if (bByItem) {
        const int b = GetBottomIndex();
        const int h = GetRowsHeight(b, b + nRows, TRUE);
        nRows = CountRowsInHeight(h, m_nTopIndex, TRUE);
    }
    const int count = GetItemCount();
    int top = std::max(m_nTopIndex + nRows, 0);
    if (top >= count)
        top = count - 1;
    top = std::max(top, 0);
    if (top == m_nTopIndex)
        return;
    const int old = m_nTopIndex;
    m_nTopIndex = top;
    if (m_pVertBar != nullptr && m_pVertBar->m_hWnd != nullptr && IsVertScrollBarShown()) {
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_POS;
        si.nPos = m_nTopIndex;
        SetBarInfo(m_pVertBar, si);
    }
    ScrollRowPixels(old);
}

// Scrolling by less than a page moves the rows already on screen and paints
// only the rows that come into view; anything else repaints the window. Only
// report rows are lines: in icon mode a row is one cell of a line, and every
// cell moves to another place.
template <class THost>
void SECListBaseT<THost>::ScrollRowPixels(int nOldTop)
{
    SECListMeasureScope<THost> measuring(this);
    if (!IsAlive())
        return;
    CRect inside;
    GetInsideRect(inside);
    CRect client;
    GetListClientRect(client);
    // The last pixel row of the rows area lies under the horizontal bar.
    CRect area(inside.left, inside.top, inside.right, inside.bottom - 1);
    area.IntersectRect(&area, &client);
    const BOOL bEditing = m_pEdit != nullptr && m_pEdit->m_hWnd != nullptr;
    BOOL bMove = (m_dwListStyle & LVS_TYPEMASK) == SEC_LVS_VIEW_REPORT && !area.IsRectEmpty() && !bEditing &&
                 !m_bTrackingDivider && !m_bHeadingDrag && ::IsWindowVisible(m_hWnd);
    int dy = 0;
    if (bMove) {
        RecordsWatch watch(this);
        const int lo = std::min(nOldTop, m_nTopIndex);
        const int hi = std::max(nOldTop, m_nTopIndex);
        for (int i = lo; i < hi && dy < area.Height(); ++i)
            dy += GetItemHeight(i) + GetRowSpacing();
        bMove = dy < area.Height() && !watch.Changed() && IsAlive();
    }
    if (!bMove) {
        if (IsAlive())
            Invalidate(TRUE);
        return;
    }
    const int shift = nOldTop < m_nTopIndex ? -dy : dy;
    // What was waiting to be painted moves with the rows.
    HRGN hPending = ::CreateRectRgn(0, 0, 0, 0);
    const int kind = hPending != nullptr ? ::GetUpdateRgn(m_hWnd, hPending, FALSE) : ERROR;
    ::ScrollWindowEx(m_hWnd, 0, shift, &area, &area, nullptr, nullptr, SW_INVALIDATE);
    if (kind == SIMPLEREGION || kind == COMPLEXREGION) {
        ::OffsetRgn(hPending, 0, shift);
        HRGN hArea = ::CreateRectRgnIndirect(&area);
        if (hArea != nullptr) {
            ::CombineRgn(hPending, hPending, hArea, RGN_AND);
            ::DeleteObject(hArea);
        }
        ::InvalidateRgn(m_hWnd, hPending, FALSE);
    }
    if (hPending != nullptr)
        ::DeleteObject(hPending);
}

template <class THost>
void SECListBaseT<THost>::ScrollToBottom()
{
    SECListMeasureScope<THost> measuring(this);
    SCROLLINFO si{};
    if (m_pVertBar == nullptr || !m_pVertBar->GetScrollInfo(&si, SIF_ALL))
        return;
    if (!HasVariableRowHeight()) {
        ScrollVert(si.nMax - static_cast<int>(si.nPage) - si.nPos + 1);
        return;
    }
    // The first row of the last full page, counted up from the bottom.
    CRect inside;
    GetInsideRect(inside);
    int y = 0;
    int top = GetItemCount() - 1;
    for (int i = GetItemCount() - 1; i >= 0; --i) {
        y += GetItemHeight(i) + GetRowSpacing();
        if (y > inside.Height())
            break;
        top = i;
    }
    ScrollVert(std::max(top, 0) - m_nTopIndex);
}

template <class THost>
void SECListBaseT<THost>::OnVScroll(UINT nSBCode, UINT /*nPos*/, CScrollBar* /*pScrollBar*/)
{
    EndLabelEdit(TRUE);
    HideTip();
    SCROLLINFO si{};
    if (m_pVertBar == nullptr || !m_pVertBar->GetScrollInfo(&si, SIF_ALL))
        return;
    const int page = static_cast<int>(si.nPage);
    switch (nSBCode) {
    case SB_LINEUP:
        if (si.nPos != 0)
            ScrollVert(-1);
        break;
    case SB_LINEDOWN:
        if (si.nPos + page < si.nMax + 1)
            ScrollVert(1);
        break;
    case SB_PAGEUP:
        ScrollVert(-std::max(GetCountPerPageAbove(), 1));
        break;
    case SB_PAGEDOWN:
        ScrollVert(std::min(si.nMax - page + 1, m_nTopIndex + page) - m_nTopIndex);
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        ScrollVert(si.nTrackPos - si.nPos);
        break;
    case SB_TOP:
        ScrollVert(-m_nTopIndex);
        break;
    case SB_BOTTOM:
        ScrollToBottom();
        break;
    default:
        break;
    }
}

// The right-edge command scrolls to the end of the content (the offset is
// clamped to the total width less the rows area).
template <class THost>
void SECListBaseT<THost>::OnHScroll(UINT nSBCode, UINT /*nPos*/, CScrollBar* /*pScrollBar*/)
{
    EndLabelEdit(TRUE);
    HideTip();
    CRect inside;
    GetInsideRect(inside);
    SCROLLINFO si{};
    if (m_pHorzBar != nullptr)
        m_pHorzBar->GetScrollInfo(&si, SIF_ALL);
    switch (nSBCode) {
    case SB_LINELEFT:
        ScrollHorz(SECListDetail::kHorzLineStep);
        break;
    case SB_LINERIGHT:
        ScrollHorz(-SECListDetail::kHorzLineStep);
        break;
    case SB_PAGELEFT:
        ScrollHorz(inside.Width());
        break;
    case SB_PAGERIGHT:
        ScrollHorz(-inside.Width());
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        ScrollHorz(m_nHorzOffset - si.nTrackPos);
        break;
    case SB_LEFT:
        ScrollHorz(m_nHorzOffset);
        break;
    case SB_RIGHT:
        ScrollHorz(m_nHorzOffset - GetTotalWidth());
        break;
    default:
        break;
    }
}

template <class THost>
BOOL SECListBaseT<THost>::OnMouseWheel(UINT /*nFlags*/, short zDelta, CPoint /*pt*/)
{
    m_nWheelDelta += zDelta;
    const int notches = m_nWheelDelta / SECListDetail::kWheelNotch;
    if (notches == 0)
        return TRUE;
    HideTip();
    if (IsVertScrollBarShown()) {
        const BOOL bAtTop = m_nTopIndex == 0;
        const BOOL bAtEnd = GetBottomIndex() >= GetItemCount() - 1;
        if (!(notches > 0 && bAtTop) && !(notches < 0 && bAtEnd))
            ScrollVert(-notches);
    } else if (IsHorzScrollBarShown()) {
        ScrollHorz(notches * SECListDetail::kHorzLineStep);
    }
    m_nWheelDelta = 0;
    return TRUE;
}

// ---------------------------------------------------------------------------
// Scroll bars

template <class THost>
CScrollBar* SECListBaseT<THost>::CreateScrollBarCtrl(DWORD dwStyle, UINT nID)
{
    CScrollBar* pBar = new CScrollBar;
    if (!pBar->Create(dwStyle | WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), this, nID)) {
        delete pBar;
        return nullptr;
    }
    return pBar;
}

template <class THost>
void SECListBaseT<THost>::ShowScrollBarCtrl(int nBar, BOOL bShow, SCROLLINFO* pInfo)
{
    if (nBar == SB_BOTH) {
        ShowScrollBarCtrl(SB_HORZ, bShow, pInfo);
        ShowScrollBarCtrl(SB_VERT, bShow, pInfo);
        return;
    }
    if (m_hWnd == nullptr || (nBar != SB_HORZ && nBar != SB_VERT))
        return;
    if (IsListStyleSet(LVS_NOSCROLL))
        bShow = FALSE;
    CScrollBar*& pBar = nBar == SB_HORZ ? m_pHorzBar : m_pVertBar;
    const DWORD bit = nBar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
    // The cached bit, not the bar's visibility, says whether the bar is shown:
    // a bar in a hidden window is never visible, yet it is shown.
    const BOOL bWasShown = (m_dwScrollStyle & bit) != 0;
    if (pBar == nullptr || pBar->m_hWnd == nullptr) {
        if (!bShow) {
            m_dwScrollStyle &= ~bit;
            return;
        }
        delete pBar;
        pBar = nullptr;
        // A new bar is 1 x 1 pixels; it is placed below, before anything paints.
        pBar = CreateScrollBarCtrl(nBar == SB_HORZ ? SBS_HORZ : SBS_VERT,
                                   nBar == SB_HORZ ? SECListDetail::kHorzBarId : SECListDetail::kVertBarId);
        if (pBar == nullptr)
            AfxThrowResourceException();
        m_rcBars[nBar == SB_HORZ ? 0 : 1].SetRectEmpty(); // a new bar is placed anew
    }
    if (pInfo != nullptr)
        SetBarInfo(pBar, *pInfo);
    if (bShow)
        m_dwScrollStyle |= bit;
    else
        m_dwScrollStyle &= ~bit;
    if (bWasShown != (bShow != FALSE)) {
        if (bShow)
            PositionScrollBars();
        // The bar is invalidated and updated, not the list: the rows area a
        // bar leaves is invalidated by the window manager, and a change of
        // the inside width invalidates the list (UpdateVertScrollBar); the
        // list paints when the thread is back in its message loop, once for
        // a run of changes, as the platform's controls do.
        pBar->ShowWindow(bShow ? SW_SHOWNA : SW_HIDE);
        if (bShow) {
            pBar->Invalidate();
            pBar->UpdateWindow();
        }
    }
}

template <class THost>
void SECListBaseT<THost>::UpdateVertScrollBar(int nCount)
{
    CRect before;
    GetInsideRect(before);
    const int page = GetCountPerPage();
    if (nCount <= page) {
        ScrollVert(-m_nTopIndex);
        ShowScrollBarCtrl(SB_VERT, FALSE, nullptr);
    } else {
        m_nTopIndex = std::max(0, std::min(m_nTopIndex, nCount - page));
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMin = 0;
        si.nMax = nCount - 1;
        si.nPage = static_cast<UINT>(page);
        si.nPos = m_nTopIndex;
        ShowScrollBarCtrl(SB_VERT, TRUE, &si);
    }
    CRect after;
    GetInsideRect(after);
    if (before.Width() != after.Width()) {
        CheckFitColumns();
        // Without columns, labels wrap at the rows area's width.
        if (GetColumnCount() == 0 && HasVariableRowHeight())
            InvalidateRowHeights();
        Invalidate();
    }
}

template <class THost>
void SECListBaseT<THost>::UpdateHorzScrollBar(int nTotalWidth)
{
    CRect inside;
    GetInsideRect(inside);
    if (nTotalWidth <= inside.Width()) {
        if (m_nHorzOffset != 0) {
            m_nHorzOffset = 0;
            Invalidate(FALSE);
        }
        ShowScrollBarCtrl(SB_HORZ, FALSE, nullptr);
        return;
    }
    const int offset = std::max(0, std::min(m_nHorzOffset, nTotalWidth - inside.Width()));
    if (offset != m_nHorzOffset) {
        m_nHorzOffset = offset;
        Invalidate(FALSE);
    }
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = nTotalWidth;
    si.nPage = static_cast<UINT>(inside.Width());
    si.nPos = m_nHorzOffset;
    ShowScrollBarCtrl(SB_HORZ, TRUE, &si);
}

template <class THost>
void SECListBaseT<THost>::UpdateScrollBars()
{
    if (!IsAlive())
        return; // no window, no bars; rows are measured when they are shown
    SECListMeasureScope<THost> scope(this);
    UpdateVertScrollBar(GetItemCount());
    // Rows that wrap are measured again (lazily, as they are walked): a row
    // whose text became shorter becomes lower again.
    if (HasVariableRowHeight())
        InvalidateRowHeights();
    UpdateHorzScrollBar(GetTotalWidth());
    UpdateVertScrollBar(GetItemCount());
    PositionScrollBars();
}

template <class THost>
void SECListBaseT<THost>::SetBarInfo(CScrollBar* pBar, const SCROLLINFO& info)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr)
        return;
    SCROLLINFO current{};
    current.cbSize = sizeof(current);
    current.fMask = SIF_ALL;
    const UINT mask = info.fMask & SIF_ALL;
    if (::GetScrollInfo(pBar->m_hWnd, SB_CTL, &current)) {
        const BOOL bSame = (!(mask & SIF_RANGE) || (current.nMin == info.nMin && current.nMax == info.nMax)) &&
                           (!(mask & SIF_PAGE) || current.nPage == info.nPage) &&
                           (!(mask & SIF_POS) || current.nPos == info.nPos);
        if (bSame)
            return;
    }
    SCROLLINFO set = info;
    set.cbSize = sizeof(set);
    // Set without redraw (a synchronous repaint of the bar costs more than a
    // whole page of rows). The bars are repainted once when the thread is
    // back in its message loop, not once per change of a run of changes.
    ::SetScrollInfo(pBar->m_hWnd, SB_CTL, &set, FALSE);
    if (!m_bBarRepaintPosted && IsAlive())
        m_bBarRepaintPosted = THost::PostMessage(SECListRepaintBarsMessage(), 0, 0);
}

template <class THost>
void SECListBaseT<THost>::RepaintBars()
{
    m_bBarRepaintPosted = FALSE;
    for (CScrollBar* pBar : {m_pHorzBar, m_pVertBar}) {
        if (pBar != nullptr && pBar->m_hWnd != nullptr)
            ::InvalidateRect(pBar->m_hWnd, nullptr, FALSE);
    }
}

template <class THost>
void SECListBaseT<THost>::PositionScrollBars()
{
    if (m_hWnd == nullptr)
        return;
    CRect inside;
    GetInsideRect(inside);
    CRect client;
    GetListClientRect(client);
    struct Placement
    {
        CScrollBar* pBar;
        CRect rect;
    };
    const int headerExtra =
        ((m_dwListStyle & LVS_TYPEMASK) == SEC_LVS_VIEW_REPORT && HasHeader()) ? m_nHeaderHeight : 0;
    Placement placements[2] = {
        {m_pHorzBar, CRect(CPoint(inside.left, inside.bottom - 1),
                           CSize(inside.Width() + 1, SECListHScrollHeight()))},
        {m_pVertBar, CRect(CPoint(inside.right, client.top),
                           CSize(SECListVScrollWidth(), inside.Height() + 1 + headerExtra))},
    };
    // Bars are moved only when their placement changed since they were last
    // placed (a new bar has none), in one deferred batch.
    HDWP hdwp = nullptr;
    for (int i = 0; i < 2; ++i) {
        Placement& p = placements[i];
        // A hidden bar stays where it is: ShowScrollBarCtrl places it before
        // it shows again (moving a hidden window still costs the window
        // manager a round of its own).
        const DWORD bit = i == 0 ? WS_HSCROLL : WS_VSCROLL;
        if (p.pBar == nullptr || p.pBar->m_hWnd == nullptr || m_rcBars[i] == p.rect || !(m_dwScrollStyle & bit))
            continue;
        CRect current;
        p.pBar->GetWindowRect(&current);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(&current), 2);
        m_rcBars[i] = p.rect;
        if (current == p.rect)
            continue;
        if (hdwp == nullptr)
            hdwp = ::BeginDeferWindowPos(2);
        if (hdwp != nullptr)
            hdwp = ::DeferWindowPos(hdwp, p.pBar->m_hWnd, nullptr, p.rect.left, p.rect.top, p.rect.Width(),
                                    p.rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        p.pBar->Invalidate();
    }
    if (hdwp != nullptr)
        ::EndDeferWindowPos(hdwp);
}

// ---------------------------------------------------------------------------
// Invalidation

template <class THost>
int SECListBaseT<THost>::GetPageEnd()
{
    SECListMeasureScope<THost> measuring(this);
    CRect inside;
    GetInsideRect(inside);
    PageEndCache& c = m_pageEnd;
    if (c.nEnd >= 0 && c.nTop == m_nTopIndex && c.nHeight == inside.Height() && c.nGeneration == m_nRowsGeneration &&
        c.nEpoch == m_nHeightsEpoch)
        return c.nEnd;
    RecordsWatch watch(this);
    int y = inside.top;
    int end = m_nTopIndex;
    while (end < GetItemCount() && y < inside.bottom)
        y += GetItemHeight(end++) + GetRowSpacing();
    if (watch.Changed())
        return GetItemCount(); // the owner changed the rows while asked: assume every row may show
    c.nEnd = end;
    c.nTop = m_nTopIndex;
    c.nHeight = inside.Height();
    c.nGeneration = m_nRowsGeneration;
    c.nEpoch = m_nHeightsEpoch;
    c.nSizeStamp = m_nSizeStamp;
    c.dwStyle = m_dwListStyle;
    c.dwScroll = m_dwScrollStyle;
    c.nHeaderHeight = m_nHeaderHeight;
    return end;
}

template <class THost>
BOOL SECListBaseT<THost>::IsKnownBelowPage(int nItem) const
{
    const PageEndCache& c = m_pageEnd;
    return c.nEnd >= 0 && nItem >= c.nEnd && c.nTop == m_nTopIndex && c.nGeneration == m_nRowsGeneration &&
           c.nEpoch == m_nHeightsEpoch && c.nSizeStamp == m_nSizeStamp && c.dwStyle == m_dwListStyle &&
           c.dwScroll == m_dwScrollStyle && c.nHeaderHeight == m_nHeaderHeight;
}

template <class THost>
void SECListBaseT<THost>::InvalidateItem(int nItem, BOOL bLabelOnly, BOOL bErase, BOOL bToBottom, BOOL bNow)
{
    // Selecting every row of a long list reaches here once per row: rows
    // known to be below the page cost no call into the window system.
    if (IsKnownBelowPage(nItem))
        return;
    SECListMeasureScope<THost> measuring(this);
    if (!IsAlive() || nItem < m_nTopIndex || nItem >= GetItemCount())
        return;
    // Rows below the visible ones are rejected at once: selecting every row
    // of a long list must not walk the page for each of them.
    if (nItem >= GetPageEnd())
        return;
    CRect inside;
    GetInsideRect(inside);
    int y = inside.top;
    for (int i = m_nTopIndex; i < nItem; ++i) {
        y += GetItemHeight(i) + GetRowSpacing();
        if (y >= inside.bottom)
            return; // below the visible rows: nothing on screen changes
    }
    // The row's part in sight spans the rows area; its width beyond (which a
    // single-column list finds only by walking every row) would be clipped.
    const int height = GetItemHeight(nItem) + GetRowSpacing();
    CRect rect(inside.left, y, inside.right, y + height);
    if (bToBottom) {
        if (!bErase && y + height < inside.bottom) {
            CClientDC dc(this);
            dc.FillSolidRect(CRect(rect.left, y + height, rect.right, inside.bottom), GetBkColor());
        }
        rect.bottom = inside.bottom;
    }
    if (bLabelOnly && !IsListStyleExSet(SEC_LVSX_FULLROWSELECT)) {
        CRect label;
        if (GetItemRect(nItem, label, kCellLabel)) {
            rect.left = label.left - 3;
            rect.right = label.right + 3;
        }
    }
    if (bNow)
        ::RedrawWindow(m_hWnd, &rect, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | (bErase ? RDW_ERASE : 0));
    else
        ::InvalidateRect(m_hWnd, &rect, bErase);
}

template <class THost>
void SECListBaseT<THost>::InvalidateItemRange(int nFirst, int nLast)
{
    SECListMeasureScope<THost> measuring(this);
    if (!IsAlive())
        return;
    if (nFirst > nLast)
        std::swap(nFirst, nLast);
    CRect inside;
    GetInsideRect(inside);
    nFirst = std::max(nFirst, m_nTopIndex);
    int y = inside.top;
    for (int i = m_nTopIndex; i < nFirst && y < inside.bottom; ++i)
        y += GetItemHeight(i) + GetRowSpacing();
    int bottom = y;
    for (int i = nFirst; i <= nLast && i < GetItemCount() && bottom < inside.bottom; ++i)
        bottom += GetItemHeight(i) + GetRowSpacing();
    if (bottom > y)
        ::InvalidateRect(m_hWnd, CRect(inside.left, y, inside.right, bottom), FALSE);
}

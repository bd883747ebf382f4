// Rendering and hit-testing of the tree column: indentation by level, tree
// lines, expand buttons, state and item images, bold and grey labels, labels
// with a hanging indent, and drag images. Other columns are the list's. Part
// of SECTreeBaseT; compiled in SECTreeBaseC.cpp.

#include <algorithm>
#include "listctrl/SECListCharWidths.h"
#include "treectrl/SECTreeGeometry.h"
#include "treectrl/SECTreePaintContext.h"

namespace SECTreeDetail {
// Hanging-indent marker of wrapped labels: the text after it wraps under itself.
const WCHAR kLabelMarker[] = L"\\{HI}";
const int kLabelMarkerLength = 5;
// Longest single-line label drawn or measured.
const int kMaxLineChars = 259;
// Label flags: measuring wrapped, measuring one line, drawing.
const UINT kWrapMeasure = DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;
const UINT kLineMeasure = DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP | DT_EXPANDTABS | DT_NOPREFIX;
const UINT kWrapDraw = DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;
const UINT kLineDraw = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_NOPREFIX | DT_END_ELLIPSIS;
// The label rectangle reaches this far past the label, and starts this far before it.
const int kLabelPad = 3;
// Room kept right of a label in its column.
const int kLabelRightMargin = 5;
// Width a single-line label of a lone column may take.
const int kUnboundedLabel = 10000;
// Image list draw style of a selected item image with the blended look.
const UINT kBlendStyle = 4;
// List extended styles the tree column honours.
const DWORD kFullRowSelect = 0x02000000;
const DWORD kBlendSelected = 0x10000000;
// Theme part and states of the "TREEVIEW" class's glyph.
const int kGlyphPart = 2;
const int kGlyphClosed = 1;
const int kGlyphOpened = 2;
// Gap between a drag image's icon and its text.
const int kDragImageGap = 6;

// The length of a single-line label: up to its first line feed, 259 at most.
inline int LineLength(LPCWSTR text)
{
    int n = 0;
    while (n < kMaxLineChars && text[n] != L'\0' && text[n] != L'\n')
        ++n;
    return n;
}

// State image index of a state word: the high word when set, else bits 12-15.
inline int StateImageIndex(UINT nState)
{
    return (nState >> 16) != 0 ? static_cast<int>(nState >> 16) : static_cast<int>((nState >> 12) & 0xF);
}
} // namespace SECTreeDetail

// ---------------------------------------------------------------------------
// Paint context and loading

template <class TList>
SECListPaintContext* SECTreeBaseT<TList>::CreatePaintContext(CDC* pDC)
{
    SECTreePaintContext* pContext = new SECTreePaintContext(pDC);
    pContext->m_nViewMode = this->GetListStyle() & LVS_TYPEMASK;
    return pContext;
}

template <class TList>
void SECTreeBaseT<TList>::LoadPaintItem(SECListPaintContext* pContext, int nItem, int nSubItem)
{
    SECTreePaintContext* pTree = dynamic_cast<SECTreePaintContext*>(pContext);
    if (pTree == nullptr) {
        TList::LoadPaintItem(pContext, nItem, nSubItem);
        return;
    }
    pTree->m_pNode = nullptr;
    pTree->m_tvi = TVITEMW{};
    pContext->m_cellFlags[1] &= ~(static_cast<DWORD>(_Node::attrGreyed | _Node::attrHidden));
    _Node* pNode = NodeAtRow(nItem);
    if (nSubItem > 0 || pNode == nullptr || pNode == m_pRoot) {
        TList::LoadPaintItem(pContext, nItem, nSubItem);
        return;
    }
    // The record without its text first: the list's loading reads the label
    // into the control's buffer, and bold state decides the font it picks.
    const SECTreeNodeRef ref = RefOf(pNode);
    NoteLive(pNode);
    TVITEMW& tvi = pTree->m_tvi;
    tvi.hItem = reinterpret_cast<HTREEITEM>(pNode);
    tvi.mask = TVIF_IMAGE | TVIF_STATE | TVIF_HANDLE | TVIF_SELECTEDIMAGE;
    tvi.stateMask = 0xFFFF;
    GetItem(&tvi, FALSE, TRUE);
    if (!IsLive(ref))
        return; // the owner deleted the item while asked: m_pNode stays null
    pTree->m_attributes = SECTreeAttributes{};
    GetItemAttributes(tvi.hItem, pTree->m_attributes);
    pContext->m_cellFlags[1] |= pTree->m_attributes.value & (_Node::attrGreyed | _Node::attrHidden);
    pTree->m_pNode = pNode; // before the list's part: the font hook reads it
    TList::LoadPaintItem(pContext, nItem, nSubItem);
    if (!IsLive(ref) || NodeAtRow(nItem) != pNode) {
        pTree->m_pNode = nullptr;
        return;
    }
    tvi.pszText = pContext->m_lvi.pszText;
    pContext->m_lvi.iImage = tvi.iImage;
    UINT state = tvi.state & 0xF00E;
    if (state & TVIS_OVERLAYMASK)
        state |= TVIS_OVERLAYMASK;
    pContext->m_lvi.state |= state;
}

template <class TList>
void SECTreeBaseT<TList>::GetPaintFont(SECListPaintContext* pContext)
{
    TList::GetPaintFont(pContext);
    const SECTreePaintContext* pTree = dynamic_cast<SECTreePaintContext*>(pContext);
    if (pTree != nullptr && pTree->m_pNode != nullptr && (pTree->m_tvi.state & TVIS_BOLD))
        pContext->m_hFont = SECTreeBoldFont(pContext->m_hFont ? pContext->m_hFont : this->GetOwnerFont());
}

template <class TList>
CImageList* SECTreeBaseT<TList>::SetImageList(CImageList* pImageList, int nImageList)
{
    if (nImageList == TList::kImageNormal && pImageList != nullptr && pImageList->GetSafeHandle() != nullptr) {
        IMAGEINFO info{};
        if (pImageList->GetImageCount() > 0 && pImageList->GetImageInfo(0, &info))
            m_nIndent = SECTreeGeometry::IndentForImages(m_nIndent, info.rcImage.right - info.rcImage.left);
    }
    return TList::SetImageList(pImageList, nImageList);
}

// ---------------------------------------------------------------------------
// Measuring

template <class TList>
int SECTreeBaseT<TList>::MeasureSubItem(SECListPaintContext* pContext, int nCol)
{
    SECTreePaintContext* pTree = dynamic_cast<SECTreePaintContext*>(pContext);
    SECListItem* pRow = pContext->m_pItem;
    if (pTree == nullptr || pTree->m_pNode == nullptr || pRow == nullptr || pContext->m_pSubItem != nullptr)
        return TList::MeasureSubItem(pContext, nCol);
    _Node* pNode = pTree->m_pNode;
    const int x0 = SECTreeGeometry::LevelLeft(pNode->GetLevel(), SECTreeGeometry::RootShift(m_dwTreeStyle), m_nIndent);
    CImageList* pStates = this->GetImageList(TList::kImageState);
    CImageList* pImages = this->GetImageList(TList::kImageNormal);
    const UINT state = pTree->m_tvi.state;
    const int stateIndex = static_cast<int>((state >> 12) & 0xF);
    CRect rcState(x0, 0, x0, 0);
    CRect rcImage(x0, 0, x0, 0);
    int labelLeft = x0 + SECTreeGeometry::kLabelGap;
    BOOL bState = FALSE;
    if (pStates != nullptr && pStates->GetSafeHandle() != nullptr && stateIndex != 0 &&
        stateIndex < pStates->GetImageCount()) {
        const CSize size = pStates->GetIconSize();
        rcState.SetRect(x0, 0, x0 + size.cx, size.cy);
        rcImage.SetRect(x0, 0, x0, size.cy);
        labelLeft = rcState.right + SECTreeGeometry::kLabelGap;
        bState = TRUE;
    }
    const int image = pTree->m_tvi.iImage;
    if (pImages != nullptr && pImages->GetSafeHandle() != nullptr && image >= 0 &&
        image < pImages->GetImageCount()) {
        const CSize size = pImages->GetIconSize();
        if (!bState)
            rcState.SetRect(x0, 0, x0, size.cy);
        rcImage.SetRect(rcState.right, 0, rcState.right + size.cx, size.cy);
        labelLeft = rcImage.right + SECTreeGeometry::kLabelGap;
    }
    int limit;
    if (this->GetColumnCount() < 2) {
        limit = SECTreeDetail::kUnboundedLabel;
        if (this->HasVariableRowHeight()) {
            CRect inside;
            this->GetInsideRect(inside);
            limit = inside.Width() - SECTreeDetail::kLabelRightMargin;
        }
    } else {
        limit = this->GetColumnWidth(nCol) - SECTreeDetail::kLabelRightMargin;
    }
    CRect rcLabel(labelLeft, 0, std::max(limit, labelLeft + 1), 0);
    LPCWSTR text = pContext->m_lvi.pszText;
    // Most rows measure in the font the context already has: selecting it
    // twice per row would be most of the cost of measuring a large tree.
    const HDC hdc = pContext->m_pDC->GetSafeHdc();
    const HGDIOBJ hFont = pContext->m_hFont ? pContext->m_hFont : this->GetOwnerFont();
    const HGDIOBJ hCurrent = ::GetCurrentObject(hdc, OBJ_FONT);
    if (hFont != nullptr && hFont != hCurrent)
        ::SelectObject(hdc, hFont);
    CalcLabelRect(pContext->m_pDC, pNode, text != nullptr && !SECListIsCallbackText(text) ? text : L"", rcLabel);
    if (hFont != nullptr && hFont != hCurrent)
        ::SelectObject(hdc, hCurrent);
    pRow->m_rcState = rcState;
    pRow->m_rcIcon = rcImage;
    pRow->m_rcText = rcLabel;
    int height = std::max({pRow->m_cy, rcState.Height(), rcImage.Height(), rcLabel.Height(), pNode->m_nMinRowHeight});
    height += height & 1;
    return height;
}

template <class TList>
void SECTreeBaseT<TList>::CalcLabelRect(CDC* pDC, _Node* pNode, LPCWSTR lpszText, CRect& rect)
{
    using namespace SECTreeDetail;
    if (pDC == nullptr || pNode == nullptr)
        return;
    const LPCWSTR text = lpszText != nullptr ? lpszText : L"";
    const HDC hdc = pDC->GetSafeHdc();
    if (this->HasVariableRowHeight()) {
        const LPCWSTR marker = std::wcsstr(text, kLabelMarker);
        rect.top = 0;
        rect.bottom = 0;
        if (marker == nullptr) {
            if (pNode->FindLabelCache() != nullptr)
                pNode->GetLabelCache().m_bMarker = FALSE;
            ::DrawTextW(hdc, text, -1, &rect, kWrapMeasure);
        } else {
            SECTreeLabelCache& cache = pNode->GetLabelCache();
            cache.m_bMarker = TRUE;
            const int prefixLength = static_cast<int>(marker - text) + 1; // up to the backslash
            cache.m_strPrefix = CString(text, prefixLength);
            cache.m_strSuffix = CString(marker + kLabelMarkerLength);
            SIZE extent{};
            ::GetTextExtentPoint32W(hdc, text, prefixLength - 1, &extent);
            cache.m_nPrefixWidth = extent.cx;
            const int left = rect.left;
            CRect suffix(left + cache.m_nPrefixWidth, 0, std::max<int>(rect.right, left + cache.m_nPrefixWidth + 1), 0);
            ::DrawTextW(hdc, cache.m_strSuffix, cache.m_strSuffix.GetLength(), &suffix, kWrapMeasure);
            rect.SetRect(left, 0, suffix.right, suffix.bottom);
        }
        rect.bottom += 2;
        return;
    }
    const int length = LineLength(text);
    const int left = rect.left;
    // A line without tabs or other control characters measures as its text
    // extent; in the list's measuring context the font's character widths
    // give that without a GDI call (every row of a large tree is measured).
    if (std::none_of(text, text + length, [](WCHAR ch) { return ch < L' '; })) {
        const HFONT hFont = static_cast<HFONT>(::GetCurrentObject(hdc, OBJ_FONT));
        const SECListCharWidths* pWidths = this->MeasuringWidths(pDC, hFont);
        SIZE extent{};
        if (pWidths != nullptr && pWidths->Measure(text, length, extent)) {
            rect.SetRect(left, -1, left + extent.cx, extent.cy + 1);
            return;
        }
    }
    CRect measured(left, 0, left, 0);
    ::DrawTextW(hdc, text, length, &measured, kLineMeasure);
    const DWORD tabbed = ::GetTabbedTextExtentW(hdc, text, length, 0, nullptr);
    const int width = std::max<int>(measured.Width(), LOWORD(tabbed));
    rect.SetRect(left, measured.top - 1, left + width, measured.bottom + 1);
}

// ---------------------------------------------------------------------------
// Drawing the tree cell

namespace SECTreeDetail {
// The geometry input of a row's button.
inline SECTreeGeometry::ButtonInput ButtonInputOf(const SECListItem* pRow, const _Node* pNode, const CRect& rcCell,
                                                  int nIndent, DWORD dwTreeStyle, int nHorzOffset,
                                                  CImageList* pImages, CImageList* pStates)
{
    SECTreeGeometry::ButtonInput in;
    in.cell = rcCell;
    in.nLevel = pNode->GetLevel();
    in.nIndent = nIndent;
    in.nRootShift = SECTreeGeometry::RootShift(dwTreeStyle);
    in.nHorzOffset = nHorzOffset;
    const int image = pNode->m_item.iImage;
    in.bImage = pImages != nullptr && pImages->GetSafeHandle() != nullptr && image != _Node::noImage &&
                !pRow->m_rcIcon.IsRectEmpty();
    in.bStateImage = !in.bImage && pStates != nullptr && pStates->GetSafeHandle() != nullptr &&
                     ((pNode->m_item.state >> 12) & 0xF) != 0;
    in.nImageWidth = pRow->m_rcIcon.Width();
    in.nImageHeight = pRow->m_rcIcon.Height();
    in.nStateWidth = pRow->m_rcState.Width();
    return in;
}
} // namespace SECTreeDetail

template <class TList>
void SECTreeBaseT<TList>::DrawSubItem(SECListPaintContext* pContext)
{
    using namespace SECTreeDetail;
    SECTreePaintContext* pTree = dynamic_cast<SECTreePaintContext*>(pContext);
    SECListItem* pRow = pContext->m_pItem;
    if (pTree == nullptr || pTree->m_pNode == nullptr || pRow == nullptr || pContext->m_pSubItem != nullptr) {
        TList::DrawSubItem(pContext);
        return;
    }
    CDC* pDC = pContext->m_pDC;
    const CRect cell = pContext->m_rect;
    const int nRow = pContext->m_lvi.iItem;
    const UINT state = pTree->m_tvi.state;
    const int columns = this->GetColumnCount();
    const BOOL bFullRow = this->IsListStyleExSet(kFullRowSelect);
    const BOOL bEditing = nRow == this->m_nEditItem && nRow >= 0 && this->GetColumnSubItem(this->m_nEditCol) <= 0 &&
                          this->m_nEditCol >= 0;
    const int saved = pDC->SaveDC();
    pDC->IntersectClipRect(&cell); // deep levels and wide indents stay inside their cell
    pDC->FillSolidRect(&cell, pContext->m_crBk);

    // State image, then the item image.
    CImageList* pStates = this->GetImageList(TList::kImageState);
    if (pStates != nullptr && pStates->GetSafeHandle() != nullptr) {
        int index = StateImageIndex(state);
        if (index >= pStates->GetImageCount())
            index = 0;
        if (index > 0) {
            pStates->SetBkColor(pContext->m_crCellBk);
            pStates->Draw(pDC, index, CPoint(cell.left + pRow->m_rcState.left, cell.top + pRow->m_rcState.top),
                          ILD_NORMAL);
        }
    }
    CImageList* pImages = this->GetImageList(TList::kImageNormal);
    int image = (state & TVIS_SELECTED) ? pTree->m_tvi.iSelectedImage : pTree->m_tvi.iImage;
    if (pImages != nullptr && pImages->GetSafeHandle() != nullptr && image != _Node::noImage &&
        !pRow->m_rcIcon.IsRectEmpty()) {
        if (image < 0 || image >= pImages->GetImageCount())
            image = 0;
        const CSize size = pImages->GetIconSize();
        this->LoadWindowState(pContext);
        const BOOL bHighlighted = ((state & TVIS_SELECTED) && pContext->m_bFocused) || nRow == this->m_nDropHilite;
        UINT style = this->IsListStyleExSet(kBlendSelected) && bHighlighted ? kBlendStyle : ILD_NORMAL;
        style |= INDEXTOOVERLAYMASK((state >> 8) & 0xF);
        const CPoint at(cell.left + pRow->m_rcIcon.left,
                        cell.top + pRow->m_rcIcon.top + (cell.Height() - size.cy) / 2);
        pImages->Draw(pDC, image, at, style);
    }

    if (pDC->IsPrinting() || pDC->RectVisible(&cell)) {
        if (m_dwTreeStyle & TVS_HASLINES)
            DrawLines(pTree);
        if (m_dwTreeStyle & TVS_HASBUTTONS)
            DrawButton(pTree);
    }
    if (pTree->m_pNode == nullptr || pContext->m_pItem != pRow) {
        pDC->RestoreDC(saved);
        return; // the owner was asked whether the item has children and changed the tree
    }

    // The label.
    CRect rcLabel(cell.left + pRow->m_rcText.left - kLabelPad, cell.top, cell.left + kLabelPad + pRow->m_rcText.right,
                  cell.bottom);
    if (bFullRow && columns >= 1)
        rcLabel.right = cell.right;
    else if (columns > 1)
        rcLabel.right = std::min<int>(rcLabel.right, cell.left - 2 + this->GetColumnWidth(pContext->m_nCol));
    if (!bEditing || bFullRow) {
        const COLORREF oldText = pDC->SetTextColor(pContext->m_crText);
        const COLORREF oldBk = pDC->SetBkColor(pContext->m_crTextBk);
        const int oldMode = pDC->SetBkMode(TRANSPARENT);
        pDC->FillSolidRect(&rcLabel, pContext->m_crTextBk);
        HGDIOBJ oldFont = pDC->SelectObject(pContext->m_hFont ? pContext->m_hFont : this->GetOwnerFont());
        CRect rcText = rcLabel;
        rcText.OffsetRect(0, 1);
        rcText.left += kLabelPad;
        const LPCWSTR text = pTree->m_tvi.pszText != nullptr ? pTree->m_tvi.pszText : L"";
        const _Node* pNode = pTree->m_pNode;
        if (this->HasVariableRowHeight() && pNode->HasMarker()) {
            const SECTreeLabelCache* pCache = pNode->FindLabelCache();
            pDC->DrawText(pCache->m_strPrefix, pCache->m_strPrefix.GetLength() - 1, &rcText,
                          DT_SINGLELINE | DT_EXPANDTABS | DT_NOPREFIX);
            CRect rcSuffix = rcText;
            rcSuffix.left += pCache->m_nPrefixWidth;
            pDC->DrawText(pCache->m_strSuffix, &rcSuffix, kWrapDraw);
        } else if (this->HasVariableRowHeight()) {
            pDC->DrawText(text, -1, &rcText, kWrapDraw | DT_VCENTER);
        } else {
            UINT flags = kLineDraw;
            const int align = pContext->m_pColumn ? pContext->m_pColumn->GetAlignment() : LVCFMT_LEFT;
            if (align == LVCFMT_RIGHT)
                flags |= DT_RIGHT;
            else if (align == LVCFMT_CENTER)
                flags |= DT_CENTER;
            pDC->DrawText(text, LineLength(text), &rcText, flags);
        }
        pDC->SelectObject(oldFont);
        pDC->SetBkMode(oldMode);
        pDC->SetBkColor(oldBk);
        pDC->SetTextColor(oldText);
    }
    if (!(bFullRow && columns > 1) && nRow == this->m_nFocusIndex && !bEditing) {
        this->LoadWindowState(pContext);
        if (pContext->m_bFocused) {
            const COLORREF oldText = pDC->SetTextColor(RGB(0, 0, 0));
            const COLORREF oldBk = pDC->SetBkColor(RGB(255, 255, 255));
            pDC->DrawFocusRect(&rcLabel);
            pDC->SetBkColor(oldBk);
            pDC->SetTextColor(oldText);
        }
    }
    pDC->RestoreDC(saved);
}

// ---------------------------------------------------------------------------
// Buttons and lines

template <class TList>
void SECTreeBaseT<TList>::GetButtonRect(CRect& rect, int nRow, const CRect& rcCell)
{
    rect.SetRectEmpty();
    SECListItem* pRow = this->GetItemAt(nRow);
    _Node* pNode = NodeAtRow(nRow);
    if (pRow == nullptr || pNode == nullptr || pNode == m_pRoot)
        return;
    rect = SECTreeGeometry::ButtonRect(SECTreeDetail::ButtonInputOf(
        pRow, pNode, rcCell, m_nIndent, m_dwTreeStyle, this->m_nHorzOffset,
        this->GetImageList(TList::kImageNormal), this->GetImageList(TList::kImageState)));
}

template <class TList>
void SECTreeBaseT<TList>::DrawButton(SECTreePaintContext* pContext)
{
    using namespace SECTreeDetail;
    _Node* pNode = pContext->m_pNode;
    if (pNode == nullptr)
        return;
    BOOL bChildren = FALSE;
    for (const _Node* p = FirstChildOf(pNode); p != nullptr && !bChildren; p = NextSiblingOf(p))
        bChildren = (p->m_nAttributes & _Node::attrHidden) == 0;
    if (!bChildren) {
        if (pNode->m_item.cChildren == 0)
            return;
        const SECTreeNodeRef ref = RefOf(pNode);
        const BOOL bDeclared = OwnerDeclaresChildren(pNode);
        if (!IsLive(ref) || !this->IsAlive() || NodeAtRow(pContext->m_lvi.iItem) != pNode) {
            pContext->m_pNode = nullptr;
            return;
        }
        if (!bDeclared)
            return;
    }
    CDC* pDC = pContext->m_pDC;
    CRect button;
    GetButtonRect(button, pContext->m_lvi.iItem, pContext->m_rect);
    if (button.IsRectEmpty())
        return;
    const BOOL bExpanded = pNode->IsExpanded();
    SECThemeApi& theme = SECThemeApi::Get();
    // Styles count as applied when the application runs on the themed common
    // controls, as for the header.
    if (m_hTheme == nullptr && !pDC->IsPrinting() && theme.IsHeaderThemed()) {
        HWND hMain = this->m_hWnd ? ::GetAncestor(this->m_hWnd, GA_ROOTOWNER) : nullptr;
        m_hTheme = theme.OpenThemeData(hMain ? hMain : ::GetDesktopWindow(), L"TREEVIEW");
    }
    if (m_hTheme != nullptr && !pDC->IsPrinting()) {
        theme.DrawThemeBackground(m_hTheme, pDC->GetSafeHdc(), kGlyphPart, bExpanded ? kGlyphOpened : kGlyphClosed,
                                  &button, nullptr);
        return;
    }
    this->LoadWindowState(pContext);
    const COLORREF face = pContext->m_bEnabled ? RGB(255, 255, 255) : this->GetBkColor();
    HBRUSH hBrush = ::CreateSolidBrush(face);
    HGDIOBJ oldPen = pDC->SelectObject(SECTreeButtonFramePen());
    HGDIOBJ oldBrush = pDC->SelectObject(hBrush);
    pDC->Rectangle(&button);
    pDC->SelectObject(SECTreeGlyphPen());
    int midX = (button.left + button.right) / 2;
    if ((this->m_nHorzOffset + midX) & 1)
        --midX;
    const int midY = (button.top + button.bottom) / 2;
    const int arm = (button.right - button.left) / 3;
    pDC->MoveTo(midX - arm + 1, midY);
    pDC->LineTo(midX + arm, midY);
    if (!bExpanded) {
        pDC->MoveTo(midX, midY - arm + 1);
        pDC->LineTo(midX, midY + arm);
    }
    pDC->SelectObject(oldBrush);
    pDC->SelectObject(oldPen);
    ::DeleteObject(hBrush);
}

template <class TList>
void SECTreeBaseT<TList>::DrawLines(SECTreePaintContext* pContext)
{
    _Node* pNode = pContext->m_pNode;
    SECListItem* pRow = pContext->m_pItem;
    if (pNode == nullptr || pRow == nullptr)
        return;
    CDC* pDC = pContext->m_pDC;
    const CRect& cell = pContext->m_rect;
    const BOOL bSelected = (pContext->m_lvi.state & LVIS_SELECTED) != 0;
    const SECTreeGeometry::ButtonInput in = SECTreeDetail::ButtonInputOf(
        pRow, pNode, cell, m_nIndent, m_dwTreeStyle, this->m_nHorzOffset, this->GetImageList(TList::kImageNormal),
        this->GetImageList(TList::kImageState));
    const int indent = std::clamp(m_nIndent, 0, SECTreeGeometry::kMaxIndent);
    const int rootShift = in.nRootShift;
    const int level = pNode->GetLevel();
    int x = SECTreeGeometry::ButtonCentre(in, FALSE).x + rootShift * indent;
    const BOOL bStateShown = !pRow->m_rcState.IsRectEmpty();
    const BOOL bImageShown = !pRow->m_rcIcon.IsRectEmpty();
    const int end = cell.left +
                    (bStateShown ? pRow->m_rcState.left : (bImageShown ? pRow->m_rcIcon.left : pRow->m_rcText.left)) -
                    1;
    const int midY = cell.top + cell.Height() / 2;
    if (rootShift == 1 || level >= 2)
        DrawHorzLine(pDC, bSelected, x, end, midY);
    if (pContext->m_lvi.iItem > 0)
        DrawVertLines(pDC, bSelected, x, cell.top, midY);
    if (pNode->IsExpanded()) {
        BOOL bChildren = FALSE;
        for (const _Node* p = FirstChildOf(pNode); p != nullptr && !bChildren; p = NextSiblingOf(p))
            bChildren = (p->m_nAttributes & _Node::attrHidden) == 0;
        if (bChildren) {
            const CRect& below = bImageShown ? pRow->m_rcIcon : (bStateShown ? pRow->m_rcState : pRow->m_rcText);
            DrawVertLines(pDC, bSelected, x + indent, midY + below.Height() / 2, cell.bottom);
        }
    }
    // The node's and its ancestors' continuing sibling runs; a walk left of the
    // cell draws nothing, so it ends there whatever the depth.
    const int lowest = rootShift == 1 ? 0 : 1;
    int y = midY;
    int nLevel = level;
    for (const _Node* p = pNode; p != nullptr && p != m_pRoot && nLevel > lowest && x >= cell.left;
         p = ParentOf(p), --nLevel, x -= indent, y = cell.top) {
        for (const _Node* q = NextSiblingOf(p); q != nullptr; q = NextSiblingOf(q)) {
            if ((q->m_nAttributes & _Node::attrHidden) == 0) {
                DrawVertLines(pDC, bSelected, x, y, cell.bottom);
                break;
            }
        }
        if (indent == 0)
            break;
    }
}

template <class TList>
void SECTreeBaseT<TList>::DrawHorzLine(CDC* pDC, BOOL /*bSelected*/, int x1, int x2, int y)
{
    if (pDC == nullptr)
        return;
    int start = std::min(x1, x2);
    const int stop = std::max(x1, x2);
    if (pDC->IsPrinting()) {
        HGDIOBJ old = pDC->SelectObject(SECTreeButtonFramePen());
        pDC->MoveTo(start, y);
        pDC->LineTo(stop, y);
        pDC->SelectObject(old);
        return;
    }
    start = SECTreeGeometry::DotStart(start, this->m_nHorzOffset);
    const COLORREF dot = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF gap = this->GetBkColor();
    for (int x = start; x < stop; x += 2) {
        pDC->SetPixel(x, y, dot);
        pDC->SetPixel(x + 1, y, gap);
    }
}

template <class TList>
void SECTreeBaseT<TList>::DrawVertLines(CDC* pDC, BOOL /*bSelected*/, int x, int y1, int y2)
{
    if (pDC == nullptr)
        return;
    int start = std::min(y1, y2);
    const int stop = std::max(y1, y2);
    if (pDC->IsPrinting()) {
        HGDIOBJ old = pDC->SelectObject(SECTreeButtonFramePen());
        pDC->MoveTo(x, start);
        pDC->LineTo(x, stop);
        pDC->SelectObject(old);
        return;
    }
    start = SECTreeGeometry::DotStart(start, 0);
    const COLORREF dot = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF gap = this->GetBkColor();
    for (int y = start; y < stop; y += 2) {
        pDC->SetPixel(x, y, dot);
        pDC->SetPixel(x, y + 1, gap);
    }
}

// ---------------------------------------------------------------------------
// Hit-testing

namespace SECTreeDetail {
// Hit flags of the tree: a row part (low bits) with the on-row bit, or where
// outside the rows the point is.
const UINT kHitRow = 0x4000;
const UINT kHitIcon = 0x0002;
const UINT kHitLabel = 0x0004;
const UINT kHitIndent = 0x0008;
const UINT kHitButton = 0x0010;
const UINT kHitRight = 0x0020;
const UINT kHitStateIcon = 0x0040;
const UINT kHitAbove = 0x0100;
const UINT kHitBelow = 0x0200;
const UINT kHitToRight = 0x0400;
const UINT kHitToLeft = 0x0800;
const UINT kHitDivider = 0x1000;
const UINT kHitHeading = 0x2000;
} // namespace SECTreeDetail

template <class TList>
HTREEITEM SECTreeBaseT<TList>::HitTestItem(CPoint point, UINT* pFlags)
{
    using namespace SECTreeDetail;
    UINT list = 0;
    int nCol = -1;
    const int nRow = this->HitTest(point, &list, &nCol);
    _Node* pNode = nRow >= 0 ? NodeAtRow(nRow) : nullptr;
    if (pNode == m_pRoot)
        pNode = nullptr;
    UINT flags = list & SEC_LVHT_NOWHERE;
    HTREEITEM hItem = nullptr;
    if ((list & SEC_LVHT_ONITEM) && pNode != nullptr) {
        hItem = reinterpret_cast<HTREEITEM>(pNode);
        if (list & SEC_LVHT_ONITEMLABEL) {
            flags = kHitRow | kHitLabel;
        } else if (list & SEC_LVHT_ONITEMICON) {
            flags = kHitRow | kHitIcon;
        } else if (list & SEC_LVHT_RIGHTOFLABEL) {
            flags = kHitRow | kHitRight;
        } else if (list & SEC_LVHT_ONITEMSTATE) {
            flags = kHitRow | kHitStateIcon;
        } else if (list & SEC_LVHT_LEFTOFLABEL) {
            flags = kHitRow | kHitIndent;
            CRect cell;
            if ((m_dwTreeStyle & TVS_HASBUTTONS) && this->GetCellRect(nRow, nCol, cell, TList::kCellWhole)) {
                CRect button;
                GetButtonRect(button, nRow, cell);
                if (button.PtInRect(point))
                    flags = kHitRow | kHitButton;
            }
        } else {
            flags = kHitRow;
            if (!this->IsListStyleExSet(kFullRowSelect))
                hItem = nullptr;
        }
    } else if (list & SEC_LVHT_ONITEM) {
        flags = SEC_LVHT_NOWHERE;
    } else if (list & SEC_LVHT_ABOVE) {
        flags = kHitAbove;
    } else if (list & SEC_LVHT_BELOW) {
        flags = kHitBelow;
    } else if (list & SEC_LVHT_TOLEFT) {
        flags = kHitToLeft;
    } else if (list & SEC_LVHT_TORIGHT) {
        flags = kHitToRight;
    } else if (list & SEC_LVHT_ONDIVIDER) {
        flags = kHitDivider;
    } else if (list & SEC_LVHT_ONHEADING) {
        flags = kHitHeading;
    }
    if (pFlags != nullptr)
        *pFlags = flags;
    return hItem;
}

// ---------------------------------------------------------------------------
// Drag images

template <class TList>
CImageList* SECTreeBaseT<TList>::CreateDragImage(HTREEITEM hItem)
{
    CImageList* pImages = this->GetImageList(TList::kImageNormal);
    _Node* pNode = Resolve(hItem);
    if (pImages == nullptr || pImages->GetSafeHandle() == nullptr || pNode == nullptr || pNode == m_pRoot ||
        this->m_hWnd == nullptr)
        return nullptr;
    const SECTreeNodeRef ref = RefOf(pNode);
    TVITEMW item{};
    item.hItem = hItem;
    item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_HANDLE;
    item.pszText = this->m_pTextBuffer;
    item.cchTextMax = TList::kTextBufferChars;
    this->m_pTextBuffer[0] = L'\0';
    if (!GetItem(&item, TRUE, TRUE) || !IsLive(ref) || !this->IsAlive())
        return nullptr;
    // The text goes into a copy: loading the row's paint record reuses the buffer.
    const CString text(item.pszText != nullptr && !SECListIsCallbackText(item.pszText) ? item.pszText : L"");
    const int image = item.iImage;
    CClientDC screen(this);
    CDC dc;
    if (!dc.CreateCompatibleDC(&screen))
        return nullptr;
    HFONT hFont = this->GetOwnerFont();
    const int nRow = RowOfNode(pNode);
    SECListPaintContext* pContext = CreatePaintContext(&dc);
    if (nRow >= 0) {
        LoadPaintItem(pContext, nRow, 0);
        if (!IsLive(ref) || !this->IsAlive()) {
            delete pContext;
            return nullptr;
        }
        if (pContext->m_hFont != nullptr)
            hFont = pContext->m_hFont;
    }
    delete pContext;
    HGDIOBJ oldFont = dc.SelectObject(hFont);
    CImageList* pText = CreateTextImage(&dc, text, hFont);
    dc.SelectObject(oldFont);
    CImageList* pIcon = image >= 0 && image < pImages->GetImageCount() ? CreateImageFromIcon(pImages, image) : nullptr;
    if (pText != nullptr && pIcon != nullptr) {
        CImageList* pMerged = MergeImages(pIcon, pText);
        delete pIcon;
        delete pText;
        return pMerged;
    }
    return pText != nullptr ? pText : pIcon;
}

template <class TList>
HBITMAP SECTreeBaseT<TList>::CreateTextBitmap(CDC* pDC, LPCWSTR lpszText)
{
    if (pDC == nullptr || lpszText == nullptr)
        return nullptr;
    CRect rect(0, 0, 0, 0);
    pDC->DrawText(lpszText, -1, &rect, DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX);
    if (rect.Width() <= 0 || rect.Height() <= 0)
        return nullptr;
    CClientDC screen(this);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(screen.GetSafeHdc(), rect.Width(), rect.Height());
    if (hBitmap == nullptr)
        return nullptr;
    HGDIOBJ old = pDC->SelectObject(hBitmap);
    pDC->FillSolidRect(&rect, this->GetTextBkColor());
    const COLORREF oldText = pDC->SetTextColor(this->GetTextColor());
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(lpszText, -1, &rect, DT_EXPANDTABS | DT_NOPREFIX);
    pDC->SetBkMode(oldMode);
    pDC->SetTextColor(oldText);
    pDC->SelectObject(old);
    return hBitmap;
}

template <class TList>
CImageList* SECTreeBaseT<TList>::CreateTextImage(CDC* pDC, LPCWSTR lpszText, HFONT hFont)
{
    if (pDC == nullptr)
        return nullptr;
    HGDIOBJ oldFont = hFont != nullptr ? pDC->SelectObject(hFont) : nullptr;
    HBITMAP hBitmap = CreateTextBitmap(pDC, lpszText);
    if (oldFont != nullptr)
        pDC->SelectObject(oldFont);
    if (hBitmap == nullptr)
        return nullptr;
    BITMAP info{};
    ::GetObjectW(hBitmap, sizeof(info), &info);
    CImageList* pList = new CImageList;
    if (!pList->Create(info.bmWidth, info.bmHeight, ILC_MASK | ILC_COLOR24, 1, 0) ||
        ImageList_AddMasked(pList->GetSafeHandle(), hBitmap, CLR_DEFAULT) < 0) {
        delete pList;
        pList = nullptr;
    }
    ::DeleteObject(hBitmap);
    return pList;
}

template <class TList>
CImageList* SECTreeBaseT<TList>::CreateImageFromIcon(CImageList* pImages, int nImage)
{
    if (pImages == nullptr || pImages->GetSafeHandle() == nullptr || nImage < 0 ||
        nImage >= pImages->GetImageCount())
        return nullptr;
    HICON hIcon = ImageList_GetIcon(pImages->GetSafeHandle(), nImage, ILD_NORMAL);
    if (hIcon == nullptr)
        return nullptr;
    const CSize size = pImages->GetIconSize();
    CImageList* pList = new CImageList;
    if (!pList->Create(size.cx, size.cy, ILC_MASK | ILC_COLOR24, 1, 0) || pList->Add(hIcon) < 0) {
        delete pList;
        pList = nullptr;
    }
    ::DestroyIcon(hIcon);
    return pList;
}

template <class TList>
CImageList* SECTreeBaseT<TList>::MergeImages(CImageList* pFirst, CImageList* pSecond)
{
    if (pFirst == nullptr || pSecond == nullptr || pFirst->GetSafeHandle() == nullptr ||
        pSecond->GetSafeHandle() == nullptr)
        return nullptr;
    const int dx = pFirst->GetIconSize().cx + SECTreeDetail::kDragImageGap;
    HIMAGELIST hMerged = ImageList_Merge(pFirst->GetSafeHandle(), 0, pSecond->GetSafeHandle(), 0, dx, 0);
    if (hMerged == nullptr)
        return nullptr;
    CImageList* pList = new CImageList;
    pList->Attach(hMerged);
    return pList;
}


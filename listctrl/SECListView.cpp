#include "listctrl/SECListView.h"

IMPLEMENT_DYNAMIC(SECListView, CView)

BEGIN_MESSAGE_MAP(SECListView, SECListBaseV)
    SEC_LIST_MESSAGE_MAP_ENTRIES()
    ON_COMMAND(ID_FILE_PRINT, &CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, &CView::OnFilePrintPreview)
END_MESSAGE_MAP()

namespace {
int ScreenDpi(int nIndex)
{
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, nIndex);
    ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

// A copy of hSource (same description, new object), else the fallback font.
BOOL CopyFont(CFont& font, HFONT hSource)
{
    font.DeleteObject();
    LOGFONTW log{};
    if (hSource != nullptr && ::GetObjectW(hSource, sizeof(log), &log) == sizeof(log) && font.CreateFontIndirect(&log))
        return TRUE;
    // Logical units while printing are screen pixels: the point size is
    // converted at screen resolution.
    return font.CreatePointFont(SECListView::kFallbackPointSize, SECListView::kFallbackFace, nullptr);
}
} // namespace

SECListView::SECListView() = default;

SECListView::~SECListView()
{
    // The preview's session ends while this view is whole.
    ClosePrintPreview();
}

// ---------------------------------------------------------------------------
// Pages

SECListPageGeometry SECListView::GetPageGeometry()
{
    CRect inside;
    GetInsideRect(inside);
    SECListPageGeometry page;
    page.nRowCount = GetItemCount();
    page.nTop = inside.top;
    page.nBottom = inside.bottom;
    page.nSpacing = GetRowSpacing();
    page.rowHeight = [this](int nRow) { return GetItemHeight(nRow); };
    return page;
}

BOOL SECListView::NextPrintPage()
{
    if (!m_bPrinting)
        return FALSE;
    const int next = SECListPages::NextPageTop(GetPageGeometry(), m_nTopIndex);
    if (next < 0)
        return FALSE;
    m_nTopIndex = next;
    ++m_nCurPage;
    return TRUE;
}

void SECListView::GoToPrintPage(UINT nPage)
{
    if (!m_bPrinting || nPage == m_nCurPage)
        return;
    m_nTopIndex = 0;
    for (UINT n = 1; n < nPage; ++n) {
        const int next = SECListPages::NextPageTop(GetPageGeometry(), m_nTopIndex);
        if (next < 0)
            break;
        m_nTopIndex = next;
    }
    m_nCurPage = nPage;
}

// ---------------------------------------------------------------------------
// The view protocol

void SECListView::OnDraw(CDC* pDC)
{
    // The screen is painted by WM_PAINT, as in the window variant.
    if (pDC != nullptr && pDC->IsPrinting() && m_bPrinting)
        DoPaint(pDC);
}

BOOL SECListView::OnPreparePrinting(CPrintInfo* pInfo)
{
    if (pInfo == nullptr)
        return FALSE;
    pInfo->m_pPD->m_pd.Flags |= PD_NOSELECTION | PD_NOPAGENUMS;
    return DoPreparePrinting(pInfo);
}

BOOL SECListView::CreatePrintFonts()
{
    return CopyFont(m_printItemFont, GetOwnerFont()) && CopyFont(m_printHeaderFont, GetHeaderFont());
}

void SECListView::SetPrinterMapping(CDC* pDC)
{
    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetWindowExt(ScreenDpi(LOGPIXELSX), ScreenDpi(LOGPIXELSY));
    pDC->SetViewportExt(pDC->GetDeviceCaps(LOGPIXELSX), pDC->GetDeviceCaps(LOGPIXELSY));
    m_rcPage.SetRect(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
    pDC->DPtoLP(&m_rcPage);
}

void SECListView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (pDC == nullptr || pDC->GetSafeHdc() == nullptr || m_bPrinting || m_hWnd == nullptr) {
        if (pInfo != nullptr)
            pInfo->m_bContinuePrinting = FALSE;
        return;
    }
    HideTip();
    m_nSavedTopIndex = m_nTopIndex;
    m_nTopIndex = 0;
    m_nCurPage = 0;
    m_hSavedItemFont = m_hFont;
    m_hSavedHeaderFont = m_hFont; // the list keeps one font for rows and header
    if (!CreatePrintFonts()) {
        if (pInfo != nullptr)
            pInfo->m_bContinuePrinting = FALSE;
        return;
    }
    m_pPrinterDC = pDC;
    m_hFont = m_printItemFont;
    SetPrinterMapping(pDC);
    m_bPrinting = TRUE;
    m_nSavedHorzOffset = m_nHorzOffset;
    m_nHorzOffset = 0;
    m_dwSavedScrollStyle = m_dwScrollStyle;
    m_dwScrollStyle = 0;
    InvalidateRowHeights();
    if (pInfo != nullptr && pInfo->m_bPreview) {
        pInfo->SetMaxPage(static_cast<UINT>(SECListPages::CountPages(GetPageGeometry())));
        m_nTopIndex = 0;
    }
}

void SECListView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    if (pDC != nullptr && pDC->IsPrinting() && m_bPrinting)
        SetPrinterMapping(pDC);
    else
        SECListBaseV::OnPrepareDC(pDC, pInfo);
}

void SECListView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (!m_bPrinting || pDC == nullptr) {
        if (pInfo != nullptr)
            pInfo->m_bContinuePrinting = FALSE;
        return;
    }
    if (pInfo != nullptr && pInfo->m_bPreview) {
        GoToPrintPage(pInfo->m_nCurPage);
        OnDraw(pDC);
        return;
    }
    if (m_nCurPage == 0)
        m_nCurPage = 1;
    OnDraw(pDC);
    const BOOL bMore = m_bPrinting && NextPrintPage();
    if (pInfo != nullptr)
        pInfo->m_bContinuePrinting = bMore;
}

void SECListView::OnEndPrinting(CDC* pDC, CPrintInfo* /*pInfo*/)
{
    // The end of a job that was refused because another one runs (a print
    // asked for while previewing) leaves the running one alone.
    if (m_bPrinting && pDC != m_pPrinterDC)
        return;
    m_rcPage.SetRectEmpty();
    if (m_bPrinting) {
        m_hFont = m_hSavedItemFont;
        m_nHorzOffset = m_nSavedHorzOffset;
        m_dwScrollStyle = m_dwSavedScrollStyle;
    }
    m_printItemFont.DeleteObject();
    m_printHeaderFont.DeleteObject();
    m_bPrinting = FALSE;
    m_pPrinterDC = nullptr;
    m_nCurPage = 0;
    if (m_nSavedTopIndex < 0)
        return; // no job began
    m_nTopIndex = std::min(m_nSavedTopIndex, std::max(GetItemCount() - 1, 0));
    m_nSavedTopIndex = -1;
    // Rows were measured on the printer: the screen measures them again.
    InvalidateRowHeights();
    if (!IsAlive())
        return;
    CheckFitColumns();
    UpdateScrollBars();
    Invalidate(TRUE);
}

// ---------------------------------------------------------------------------
// Hooks

void SECListView::GetListClientRect(CRect& rect) const
{
    if (m_bPrinting)
        rect = m_rcPage;
    else
        SECListBaseV::GetListClientRect(rect);
}

CDC* SECListView::CreateClientDC()
{
    if (m_bPrinting && m_pPrinterDC != nullptr)
        return m_pPrinterDC;
    return SECListBaseV::CreateClientDC();
}

void SECListView::ReleaseClientDC(CDC* pDC)
{
    // The printer DC is lent, never owned; client DCs are never printing.
    if (pDC != nullptr && pDC->IsPrinting())
        return;
    SECListBaseV::ReleaseClientDC(pDC);
}

void SECListView::UpdateScrollBars()
{
    if (!m_bPrinting)
        SECListBaseV::UpdateScrollBars();
}

HFONT SECListView::GetHeaderFont() const
{
    if (m_bPrinting && m_printHeaderFont.GetSafeHandle() != nullptr)
        return static_cast<HFONT>(m_printHeaderFont.GetSafeHandle());
    return SECListBaseV::GetHeaderFont();
}

void SECListView::OnPaint()
{
    if (m_bPrinting) {
        ValidateRect(nullptr);
        return;
    }
    SECListBaseV::OnPaint();
}

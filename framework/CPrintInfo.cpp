#include "framework/CPrintInfo.h"
#include "framework/CWnd.h"
#include <algorithm>

// ---------------------------------------------------------------------------
// CPrintDialog

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd)
{
    m_pd.lStructSize = sizeof(m_pd);
    m_pd.hwndOwner = AfxSafeHwnd(pParentWnd);
    m_pd.Flags = dwFlags | (bPrintSetupOnly ? PD_PRINTSETUP : 0u);
    m_pd.nMinPage = 1;
    m_pd.nMaxPage = 0xFFFF;
    m_pd.nFromPage = 1;
    m_pd.nToPage = 0xFFFF;
    m_pd.nCopies = 1;
}

CPrintDialog::~CPrintDialog()
{
    if (m_pd.hDC != nullptr)
        ::DeleteDC(m_pd.hDC);
    if (m_pd.hDevMode != nullptr)
        ::GlobalFree(m_pd.hDevMode);
    if (m_pd.hDevNames != nullptr)
        ::GlobalFree(m_pd.hDevNames);
}

INT_PTR CPrintDialog::DoModal()
{
    m_pd.Flags |= PD_RETURNDC;
    m_pd.Flags &= ~static_cast<DWORD>(PD_RETURNDEFAULT);
    return ::PrintDlgW(&m_pd) ? IDOK : IDCANCEL;
}

BOOL CPrintDialog::GetDefaults()
{
    if (m_pd.hDC != nullptr)
        return TRUE;
    const DWORD saved = m_pd.Flags;
    m_pd.Flags = (saved | PD_RETURNDEFAULT | PD_RETURNDC) & ~static_cast<DWORD>(PD_PRINTSETUP);
    // PD_RETURNDEFAULT wants no device records of the caller.
    const HGLOBAL hDevMode = m_pd.hDevMode;
    const HGLOBAL hDevNames = m_pd.hDevNames;
    m_pd.hDevMode = nullptr;
    m_pd.hDevNames = nullptr;
    const BOOL bOk = ::PrintDlgW(&m_pd) && m_pd.hDC != nullptr;
    m_pd.Flags = saved;
    if (m_pd.hDevMode == nullptr && m_pd.hDevNames == nullptr) {
        m_pd.hDevMode = hDevMode;
        m_pd.hDevNames = hDevNames;
    } else {
        if (hDevMode != nullptr)
            ::GlobalFree(hDevMode);
        if (hDevNames != nullptr)
            ::GlobalFree(hDevNames);
    }
    return bOk;
}

// ---------------------------------------------------------------------------
// CPrintInfo

CPrintInfo::CPrintInfo() : m_pPD(new CPrintDialog(FALSE))
{
}

CPrintInfo::~CPrintInfo()
{
    delete m_pPD;
}

UINT CPrintInfo::GetFromPage() const
{
    return (m_pPD->m_pd.Flags & PD_PAGENUMS) ? m_pPD->m_pd.nFromPage : GetMinPage();
}

UINT CPrintInfo::GetToPage() const
{
    return (m_pPD->m_pd.Flags & PD_PAGENUMS) ? m_pPD->m_pd.nToPage : GetMaxPage();
}

// ---------------------------------------------------------------------------
// CPrinterTarget

BOOL CPrinterTarget::StartDoc(CDC* pDC, LPCWSTR lpszTitle)
{
    DOCINFOW doc{};
    doc.cbSize = sizeof(doc);
    doc.lpszDocName = lpszTitle;
    return ::StartDocW(pDC->GetSafeHdc(), &doc) > 0;
}

BOOL CPrinterTarget::StartPage(CDC* pDC)
{
    return ::StartPage(pDC->GetSafeHdc()) > 0;
}

BOOL CPrinterTarget::EndPage(CDC* pDC)
{
    return ::EndPage(pDC->GetSafeHdc()) > 0;
}

void CPrinterTarget::EndDoc(CDC* pDC, BOOL bAbort)
{
    if (bAbort)
        ::AbortDoc(pDC->GetSafeHdc());
    else
        ::EndDoc(pDC->GetSafeHdc());
}

// ---------------------------------------------------------------------------
// CPageBitmapDC

CPageBitmapDC::CPageBitmapDC(int cx, int cy, int nDpi, BOOL bKeepPages)
    : m_cx(std::max(cx, 1)), m_cy(std::max(cy, 1)), m_nDpi(std::max(nDpi, 1)), m_bKeepPages(bKeepPages)
{
    m_bPrinting = TRUE;
    if (!CreateCompatibleDC(nullptr))
        return;
    HDC screen = ::GetDC(nullptr);
    m_hPage = ::CreateCompatibleBitmap(screen, m_cx, m_cy);
    ::ReleaseDC(nullptr, screen);
    if (m_hPage != nullptr)
        m_hOldBitmap = ::SelectObject(m_hDC, m_hPage);
}

CPageBitmapDC::~CPageBitmapDC()
{
    if (m_hDC != nullptr && m_hOldBitmap != nullptr)
        ::SelectObject(m_hDC, m_hOldBitmap);
    if (m_hPage != nullptr)
        ::DeleteObject(m_hPage);
    for (HBITMAP hPage : m_pages)
        ::DeleteObject(hPage);
}

int CPageBitmapDC::GetDeviceCaps(int nIndex) const
{
    switch (nIndex) {
    case HORZRES:
    case PHYSICALWIDTH:
        return m_cx;
    case VERTRES:
    case PHYSICALHEIGHT:
        return m_cy;
    case LOGPIXELSX:
    case LOGPIXELSY:
        return m_nDpi;
    case HORZSIZE:
        return ::MulDiv(m_cx, 254, m_nDpi * 10);
    case VERTSIZE:
        return ::MulDiv(m_cy, 254, m_nDpi * 10);
    case PHYSICALOFFSETX:
    case PHYSICALOFFSETY:
        return 0;
    default:
        return CDC::GetDeviceCaps(nIndex);
    }
}

HBITMAP CPageBitmapDC::GetPage(int nPage) const
{
    return nPage >= 0 && nPage < GetPageCount() ? m_pages[static_cast<size_t>(nPage)] : nullptr;
}

COLORREF CPageBitmapDC::GetPagePixel(int nPage, int x, int y) const
{
    HBITMAP hPage = GetPage(nPage);
    if (hPage == nullptr || x < 0 || y < 0 || x >= m_cx || y >= m_cy)
        return CLR_INVALID;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, hPage);
    const COLORREF color = ::GetPixel(dc, x, y);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return color;
}

BOOL CPageBitmapDC::StartDoc(CDC* /*pDC*/, LPCWSTR /*lpszTitle*/)
{
    return IsValid();
}

BOOL CPageBitmapDC::StartPage(CDC* /*pDC*/)
{
    if (!IsValid())
        return FALSE;
    // The page starts white in device units, whatever mapping the view set.
    const int saved = ::SaveDC(m_hDC);
    ::SetMapMode(m_hDC, MM_TEXT);
    ::SetViewportOrgEx(m_hDC, 0, 0, nullptr);
    ::SetWindowOrgEx(m_hDC, 0, 0, nullptr);
    ::SelectClipRgn(m_hDC, nullptr);
    ::PatBlt(m_hDC, 0, 0, m_cx, m_cy, WHITENESS);
    ::RestoreDC(m_hDC, saved);
    return TRUE;
}

BOOL CPageBitmapDC::EndPage(CDC* /*pDC*/)
{
    if (!IsValid())
        return FALSE;
    if (!m_bKeepPages)
        return TRUE;
    HDC screen = ::GetDC(nullptr);
    HBITMAP hCopy = ::CreateCompatibleBitmap(screen, m_cx, m_cy);
    ::ReleaseDC(nullptr, screen);
    if (hCopy == nullptr)
        return FALSE;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, hCopy);
    CopyPageTo(dc, 0, 0, m_cx, m_cy);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    m_pages.push_back(hCopy);
    return TRUE;
}

BOOL CPageBitmapDC::CopyPageTo(HDC hTarget, int x, int y, int cx, int cy) const
{
    if (!IsValid() || hTarget == nullptr)
        return FALSE;
    // Device units of the page, whatever mapping the view left on it.
    const int saved = ::SaveDC(m_hDC);
    ::SetMapMode(m_hDC, MM_TEXT);
    ::SetViewportOrgEx(m_hDC, 0, 0, nullptr);
    ::SetWindowOrgEx(m_hDC, 0, 0, nullptr);
    BOOL bOk;
    if (cx == m_cx && cy == m_cy) {
        bOk = ::BitBlt(hTarget, x, y, cx, cy, m_hDC, 0, 0, SRCCOPY);
    } else {
        const int mode = ::SetStretchBltMode(hTarget, HALFTONE);
        ::SetBrushOrgEx(hTarget, 0, 0, nullptr);
        bOk = ::StretchBlt(hTarget, x, y, cx, cy, m_hDC, 0, 0, m_cx, m_cy, SRCCOPY);
        ::SetStretchBltMode(hTarget, mode);
    }
    ::RestoreDC(m_hDC, saved);
    return bOk;
}

void CPageBitmapDC::EndDoc(CDC* /*pDC*/, BOOL /*bAbort*/)
{
}

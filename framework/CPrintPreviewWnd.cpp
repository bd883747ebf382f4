#include "framework/CPrintPreviewWnd.h"
#include <algorithm>
#include <cwchar>
#include "framework/CView.h"

IMPLEMENT_DYNAMIC(CPrintPreviewWnd, CWnd)

namespace {
// Grey around the page, and the space kept free around it.
const COLORREF kBackground = RGB(128, 128, 128);
const int kMargin = 10;
} // namespace

CPrintPreviewWnd::CPrintPreviewWnd(CView* pView, CPrintInfo* pInfo, CSize page, int nDpi)
    : m_pView(pView), m_pInfo(pInfo), m_dc(page.cx, page.cy, nDpi, FALSE)
{
}

CPrintPreviewWnd::~CPrintPreviewWnd()
{
    delete m_pInfo;
}

BOOL CPrintPreviewWnd::Open()
{
    HWND hOwner = m_pView->m_hWnd != nullptr ? ::GetAncestor(m_pView->m_hWnd, GA_ROOT) : nullptr;
    if (!m_dc.IsValid()) {
        delete this;
        return FALSE;
    }
    if (!CreateEx(0, nullptr, L"Print Preview", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                  640, 720, hOwner, nullptr))
        return FALSE; // a creation that fails ends in PostNcDestroy, which deleted this
    const HINSTANCE hInstance = ::GetModuleHandleW(nullptr);
    const HFONT hFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    const auto button = [&](LPCWSTR text, UINT id) {
        HWND h = ::CreateWindowExW(0, L"BUTTON", text, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 0, 0, m_hWnd,
                                   reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), hInstance, nullptr);
        ::SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), FALSE);
        return h;
    };
    m_hPrevious = button(L"Previous", kIdPrevious);
    m_hNext = button(L"Next", kIdNext);
    m_hClose = button(L"Close", kIdClose);
    m_hPageText = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_CENTERIMAGE, 0, 0, 0, 0, m_hWnd,
                                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kIdPageText)), hInstance, nullptr);
    ::SendMessageW(m_hPageText, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), FALSE);
    Layout();

    m_pInfo->m_bContinuePrinting = TRUE;
    m_pView->OnBeginPrinting(&m_dc, m_pInfo);
    m_bSession = TRUE;
    if (!m_pInfo->m_bContinuePrinting || m_hWnd == nullptr) {
        Close();
        return FALSE;
    }
    // In front when asked for from the active window (the user's menu);
    // otherwise it opens without taking the focus from the active one.
    ::ShowWindow(m_hWnd, hOwner != nullptr && hOwner == ::GetForegroundWindow() ? SW_SHOW : SW_SHOWNOACTIVATE);
    return TRUE;
}

void CPrintPreviewWnd::Close()
{
    EndSession();
    if (m_hWnd != nullptr)
        DestroyWindow(); // PostNcDestroy deletes this
    else
        delete this;
}

void CPrintPreviewWnd::EndSession()
{
    if (m_pView != nullptr && m_pView->m_pPreview == this)
        m_pView->m_pPreview = nullptr;
    if (m_bSession) {
        m_bSession = FALSE;
        m_pView->OnEndPrinting(&m_dc, m_pInfo);
    }
}

void CPrintPreviewWnd::PostNcDestroy()
{
    delete this;
}

UINT CPrintPreviewWnd::GetPageCount() const
{
    return m_pInfo->GetMaxPage();
}

void CPrintPreviewWnd::GoToPage(UINT nPage)
{
    if (!m_bSession || m_pView->m_hWnd == nullptr)
        return;
    const UINT nLast = std::max(GetPageCount(), 1u);
    nPage = std::min(std::max(nPage, m_pInfo->GetMinPage()), nLast);
    nPage = std::max(nPage, 1u);
    m_pInfo->m_nCurPage = nPage;
    m_pInfo->m_bContinuePrinting = TRUE;
    m_pView->OnPrepareDC(&m_dc, m_pInfo);
    if (!m_pInfo->m_bContinuePrinting && nPage > 1)
        return; // past the end of a document that does not know its length
    m_pInfo->m_rectDraw.SetRect(0, 0, m_dc.GetDeviceCaps(HORZRES), m_dc.GetDeviceCaps(VERTRES));
    m_dc.DPtoLP(&m_pInfo->m_rectDraw);
    m_dc.StartPage(&m_dc);
    const int saved = m_dc.SaveDC();
    m_pView->OnPrint(&m_dc, m_pInfo);
    m_dc.RestoreDC(saved);
    m_dc.EndPage(&m_dc);
    m_nPage = nPage;
    if (m_hWnd != nullptr) {
        UpdateControls();
        Invalidate(FALSE);
    }
}

void CPrintPreviewWnd::UpdateControls()
{
    const UINT nCount = GetPageCount();
    wchar_t text[64];
    if (nCount == 0xFFFF)
        std::swprintf(text, 64, L"Page %u", m_nPage);
    else
        std::swprintf(text, 64, L"Page %u of %u", m_nPage, nCount);
    ::SetWindowTextW(m_hPageText, text);
    ::EnableWindow(m_hPrevious, m_nPage > 1);
    ::EnableWindow(m_hNext, m_nPage < nCount);
}

void CPrintPreviewWnd::Layout()
{
    const int width = 80;
    const int height = kBarHeight - 8;
    int x = 4;
    for (HWND h : {m_hPrevious, m_hNext, m_hClose}) {
        ::MoveWindow(h, x, 4, width, height, TRUE);
        x += width + 4;
    }
    ::MoveWindow(m_hPageText, x + 8, 4, 160, height, TRUE);
}

void CPrintPreviewWnd::Paint(HDC hdc)
{
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    HBRUSH face = ::GetSysColorBrush(COLOR_BTNFACE);
    RECT bar{client.left, client.top, client.right, std::min<LONG>(client.top + kBarHeight, client.bottom)};
    ::FillRect(hdc, &bar, face);
    RECT area{client.left, bar.bottom, client.right, client.bottom};
    HBRUSH grey = ::CreateSolidBrush(kBackground);
    ::FillRect(hdc, &area, grey);
    ::DeleteObject(grey);
    // The page, as large as fits, keeping its proportions.
    const CSize page = m_dc.GetPageSize();
    const int availableX = area.right - area.left - 2 * kMargin;
    const int availableY = area.bottom - area.top - 2 * kMargin;
    if (m_nPage == 0 || availableX <= 0 || availableY <= 0)
        return;
    int cx = availableX;
    int cy = ::MulDiv(cx, page.cy, page.cx);
    if (cy > availableY) {
        cy = availableY;
        cx = ::MulDiv(cy, page.cx, page.cy);
    }
    const int x = area.left + (area.right - area.left - cx) / 2;
    const int y = area.top + kMargin;
    m_dc.CopyPageTo(hdc, x, y, cx, cy);
    RECT frame{x - 1, y - 1, x + cx + 1, y + cy + 1};
    ::FrameRect(hdc, &frame, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
}

LRESULT CPrintPreviewWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hdc = ::BeginPaint(m_hWnd, &ps);
        Paint(hdc);
        ::EndPaint(m_hWnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        Invalidate(FALSE);
        break;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case kIdPrevious:
            if (m_nPage > 1)
                GoToPage(m_nPage - 1);
            return 0;
        case kIdNext:
            GoToPage(m_nPage + 1);
            return 0;
        case kIdClose:
        case IDCANCEL:
            Close();
            return 0;
        default:
            break;
        }
        break;
    case WM_KEYDOWN:
        if (wParam == VK_NEXT || wParam == VK_RIGHT) {
            GoToPage(m_nPage + 1);
            return 0;
        }
        if ((wParam == VK_PRIOR || wParam == VK_LEFT) && m_nPage > 1) {
            GoToPage(m_nPage - 1);
            return 0;
        }
        if (wParam == VK_ESCAPE) {
            Close();
            return 0;
        }
        break;
    case WM_DESTROY:
        EndSession();
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

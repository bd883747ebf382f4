#include "framework/CDC.h"
#include "framework/CWnd.h"
#include <algorithm>

IMPLEMENT_DYNAMIC(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

namespace {
LONG g_liveDCs = 0;
} // namespace

CDC::~CDC()
{
    if (m_bOwned)
        DeleteDC();
    else
        Detach(); // an attached context is its giver's to release
}

BOOL CDC::Attach(HDC hDC)
{
    if (m_hDC != nullptr || hDC == nullptr)
        return FALSE;
    m_hDC = hDC;
    m_bOwned = FALSE;
    InterlockedIncrement(&g_liveDCs);
    return TRUE;
}

HDC CDC::Detach()
{
    HDC h = m_hDC;
    if (h != nullptr)
        InterlockedDecrement(&g_liveDCs);
    m_hDC = nullptr;
    m_bOwned = FALSE;
    return h;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    if (m_hDC != nullptr)
        return FALSE;
    m_hDC = ::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr);
    m_bOwned = m_hDC != nullptr;
    if (m_bOwned)
        InterlockedIncrement(&g_liveDCs);
    return m_bOwned;
}

LONG CDC::GetLiveCount()
{
    return g_liveDCs;
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == nullptr)
        return FALSE;
    const BOOL owned = m_bOwned;
    HDC h = Detach();
    return owned ? ::DeleteDC(h) : FALSE;
}

CPoint CDC::GetViewportOrg() const
{
    POINT p{};
    ::GetViewportOrgEx(m_hDC, &p);
    return p;
}

CPoint CDC::GetWindowOrg() const
{
    POINT p{};
    ::GetWindowOrgEx(m_hDC, &p);
    return p;
}

CSize CDC::GetViewportExt() const
{
    SIZE s{};
    ::GetViewportExtEx(m_hDC, &s);
    return s;
}

CSize CDC::GetWindowExt() const
{
    SIZE s{};
    ::GetWindowExtEx(m_hDC, &s);
    return s;
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    POINT p{};
    ::SetViewportOrgEx(m_hDC, x, y, &p);
    return p;
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    POINT p{};
    ::SetWindowOrgEx(m_hDC, x, y, &p);
    return p;
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    SIZE s{};
    ::SetViewportExtEx(m_hDC, cx, cy, &s);
    return s;
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    SIZE s{};
    ::SetWindowExtEx(m_hDC, cx, cy, &s);
    return s;
}

CPoint CDC::MoveTo(int x, int y)
{
    POINT p{};
    ::MoveToEx(m_hDC, x, y, &p);
    return p;
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    // The classic trick: an opaque text output of nothing fills with the background colour.
    const COLORREF old = ::SetBkColor(m_hDC, clr);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    const RECT r{x, y, x + cx, y + cy};
    FillSolidRect(&r, clr);
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, dwRop);
}

namespace {
// Inverts the frame of r with the given thickness through the selected brush.
void InvertFrame(HDC hdc, const RECT& r, SIZE size)
{
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    if (w <= 0 || h <= 0)
        return;
    const int cx = std::min<int>(size.cx, w);
    const int cy = std::min<int>(size.cy, h);
    if (cx * 2 >= w || cy * 2 >= h) {
        ::PatBlt(hdc, r.left, r.top, w, h, PATINVERT); // frame covers the whole rectangle
        return;
    }
    ::PatBlt(hdc, r.left, r.top, w, cy, PATINVERT);
    ::PatBlt(hdc, r.left, r.bottom - cy, w, cy, PATINVERT);
    ::PatBlt(hdc, r.left, r.top + cy, cx, h - 2 * cy, PATINVERT);
    ::PatBlt(hdc, r.right - cx, r.top + cy, cx, h - 2 * cy, PATINVERT);
}
} // namespace

void CDC::DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast)
{
    // The halftone pattern keeps the lines visible on any background.
    static const WORD pattern[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
    HBITMAP bitmap = ::CreateBitmap(8, 8, 1, 1, pattern);
    HBRUSH brush = bitmap ? ::CreatePatternBrush(bitmap) : nullptr;
    if (brush == nullptr) {
        if (bitmap)
            ::DeleteObject(bitmap);
        return;
    }
    HGDIOBJ old = ::SelectObject(m_hDC, brush);
    if (lpRectLast != nullptr)
        InvertFrame(m_hDC, *lpRectLast, sizeLast);
    if (lpRect != nullptr)
        InvertFrame(m_hDC, *lpRect, size);
    ::SelectObject(m_hDC, old);
    ::DeleteObject(brush);
    ::DeleteObject(bitmap);
}

BOOL CDC::TextOut(int x, int y, LPCWSTR lpszString, int nCount)
{
    return ::TextOutW(m_hDC, x, y, lpszString, nCount);
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCWSTR lpszString, UINT nCount, LPINT lpDxWidths)
{
    return ::ExtTextOutW(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
}

CSize CDC::TabbedTextOut(int x, int y, LPCWSTR lpszString, int nCount, int nTabPositions, LPINT lpnTabStopPositions, int nTabOrigin)
{
    const LONG r = ::TabbedTextOutW(m_hDC, x, y, lpszString, nCount, nTabPositions, lpnTabStopPositions, nTabOrigin);
    return CSize(LOWORD(r), HIWORD(r));
}

int CDC::DrawText(LPCWSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
    return ::DrawTextW(m_hDC, lpszString, nCount, lpRect, nFormat);
}

int CDC::DrawTextEx(LPWSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat, LPDRAWTEXTPARAMS lpDTParams)
{
    return ::DrawTextExW(m_hDC, lpszString, nCount, lpRect, nFormat, lpDTParams);
}

BOOL CDC::GrayString(HBRUSH hBrush, GRAYSTRINGPROC lpfnOutput, LPARAM lpData, int nCount, int x, int y, int nWidth, int nHeight)
{
    return ::GrayStringW(m_hDC, hBrush, lpfnOutput, lpData, nCount, x, y, nWidth, nHeight);
}

int CDC::Escape(int nEscape, int nCount, LPCSTR lpszInData, LPVOID lpOutData)
{
    return ::Escape(m_hDC, nEscape, nCount, lpszInData, lpOutData);
}

CSize CDC::GetTextExtent(LPCWSTR lpszString, int nCount) const
{
    SIZE s{};
    if (lpszString != nullptr && nCount > 0)
        ::GetTextExtentPoint32W(m_hDC, lpszString, nCount, &s);
    return s;
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->GetSafeHwnd() : nullptr)
{
    if (m_hWnd != nullptr)
        Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    if (m_hWnd != nullptr && m_hDC != nullptr)
        ::EndPaint(m_hWnd, &m_ps);
    Detach();
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->GetSafeHwnd() : nullptr)
{
    Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC()
{
    if (m_hDC != nullptr)
        ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->GetSafeHwnd() : nullptr)
{
    Attach(::GetWindowDC(m_hWnd));
}

CWindowDC::~CWindowDC()
{
    if (m_hDC != nullptr)
        ::ReleaseDC(m_hWnd, Detach());
}

#include "listctrl/SECMemDC.h"
#include <algorithm>

SECMemDC::SECMemDC(CDC* pTarget, const CRect& rect, BOOL bKeepMapping, CBitmap* pKept)
    : m_pTarget(pTarget), m_pKept(pKept), m_hOldBitmap(nullptr), m_rect(rect), m_bKeepMapping(bKeepMapping)
{
    if (pTarget == nullptr || pTarget->GetSafeHdc() == nullptr || rect.IsRectEmpty())
        AfxThrowResourceException();
    m_vpOrg = pTarget->GetViewportOrg();
    m_winOrg = pTarget->GetWindowOrg();
    m_vpExt = pTarget->GetViewportExt();
    m_winExt = pTarget->GetWindowExt();
    if (!CreateCompatibleDC(pTarget))
        AfxThrowResourceException();
    CRect device = rect;
    pTarget->LPtoDP(&device);
    device.NormalizeRect();
    // A bitmap made anew for every paint costs a query of the display and
    // fresh pages for its pixels each time (under Wine about as much as
    // drawing the page); the list keeps one and paints into it again.
    if (m_pKept != nullptr && m_pKept->GetSafeHandle() != nullptr) {
        BITMAP kept{};
        if (m_pKept->GetBitmap(&kept) && kept.bmWidth >= device.Width() && kept.bmHeight >= device.Height())
            m_hOldBitmap = ::SelectObject(m_hDC, m_pKept->GetSafeHandle());
        if (m_hOldBitmap == nullptr)
            m_pKept->DeleteObject(); // too small, or made for another kind of target
    }
    if (m_hOldBitmap == nullptr) {
        CBitmap& made = m_pKept != nullptr ? *m_pKept : m_bitmap;
        // A kept bitmap covers the whole window at once: a paint of a larger
        // part later (a scroll bar that went) would otherwise make it anew,
        // and every new bitmap's pixels are fresh pages.
        CSize size = device.Size();
        CRect client;
        const HWND hWnd = m_pKept != nullptr ? ::WindowFromDC(pTarget->GetSafeHdc()) : nullptr;
        if (hWnd != nullptr && ::GetClientRect(hWnd, &client)) {
            size.cx = std::max<LONG>(size.cx, client.Width());
            size.cy = std::max<LONG>(size.cy, client.Height());
        }
        if (!made.CreateCompatibleBitmap(pTarget->GetSafeHdc(), size.cx, size.cy)) {
            DeleteDC();
            AfxThrowResourceException();
        }
        m_hOldBitmap = SelectObject(&made);
    }
    SetMapMode(pTarget->GetMapMode());
    if (bKeepMapping) {
        SetWindowExt(m_winExt);
        SetViewportExt(m_vpExt);
        SetWindowOrg(m_winOrg);
        // The bitmap starts at the rectangle's device corner.
        SetViewportOrg(m_vpOrg.x - device.left, m_vpOrg.y - device.top);
    } else {
        SetWindowExt(m_winExt);
        SetViewportExt(m_vpExt);
        SetWindowOrg(rect.left, rect.top);
    }
}

SECMemDC::~SECMemDC()
{
    if (m_hDC == nullptr)
        return;
    if (m_bKeepMapping) {
        SetWindowExt(m_winExt);
        SetViewportExt(m_vpExt);
        SetWindowOrg(m_winOrg);
    }
    CRect device = m_rect;
    m_pTarget->LPtoDP(&device);
    device.NormalizeRect();
    // Copy in device units, whatever the mappings say.
    const int savedTarget = m_pTarget->SaveDC();
    ::SetMapMode(m_pTarget->GetSafeHdc(), MM_TEXT);
    ::SetViewportOrgEx(m_pTarget->GetSafeHdc(), 0, 0, nullptr);
    ::SetWindowOrgEx(m_pTarget->GetSafeHdc(), 0, 0, nullptr);
    ::SetMapMode(m_hDC, MM_TEXT);
    ::SetViewportOrgEx(m_hDC, 0, 0, nullptr);
    ::SetWindowOrgEx(m_hDC, 0, 0, nullptr);
    ::BitBlt(m_pTarget->GetSafeHdc(), device.left, device.top, device.Width(), device.Height(), m_hDC, 0, 0, SRCCOPY);
    m_pTarget->RestoreDC(savedTarget);
    SelectObject(m_hOldBitmap);
    m_bitmap.DeleteObject();
    DeleteDC();
}

#include "listctrl/SECMemDC.h"

SECMemDC::SECMemDC(CDC* pTarget, const CRect& rect, BOOL bKeepMapping)
    : m_pTarget(pTarget), m_hOldBitmap(nullptr), m_rect(rect), m_bKeepMapping(bKeepMapping)
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
    if (!m_bitmap.CreateCompatibleBitmap(pTarget->GetSafeHdc(), device.Width(), device.Height())) {
        DeleteDC();
        AfxThrowResourceException();
    }
    m_hOldBitmap = SelectObject(&m_bitmap);
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

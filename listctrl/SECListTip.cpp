#include "listctrl/SECListTip.h"

IMPLEMENT_DYNAMIC(SECListTip, CWnd)

BOOL SECListTip::ShowTip(UINT /*nHitFlags*/, int /*nItem*/, int /*nCol*/, CPoint /*point*/)
{
    return FALSE;
}

void SECListTip::HideTip()
{
    // The capture is released only when a shown tip took it for the list.
    const bool bWasShown = m_nItem != -1;
    if (IsTipVisible()) {
        ShowWindow(SW_HIDE);
        ::RedrawWindow(m_pClient->GetOwnerWindow(), &m_rcTip, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
    }
    m_nItem = -1;
    m_nSubItem = -1;
    m_rcTip.SetRectEmpty();
    if (bWasShown && ::GetCapture() == m_pClient->GetOwnerWindow() && ::GetCapture() != nullptr)
        ::ReleaseCapture();
}

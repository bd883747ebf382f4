// SECListTip: the pop-up that shows the whole text of a clipped cell over the
// cell. It knows its list only through SECListClient.
//
// This build keeps the tip hidden: ShowTip answers FALSE and HideTip only
// resets the state. The list already calls both at every point where a tip
// appears or goes, so a full tip drops in without touching the list.
#pragma once
#include "framework/Framework.h"
#include "listctrl/SECListClient.h"

class MORVA_API SECListTip : public CWnd
{
    DECLARE_DYNAMIC(SECListTip)
public:
    explicit SECListTip(SECListClient* pClient) : m_pClient(pClient) {}

    virtual BOOL ShowTip(UINT nHitFlags, int nItem, int nCol, CPoint point);
    virtual void HideTip();
    BOOL IsTipVisible() const { return m_hWnd != nullptr && IsWindowVisible(); }
    int GetShownItem() const { return m_nItem; }

protected:
    int m_nItem = -1;          // row shown, -1 for none
    int m_nSubItem = -1;       // sub-item shown, -1 for none
    SECListClient* m_pClient;  // the list, never null
    CString m_strText;         // text shown
    CRect m_rcTip;             // the cell in the list's client coordinates
};

// SECListCtrl: the list control as a child window, the class applications create.
//
//     SECListCtrl list;
//     list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, rect, pParent, IDC_LIST);
//     list.InsertColumn(0, L"Name", LVCFMT_LEFT, 120);
//     list.InsertItem(0, L"First row");
//
// It notifies its parent (or the window given to SetNotifyWnd) with WM_NOTIFY
// in the platform's list-view forms: NM_CLICK, LVN_KEYDOWN, LVN_COLUMNCLICK,
// LVN_GETDISPINFOW, LVN_BEGINLABELEDITW / LVN_ENDLABELEDITW, LVN_DELETEITEM.
#pragma once
#include "listctrl/SECListBase.h"

class MORVA_API SECListCtrl : public SECListBaseC
{
    DECLARE_DYNAMIC(SECListCtrl)
public:
    SECListCtrl() = default;
    ~SECListCtrl() override;

protected:
    DECLARE_MESSAGE_MAP()
};

// CPallasTreeListCtrl: the application's tree-list control. A tree control
// that also hands Enter and Escape to the dialog that hosts it, as IDOK and
// IDCANCEL, so a tree list with the keyboard focus does not swallow the
// dialog's default buttons. The owner dialog may differ from the parent (a
// dialog hosting a page that hosts the control).
//
//     m_tree.CreateFromDlgItem(IDC_TREE, this);
//     m_tree.m_pOwnerDialog = this;
//
// The hosting dialog sets the three fields directly; the control never
// changes them.
#pragma once
#include "treectrl/SECTreeCtrl.h"

class MORVA_API CPallasTreeListCtrl : public SECTreeCtrl
{
    DECLARE_DYNAMIC(CPallasTreeListCtrl)
public:
    CPallasTreeListCtrl() = default;
    ~CPallasTreeListCtrl() override;

    CWnd* m_pOwnerDialog = nullptr;        // receives IDOK / IDCANCEL; null forwards nothing
    BOOL m_bForwardingSuspended = FALSE;   // while on, Enter and Escape are not forwarded
    BOOL m_bForwardDefaultKeys = TRUE;     // while off, Enter and Escape are not forwarded

    using SECTreeCtrl::OnKeyDown;
    // WM_KEYDOWN: the tree's key handling, then the forwarding.
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);

protected:
    DECLARE_MESSAGE_MAP()
};

#include "treectrl/CPallasTreeListCtrl.h"

IMPLEMENT_DYNAMIC(CPallasTreeListCtrl, SECTreeCtrl)

CPallasTreeListCtrl::~CPallasTreeListCtrl() = default;

BEGIN_MESSAGE_MAP(CPallasTreeListCtrl, SECTreeCtrl)
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

void CPallasTreeListCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // Read before the key runs: an owner that suspends forwarding from inside
    // its TVN_KEYDOWN handler means the next key, not this one.
    const BOOL bSuspended = m_bForwardingSuspended;
    SECTreeCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
    if (!IsAlive() || bSuspended || m_pOwnerDialog == nullptr || !HasFocus())
        return;
    // The owner dialog may have gone while the key ran.
    const HWND hOwner = m_pOwnerDialog->GetSafeHwnd();
    if (hOwner == nullptr || !::IsWindow(hOwner) || !m_bForwardDefaultKeys)
        return;
    if (nChar == VK_RETURN)
        ::SendMessageW(hOwner, WM_COMMAND, IDOK, 0);
    else if (nChar == VK_ESCAPE)
        ::SendMessageW(hOwner, WM_COMMAND, IDCANCEL, 0);
}

#include "listctrl/SECListEdit.h"

IMPLEMENT_DYNAMIC(SECListEdit, CEdit)

BEGIN_MESSAGE_MAP(SECListEdit, CEdit)
    ON_WM_GETDLGCODE()
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

UINT SECListEdit::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS;
}

void SECListEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // Enter commits only single-line cells; in multi-line cells it is a line break.
    if (nChar == VK_RETURN && !m_pClient->HasVariableRowHeight()) {
        m_pClient->EndLabelEdit(TRUE);
        return;
    }
    if (nChar == VK_ESCAPE) {
        m_pClient->EndLabelEdit(FALSE);
        return;
    }
    CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

// SECListEdit: the in-place editor of a list cell. An edit control that keeps
// Enter, Escape and Tab from the dialog and reports the end of an edit to its
// list through the SECListClient interface.
#pragma once
#include "framework/Framework.h"
#include "listctrl/SECListClient.h"

class MORVA_API SECListEdit : public CEdit
{
    DECLARE_DYNAMIC(SECListEdit)
public:
    explicit SECListEdit(SECListClient* pClient) : m_pClient(pClient) {}
    SECListClient* GetClient() const { return m_pClient; }

protected:
    UINT OnGetDlgCode();
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()

    SECListClient* m_pClient; // the list being edited, never null
};

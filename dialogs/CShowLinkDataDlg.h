// CShowLinkDataDlg: the modeless, resizable window in which a data link
// (CUrlDataCtrl) shows its longer text: template 204 of the resource module,
// the text (a string resource) in field 1205, the link's text as title. It
// remembers its position and size as "ShowLinkData" and, having no parent, does
// not stay on top of other windows.
#pragma once
#include <windows.h>
#include "dialogs/CPallasEditLong.h"
#include "dialogs/CResizingDlg.h"

class MORVA_API CShowLinkDataDlg : public CResizingDlg
{
    DECLARE_DYNAMIC(CShowLinkDataDlg)
public:
    enum State { StateCreated = 0, StateOpen = 1, StateClosed = 2 };

    CShowLinkDataDlg(HINSTANCE hResource, CWnd* pParentWnd = nullptr);

    // Attributes, set before the window is created
    void SetTitle(LPCWSTR title) { m_strTitle = title; }
    const CString& GetTitle() const { return m_strTitle; }
    void SetTextStringNumber(UINT nText) { m_nText = nText; }
    UINT GetTextStringNumber() const { return m_nText; }
    int GetState() const { return m_nState; }
    void SetState(int state) { m_nState = state; }
    CPallasEditLong& GetTextField() { return m_textField; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void InitControlInfo() override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    CPallasEditLong m_textField; // control 1205; shows the text
    CString m_strTitle;          // window title; the link's text
    int m_nState = StateCreated; // created, open, closed by OK or Cancel
    UINT m_nText = 0;            // string resource shown
};

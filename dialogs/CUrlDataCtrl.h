// CUrlDataCtrl: a link (CUrlCtrl's face) that opens a text window instead of
// a target: a click shows a CShowLinkDataDlg with a string resource of the
// resource module. A second click while the window is open only brings it the
// focus; a click after it was closed opens a fresh one. The window goes with
// the control.
//
//     m_link.SetResourceModule(resources);
//     m_link.SetTextStringNumber(IDS_LICENSE_TEXT);
#pragma once
#include <windows.h>
#include "dialogs/CShowLinkDataDlg.h"
#include "dialogs/CUrlCtrl.h"

class MORVA_API CUrlDataCtrl : public CUrlCtrl
{
    DECLARE_DYNAMIC(CUrlDataCtrl)
public:
    CUrlDataCtrl() = default;
    ~CUrlDataCtrl() override;

    // Attributes, set by the owner before the first click
    void SetResourceModule(HINSTANCE hResource) { m_hResource = hResource; }
    HINSTANCE GetResourceModule() const { return m_hResource; }
    void SetTextStringNumber(UINT nText) { m_nText = nText; }
    UINT GetTextStringNumber() const { return m_nText; }
    // The text window, null when none.
    CShowLinkDataDlg* GetPopup() const { return m_pPopup; }

    void FollowLink() override;

protected:
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

    // Implementation
    void DeletePopup();

    HINSTANCE m_hResource = nullptr;      // module of the window's template and text
    CShowLinkDataDlg* m_pPopup = nullptr; // the text window, owned; null when none
    UINT m_nText = 0;                     // string resource shown in the window
};

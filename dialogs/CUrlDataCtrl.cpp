#include "dialogs/CUrlDataCtrl.h"
#include "resources/MorvaResourceIds.h"

IMPLEMENT_DYNAMIC(CUrlDataCtrl, CUrlCtrl)

BEGIN_MESSAGE_MAP(CUrlDataCtrl, CUrlCtrl)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CUrlDataCtrl::~CUrlDataCtrl()
{
    DeletePopup();
}

void CUrlDataCtrl::OnDestroy()
{
    // The window goes with the control's window, also when the object lives on.
    DeletePopup();
    Default();
}

void CUrlDataCtrl::DeletePopup()
{
    CShowLinkDataDlg* pPopup = m_pPopup;
    m_pPopup = nullptr;
    if (pPopup == nullptr)
        return;
    if (pPopup->m_hWnd != nullptr)
        pPopup->DestroyWindow();
    delete pPopup;
}

void CUrlDataCtrl::FollowLink()
{
    if (m_pPopup != nullptr && m_pPopup->GetState() == CShowLinkDataDlg::StateOpen && m_pPopup->m_hWnd != nullptr) {
        m_pPopup->SetFocus();
        return;
    }
    DeletePopup();
    CShowLinkDataDlg* pPopup = new CShowLinkDataDlg(m_hResource, nullptr);
    CString title;
    GetWindowText(title);
    pPopup->SetTitle(title);
    pPopup->SetTextStringNumber(m_nText);
    m_pPopup = pPopup;
    if (pPopup->CreateModeless(nullptr)) {
        pPopup->SetState(CShowLinkDataDlg::StateOpen);
        pPopup->ShowWindow(SW_SHOW);
    }
}

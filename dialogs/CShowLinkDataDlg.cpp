#include "dialogs/CShowLinkDataDlg.h"
#include "dialogs/DialogHelpers.h"
#include "resources/MorvaResourceIds.h"

IMPLEMENT_DYNAMIC(CShowLinkDataDlg, CResizingDlg)

CShowLinkDataDlg::CShowLinkDataDlg(HINSTANCE hResource, CWnd* pParentWnd)
    : CResizingDlg(hResource, IDD_SHOW_TEXT, IDI_DIALOG, 0, pParentWnd)
{
    SetLayoutName(L"ShowLinkData");
    // Without a parent the popup stands beside the host's windows, not above them.
    m_bTopmostWithoutParent = false;
}

void CShowLinkDataDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizingDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SHOW_TEXT_FIELD, m_textField);
}

void CShowLinkDataDlg::InitControlInfo()
{
    RegisterControl(IDC_SHOW_TEXT_FIELD, ANCHOR_SIZE_X | ANCHOR_SIZE_Y);
}

BOOL CShowLinkDataDlg::OnInitDialog()
{
    CResizingDlg::OnInitDialog();
    if (!m_strTitle.IsEmpty())
        SetWindowText(m_strTitle);
    m_textField.SetWindowText(LoadResourceString(m_hResource, m_nText));
    return TRUE;
}

void CShowLinkDataDlg::OnOK()
{
    m_nState = StateClosed;
    CResizingDlg::OnOK();
}

void CShowLinkDataDlg::OnCancel()
{
    m_nState = StateClosed;
    CResizingDlg::OnCancel();
}

#include "dialogs/CPallasMessageDialog.h"
#include "resources/MorvaResourceIds.h"

IMPLEMENT_DYNAMIC(CPallasMessageDialog, CMessageDialogBase)

BEGIN_MESSAGE_MAP(CPallasMessageDialog, CMessageDialogBase)
    ON_BN_CLICKED(IDC_MESSAGE_FIRST_BUTTON, &CPallasMessageDialog::OnFirstButton)
    ON_BN_CLICKED(IDC_MESSAGE_SECOND_BUTTON, &CPallasMessageDialog::OnSecondButton)
    ON_BN_CLICKED(IDC_MESSAGE_THIRD_BUTTON, &CPallasMessageDialog::OnThirdButton)
END_MESSAGE_MAP()

CPallasMessageDialog::CPallasMessageDialog(HINSTANCE hResource, LPCWSTR caption, LPCWSTR message, UINT nIconKind,
                                           UINT nButtonSet, CWnd* pParentWnd)
    : CMessageDialogBase(hResource, IDD_MESSAGE_DIALOG, IDI_DIALOG, caption, message, nIconKind, nButtonSet,
                         pParentWnd)
{
    m_nResourceIds[ResIconKind0] = IDI_MESSAGE_INFORMATION;
    m_nResourceIds[ResIconKind1] = IDI_MESSAGE_WARNING;
    m_nResourceIds[ResIconKind2] = IDI_MESSAGE_ERROR;
    m_nResourceIds[ResSingleOk] = IDS_BUTTON_SINGLE_OK;
    m_nResourceIds[ResOk] = IDS_BUTTON_OK;
    m_nResourceIds[ResNo] = IDS_BUTTON_NO;
    m_nResourceIds[ResCancel] = IDS_BUTTON_CANCEL;
    m_nResourceIds[ResYes] = IDS_BUTTON_YES;
}

void CPallasMessageDialog::DoDataExchange(CDataExchange* pDX)
{
    CMessageDialogBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MESSAGE_TEXT, m_wndText);
    DDX_Control(pDX, IDC_MESSAGE_ICON, m_wndIcon);
    DDX_Control(pDX, IDC_MESSAGE_FIRST_BUTTON, m_btnFirst);
    DDX_Control(pDX, IDC_MESSAGE_SECOND_BUTTON, m_btnSecond);
    DDX_Control(pDX, IDC_MESSAGE_THIRD_BUTTON, m_btnThird);
}

BOOL CPallasMessageDialog::OnInitDialog()
{
    CMessageDialogBase::OnInitDialog();
    return FALSE; // the focus is on the first button
}

void CPallasMessageDialog::OnFirstButton()
{
    if (m_nButtonSet == ButtonsYesNo || m_nButtonSet == ButtonsYesNoCancel)
        m_nResult = ResultYes;
    else if (m_nButtonSet == ButtonsOk || m_nButtonSet == ButtonsOkCancel)
        m_nResult = ResultOk;
    CBaseDlg::OnOK();
}

void CPallasMessageDialog::OnSecondButton()
{
    if (m_nButtonSet == ButtonsYesNo || m_nButtonSet == ButtonsYesNoCancel)
        m_nResult = ResultNo;
    else if (m_nButtonSet == ButtonsOkCancel)
        m_nResult = ResultCancel;
    CBaseDlg::OnCancel();
}

void CPallasMessageDialog::OnThirdButton()
{
    m_nResult = ResultCancel;
    CBaseDlg::OnCancel();
}

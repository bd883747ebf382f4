#include "framework/CDialog.h"
#include "framework/AfxResource.h"
#include <cwchar>

IMPLEMENT_DYNAMIC(CDialog, CWnd)

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    CDialog* pDlg = DYNAMIC_DOWNCAST(CDialog, CWnd::FromHandlePermanent(hWnd));
    return pDlg != nullptr ? pDlg->OnInitDialog() : TRUE;
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (pDX == nullptr || pDX->m_pDlgWnd == nullptr || rControl.m_hWnd != nullptr)
        return;
    rControl.SubclassDlgItem(static_cast<UINT>(nIDC), pDX->m_pDlgWnd);
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    if (pDX == nullptr || pDX->m_pDlgWnd == nullptr)
        return;
    HWND hControl = ::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, nIDC);
    if (hControl == nullptr)
        return;
    if (pDX->m_bSaveAndValidate)
        CWnd::FromHandle(hControl)->GetWindowText(value);
    else
        ::SetWindowTextW(hControl, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    if (pDX == nullptr || pDX->m_pDlgWnd == nullptr)
        return;
    if (pDX->m_bSaveAndValidate) {
        BOOL ok = FALSE;
        const int v = static_cast<int>(::GetDlgItemInt(pDX->m_pDlgWnd->m_hWnd, nIDC, &ok, TRUE));
        if (ok)
            value = v;
    } else {
        ::SetDlgItemInt(pDX->m_pDlgWnd->m_hWnd, nIDC, static_cast<UINT>(value), TRUE);
    }
}

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEW(nIDTemplate)), m_pParentWnd(pParentWnd)
{
}

CDialog::CDialog(LPCWSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd)
{
}

LPCDLGTEMPLATEW CDialog::LoadTemplate(HINSTANCE& hModule) const
{
    if (m_lpDialogTemplate != nullptr) {
        hModule = m_hTemplateModule ? m_hTemplateModule : AfxGetResourceHandle();
        return m_lpDialogTemplate;
    }
    if (m_lpszTemplateName == nullptr)
        return nullptr;
    hModule = m_hTemplateModule ? m_hTemplateModule : AfxFindResourceHandle(m_lpszTemplateName, RT_DIALOG);
    HRSRC res = hModule ? ::FindResourceW(hModule, m_lpszTemplateName, RT_DIALOG) : nullptr;
    HGLOBAL data = res ? ::LoadResource(hModule, res) : nullptr;
    return data ? static_cast<LPCDLGTEMPLATEW>(::LockResource(data)) : nullptr;
}

BOOL CDialog::CreateFromTemplate(CWnd* pParentWnd)
{
    HINSTANCE hModule = nullptr;
    LPCDLGTEMPLATEW tmpl = LoadTemplate(hModule);
    if (tmpl == nullptr || m_hWnd != nullptr)
        return FALSE;
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamW(hModule, tmpl, AfxSafeHwnd(pParentWnd), &AfxDlgProc, 0);
    AfxUnhookWindowCreate();
    if (hWnd == nullptr || m_hWnd != hWnd) {
        if (hWnd != nullptr)
            ::DestroyWindow(hWnd);
        return FALSE;
    }
    return TRUE;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCEW(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(LPCWSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    m_lpDialogTemplate = nullptr;
    if (pParentWnd != nullptr)
        m_pParentWnd = pParentWnd;
    m_bModal = FALSE;
    return CreateFromTemplate(m_pParentWnd);
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd)
{
    m_lpDialogTemplate = lpDialogTemplate;
    if (pParentWnd != nullptr)
        m_pParentWnd = pParentWnd;
    return lpDialogTemplate != nullptr;
}

BOOL CDialog::InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd)
{
    const void* data = hDialogTemplate != nullptr ? ::LockResource(hDialogTemplate) : nullptr;
    return InitModalIndirect(static_cast<LPCDLGTEMPLATEW>(data), pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    if (lpDialogTemplate == nullptr)
        return FALSE;
    m_lpDialogTemplate = lpDialogTemplate;
    if (hInst != nullptr)
        m_hTemplateModule = hInst;
    if (pParentWnd != nullptr)
        m_pParentWnd = pParentWnd;
    m_bModal = FALSE;
    return CreateFromTemplate(m_pParentWnd);
}

BOOL CDialog::CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    const void* data = hDialogTemplate != nullptr ? ::LockResource(hDialogTemplate) : nullptr;
    return CreateIndirect(static_cast<LPCDLGTEMPLATEW>(data), pParentWnd, hInst);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    if (m_hWnd != nullptr && pWndCtrl != nullptr && pWndCtrl->m_hWnd != nullptr)
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), TRUE);
}

INT_PTR CDialog::DoModal()
{
    HWND hOwner = AfxSafeHwnd(m_pParentWnd);
    if (hOwner != nullptr)
        hOwner = ::GetAncestor(hOwner, GA_ROOT);
    const BOOL ownerWasEnabled = hOwner != nullptr && ::IsWindowEnabled(hOwner);
    m_bModal = TRUE;
    m_nModalResult = -1;
    if (!CreateFromTemplate(CWnd::FromHandle(hOwner))) {
        m_bModal = FALSE;
        return -1;
    }
    if (ownerWasEnabled)
        ::EnableWindow(hOwner, FALSE);
    m_bContinueModal = TRUE;
    if (m_bContinueModal && (GetStyle() & WS_VISIBLE) == 0)
        ShowWindow(SW_SHOWNORMAL);
    MSG msg;
    while (m_bContinueModal && m_hWnd != nullptr) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                ::PostQuitMessage(static_cast<int>(msg.wParam)); // keep the quit for the outer loop
            break;
        }
        if (!AfxPreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    if (ownerWasEnabled)
        ::EnableWindow(hOwner, TRUE);
    if (hOwner != nullptr && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hOwner);
    if (m_hWnd != nullptr)
        DestroyWindow();
    m_bModal = FALSE;
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    if (m_bModal) {
        m_bContinueModal = FALSE;
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0); // wakes the modal loop
    } else if (m_hWnd != nullptr) {
        // A modeless dialog is only hidden, as the platform's EndDialog does;
        // its window goes with its object or when its owner destroys it.
        ShowWindow(SW_HIDE);
    }
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange* /*pDX*/)
{
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hWnd != nullptr &&
        (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd)))
        return ::IsDialogMessageW(m_hWnd, pMsg);
    return FALSE;
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) <= 1 || lParam != 0) {
        if (LOWORD(wParam) == IDOK && HIWORD(wParam) == BN_CLICKED) {
            OnOK();
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL && HIWORD(wParam) == BN_CLICKED) {
            OnCancel();
            return TRUE;
        }
    }
    return CWnd::OnCommand(wParam, lParam);
}

void CDialog::PostNcDestroy()
{
    m_bContinueModal = FALSE;
}

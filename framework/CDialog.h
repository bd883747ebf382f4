// CDialog: a dialog made from a template of the resource chain or from a
// template in memory (InitModalIndirect, CreateIndirect), modal (DoModal runs
// the framework's own loop, so PreTranslateMessage works inside it) or modeless
// (Create, CreateIndirect). CDataExchange with DDX_Control and DDX_Text binds
// controls.
#pragma once
#include <windows.h>
#include "framework/AfxMsgMap.h"
#include "framework/CWnd.h"

class MORVA_API CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}
    BOOL m_bSaveAndValidate; // TRUE: controls to members; FALSE: members to controls
    CWnd* m_pDlgWnd;         // the dialog whose controls are exchanged
};

// Subclasses the dialog control nIDC with rControl the first time.
MORVA_API void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
MORVA_API void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
MORVA_API void DDX_Text(CDataExchange* pDX, int nIDC, int& value);

class MORVA_API CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)
public:
    using CWnd::Create;
    CDialog();
    CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    CDialog(LPCWSTR lpszTemplateName, CWnd* pParentWnd = nullptr);

    // Modeless creation from the template; FALSE when the template is missing.
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    BOOL Create(LPCWSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    // Runs the dialog modally; answers the EndDialog result, or -1 when the
    // dialog could not be created.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);
    // Prepares DoModal to run from a template in memory, which must stay valid
    // until the dialog is gone (a loaded resource does). FALSE for a null template.
    BOOL InitModalIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd = nullptr);
    BOOL InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd = nullptr);
    // Modeless creation from a template in memory; hInst is the module whose
    // resources the template's controls name (null: the template module, else
    // the current resource module).
    BOOL CreateIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd = nullptr, HINSTANCE hInst = nullptr);
    BOOL CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd = nullptr, HINSTANCE hInst = nullptr);
    // Moves the focus to a control the way the dialog manager does (the default
    // button follows a push button).
    void GotoDlgCtrl(CWnd* pWndCtrl);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The module the template is loaded from; null searches the resource chain.
    void SetTemplateModule(HINSTANCE hModule) { m_hTemplateModule = hModule; }
    HINSTANCE GetTemplateModule() const { return m_hTemplateModule; }
    LPCWSTR GetTemplateName() const { return m_lpszTemplateName; }
    LPCDLGTEMPLATEW GetTemplate() const { return m_lpDialogTemplate; }
    BOOL IsModal() const { return m_bModal; }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;
    // Finds and loads the template; null when it is missing.
    LPCDLGTEMPLATEW LoadTemplate(HINSTANCE& hModule) const;
    BOOL CreateFromTemplate(CWnd* pParentWnd);

    LPCWSTR m_lpszTemplateName = nullptr; // template name or integer resource id
    LPCDLGTEMPLATEW m_lpDialogTemplate = nullptr; // template in memory; used before the name when set
    HINSTANCE m_hTemplateModule = nullptr; // module of the template, null for the chain
    CWnd* m_pParentWnd = nullptr;          // parent (owner) of the dialog
    BOOL m_bModal = FALSE;                 // running in DoModal
    BOOL m_bContinueModal = FALSE;         // the modal loop goes on while set
    int m_nModalResult = -1;               // result handed to EndDialog

private:
    friend INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM);
};

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

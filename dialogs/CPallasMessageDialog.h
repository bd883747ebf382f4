// CPallasMessageDialog: the message dialog of the language resource library,
// template 164 with the dialog icon 153, the icons 147, 143 and 145 for the
// icon kinds and the button captions 1008 to 1012.
//
//     CPallasMessageDialog dlg(resources, L"Save", L"Save the changes?",
//                              CMessageDialogBase::IconWarning, CMessageDialogBase::ButtonsYesNoCancel, this);
//     dlg.DoModal();
//     if (dlg.GetResult() == CMessageDialogBase::ResultYes) ...
#pragma once
#include "dialogs/CMessageDialogBase.h"

class MORVA_API CPallasMessageDialog : public CMessageDialogBase
{
    DECLARE_DYNAMIC(CPallasMessageDialog)
public:
    CPallasMessageDialog(HINSTANCE hResource, LPCWSTR caption, LPCWSTR message, UINT nIconKind, UINT nButtonSet,
                         CWnd* pParentWnd = nullptr);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnFirstButton();
    void OnSecondButton();
    void OnThirdButton();
    DECLARE_MESSAGE_MAP()
};

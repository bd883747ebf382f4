// CMessageDialogBase: the library's message box. A dialog with an icon, a
// caption, a word-wrapped message and one to three push buttons, whose size
// follows the message (MessageDialogLayout.h). A derived class binds the
// controls of its template and names the icon and caption resources.
//
// Run it with DoModal, then read GetResult(): 0 OK, 1 Cancel, 2 Yes, 3 No
// (DoModal's own value is not the answer).
#pragma once
#include <windows.h>
#include "dialogs/CBaseDlg.h"
#include "framework/AfxControls.h"

class MORVA_API CMessageDialogBase : public CBaseDlg
{
    DECLARE_DYNAMIC(CMessageDialogBase)
public:
    // Button sets: which buttons show, and what they answer.
    enum ButtonSet : UINT
    {
        ButtonsYesNo = 1,       // Yes, No; closing otherwise answers No
        ButtonsOk = 2,          // OK
        ButtonsOkCancel = 4,    // OK, Cancel; closing otherwise answers Cancel
        ButtonsYesNoCancel = 8, // Yes, No, Cancel; closing otherwise answers No
    };
    // Answers.
    enum Result : int
    {
        ResultOk = 0,
        ResultCancel = 1,
        ResultYes = 2,
        ResultNo = 3,
    };
    // Icon kinds (other kinds show no icon).
    enum IconKind : UINT
    {
        IconInformation = 0,
        IconWarning = 1,
        IconError = 2,
    };
    // Indices of the resource numbers the derived class fills.
    enum ResourceIndex
    {
        ResIconKind0 = 0,
        ResIconKind1 = 1,
        ResIconKind2 = 2,
        ResSingleOk = 3,   // the only button of ButtonsOk
        ResOk = 4,         // first button of ButtonsOkCancel
        ResNo = 5,         // second button of ButtonsYesNo and ButtonsYesNoCancel
        ResCancel = 6,     // second of ButtonsOkCancel, third of ButtonsYesNoCancel
        ResYes = 7,        // first button of ButtonsYesNo and ButtonsYesNoCancel
        ResourceCount = 8,
    };

    // Construction: no title string, no remembered position.
    CMessageDialogBase(HINSTANCE hResource, UINT nTemplate, UINT nIcon, LPCWSTR caption, LPCWSTR message,
                       UINT nIconKind, UINT nButtonSet, CWnd* pParentWnd = nullptr);

    // Attributes
    int GetResult() const { return m_nResult; }
    const CString& GetCaption() const { return m_strCaption; }
    const CString& GetMessageText() const { return m_strMessage; }
    UINT GetButtonSet() const { return m_nButtonSet; }
    UINT GetIconKind() const { return m_nIconKind; }

protected:
    // Sizes the dialog to its message, then sets caption, icon, text and
    // button captions; the focus goes to the first button (answers FALSE).
    BOOL OnInitDialog() override;

    CString m_strCaption;                // window title
    CString m_strMessage;                // message text
    UINT m_nButtonSet;                   // ButtonSet code
    UINT m_nIconKind;                    // IconKind
    int m_nResult = ResultCancel;        // the answer
    CStatic m_wndText;                   // shows the message
    CStatic m_wndIcon;                   // shows the icon
    CButton m_btnFirst;                  // leftmost button
    CButton m_btnSecond;
    CButton m_btnThird;
    UINT m_nResourceIds[ResourceCount] = {}; // icons and button captions (ResourceIndex)

private:
    void FitToMessage();
};

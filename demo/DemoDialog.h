// The demo's dialog: a report list of the files of a folder, created in place
// of a placeholder of the dialog template. It resizes (the list follows the
// edges), sorts by a column when its heading is clicked, and its Messages
// button shows each kind of message dialog.
#pragma once
#include "dialogs/CResizingDlg.h"
#include "framework/Framework.h"
#include "listctrl/SECListCtrl.h"

// One kind of message dialog the demo shows, in the language of the resources.
struct DemoMessage
{
    UINT iconKind;  // CMessageDialogBase::IconKind
    UINT buttonSet; // CMessageDialogBase::ButtonSet
    LPCWSTR caption[2]; // English, German
    LPCWSTR text[2];
};
extern const DemoMessage kDemoMessages[4];

class CDemoDialog : public CResizingDlg
{
public:
    // resources: the language resource library (message dialogs); german: texts in German.
    CDemoDialog(LPCWSTR folder, HMODULE resources, bool german);

    SECListCtrl& GetList() { return m_list; }
    const CString& GetFolder() const { return m_folder; }
    // The answer of the last message dialog, as text.
    const CString& GetLastAnswer() const { return m_lastAnswer; }

protected:
    BOOL OnInitDialog() override;
    void InitControlInfo() override;
    void FillWithFiles();
    // Shows the message dialogs one after the other and shows the last answer.
    void OnMessages();
    // Opens the dialog of the small controls.
    void OnControls();
    // Accepts every renamed label (the demo renames rows, not files).
    void OnEndLabelEdit(NMHDR* pHeader, LRESULT* pResult);
    // Sorts by the clicked column; a second click on it turns the order round.
    void OnColumnClick(NMHDR* pHeader, LRESULT* pResult);
    static int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM self);
    DECLARE_MESSAGE_MAP()

    CString m_folder;       // folder listed, with a trailing backslash
    SECListCtrl m_list;     // the file list
    HMODULE m_hResources;   // language resource library of the message dialogs
    bool m_bGerman;         // message texts in German
    CString m_lastAnswer;   // answer of the last message dialog
    int m_nSortColumn = 0;  // column of the running sort
    bool m_bSortDown = false; // the running sort is descending
};

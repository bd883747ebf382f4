// The demo's page of small controls: a link that opens the program's folder,
// a link that opens a text window, the hotkey field, an edit field with the
// library's context menu (its commands are carried out here), the path and
// long-text display fields, the combo box that adds each server once, and the
// images of an image list loaded from the resource library.
#pragma once
#include "dialogs/CHotkeyEdit.h"
#include "dialogs/CPallasComboBox.h"
#include "dialogs/CPallasEditLong.h"
#include "dialogs/CPallasEditLongPath.h"
#include "dialogs/CPallasImageList.h"
#include "dialogs/CResetableEdit.h"
#include "dialogs/CResizingDlg.h"
#include "dialogs/CUrlDataCtrl.h"
#include "framework/Framework.h"

class CDemoControlsDialog : public CResizingDlg
{
public:
    // resources: the language resource library; folder: what the first link opens;
    // path: what the path field shows.
    CDemoControlsDialog(HMODULE resources, LPCWSTR folder, LPCWSTR path, CWnd* pParent = nullptr);

    CUrlCtrl& GetLink() { return m_link; }
    CUrlDataCtrl& GetDataLink() { return m_dataLink; }
    CHotkeyEdit& GetHotkey() { return m_hotkey; }
    CPallasEditLongPath& GetPath() { return m_path; }
    CPallasComboBox& GetCombo() { return m_combo; }
    // Adds the combo box's text, as its Add button does, and says what happened below it.
    void AddServer();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void InitControlInfo() override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnDrawItem(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    HMODULE m_hResources;          // language resource library
    CString m_folder;              // target of the first link
    CString m_pathText;            // text of the path field
    CUrlCtrl m_link;
    CUrlDataCtrl m_dataLink;
    CHotkeyEdit m_hotkey;
    CResetableEdit m_edit;
    CPallasEditLongPath m_path;
    CPallasEditLong m_longText;
    CPallasComboBox m_combo;
    CPallasImageList m_images;     // the message dialogs' icons and the dialog icon
};

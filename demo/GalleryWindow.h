// The gallery's main window: a resizing dialog with a tab per page (Files,
// Folders, Dialogs, Links, Edits), a status line and a Close button. Every
// page's controls are in the window's template and follow its edges; a tab
// shows its page's controls and hides the others'.
#pragma once
#include "DialogsPage.h"
#include "EditsPage.h"
#include "FilesPage.h"
#include "FoldersPage.h"
#include "LinksPage.h"
#include "dialogs/CResizingDlg.h"

class CGalleryWindow : public CResizingDlg
{
public:
    enum Page { kFiles, kFolders, kDialogs, kLinks, kEdits, kPageCount };
    // Posted by the Files page: the status line shows the list's selection.
    enum { WM_SHOW_SELECTION = WM_APP + 1 };

    // resources: the language resource library loaded at start-up, of the language given.
    CGalleryWindow(HMODULE resources, WORD language);

    HMODULE GetResources() const { return m_hResources; }
    WORD GetLanguage() const { return m_language; }
    // Chooses a page, as a click on its tab does.
    void ShowPage(int page);
    int GetPage() const { return m_nPage; }
    void SetStatus(const CString& text);
    // Shows the Folders page with the sample entry open and selected, as a
    // double-click on a folder of the Files page does.
    void RevealFolder(int index);
    CString GetStatus() const;

    FilesPage& GetFiles() { return m_files; }
    FoldersPage& GetFolders() { return m_folders; }
    DialogsPage& GetDialogs() { return m_dialogs; }
    LinksPage& GetLinks() { return m_links; }
    EditsPage& GetEdits() { return m_edits; }

protected:
    BOOL OnInitDialog() override;
    void InitControlInfo() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    LRESULT OnDrawItem(WPARAM wParam, LPARAM lParam);
    LRESULT OnShowSelection(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    GalleryPage* Pages(int n);

    HMODULE m_hResources;   // language resource library loaded at start-up
    WORD m_language;        // its language
    FilesPage m_files;      // the pages, in the order of their tabs
    FoldersPage m_folders;
    DialogsPage m_dialogs;
    LinksPage m_links;
    EditsPage m_edits;
    int m_nPage = -1; // the page shown
};

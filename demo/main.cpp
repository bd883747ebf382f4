// The demo host application. It does what a host of the library does first:
// find and load the language resource library of the user's language (or the
// one given on the command line) and make it the resource module. Then it
// shows the library's list control in a resizing dialog filled with the files
// of a folder, the folder tree in another, and the library's message dialogs
// in the language loaded.
//
//     MorvaDemo [language] [--folder <path>] [--snapshot <file.png>] [--interactive]
//
// language is a Windows language identifier (1031, or 0x0407); the default is
// the user's. Without --interactive the dialog is created, painted, saved as
// PNG (MorvaDemo.png beside the program unless --snapshot names another file),
// resized, and closed again; each kind of message dialog is shown, saved as
// MorvaDemo-message-<n>.png beside it and closed, so that the demo runs headless;
// so is the dialog of the small controls (MorvaDemo-controls.png), with a key
// combination typed into the hotkey field and the combo box dropped down, and
// the folder tree-list (MorvaDemo-folders.png), sorted and with a folder open.
#include <windows.h>
#include <commctrl.h>
#include <cstdio>
#include <cwchar>
#include <string>
#include "DemoControlsDialog.h"
#include "DemoDialog.h"
#include "DemoDocView.h"
#include "DemoTreeDialog.h"
#include "DemoIds.h"
#include "dialogs/CPallasLanguageResource.h"
#include "dialogs/CPallasMessageDialog.h"
#include "resources/MorvaResourceIds.h"
#include "dialogs/FileVersion.h"
#include "framework/Framework.h"
#include "snapshot/Snapshot.h"

namespace {
struct Options
{
    WORD language = GetUserDefaultUILanguage(); // requested language
    CString folder;                             // folder to list
    CString snapshot;                           // PNG to write, empty for none
    bool interactive = false;                   // run the dialog modally
};

Options ParseOptions(int argc, wchar_t** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const CString arg = argv[i];
        if (arg == L"--folder" && i + 1 < argc)
            options.folder = argv[++i];
        else if (arg == L"--snapshot" && i + 1 < argc)
            options.snapshot = argv[++i];
        else if (arg == L"--interactive")
            options.interactive = true;
        else
            options.language = static_cast<WORD>(std::wcstoul(arg, nullptr, 0));
    }
    return options;
}

CString ModulePath(HMODULE module)
{
    WCHAR path[MAX_PATH] = L"";
    GetModuleFileNameW(module, path, MAX_PATH);
    return path;
}

void Print(const CString& text)
{
    // The console takes UTF-8; error texts may carry any character.
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(n > 0 ? n : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &utf8[0], n, nullptr, nullptr);
    std::printf("%s\n", utf8.c_str());
    std::fflush(stdout);
}

// The window, with a popup of it (a dropped-down list) where it shows.
bool SaveWindowPng(HWND hWnd, const CString& path, HWND hPopup = nullptr)
{
    CRect rect;
    GetWindowRect(hWnd, &rect);
    SnapshotBitmap bitmap(rect.Width(), rect.Height());
    if (!bitmap.IsValid())
        return false;
    RenderWindow(hWnd, bitmap);
    if (hPopup != nullptr)
        RenderPopup(hWnd, hPopup, bitmap);
    return WritePng(bitmap, path.GetString());
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!AfxPreTranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    const Options options = ParseOptions(argc, argv);

    // The host of the library: its version is what the resource library must match.
    const CString hostPath = ModulePath(AfxGetLibraryHandle());
    CPallasLanguageResource resource(options.language);
    HMODULE module = nullptr;
    WORD cultureIndex = 0;
    CString error;
    if (resource.Load(module, cultureIndex, hostPath, error) != CLanguageResource::LoadOk || module == nullptr) {
        Print(error.IsEmpty() ? CString(L"The resource library could not be loaded.") : error);
        return 1;
    }
    CString folder;
    resource.GetCultureFolder(resource.GetLanguage(), folder);
    const CString libraryPath = ModulePath(module);
    const CFileVersion version = CFileVersion::Read(libraryPath);
    CString report;
    report.Format(L"Requested language: %u (0x%04X)\nLoaded library: %s\nLanguage: %u (%s)\nVersion: %d.%d.%d.%d",
                  options.language, options.language, libraryPath.GetString(), resource.GetLanguage(),
                  folder.Left(folder.GetLength() - 1).GetString(), version.m_part[0], version.m_part[1],
                  version.m_part[2], version.m_part[3]);
    Print(report);
    AfxSetResourceHandle(module);
    // The demo's dialogs run with the demo as their resource module; the
    // library's controls in them still find their resources in the library.
    AfxAddResourceModule(module);
    const bool german = PRIMARYLANGID(resource.GetLanguage()) == LANG_GERMAN;

    CString snapshot = options.snapshot;
    if (snapshot.IsEmpty()) {
        const CString exe = ModulePath(nullptr);
        snapshot = exe.Left(exe.ReverseFind(L'\\') + 1) + L"MorvaDemo.png";
    }
    CString listed = options.folder;
    if (listed.IsEmpty())
        listed = hostPath.Left(hostPath.ReverseFind(L'\\') + 1);
    CDemoDialog dialog(listed, module, german);
    if (options.interactive) {
        dialog.DoModal();
    } else if (dialog.CreateModeless()) {
        dialog.ShowWindow(SW_SHOW);
        dialog.UpdateWindow();
        PumpMessages();
        CString summary;
        summary.Format(L"Files dialog: %d rows listed from %s", dialog.GetList().GetItemCount(),
                       dialog.GetFolder().GetString());
        Print(summary);
        // A click on the Size heading sorts by size, as a user's would.
        SECListCtrl& list = dialog.GetList();
        const LPARAM heading = MAKELPARAM((list.GetColumnLeft(1) + list.GetColumnRight(1)) / 2, 5);
        list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, heading);
        list.SendMessage(WM_LBUTTONUP, 0, heading);
        PumpMessages();
        summary.Format(L"Sorted by size (heading click): first \"%s\", last \"%s\"", list.GetItemText(0, 0).GetString(),
                       list.GetItemText(list.GetItemCount() - 1, 0).GetString());
        Print(summary);
        Print(SaveWindowPng(dialog.m_hWnd, snapshot) ? L"Snapshot: " + snapshot
                                                     : CString(L"The snapshot could not be written."));
        // Resized, the list follows the dialog's edges.
        CRect before;
        dialog.GetList().GetWindowRect(&before);
        CRect window;
        dialog.GetWindowRect(&window);
        dialog.SetWindowPos(nullptr, 0, 0, window.Width() + 200, window.Height() + 120, SWP_NOMOVE | SWP_NOZORDER);
        CRect after;
        dialog.GetList().GetWindowRect(&after);
        summary.Format(L"Resized by 200 x 120: the list went from %d x %d to %d x %d", before.Width(),
                       before.Height(), after.Width(), after.Height());
        Print(summary);
        // Each kind of message dialog, in the language loaded.
        const CString base = snapshot.Left(snapshot.ReverseFind(L'.'));
        int n = 0;
        for (const DemoMessage& m : kDemoMessages) {
            CPallasMessageDialog message(module, m.caption[german], m.text[german], m.iconKind, m.buttonSet);
            if (!message.CreateModeless())
                continue;
            message.ShowWindow(SW_SHOW);
            message.UpdateWindow();
            CString path;
            path.Format(L"%s-message-%d.png", base.GetString(), ++n);
            CString line;
            line.Format(L"Message dialog %d: \"%s\",", n, m.caption[german]);
            for (int id = IDC_MESSAGE_FIRST_BUTTON; id <= IDC_MESSAGE_THIRD_BUTTON; ++id) {
                CWnd* button = message.GetDlgItem(id);
                CString text;
                button->GetWindowText(text);
                if (button->IsWindowVisible())
                    line += L" [" + text + L"]";
            }
            line += SaveWindowPng(message.m_hWnd, path) ? L" -> " + path : CString(L" (no picture)");
            Print(line);
            message.DestroyWindow();
        }
        // The small controls, as a user leaves them: a hotkey typed, the link
        // focused, a server added twice, the combo box dropped down.
        // The picture shows a path as an installed host has it, not the build's.
        CDemoControlsDialog controls(module, listed,
                                     L"C:\\Program Files\\Morva\\Common\\en-US\\MorvaCommonResU.dll", &dialog);
        if (controls.CreateModeless(&dialog)) {
            controls.ShowWindow(SW_SHOW);
            BYTE keys[256] = {};
            GetKeyboardState(keys);
            keys[VK_CONTROL] = keys[VK_MENU] = 0x80;
            SetKeyboardState(keys);
            controls.GetHotkey().SendMessage(WM_KEYDOWN, 'K', 1);
            keys[VK_CONTROL] = keys[VK_MENU] = 0;
            SetKeyboardState(keys);
            controls.GetCombo().SetWindowText(L"  \\\\BACKUP.example.org ");
            controls.AddServer();
            controls.GetLink().SetFocus();
            controls.GetCombo().ShowDropDown(TRUE);
            PumpMessages();
            CString line;
            line.Format(L"Controls dialog: hotkey \"%s\", %d servers, path shown as \"%s\"",
                        controls.GetHotkey().GetKey().GetText().GetString(), controls.GetCombo().GetCount(),
                        controls.GetPath().GetDisplayedText().GetString());
            Print(line);
            const CString path = base + L"-controls.png";
            COMBOBOXINFO combo{};
            combo.cbSize = sizeof(combo);
            GetComboBoxInfo(controls.GetCombo().m_hWnd, &combo);
            Print(SaveWindowPng(controls.m_hWnd, path, combo.hwndList) ? L"Snapshot: " + path
                                                                       : CString(L"(no picture)"));
            controls.GetCombo().ShowDropDown(FALSE);
            controls.DestroyWindow();
        }
        dialog.DestroyWindow();
    } else {
        Print(L"The demo dialog could not be created.");
        return 2;
    }
    // The folder tree: children are read when a folder is first expanded.
    CDemoTreeDialog folders(listed);
    if (options.interactive) {
        folders.DoModal();
    } else if (folders.CreateModeless()) {
        SECTreeCtrl& tree = folders.GetTree();
        const HTREEITEM hTop = tree.GetRootItem();
        tree.Expand(hTop, TVE_EXPAND);
        CString summary;
        summary.Format(L"Folders dialog: %d top-level folder(s); expanding \"%s\" read %d entries",
                       tree.CountChildren(TVI_ROOT), tree.GetItemText(hTop).GetString(), folders.GetLastLoaded());
        Print(summary);
        // Sorted by size as a click on its heading does; the largest file comes last.
        folders.SortByColumn(CDemoTreeDialog::kColSize);
        HTREEITEM hLast = tree.GetChildItem(hTop);
        for (HTREEITEM h = hLast; h != nullptr; h = tree.GetNextSiblingItem(h))
            hLast = h;
        if (hLast != nullptr) {
            summary.Format(L"Sorted by size: last is \"%s\" (%s)", tree.GetItemText(hLast).GetString(),
                           tree.GetItemText(hLast, CDemoTreeDialog::kColSize).GetString());
            Print(summary);
        }
        // Keys: Left on the top folder collapses it, Right opens it again.
        tree.SelectItem(hTop, TVGN_CARET);
        tree.SendMessage(WM_KEYDOWN, VK_LEFT, 1);
        const BOOL bCollapsed = !tree.IsItemExpanded(hTop);
        tree.SendMessage(WM_KEYDOWN, VK_RIGHT, 1);
        summary.Format(L"Keys: Left %s the top folder, Right %s it", bCollapsed ? L"collapsed" : L"did not collapse",
                       tree.IsItemExpanded(hTop) ? L"expanded" : L"did not expand");
        Print(summary);
        // The tree-list as a person sees it: the first subfolder opened too.
        const HTREEITEM hFirst = tree.GetChildItem(hTop);
        if (hFirst != nullptr)
            tree.Expand(hFirst, TVE_EXPAND);
        tree.EnsureVisible(hTop);
        folders.ShowWindow(SW_SHOW);
        folders.UpdateWindow();
        const CString picture = snapshot.Left(snapshot.ReverseFind(L'.')) + L"-folders.png";
        Print(SaveWindowPng(folders.m_hWnd, picture) ? L"Snapshot: " + picture
                                                     : CString(L"The folders snapshot could not be written."));
        folders.DestroyWindow();
    }
    // The document-view window: the list and the tree-list as views, with print preview.
    RunDemoDocView(listed, options.interactive, snapshot.Left(snapshot.ReverseFind(L'.')));
    AfxRemoveResourceModule(module);
    AfxSetResourceHandle(nullptr);
    FreeLibrary(module);
    return 0;
}

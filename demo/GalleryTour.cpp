#include "GalleryTour.h"
#include <cstdio>
#include <string>
#include "DemoIds.h"
#include "GalleryDialogs.h"
#include "GallerySamples.h"
#include "dialogs/CPallasMessageDialog.h"
#include "resources/MorvaResourceIds.h"
#include "snapshot/Snapshot.h"

namespace {
// A name of the sample folder too long for the list's Name column.
const wchar_t kLongName[] = L"Interview with the keeper of the northern light, transcribed.docx";

void Print(const CString& text)
{
    // The console takes UTF-8; texts may carry any character.
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(n > 0 ? n : 1), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, &utf8[0], n, nullptr, nullptr);
    std::printf("%s\n", utf8.c_str());
    std::fflush(stdout);
}

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!AfxPreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

// A click as the mouse makes it, at a point of the window's client area.
void Click(CWnd& wnd, CPoint point)
{
    const LPARAM where = MAKELPARAM(point.x, point.y);
    wnd.SendMessage(WM_MOUSEMOVE, 0, where);
    wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, where);
    wnd.SendMessage(WM_LBUTTONUP, 0, where);
    Pump();
}

// The middle of a column's heading.
CPoint Heading(SECListCtrl& list, int column)
{
    return CPoint((list.GetColumnLeft(column) + list.GetColumnRight(column)) / 2, list.GetHeaderHeight() / 2);
}

void SetModifiers(bool control, bool alt)
{
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = control ? 0x80 : 0;
    keys[VK_MENU] = alt ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

// Types over the whole text of an edit field, one key at a time; Enter as
// "\r", Backspace as "\b". Stops when the field goes.
void Type(HWND hEdit, LPCWSTR text)
{
    if (::IsWindow(hEdit))
        ::SendMessageW(hEdit, EM_SETSEL, 0, -1);
    for (const WCHAR* c = text; *c != L'\0' && ::IsWindow(hEdit); ++c) {
        if (*c == L'\r' || *c == L'\b') {
            ::SendMessageW(hEdit, WM_KEYDOWN, *c == L'\r' ? VK_RETURN : VK_BACK, 1);
            if (!::IsWindow(hEdit))
                break;
        }
        ::SendMessageW(hEdit, WM_CHAR, *c, 1);
    }
    Pump();
}

CString WindowText(HWND hWnd)
{
    WCHAR text[512] = L"";
    ::GetWindowTextW(hWnd, text, 512);
    return text;
}
} // namespace

GalleryTour::GalleryTour(CGalleryWindow& window, const CString& folder) : m_window(window), m_folder(folder)
{
    if (m_folder.Right(1) != L"\\")
        m_folder += L'\\';
}

int GalleryTour::GetFailures() const
{
    int failures = 0;
    for (const TourStop& stop : m_stops)
        failures += !stop.ok;
    return failures;
}

void GalleryTour::Record(LPCWSTR what, bool reached, const CString& note, HWND hWnd, HWND hPopup)
{
    TourStop stop{TourPictureName(static_cast<int>(m_stops.size()) + 1, what), reached, note};
    Pump();
    if (reached) {
        ::UpdateWindow(hWnd != nullptr ? hWnd : m_window.m_hWnd);
        if (!SaveWindowPng(hWnd != nullptr ? hWnd : m_window.m_hWnd, (m_folder + stop.picture).GetString(), hPopup)) {
            stop.ok = false;
            stop.note = L"the picture could not be written: " + note;
        }
    }
    Print((stop.ok ? L"" : L"FAILED ") + stop.picture + L": " + stop.note);
    m_stops.push_back(stop);
}

void GalleryTour::Run()
{
    // The folder and any missing folders above it (creating a drive or one
    // that is there fails harmlessly).
    for (int at = m_folder.Find(L'\\'); at >= 0; at = m_folder.Find(L'\\', at + 1))
        ::CreateDirectoryW(m_folder.Left(at), nullptr);
    if (::GetForegroundWindow() != m_window.m_hWnd)
        ::SetForegroundWindow(m_window.m_hWnd);
    FilesStops();
    FoldersStops();
    DialogStops();
    MessageStops();
    LinksStop();
    EditsStop();
    GrownStop();
    m_window.ShowPage(CGalleryWindow::kFiles);
}

void GalleryTour::FilesStops()
{
    m_window.ShowPage(CGalleryWindow::kFiles);
    FilesPage& page = m_window.GetFiles();
    SECListCtrl& list = page.GetList();
    list.SetFocus();
    const int cover = page.FindRow(L"Cover.png");
    CRect row;
    list.GetCellRect(cover, FilesPage::kColType, row, SECListCtrl::kCellLabel);
    Click(list, row.CenterPoint());
    Record(L"files", cover >= 0 && list.GetSelectedCount() == 1 && !m_window.GetStatus().IsEmpty(),
           L"the project folder, folders first, \"Cover.png\" selected: " + m_window.GetStatus());

    // Two clicks on the Size heading: largest first.
    Click(list, Heading(list, FilesPage::kColSize));
    Click(list, Heading(list, FilesPage::kColSize));
    BOOL ascending = TRUE;
    const int folders = 4;
    const bool sorted = list.GetSortMark(&ascending) == FilesPage::kColSize && !ascending &&
                        list.GetItemText(folders, 0) == L"Backup 2026-11-30.zip";
    const int selected = list.GetNextItem(-1, LVNI_SELECTED);
    Record(L"files-sorted-by-size", sorted && list.GetItemText(selected, 0) == L"Cover.png",
           L"two clicks on the Size heading: largest file first, the selection stayed on its row");

    // The mouse resting on a name too long for its column.
    const int interview = page.FindRow(kLongName);
    CRect label;
    list.GetCellRect(interview, 0, label, SECListCtrl::kCellLabel);
    // Tips show only in the active application; another program on the same
    // window server (a test beside the tour) may take that, so a few tries.
    SECListTip* tip = nullptr;
    bool shown = false;
    for (int attempt = 0; attempt < 3 && !shown; ++attempt) {
        if (::GetForegroundWindow() != m_window.m_hWnd)
            ::SetForegroundWindow(m_window.m_hWnd);
        const CPoint over(label.left + 20 + attempt, label.CenterPoint().y);
        list.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(over.x, over.y));
        Pump();
        tip = list.GetTip();
        shown = tip != nullptr && tip->IsTipVisible() && tip->GetShownItem() == interview;
    }
    Record(L"files-tip", shown, L"the whole name in a tip over the clipped cell", nullptr,
           shown ? tip->m_hWnd : nullptr);
    if (tip != nullptr)
        tip->HideTip();

    // Renaming in place: the editor open with a new name typed. The editor
    // may go at any key, so it is reached through its handle only.
    const int readme = page.FindRow(L"Readme.txt");
    list.SetFocus();
    SECListEdit* edit = list.EditLabel(readme);
    HWND hEdit = edit != nullptr ? edit->m_hWnd : nullptr;
    Type(hEdit, L"Read me first.txt");
    Record(L"files-rename", ::IsWindow(hEdit) && ::IsWindowVisible(hEdit),
           L"F2 on \"Readme.txt\": the name edited in place");
    Type(hEdit, L"\r");
    const int renamed = page.FindRow(L"Read me first.txt");
    if (renamed < 0) {
        Record(L"files-renamed", false, L"Enter did not rename the row");
        return;
    }
    // An empty name is refused: the row keeps the one it had.
    edit = list.EditLabel(renamed);
    hEdit = edit != nullptr ? edit->m_hWnd : nullptr;
    Type(hEdit, L"\b\r");
    if (hEdit == nullptr || ::IsWindow(hEdit) || page.FindRow(L"Read me first.txt") != renamed)
        Record(L"files-empty-name", false, L"an empty name was not refused");
}

void GalleryTour::FoldersStops()
{
    // Ctrl+Tab turns to the Folders page and back; a double-click on the
    // "Photos" folder of the Files page opens it there.
    SECListCtrl& list = m_window.GetFiles().GetList();
    list.SetFocus();
    SetModifiers(true, false);
    MSG key{list.m_hWnd, WM_KEYDOWN, VK_TAB, 1, 0, {0, 0}};
    const BOOL turned = AfxPreTranslateMessage(&key) && m_window.GetPage() == CGalleryWindow::kFolders;
    SetModifiers(false, false);
    m_window.ShowPage(CGalleryWindow::kFiles);
    CRect row;
    list.GetCellRect(m_window.GetFiles().FindRow(L"Photos"), 0, row, SECListCtrl::kCellLabel);
    const LPARAM where = MAKELPARAM(row.CenterPoint().x, row.CenterPoint().y);
    Click(list, row.CenterPoint());
    list.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, where);
    list.SendMessage(WM_LBUTTONUP, 0, where);
    Pump();
    FoldersPage& page = m_window.GetFolders();
    SECTreeCtrl& tree = page.GetTree();
    const HTREEITEM hTop = tree.GetRootItem();
    const HTREEITEM hPhotos = page.FindChild(hTop, L"Photos");
    const bool revealed = m_window.GetPage() == CGalleryWindow::kFolders && hPhotos != nullptr &&
                          tree.IsItemExpanded(hPhotos) && tree.GetCaretItem() == hPhotos;
    if (!turned || !revealed) {
        Record(L"folders-reached", false, turned ? L"a double-click on a folder did not open it on the Folders page"
                                                 : L"Ctrl+Tab did not turn the page");
        m_window.ShowPage(CGalleryWindow::kFolders);
    }
    const HTREEITEM hArchive = page.FindChild(hPhotos, L"Archive");
    tree.Expand(hArchive, TVE_EXPAND);
    const HTREEITEM hDrafts = page.FindChild(hTop, L"Empty drafts");
    tree.Expand(hDrafts, TVE_EXPAND);
    const HTREEITEM hLantern = page.FindChild(hPhotos, L"Lantern room.jpg");
    tree.SetFocus();
    tree.SelectItem(hLantern, TVGN_CARET);
    tree.EnsureVisible(hTop);
    Pump();
    const bool opened = hArchive != nullptr && tree.IsItemExpanded(hArchive) && hDrafts != nullptr &&
                        tree.CountChildren(hDrafts) == 0 && hLantern != nullptr;
    Record(L"folders", opened,
           L"the tree-list with \"Photos\" and its \"Archive\" open; the empty folder lost its button");

    Click(tree, Heading(tree, FoldersPage::kColSize));
    Click(tree, Heading(tree, FoldersPage::kColSize));
    tree.EnsureVisible(hTop);
    const HTREEITEM hFirstFile = tree.GetNextSiblingItem(tree.GetChildItem(hPhotos));
    Record(L"folders-sorted-by-size",
           hFirstFile != nullptr && tree.GetItemText(hFirstFile) == L"Storm over the cliffs.jpg",
           L"two clicks on the Size heading: every folder's largest file first");
}

void GalleryTour::DialogStops()
{
    m_window.ShowPage(CGalleryWindow::kDialogs);
    DialogsPage& page = m_window.GetDialogs();

    // The resizing dialog, grown: its text grows, its buttons keep to the corner.
    CGalleryNotesDlg notes(page.GetNotes(), &m_window);
    bool grown = false;
    if (notes.CreateModeless(&m_window)) {
        CRect rect;
        notes.GetWindowRect(&rect);
        notes.SetWindowPos(nullptr, 180, 140, rect.Width() + 120, rect.Height() + 60, SWP_NOZORDER);
        notes.ShowWindow(SW_SHOW);
        CRect after;
        notes.GetWindowRect(&after);
        grown = after.Width() == rect.Width() + 120;
    }
    Record(L"notes-resizing-dialog", grown, L"the Notes dialog grown by 120 x 60: the text follows its edges",
           notes.m_hWnd);
    if (::IsWindow(notes.m_hWnd))
        notes.SendMessage(WM_COMMAND, IDOK, 0);

    CGalleryAboutDlg about(page.GetVersionText(), &m_window);
    if (about.CreateModeless(&m_window)) {
        about.SetWindowPos(nullptr, 420, 320, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        about.SendMessage(WM_COMMAND, IDOK, 0);
    }
    page.ShowStoredLayouts();
    ::SetFocus(::GetDlgItem(m_window.m_hWnd, IDC_DLG_NOTES));
    const CString stored = WindowText(::GetDlgItem(m_window.m_hWnd, IDC_DLG_REGISTRY));
    Record(L"dialogs-layouts-stored", stored.Find(L"XY = 420,320") >= 0 && stored.Find(L"WH = ") >= 0,
           L"the Dialogs page after both dialogs closed: their layouts in the registry");
}

void GalleryTour::MessageStops()
{
    DialogsPage& page = m_window.GetDialogs();
    static const LPCWSTR kNames[] = {L"message-information", L"message-question", L"message-warning",
                                     L"message-error"};
    static const int kButtons[] = {1, 2, 3, 2};
    // English first, then the warning again with the German resource library.
    for (int round = 0; round < 2; ++round) {
        if (round == 1 && !page.SetLanguage(DialogsPage::kGerman)) {
            Record(L"message-german", false, L"the German resource library did not load: " + m_window.GetStatus());
            break;
        }
        if (round == 0)
            page.SetLanguage(DialogsPage::kEnglish);
        const bool german = round == 1;
        for (int n = german ? 2 : 0; n < (german ? 3 : SampleMessageCount()); ++n) {
            const SampleMessage& m = SampleMessages()[n];
            CPallasMessageDialog dlg(page.GetMessageModule(), m.caption[german], m.text[german], m.iconKind,
                                     m.buttonSet, &m_window);
            int buttons = 0;
            CString texts;
            if (dlg.CreateModeless()) {
                dlg.ShowWindow(SW_SHOW);
                for (int id = IDC_MESSAGE_FIRST_BUTTON; id <= IDC_MESSAGE_THIRD_BUTTON; ++id) {
                    const HWND hButton = ::GetDlgItem(dlg.m_hWnd, id);
                    if (hButton != nullptr && ::IsWindowVisible(hButton)) {
                        ++buttons;
                        texts += L" [" + WindowText(hButton) + L"]";
                    }
                }
            }
            bool reached = buttons == kButtons[n];
            if (german) {
                // The buttons' texts are the German library's.
                WCHAR yes[32] = L"";
                ::LoadStringW(page.GetMessageModule(), IDS_BUTTON_YES, yes, 32);
                reached = reached && yes[0] != L'\0' && texts.Find(CString(L"[") + yes + L"]") >= 0 &&
                          CString(yes) != L"Yes";
            }
            Record(german ? L"message-german" : kNames[n], reached,
                   CString(m.caption[german]) + L":" + texts, dlg.m_hWnd);
            if (::IsWindow(dlg.m_hWnd))
                dlg.DestroyWindow();
        }
    }
    page.SetLanguage(m_window.GetLanguage());
}

void GalleryTour::LinksStop()
{
    m_window.ShowPage(CGalleryWindow::kLinks);
    LinksPage& page = m_window.GetLinks();
    page.GetFolderLink().SetFocus();
    Record(L"links",
           page.GetFolderLink().IsWindowVisible() && page.GetWebLink().IsWindowVisible() &&
               page.GetDataLink().IsWindowVisible() && page.GetImageCount() == 4 + kImageCount,
           L"the links (the first one focused) and the images of two image lists");
    page.GetDataLink().FollowLink();
    CShowLinkDataDlg* popup = page.GetDataLink().GetPopup();
    const bool open = popup != nullptr && ::IsWindow(popup->m_hWnd) && popup->IsWindowVisible();
    Record(L"link-text-window", open, L"the text window the third link opens", open ? popup->m_hWnd : nullptr);
    if (open)
        popup->SendMessage(WM_COMMAND, IDCANCEL, 0);
}

void GalleryTour::EditsStop()
{
    m_window.ShowPage(CGalleryWindow::kEdits);
    EditsPage& page = m_window.GetEdits();
    // Ctrl + Alt + K pressed in the hotkey field.
    page.GetHotkey().SetFocus();
    SetModifiers(true, true);
    page.GetHotkey().SendMessage(WM_KEYDOWN, 'K', 1);
    SetModifiers(false, false);
    // A server typed with a leading backslash pair: it is in the list already.
    page.GetServers().SetWindowText(L"\\\\Lantern.example.org");
    page.AddServer();
    page.GetServers().SetFocus();
    page.GetServers().ShowDropDown(TRUE);
    Pump();
    COMBOBOXINFO combo{};
    combo.cbSize = sizeof(combo);
    ::GetComboBoxInfo(page.GetServers().m_hWnd, &combo);
    const CString added = m_window.GetStatus();
    const CString key = page.GetHotkey().GetKey().GetText();
    Record(L"edits", key.Find(L"K") >= 0 && page.GetServers().GetCount() == 3 && added.Find(L"already") >= 0,
           L"hotkey \"" + key + L"\", the path shortened to \"" + page.GetPath().GetDisplayedText() + L"\"; " + added,
           nullptr, combo.hwndList);
    page.GetServers().ShowDropDown(FALSE);
}

void GalleryTour::GrownStop()
{
    // The whole window larger: the page's tree-list takes the growth, the
    // status line and the Close button keep to the bottom.
    m_window.ShowPage(CGalleryWindow::kFolders);
    CRect before;
    m_window.GetWindowRect(&before);
    CRect tree;
    m_window.GetFolders().GetTree().GetWindowRect(&tree);
    m_window.SetWindowPos(nullptr, 0, 0, before.Width() + 160, before.Height() + 100, SWP_NOMOVE | SWP_NOZORDER);
    CRect grown;
    m_window.GetFolders().GetTree().GetWindowRect(&grown);
    m_window.GetFolders().GetTree().SetFocus();
    Record(L"folders-window-grown", grown.Width() == tree.Width() + 160 && grown.Height() == tree.Height() + 100,
           L"the window grown by 160 x 100: the tree-list takes it all");
    m_window.SetWindowPos(nullptr, 0, 0, before.Width(), before.Height(), SWP_NOMOVE | SWP_NOZORDER);
}

#include "DemoDocView.h"
#include <cstdio>
#include <vector>
#include "listctrl/SECListView.h"
#include "snapshot/Snapshot.h"
#include "treectrl/SECTreeView.h"

namespace {
const UINT kIdClose = 0xE141; // the standard exit command

// The document: the entries of one folder.
class CFolderDocument : public CDocument
{
public:
    struct Entry
    {
        CString name;          // file or folder name
        bool folder = false;   // a folder
        ULONGLONG size = 0;    // a file's size in bytes
    };

    explicit CFolderDocument(const CString& folder) : m_folder(folder)
    {
        SetTitle(L"Folder - " + folder);
        WIN32_FIND_DATAW fd{};
        HANDLE find = ::FindFirstFileW(folder + L"*", &fd);
        if (find == INVALID_HANDLE_VALUE)
            return;
        do {
            Entry entry;
            entry.name = fd.cFileName;
            if (entry.name == L"." || entry.name == L"..")
                continue;
            entry.folder = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            entry.size = (static_cast<ULONGLONG>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow;
            m_entries.push_back(entry);
        } while (::FindNextFileW(find, &fd));
        ::FindClose(find);
    }
    const CString m_folder;          // the folder, with a trailing backslash
    std::vector<Entry> m_entries;    // its files and folders, as found
};

CString SizeText(ULONGLONG size)
{
    CString text;
    text.Format(L"%llu KB", (size + 1023) / 1024);
    return text;
}

// The files, one row each.
class CFileListView : public SECListView
{
public:
    CFileListView() { ModifyListStyle(0, LVS_REPORT, FALSE); }
    void OnInitialUpdate() override
    {
        auto* pDoc = static_cast<CFolderDocument*>(GetDocument());
        InsertColumn(0, L"Name", LVCFMT_LEFT, 220);
        InsertColumn(1, L"Size", LVCFMT_RIGHT, 90);
        if (pDoc == nullptr)
            return;
        for (const CFolderDocument::Entry& entry : pDoc->m_entries) {
            if (entry.folder)
                continue;
            const int row = InsertItem(GetItemCount(), entry.name);
            CString size = SizeText(entry.size);
            LVITEMW cell{};
            cell.mask = LVIF_TEXT | LVIF_DI_SETITEM;
            cell.iItem = row;
            cell.iSubItem = 1;
            cell.pszText = size.GetBuffer(0);
            SetItem(&cell);
            size.ReleaseBuffer();
        }
        UpdateScrollBars();
    }
};

// The folder and what is in it, folders first, as a tree-list.
class CFolderTreeView : public SECTreeView
{
public:
    void OnInitialUpdate() override
    {
        ModifyTreeStyle(0, TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT);
        ModifyTreeExStyle(0, SEC_TVSX_HEADER);
        EnableSubItemStorage(TRUE);
        SetColumnHeading(0, L"Folder");
        SetColumnWidth(0, 220);
        InsertColumn(1, L"Size", LVCFMT_RIGHT, 90);
        auto* pDoc = static_cast<CFolderDocument*>(GetDocument());
        if (pDoc == nullptr)
            return;
        CString top = pDoc->m_folder.Left(pDoc->m_folder.GetLength() - 1);
        const HTREEITEM hTop = InsertItem(top.Mid(top.ReverseFind(L'\\') + 1));
        for (int pass = 0; pass < 2; ++pass) {
            for (const CFolderDocument::Entry& entry : pDoc->m_entries) {
                if (entry.folder != (pass == 0))
                    continue;
                const HTREEITEM hItem = InsertItem(entry.name, hTop);
                SetItemText(hItem, 1, entry.folder ? CString(L"") : SizeText(entry.size));
            }
        }
        Expand(hTop, TVE_EXPAND);
        UpdateScrollBars();
    }
};

// The frame: the two views side by side, and the menu.
class CDocViewFrame : public CFrameWnd
{
public:
    void RecalcLayout(BOOL /*bNotify*/ = TRUE) override
    {
        CRect client;
        GetClientRect(&client);
        const int half = client.Width() / 2;
        if (HWND hList = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST))
            ::MoveWindow(hList, 0, 0, half, client.Height(), TRUE);
        if (HWND hTree = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST + 1))
            ::MoveWindow(hTree, half, 0, client.Width() - half, client.Height(), TRUE);
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == kIdClose && lParam == 0) {
            DestroyWindow();
            return TRUE;
        }
        return CFrameWnd::OnCommand(wParam, lParam);
    }
};

HMENU MakeMenu()
{
    HMENU hFile = ::CreatePopupMenu();
    ::AppendMenuW(hFile, MF_STRING, ID_FILE_PRINT_PREVIEW, L"Print Pre&view");
    ::AppendMenuW(hFile, MF_STRING, ID_FILE_PRINT, L"&Print...");
    ::AppendMenuW(hFile, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(hFile, MF_STRING, kIdClose, L"&Close");
    HMENU hBar = ::CreateMenu();
    ::AppendMenuW(hBar, MF_POPUP, reinterpret_cast<UINT_PTR>(hFile), L"&File");
    return hBar;
}

void Say(const CString& text)
{
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::vector<char> utf8(static_cast<size_t>(n > 0 ? n : 1), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), n, nullptr, nullptr);
    std::printf("%s\n", utf8.data());
    std::fflush(stdout);
}
} // namespace

int RunDemoDocView(const CString& folder, bool interactive, const CString& pictureBase)
{
    CFolderDocument doc(folder);
    CFileListView list;
    CFolderTreeView tree;
    CDocViewFrame frame;
    CCreateContext context;
    context.m_pNewView = &list;
    context.m_pCurrentDoc = &doc;
    if (!frame.Create(nullptr, doc.GetTitle(), WS_OVERLAPPEDWINDOW, CRect(0, 0, 760, 420), nullptr, nullptr, 0,
                      &context)) {
        Say(L"The document-view window could not be created.");
        return 1;
    }
    ::SetMenu(frame.m_hWnd, MakeMenu()); // destroyed with the window
    context.m_pNewView = &tree;
    frame.CreateView(&context, AFX_IDW_PANE_FIRST + 1);
    frame.InitialUpdateFrame(&doc, TRUE);
    list.SetFocus();
    if (interactive) {
        MSG msg;
        while (::IsWindow(frame.m_hWnd) && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (!AfxPreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
        return 0;
    }
    CString line;
    line.Format(L"Document view: %d files in the list, %d rows in the tree-list", list.GetItemCount(),
                tree.GetItemCount());
    Say(line);
    const CString picture = pictureBase + L"-docview.png";
    Say(SaveWindowPng(frame.m_hWnd, picture.GetString()) ? L"Snapshot: " + picture : CString(L"(no picture)"));
    // The menu's Print Preview, for the list (the view with the focus).
    frame.SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW, 0);
    if (CPrintPreviewWnd* pPreview = list.GetPrintPreview()) {
        pPreview->GoToPage(pPreview->GetPageCount() > 1 ? 2 : 1);
        line.Format(L"Print preview: page %u of %u", pPreview->GetCurrentPage(), pPreview->GetPageCount());
        Say(line);
        const CString preview = pictureBase + L"-preview.png";
        Say(SaveWindowPng(pPreview->m_hWnd, preview.GetString()) ? L"Snapshot: " + preview : CString(L"(no picture)"));
        list.ClosePrintPreview();
    }
    frame.DestroyWindow();
    return 0;
}

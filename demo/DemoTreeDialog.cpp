#include "DemoTreeDialog.h"
#include "DemoIds.h"

namespace {
// What the owner keeps per item.
struct FolderItem
{
    CString path;          // full path, with a trailing backslash for a folder
    bool folder = true;    // a folder (else a file)
    bool loaded = false;   // a folder's children were read
    ULONGLONG size = 0;    // a file's size in bytes
    FILETIME modified{};   // last write time
};

CString SizeText(ULONGLONG size)
{
    CString text;
    if (size < 1024)
        text.Format(L"%llu B", size);
    else
        text.Format(L"%llu KB", (size + 1023) / 1024);
    return text;
}

CString TimeText(const FILETIME& time)
{
    FILETIME local{};
    SYSTEMTIME st{};
    CString text;
    if (FileTimeToLocalFileTime(&time, &local) && FileTimeToSystemTime(&local, &st))
        text.Format(L"%04u-%02u-%02u %02u:%02u", st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute);
    return text;
}

// Folders before files, then by the column in lParamSort.
int CALLBACK CompareEntries(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort)
{
    const FolderItem* a = reinterpret_cast<const FolderItem*>(lParam1);
    const FolderItem* b = reinterpret_cast<const FolderItem*>(lParam2);
    if (a == nullptr || b == nullptr)
        return 0;
    if (a->folder != b->folder)
        return a->folder ? -1 : 1;
    switch (lParamSort) {
    case CDemoTreeDialog::kColSize:
        if (a->size != b->size)
            return a->size < b->size ? -1 : 1;
        break;
    case CDemoTreeDialog::kColModified:
        if (const LONG order = CompareFileTime(&a->modified, &b->modified))
            return order;
        break;
    default:
        break;
    }
    // By name within equal keys (and for the name column).
    const CString nameA = a->path.Left(a->path.GetLength() - (a->folder ? 1 : 0));
    const CString nameB = b->path.Left(b->path.GetLength() - (b->folder ? 1 : 0));
    return lstrcmpiW(nameA.Mid(nameA.ReverseFind(L'\\') + 1), nameB.Mid(nameB.ReverseFind(L'\\') + 1));
}
} // namespace

BEGIN_MESSAGE_MAP(CDemoTreeDialog, CResizingDlg)
    ON_NOTIFY(TVN_ITEMEXPANDINGW, IDC_DEMO_TREE, &CDemoTreeDialog::OnItemExpanding)
    ON_NOTIFY(TVN_DELETEITEMW, IDC_DEMO_TREE, &CDemoTreeDialog::OnDeleteItem)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_DEMO_TREE, &CDemoTreeDialog::OnColumnClick)
END_MESSAGE_MAP()

CDemoTreeDialog::CDemoTreeDialog(LPCWSTR folder)
    : CResizingDlg(AfxGetInstanceHandle(), IDD_DEMO_FOLDERS, 0, 0), m_folder(folder)
{
    if (m_folder.Right(1) != L"\\")
        m_folder += L'\\';
}

void CDemoTreeDialog::InitControlInfo()
{
    RegisterControl(IDC_DEMO_TREE, ANCHOR_SIZE_X | ANCHOR_SIZE_Y);
    RegisterControl(IDOK, ANCHOR_MOVE_X | ANCHOR_MOVE_Y);
    RegisterControl(IDCANCEL, ANCHOR_MOVE_X | ANCHOR_MOVE_Y);
}

BOOL CDemoTreeDialog::OnInitDialog()
{
    CResizingDlg::OnInitDialog();
    if (m_tree.CreateFromDlgItem(IDC_DEMO_TREE, this)) {
        // A header whose headings are buttons: a click sorts by that column.
        m_tree.ModifyTreeExStyle(0, SEC_TVSX_HEADER | SEC_TVSX_HEADERBTNS);
        m_tree.ModifyTreeStyle(0, TVS_HASBUTTONS | TVS_LINESATROOT);
        m_tree.EnableSubItemStorage(TRUE);
        m_tree.SetColumnHeading(kColName, L"Name");
        m_tree.SetColumnWidth(kColName, 180);
        m_tree.InsertColumn(kColSize, L"Size", LVCFMT_RIGHT, 70);
        m_tree.InsertColumn(kColModified, L"Modified", LVCFMT_LEFT, 110);
        AddEntry(TVI_ROOT, m_folder, nullptr);
    }
    return TRUE;
}

// pFound null: the top folder itself.
HTREEITEM CDemoTreeDialog::AddEntry(HTREEITEM hParent, const CString& path, const WIN32_FIND_DATAW* pFound)
{
    FolderItem* pItem = new FolderItem{path};
    CString name;
    if (pFound != nullptr) {
        pItem->folder = (pFound->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        pItem->size = (static_cast<ULONGLONG>(pFound->nFileSizeHigh) << 32) | pFound->nFileSizeLow;
        pItem->modified = pFound->ftLastWriteTime;
        name = pFound->cFileName;
    } else {
        const CString trimmed = path.Left(path.GetLength() - 1);
        name = trimmed.Mid(trimmed.ReverseFind(L'\\') + 1);
    }
    TVINSERTSTRUCTW insert{};
    insert.hParent = hParent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_CHILDREN | TVIF_PARAM;
    insert.item.pszText = const_cast<LPWSTR>(name.GetString());
    insert.item.cChildren = pItem->folder ? 1 : 0; // a folder's are known when it is expanded
    insert.item.lParam = reinterpret_cast<LPARAM>(pItem);
    HTREEITEM hItem = m_tree.InsertItem(&insert);
    if (hItem == nullptr) {
        delete pItem;
        return nullptr;
    }
    if (!pItem->folder)
        m_tree.SetItemText(hItem, kColSize, SizeText(pItem->size));
    if (pFound != nullptr)
        m_tree.SetItemText(hItem, kColModified, TimeText(pItem->modified));
    return hItem;
}

void CDemoTreeDialog::OnItemExpanding(NMHDR* pHeader, LRESULT* pResult)
{
    *pResult = 0;
    const NMTREEVIEWW* pInfo = reinterpret_cast<NMTREEVIEWW*>(pHeader);
    FolderItem* pItem = reinterpret_cast<FolderItem*>(pInfo->itemNew.lParam);
    if (!(pInfo->action & TVE_EXPAND) || pItem == nullptr || !pItem->folder || pItem->loaded)
        return;
    pItem->loaded = true;
    int count = 0;
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW(pItem->path + L"*", &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const CString name = fd.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const bool folder = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            count += AddEntry(pInfo->itemNew.hItem, pItem->path + name + (folder ? L"\\" : L""), &fd) != nullptr;
        } while (FindNextFileW(find, &fd));
        FindClose(find);
    }
    m_nLastLoaded = count;
    if (count == 0) {
        // No button any more for an empty folder.
        TVITEMW item{};
        item.mask = TVIF_CHILDREN;
        item.hItem = pInfo->itemNew.hItem;
        m_tree.SetItem(&item);
        return;
    }
    TVSORTCB sort{pInfo->itemNew.hItem, &CompareEntries, m_nSortCol < 0 ? kColName : m_nSortCol};
    m_tree.SortChildrenCB(&sort);
}

void CDemoTreeDialog::OnDeleteItem(NMHDR* pHeader, LRESULT* pResult)
{
    *pResult = 0;
    delete reinterpret_cast<FolderItem*>(reinterpret_cast<NMTREEVIEWW*>(pHeader)->itemOld.lParam);
}

void CDemoTreeDialog::OnColumnClick(NMHDR* pHeader, LRESULT* pResult)
{
    *pResult = 0;
    SortByColumn(reinterpret_cast<NMLISTVIEW*>(pHeader)->iSubItem);
}

void CDemoTreeDialog::SortByColumn(int nCol)
{
    m_nSortCol = nCol;
    TVSORTCB sort{TVI_ROOT, &CompareEntries, nCol};
    m_tree.SortChildrenCB(&sort, TRUE);
}

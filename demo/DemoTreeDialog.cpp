#include "DemoTreeDialog.h"
#include "DemoIds.h"

namespace {
// What the owner keeps per item.
struct FolderItem
{
    CString path;        // full path of the folder, with a trailing backslash
    bool loaded = false; // its children were read
};
} // namespace

BEGIN_MESSAGE_MAP(CDemoTreeDialog, CResizingDlg)
    ON_NOTIFY(TVN_ITEMEXPANDINGW, IDC_DEMO_TREE, &CDemoTreeDialog::OnItemExpanding)
    ON_NOTIFY(TVN_DELETEITEMW, IDC_DEMO_TREE, &CDemoTreeDialog::OnDeleteItem)
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
        const CString name = m_folder.Left(m_folder.GetLength() - 1);
        AddFolder(TVI_ROOT, m_folder, name.Mid(name.ReverseFind(L'\\') + 1));
    }
    return TRUE;
}

HTREEITEM CDemoTreeDialog::AddFolder(HTREEITEM hParent, const CString& path, const CString& name)
{
    FolderItem* pItem = new FolderItem{path};
    TVINSERTSTRUCTW insert{};
    insert.hParent = hParent;
    insert.hInsertAfter = TVI_SORT;
    insert.item.mask = TVIF_TEXT | TVIF_CHILDREN | TVIF_PARAM;
    insert.item.pszText = const_cast<LPWSTR>(name.GetString());
    insert.item.cChildren = 1; // known when it is expanded
    insert.item.lParam = reinterpret_cast<LPARAM>(pItem);
    HTREEITEM hItem = m_tree.InsertItem(&insert);
    if (hItem == nullptr)
        delete pItem;
    return hItem;
}

void CDemoTreeDialog::OnItemExpanding(NMHDR* pHeader, LRESULT* pResult)
{
    *pResult = 0;
    const NMTREEVIEWW* pInfo = reinterpret_cast<NMTREEVIEWW*>(pHeader);
    FolderItem* pItem = reinterpret_cast<FolderItem*>(pInfo->itemNew.lParam);
    if (!(pInfo->action & TVE_EXPAND) || pItem == nullptr || pItem->loaded)
        return;
    pItem->loaded = true;
    int count = 0;
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW(pItem->path + L"*", &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const CString name = fd.cFileName;
            if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != L"." && name != L"..")
                count += AddFolder(pInfo->itemNew.hItem, pItem->path + name + L"\\", name) != nullptr;
        } while (FindNextFileW(find, &fd));
        FindClose(find);
    }
    m_nLastLoaded = count;
    if (count == 0) {
        // No button any more for a folder without folders.
        TVITEMW item{};
        item.mask = TVIF_CHILDREN;
        item.hItem = pInfo->itemNew.hItem;
        m_tree.SetItem(&item);
    }
}

void CDemoTreeDialog::OnDeleteItem(NMHDR* pHeader, LRESULT* pResult)
{
    *pResult = 0;
    delete reinterpret_cast<FolderItem*>(reinterpret_cast<NMTREEVIEWW*>(pHeader)->itemOld.lParam);
}

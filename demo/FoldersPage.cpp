#include "FoldersPage.h"
#include "DemoIds.h"
#include "GalleryIcons.h"
#include "GallerySamples.h"
#include "GalleryWindow.h"

namespace {
const GalleryAnchor kAnchors[] = {
    {IDC_FOLDERS_CAPTION, ANCHOR_SIZE_X},
    {IDC_FOLDERS_TREE, ANCHOR_SIZE_X | ANCHOR_SIZE_Y},
    {IDC_FOLDERS_HINT, ANCHOR_SIZE_X | ANCHOR_MOVE_Y},
};

// The sort's column and direction in one LPARAM: the column, negative when descending.
LPARAM SortKey(int column, bool ascending)
{
    return ascending ? column + 1 : -(column + 1);
}
} // namespace

const GalleryAnchor* FoldersPage::GetAnchors(int& count) const
{
    count = static_cast<int>(sizeof(kAnchors) / sizeof(kAnchors[0]));
    return kAnchors;
}

void FoldersPage::Init(CGalleryWindow& window)
{
    m_pWindow = &window;
    m_loaded.assign(static_cast<size_t>(SampleEntryCount()), false);
    if (!m_tree.CreateFromDlgItem(IDC_FOLDERS_TREE, &window))
        return;
    // A header whose headings are buttons: a click sorts by that column.
    m_tree.ModifyTreeExStyle(0, SEC_TVSX_HEADER | SEC_TVSX_HEADERBTNS);
    m_tree.EnableSubItemStorage(TRUE);
    m_tree.SetColumnHeading(kColName, L"Name");
    m_tree.SetColumnWidth(kColName, 300);
    m_tree.InsertColumn(kColSize, L"Size", LVCFMT_RIGHT, 90);
    m_tree.InsertColumn(kColModified, L"Modified", LVCFMT_LEFT, 110);
    if (CreateGalleryIcons(m_images))
        m_tree.SetImageList(&m_images, TVSIL_NORMAL);
    m_tree.SetSortMark(kColName, TRUE);
    const HTREEITEM hTop = AddEntry(TVI_ROOT, 0);
    m_tree.Expand(hTop, TVE_EXPAND);
    m_tree.SelectItem(hTop, TVGN_CARET);
    CString caption;
    caption.Format(L"%s, %s in %d folders and files", SampleEntries()[0].name,
                   SampleSizeText(SampleBytes(0)).GetString(), SampleEntryCount() - 1);
    ::SetDlgItemTextW(window.m_hWnd, IDC_FOLDERS_CAPTION, caption);
}

HTREEITEM FoldersPage::AddEntry(HTREEITEM hParent, int index)
{
    const SampleEntry& entry = SampleEntries()[index];
    TVINSERTSTRUCTW insert{};
    insert.hParent = hParent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_CHILDREN | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<LPWSTR>(entry.name);
    insert.item.cChildren = entry.folder ? 1 : 0; // a folder's are added when it opens
    insert.item.lParam = index;
    insert.item.iImage = insert.item.iSelectedImage = SampleImageOf(entry);
    const HTREEITEM hItem = m_tree.InsertItem(&insert);
    if (hItem != nullptr) {
        m_tree.SetItemText(hItem, kColSize, SampleSizeText(SampleBytes(index)));
        m_tree.SetItemText(hItem, kColModified, SampleDateText(entry.modified));
    }
    return hItem;
}

void FoldersPage::Load(HTREEITEM hItem, int index)
{
    m_loaded[static_cast<size_t>(index)] = true;
    int children[64];
    int count = 0;
    SampleChildren(index, children, 64, count);
    for (int i = 0; i < count; ++i)
        AddEntry(hItem, children[i]);
    if (count == 0) {
        // No button any more for an empty folder.
        TVITEMW item{};
        item.mask = TVIF_CHILDREN;
        item.hItem = hItem;
        m_tree.SetItem(&item);
        return;
    }
    TVSORTCB sort{hItem, &FoldersPage::CompareEntries, SortKey(m_nSortColumn, m_bAscending)};
    m_tree.SortChildrenCB(&sort);
}

HTREEITEM FoldersPage::FindChild(HTREEITEM hParent, LPCWSTR name)
{
    for (HTREEITEM h = m_tree.GetChildItem(hParent); h != nullptr; h = m_tree.GetNextSiblingItem(h)) {
        if (m_tree.GetItemText(h) == name)
            return h;
    }
    return nullptr;
}

bool FoldersPage::OnNotify(NMHDR* pHeader, LRESULT* pResult)
{
    if (pHeader->idFrom != IDC_FOLDERS_TREE)
        return false;
    switch (pHeader->code) {
    case TVN_ITEMEXPANDINGW: {
        *pResult = 0;
        const NMTREEVIEWW* info = reinterpret_cast<NMTREEVIEWW*>(pHeader);
        const int index = static_cast<int>(info->itemNew.lParam);
        if ((info->action & TVE_EXPAND) && index >= 0 && index < SampleEntryCount() &&
            !m_loaded[static_cast<size_t>(index)])
            Load(info->itemNew.hItem, index);
        return true;
    }
    case TVN_SELCHANGEDW:
        *pResult = 0;
        ShowSelection();
        return true;
    case LVN_COLUMNCLICK: {
        *pResult = 0;
        const int column = reinterpret_cast<NMLISTVIEW*>(pHeader)->iSubItem;
        Sort(column, column == m_nSortColumn ? !m_bAscending : true);
        return true;
    }
    default:
        return false;
    }
}

void FoldersPage::ShowSelection()
{
    const HTREEITEM hItem = m_tree.GetCaretItem();
    const int index = hItem != nullptr ? static_cast<int>(m_tree.GetItemData(hItem)) : -1;
    if (index < 0 || index >= SampleEntryCount())
        return;
    const SampleEntry& entry = SampleEntries()[index];
    m_pWindow->SetStatus(CString(entry.name) + L", " + SampleTypeName(entry) + L", " +
                         SampleSizeText(SampleBytes(index)));
}

void FoldersPage::Reveal(int index)
{
    if (index < 0 || index >= SampleEntryCount())
        return;
    // The path from the top, found level by level by name.
    int path[16];
    int depth = 0;
    for (int i = index; i >= 0 && depth < 16; i = SampleParent(i))
        path[depth++] = i;
    HTREEITEM hItem = m_tree.GetRootItem();
    for (int level = depth - 2; level >= 0 && hItem != nullptr; --level) {
        m_tree.Expand(hItem, TVE_EXPAND);
        hItem = FindChild(hItem, SampleEntries()[path[level]].name);
    }
    if (hItem == nullptr)
        return;
    m_tree.Expand(hItem, TVE_EXPAND);
    m_tree.SelectItem(hItem, TVGN_CARET);
    m_tree.EnsureVisible(hItem);
    m_tree.SetFocus();
}

void FoldersPage::Sort(int column, bool ascending)
{
    m_nSortColumn = column;
    m_bAscending = ascending;
    TVSORTCB sort{TVI_ROOT, &FoldersPage::CompareEntries, SortKey(column, ascending)};
    m_tree.SortChildrenCB(&sort, TRUE);
    m_tree.SetSortMark(column, ascending);
}

// Folders before files whichever the direction, then by the column; equal keys by name.
int CALLBACK FoldersPage::CompareEntries(LPARAM first, LPARAM second, LPARAM sort)
{
    const int a = static_cast<int>(first);
    const int b = static_cast<int>(second);
    if (a < 0 || b < 0 || a >= SampleEntryCount() || b >= SampleEntryCount())
        return 0;
    const SampleEntry& x = SampleEntries()[a];
    const SampleEntry& y = SampleEntries()[b];
    if (x.folder != y.folder)
        return x.folder ? -1 : 1;
    const int column = static_cast<int>(sort < 0 ? -sort : sort) - 1;
    int result = 0;
    if (column == kColSize)
        result = (SampleBytes(a) > SampleBytes(b)) - (SampleBytes(a) < SampleBytes(b));
    else if (column == kColModified)
        result = CompareSampleDates(x.modified, y.modified);
    if (result == 0)
        result = lstrcmpiW(x.name, y.name);
    return sort < 0 ? -result : result;
}

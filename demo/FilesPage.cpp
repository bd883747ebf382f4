#include "FilesPage.h"
#include "DemoIds.h"
#include "GalleryIcons.h"
#include "GallerySamples.h"
#include "GalleryWindow.h"

namespace {
const GalleryAnchor kAnchors[] = {
    {IDC_FILES_CAPTION, ANCHOR_SIZE_X},
    {IDC_FILES_LIST, ANCHOR_SIZE_X | ANCHOR_SIZE_Y},
    {IDC_FILES_HINT, ANCHOR_SIZE_X | ANCHOR_MOVE_Y},
};

// Cells of the further columns are stored in the list, not asked of the owner.
void SetCell(SECListCtrl& list, int row, int column, LPCWSTR text)
{
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_DI_SETITEM;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = const_cast<LPWSTR>(text);
    list.SetItem(&item, FALSE);
}
} // namespace

const GalleryAnchor* FilesPage::GetAnchors(int& count) const
{
    count = static_cast<int>(sizeof(kAnchors) / sizeof(kAnchors[0]));
    return kAnchors;
}

void FilesPage::Init(CGalleryWindow& window)
{
    m_pWindow = &window;
    if (!m_list.CreateFromDlgItem(IDC_FILES_LIST, &window))
        return;
    m_list.AddColumn(L"Name", LVCFMT_LEFT, 210);
    m_list.AddColumn(L"Type", LVCFMT_LEFT, 110);
    m_list.AddColumn(L"Size", LVCFMT_RIGHT, 80);
    m_list.AddColumn(L"Modified", LVCFMT_LEFT, 110);
    m_list.ModifyListStyleEx(0, SEC_LVSX_REORDER_COLUMNS, FALSE);
    if (CreateGalleryIcons(m_images))
        m_list.SetImageList(&m_images, LVSIL_SMALL);

    int children[64];
    int count = 0;
    SampleChildren(0, children, 64, count);
    int folders = 0;
    for (int i = 0; i < count; ++i) {
        const SampleEntry& entry = SampleEntries()[children[i]];
        const int row = m_list.InsertItem(m_list.GetItemCount(), entry.name, SampleImageOf(entry));
        m_list.SetItemData(row, static_cast<DWORD_PTR>(children[i]));
        SetCell(m_list, row, kColType, SampleTypeName(entry));
        SetCell(m_list, row, kColSize, entry.folder ? CString() : SampleSizeText(entry.bytes));
        SetCell(m_list, row, kColModified, SampleDateText(entry.modified));
        folders += entry.folder;
    }
    m_list.UpdateScrollBars();
    Sort(kColName, true);
    CString caption;
    caption.Format(L"%s: %d folders, %d files", SampleEntries()[0].name, folders, count - folders);
    ::SetDlgItemTextW(window.m_hWnd, IDC_FILES_CAPTION, caption);
}

int FilesPage::FindRow(LPCWSTR name)
{
    for (int row = 0; row < m_list.GetItemCount(); ++row) {
        if (m_list.GetItemText(row, kColName) == name)
            return row;
    }
    return -1;
}

bool FilesPage::OnNotify(NMHDR* pHeader, LRESULT* pResult)
{
    if (pHeader->idFrom != IDC_FILES_LIST)
        return false;
    switch (pHeader->code) {
    case LVN_COLUMNCLICK: {
        const int column = reinterpret_cast<NMLISTVIEW*>(pHeader)->iSubItem;
        Sort(column, column == m_nSortColumn ? !m_bAscending : true);
        *pResult = 0;
        return true;
    }
    case LVN_ENDLABELEDITW: {
        // Rows are renamed, not files; an empty name is refused.
        const NMLVDISPINFOW* info = reinterpret_cast<NMLVDISPINFOW*>(pHeader);
        const bool accept = info->item.pszText != nullptr && info->item.pszText[0] != L'\0';
        if (accept) {
            m_pWindow->SetStatus(L"Renamed \"" + m_list.GetItemText(info->item.iItem, kColName) + L"\" to \"" +
                                 info->item.pszText + L"\"");
        }
        *pResult = accept;
        return true;
    }
    // The list tells of no selection change itself: a click has made it by
    // NM_CLICK, a key makes it after LVN_KEYDOWN, so the status line follows later.
    case NM_CLICK:
        ShowSelection();
        *pResult = 0;
        return true;
    case NM_DBLCLK: {
        // A folder opens on the Folders page.
        const int row = m_list.GetFocusItem();
        const int index = row >= 0 ? static_cast<int>(m_list.GetItemData(row)) : -1;
        *pResult = 0;
        if (index > 0 && index < SampleEntryCount() && SampleEntries()[index].folder)
            m_pWindow->RevealFolder(index);
        return true;
    }
    case LVN_KEYDOWN:
        m_pWindow->PostMessage(CGalleryWindow::WM_SHOW_SELECTION, 0, 0);
        *pResult = 0;
        return true;
    default:
        return false;
    }
}

void FilesPage::ShowSelection()
{
    const UINT selected = m_list.GetSelectedCount();
    CString text;
    if (selected == 1) {
        const int row = m_list.GetNextItem(-1, LVNI_SELECTED);
        const int index = static_cast<int>(m_list.GetItemData(row));
        text.Format(L"%s, %s", m_list.GetItemText(row, kColName).GetString(),
                    SampleSizeText(SampleBytes(index)).GetString());
    } else if (selected > 1) {
        ULONGLONG bytes = 0;
        for (int row = m_list.GetNextItem(-1, LVNI_SELECTED); row >= 0; row = m_list.GetNextItem(row, LVNI_SELECTED))
            bytes += SampleBytes(static_cast<int>(m_list.GetItemData(row)));
        text.Format(L"%u items selected, %s", selected, SampleSizeText(bytes).GetString());
    }
    m_pWindow->SetStatus(text);
}

void FilesPage::Sort(int column, bool ascending)
{
    m_nSortColumn = column;
    m_bAscending = ascending;
    if (m_list.SortItemsEx(&FilesPage::CompareRows, reinterpret_cast<LPARAM>(this)))
        m_list.SetSortMark(column, ascending);
}

// Folders before files whichever the direction, then by the column: names
// and types as text, sizes by their bytes, dates by time; equal keys by name.
int CALLBACK FilesPage::CompareRows(LPARAM first, LPARAM second, LPARAM self)
{
    FilesPage* page = reinterpret_cast<FilesPage*>(self);
    SECListCtrl& list = page->m_list;
    const int rowA = static_cast<int>(first);
    const int rowB = static_cast<int>(second);
    const int a = static_cast<int>(list.GetItemData(rowA));
    const int b = static_cast<int>(list.GetItemData(rowB));
    if (a < 0 || b < 0 || a >= SampleEntryCount() || b >= SampleEntryCount())
        return 0;
    const SampleEntry& x = SampleEntries()[a];
    const SampleEntry& y = SampleEntries()[b];
    if (x.folder != y.folder)
        return x.folder ? -1 : 1;
    int result = 0;
    switch (page->m_nSortColumn) {
    case kColType: result = SampleTypeName(x).CompareNoCase(SampleTypeName(y)); break;
    case kColSize: result = (SampleBytes(a) > SampleBytes(b)) - (SampleBytes(a) < SampleBytes(b)); break;
    case kColModified: result = CompareSampleDates(x.modified, y.modified); break;
    default: break;
    }
    if (result == 0)
        result = list.GetItemText(rowA, kColName).CompareNoCase(list.GetItemText(rowB, kColName));
    return page->m_bAscending ? result : -result;
}

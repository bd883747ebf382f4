#include "DemoDialog.h"
#include "DemoIds.h"

namespace {
// Cells of the sub-item columns are stored in the list (not asked of the owner).
void SetCell(SECListCtrl& list, int row, int subItem, LPCWSTR text)
{
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_DI_SETITEM;
    item.iItem = row;
    item.iSubItem = subItem;
    item.pszText = const_cast<LPWSTR>(text);
    list.SetItem(&item, FALSE);
}

CString SizeText(const WIN32_FIND_DATAW& fd)
{
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return L"Folder";
    const ULONGLONG bytes = (static_cast<ULONGLONG>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow;
    CString text;
    text.Format(L"%I64u KB", (bytes + 1023) / 1024);
    return text;
}

CString DateText(const FILETIME& time)
{
    FILETIME local;
    SYSTEMTIME st;
    FileTimeToLocalFileTime(&time, &local);
    FileTimeToSystemTime(&local, &st);
    CString text;
    text.Format(L"%04d-%02d-%02d %02d:%02d", st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute);
    return text;
}
} // namespace

BEGIN_MESSAGE_MAP(CDemoDialog, CDialog)
    ON_NOTIFY(LVN_ENDLABELEDITW, IDC_DEMO_FILES, &CDemoDialog::OnEndLabelEdit)
END_MESSAGE_MAP()

CDemoDialog::CDemoDialog(LPCWSTR folder) : CDialog(static_cast<UINT>(IDD_DEMO_FILES)), m_folder(folder)
{
    if (m_folder.Right(1) != L"\\")
        m_folder += L'\\';
}

BOOL CDemoDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemTextW(m_hWnd, IDC_DEMO_FOLDER, m_folder);
    if (m_list.CreateFromDlgItem(IDC_DEMO_FILES, this)) {
        m_list.AddColumn(L"Name", LVCFMT_LEFT, 230);
        m_list.AddColumn(L"Size", LVCFMT_RIGHT, 90);
        m_list.AddColumn(L"Modified", LVCFMT_LEFT, 120);
        // Headings (but the first) can be dragged to reorder the columns.
        m_list.ModifyListStyleEx(0, SEC_LVSX_REORDER_COLUMNS, FALSE);
        FillWithFiles();
    }
    return TRUE;
}

void CDemoDialog::OnEndLabelEdit(NMHDR* pHeader, LRESULT* pResult)
{
    const NMLVDISPINFOW* info = reinterpret_cast<NMLVDISPINFOW*>(pHeader);
    *pResult = info->item.pszText != nullptr && info->item.pszText[0] != L'\0';
}

void CDemoDialog::FillWithFiles()
{
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW(m_folder + L"*", &fd);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const CString name = fd.cFileName;
        if (name == L"." || name == L"..")
            continue;
        const int row = m_list.InsertItem(m_list.GetItemCount(), name);
        SetCell(m_list, row, 1, SizeText(fd));
        SetCell(m_list, row, 2, DateText(fd.ftLastWriteTime));
    } while (FindNextFileW(find, &fd));
    FindClose(find);
    m_list.UpdateScrollBars();
}

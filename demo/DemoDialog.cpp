#include "DemoDialog.h"
#include "DemoControlsDialog.h"
#include "DemoIds.h"
#include "dialogs/CPallasMessageDialog.h"

const DemoMessage kDemoMessages[4] = {
    {CMessageDialogBase::IconInformation, CMessageDialogBase::ButtonsOk,
     {L"Files", L"Dateien"},
     {L"The folder was read.", L"Der Ordner wurde gelesen."}},
    {CMessageDialogBase::IconWarning, CMessageDialogBase::ButtonsYesNoCancel,
     {L"Save changes", L"\u00C4nderungen speichern"},
     {L"The list has changed.\nSave the changes before closing?",
      L"Die Liste wurde ge\u00E4ndert.\n\u00C4nderungen vor dem Schlie\u00DFen speichern?"}},
    {CMessageDialogBase::IconError, CMessageDialogBase::ButtonsOkCancel,
     {L"Error", L"Fehler"},
     {L"The file could not be opened. Try again?", L"Die Datei konnte nicht ge\u00F6ffnet werden. Erneut versuchen?"}},
    {CMessageDialogBase::IconWarning, CMessageDialogBase::ButtonsYesNo,
     {L"Delete", L"L\u00F6schen"},
     {L"Delete the selected rows?", L"Die markierten Zeilen l\u00F6schen?"}},
};

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

BEGIN_MESSAGE_MAP(CDemoDialog, CResizingDlg)
    ON_NOTIFY(LVN_ENDLABELEDITW, IDC_DEMO_FILES, &CDemoDialog::OnEndLabelEdit)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_DEMO_FILES, &CDemoDialog::OnColumnClick)
    ON_BN_CLICKED(IDC_DEMO_MESSAGES, &CDemoDialog::OnMessages)
    ON_BN_CLICKED(IDC_DEMO_CONTROLS, &CDemoDialog::OnControls)
END_MESSAGE_MAP()

// The template is the demo's own, so the resource module of the dialog is the demo.
CDemoDialog::CDemoDialog(LPCWSTR folder, HMODULE resources, bool german)
    : CResizingDlg(AfxGetInstanceHandle(), IDD_DEMO_FILES, 0, 0), m_folder(folder), m_hResources(resources),
      m_bGerman(german)
{
    if (m_folder.Right(1) != L"\\")
        m_folder += L'\\';
}

void CDemoDialog::InitControlInfo()
{
    RegisterControl(IDC_DEMO_FOLDER, ANCHOR_SIZE_X);
    RegisterControl(IDC_DEMO_FILES, ANCHOR_SIZE_X | ANCHOR_SIZE_Y);
    RegisterControl(IDC_DEMO_MESSAGES, ANCHOR_MOVE_Y);
    RegisterControl(IDC_DEMO_CONTROLS, ANCHOR_MOVE_Y);
    RegisterControl(IDOK, ANCHOR_MOVE_X | ANCHOR_MOVE_Y);
    RegisterControl(IDCANCEL, ANCHOR_MOVE_X | ANCHOR_MOVE_Y);
}

void CDemoDialog::OnMessages()
{
    static const LPCWSTR kAnswers[] = {L"OK", L"Cancel", L"Yes", L"No"};
    for (const DemoMessage& m : kDemoMessages) {
        CPallasMessageDialog dlg(m_hResources, m.caption[m_bGerman], m.text[m_bGerman], m.iconKind, m.buttonSet, this);
        dlg.DoModal();
        m_lastAnswer = kAnswers[dlg.GetResult() & 3];
    }
    SetDlgItemTextW(m_hWnd, IDC_DEMO_FOLDER, m_folder + L"  (" + m_lastAnswer + L")");
}

BOOL CDemoDialog::OnInitDialog()
{
    // Registers the placeholder; the list takes over its control id below.
    CResizingDlg::OnInitDialog();
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

void CDemoDialog::OnColumnClick(NMHDR* pHeader, LRESULT* pResult)
{
    *pResult = 0;
    const int column = reinterpret_cast<NMLISTVIEW*>(pHeader)->iSubItem;
    BOOL ascending = TRUE;
    ascending = m_list.GetSortMark(&ascending) == column ? !ascending : TRUE;
    m_nSortColumn = column;
    m_bSortDown = !ascending;
    if (m_list.SortItemsEx(&CDemoDialog::CompareRows, reinterpret_cast<LPARAM>(this)))
        m_list.SetSortMark(column, ascending);
}

// Rows by the sort column's text; sizes by their number, folders first.
int CALLBACK CDemoDialog::CompareRows(LPARAM first, LPARAM second, LPARAM self)
{
    CDemoDialog* dlg = reinterpret_cast<CDemoDialog*>(self);
    const CString a = dlg->m_list.GetItemText(static_cast<int>(first), dlg->m_nSortColumn);
    const CString b = dlg->m_list.GetItemText(static_cast<int>(second), dlg->m_nSortColumn);
    int result = 0;
    if (dlg->m_nSortColumn == 1) {
        const long long x = a == L"Folder" ? -1 : _wtoi64(a);
        const long long y = b == L"Folder" ? -1 : _wtoi64(b);
        result = (x > y) - (x < y);
    } else {
        result = lstrcmpiW(a, b);
    }
    return dlg->m_bSortDown ? -result : result;
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

void CDemoDialog::OnControls()
{
    WCHAR path[MAX_PATH] = L"";
    ::GetModuleFileNameW(m_hResources, path, MAX_PATH);
    CDemoControlsDialog dlg(m_hResources, m_folder, path, this);
    dlg.DoModal();
}

// The list control in a dialog: it takes the place of a placeholder of the
// template, shows stored cells and a column the owner answers, sorts when a
// heading is clicked (with the sort mark), and accepts renamed labels.
//
//     list_example [--check]
//
// --check creates the dialog modeless, clicks the "Size" heading twice and
// checks the order, then exits (0 when all went as expected).
#include <windows.h>
#include <commctrl.h>
#include <cstdio>
#include "dialogs/CBaseDlg.h"
#include "dialogs/CPallasLanguageResource.h"
#include "listctrl/SECListCtrl.h"
#include "ListExampleIds.h"

namespace {
struct File
{
    LPCWSTR name;
    int kilobytes;
};
const File kFiles[] = {{L"report.txt", 12}, {L"photo.png", 840}, {L"notes.md", 3}, {L"data.csv", 96}};

// Stores a cell: further columns are the owner's until a text is stored with LVIF_DI_SETITEM.
void StoreCell(SECListCtrl& list, int row, int subItem, LPCWSTR text)
{
    LVITEMW cell{};
    cell.mask = LVIF_TEXT | LVIF_DI_SETITEM;
    cell.iItem = row;
    cell.iSubItem = subItem;
    cell.pszText = const_cast<LPWSTR>(text);
    list.SetItem(&cell);
}

const wchar_t* Extension(const wchar_t* name)
{
    const wchar_t* dot = wcsrchr(name, L'.');
    return dot != nullptr ? dot + 1 : L"";
}

// lParamSort of CompareFiles: the column, plus kDescending for the reverse order.
const LPARAM kDescending = 0x100;

// Item data: the file's index in kFiles.
int CALLBACK CompareFiles(LPARAM a, LPARAM b, LPARAM sort)
{
    const File& x = kFiles[a];
    const File& y = kFiles[b];
    int result = 0;
    switch (sort & 0xFF) {
    case 1: result = (x.kilobytes > y.kilobytes) - (x.kilobytes < y.kilobytes); break;
    case 2: result = lstrcmpiW(Extension(x.name), Extension(y.name)); break;
    default: result = lstrcmpiW(x.name, y.name); break;
    }
    return (sort & kDescending) != 0 ? -result : result;
}
} // namespace

class CFilesDlg : public CBaseDlg
{
public:
    // The template is the example's own; the dialog does not remember its place.
    CFilesDlg() : CBaseDlg(AfxGetInstanceHandle(), IDD_FILES, 0, 0, false) {}
    SECListCtrl m_list;

protected:
    BOOL OnInitDialog() override
    {
        CBaseDlg::OnInitDialog();
        m_list.CreateFromDlgItem(IDC_FILES, this);
        m_list.AddColumn(L"Name", LVCFMT_LEFT, 140);
        m_list.AddColumn(L"Size", LVCFMT_RIGHT, 80);
        m_list.AddColumn(L"Type", LVCFMT_LEFT, 120);
        for (int i = 0; i < static_cast<int>(sizeof(kFiles) / sizeof(kFiles[0])); ++i) {
            const int row = m_list.InsertItem(LVIF_TEXT | LVIF_PARAM, i, kFiles[i].name, 0, 0, 0, i);
            wchar_t size[32];
            swprintf(size, 32, L"%d KB", kFiles[i].kilobytes);
            StoreCell(m_list, row, 1, size);
            // Column 2 is never stored: the list asks LVN_GETDISPINFOW each time.
        }
        m_list.UpdateScrollBars();
        return TRUE;
    }
    // LVN_GETDISPINFOW: the cells the list does not hold.
    void OnGetDispInfo(NMHDR* pHeader, LRESULT*)
    {
        NMLVDISPINFOW* info = reinterpret_cast<NMLVDISPINFOW*>(pHeader);
        if (info->item.iSubItem == 2 && (info->item.mask & LVIF_TEXT) != 0)
            lstrcpynW(info->item.pszText, Extension(kFiles[info->item.lParam].name), info->item.cchTextMax);
    }
    // LVN_COLUMNCLICK: sort by that column; a second click turns the order round.
    void OnColumnClick(NMHDR* pHeader, LRESULT*)
    {
        const int column = reinterpret_cast<NMLISTVIEW*>(pHeader)->iSubItem;
        BOOL ascending = TRUE;
        ascending = m_list.GetSortMark(&ascending) == column ? !ascending : TRUE;
        if (m_list.SortItems(CompareFiles, column | (ascending ? 0 : kDescending)))
            m_list.SetSortMark(column, ascending);
    }
    // LVN_ENDLABELEDITW: a non-zero answer takes the typed text (null text: cancelled).
    void OnEndLabelEdit(NMHDR* pHeader, LRESULT* pResult)
    {
        const NMLVDISPINFOW* info = reinterpret_cast<NMLVDISPINFOW*>(pHeader);
        *pResult = info->item.pszText != nullptr && info->item.pszText[0] != L'\0';
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFilesDlg, CBaseDlg)
    ON_NOTIFY(LVN_GETDISPINFOW, IDC_FILES, &CFilesDlg::OnGetDispInfo)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_FILES, &CFilesDlg::OnColumnClick)
    ON_NOTIFY(LVN_ENDLABELEDITW, IDC_FILES, &CFilesDlg::OnEndLabelEdit)
END_MESSAGE_MAP()

namespace {
// Loads the language resource library beside MorvaCommonU.dll; prints the
// error text (the one to show a user) when there is none.
HMODULE LoadResources()
{
    wchar_t library[MAX_PATH] = L"";
    GetModuleFileNameW(AfxGetLibraryHandle(), library, MAX_PATH);
    CPallasLanguageResource lookup(GetUserDefaultUILanguage());
    HMODULE resources = nullptr;
    WORD cultureIndex = 0;
    CString error;
    if (lookup.Load(resources, cultureIndex, library, error) != CLanguageResource::LoadOk || resources == nullptr) {
        std::fwprintf(stderr, L"%ls\n", error.GetString());
        return nullptr;
    }
    AfxSetResourceHandle(resources);
    return resources;
}

bool Click(SECListCtrl& list, int column)
{
    const LPARAM at = MAKELPARAM((list.GetColumnLeft(column) + list.GetColumnRight(column)) / 2, 5);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    list.SendMessage(WM_LBUTTONUP, 0, at);
    return true;
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    const bool check = argc > 1 && lstrcmpW(argv[1], L"--check") == 0;
    HMODULE resources = LoadResources();
    if (resources == nullptr)
        return 1;
    CFilesDlg dlg;
    if (!check) {
        dlg.DoModal();
        return 0;
    }
    if (!dlg.CreateModeless())
        return 2;
    SECListCtrl& list = dlg.m_list;
    Click(list, 1); // ascending by size
    const bool ascending = list.GetItemText(0, 0) == L"notes.md" && list.GetItemText(3, 0) == L"photo.png";
    Click(list, 1); // descending
    const bool descending = list.GetItemText(0, 0) == L"photo.png" && list.GetItemText(3, 0) == L"notes.md";
    BOOL up = TRUE;
    const bool marked = list.GetSortMark(&up) == 1 && !up;
    const bool typeAsked = list.GetItemText(0, 2) == L"png";
    std::printf("list example: %d rows; sorted by size %s; sort mark %s; owner's column %s\n", list.GetItemCount(),
                ascending && descending ? "both ways" : "WRONG", marked ? "down" : "WRONG",
                typeAsked ? "answered" : "WRONG");
    dlg.DestroyWindow();
    FreeLibrary(resources);
    return ascending && descending && marked && typeAsked ? 0 : 3;
}

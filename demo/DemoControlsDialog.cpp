#include "DemoControlsDialog.h"
#include "DemoIds.h"
#include "resources/MorvaResourceIds.h"

BEGIN_MESSAGE_MAP(CDemoControlsDialog, CResizingDlg)
    ON_BN_CLICKED(IDC_DEMO_ADD, &CDemoControlsDialog::AddServer)
    ON_MESSAGE(WM_DRAWITEM, &CDemoControlsDialog::OnDrawItem)
END_MESSAGE_MAP()

CDemoControlsDialog::CDemoControlsDialog(HMODULE resources, LPCWSTR folder, LPCWSTR path, CWnd* pParent)
    : CResizingDlg(AfxGetInstanceHandle(), IDD_DEMO_CONTROLS, 0, 0, pParent), m_hResources(resources),
      m_folder(folder), m_pathText(path), m_hotkey(resources)
{
}

void CDemoControlsDialog::DoDataExchange(CDataExchange* pDX)
{
    CResizingDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DEMO_LINK, m_link);
    DDX_Control(pDX, IDC_DEMO_DATA_LINK, m_dataLink);
    DDX_Control(pDX, IDC_DEMO_HOTKEY, m_hotkey);
    DDX_Control(pDX, IDC_DEMO_EDIT, m_edit);
    DDX_Control(pDX, IDC_DEMO_PATH, m_path);
    DDX_Control(pDX, IDC_DEMO_LONG_TEXT, m_longText);
    DDX_Control(pDX, IDC_DEMO_COMBO, m_combo);
}

void CDemoControlsDialog::InitControlInfo()
{
    RegisterControl(IDC_DEMO_HOTKEY, ANCHOR_SIZE_X);
    RegisterControl(IDC_DEMO_EDIT, ANCHOR_SIZE_X);
    RegisterControl(IDC_DEMO_PATH, ANCHOR_SIZE_X);
    RegisterControl(IDC_DEMO_LONG_TEXT, ANCHOR_SIZE_X | ANCHOR_SIZE_Y);
    RegisterControl(IDOK, ANCHOR_MOVE_X | ANCHOR_MOVE_Y);
}

BOOL CDemoControlsDialog::OnInitDialog()
{
    CResizingDlg::OnInitDialog();
    m_link.SetTarget(m_folder);
    m_dataLink.SetResourceModule(m_hResources);
    m_dataLink.SetTextStringNumber(IDS_HOTKEY_HELP);
    m_hotkey.SetKey(VK_CONTROL, VK_SHIFT, VK_F5);
    m_edit.SetWindowText(L"Right-click for the edit menu");
    m_path.SetWindowText(m_pathText);
    m_longText.SetWindowText(L"A display field for long text: it wraps its words on a light background and "
                             L"draws the text itself, with the dialog's font. The path field above keeps the "
                             L"beginning and the end of a path that is too long for it.");
    for (LPCWSTR server : {L"\\\\fileserver", L"printserver", L"backup.example.org", L"FILESERVER"}) {
        CString text = server;
        m_combo.AddUnique(text);
    }
    m_combo.SetCurSel(0);
    if (m_images.CreateSmall(4, 4)) {
        for (UINT icon : {IDI_DIALOG, IDI_MESSAGE_INFORMATION, IDI_MESSAGE_WARNING, IDI_MESSAGE_ERROR})
            m_images.AddIcon(m_hResources, icon);
    }
    return TRUE;
}

void CDemoControlsDialog::AddServer()
{
    CString text;
    m_combo.GetWindowText(text);
    int index = -1;
    CString message;
    const int added = m_combo.AddUnique(text, &index);
    m_combo.SetWindowText(text); // as it is stored
    if (added >= 0)
        message.Format(L"Added \"%s\" as entry %d.", text.GetString(), index);
    else if (index >= 0)
        message.Format(L"\"%s\" is there already (entry %d).", text.GetString(), index);
    SetDlgItemTextW(m_hWnd, IDC_DEMO_ADDED, message);
}

BOOL CDemoControlsDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // The commands of the edit field's menu act on the field that has the focus.
    const UINT id = LOWORD(wParam);
    if (lParam == 0 && id >= ID_EDIT_CLEAR && id <= ID_EDIT_UNDO) {
        const HWND hFocus = ::GetFocus();
        if (hFocus == m_edit.m_hWnd || hFocus == m_hotkey.m_hWnd) {
            switch (id) {
            case ID_EDIT_UNDO: ::SendMessageW(hFocus, EM_UNDO, 0, 0); break;
            case ID_EDIT_CUT: ::SendMessageW(hFocus, WM_CUT, 0, 0); break;
            case ID_EDIT_COPY: ::SendMessageW(hFocus, WM_COPY, 0, 0); break;
            case ID_EDIT_PASTE: ::SendMessageW(hFocus, WM_PASTE, 0, 0); break;
            case ID_EDIT_CLEAR: ::SendMessageW(hFocus, WM_CLEAR, 0, 0); break;
            case ID_EDIT_SELECT_ALL: ::SendMessageW(hFocus, EM_SETSEL, 0, -1); break;
            default: break;
            }
        }
        return TRUE;
    }
    return CResizingDlg::OnCommand(wParam, lParam);
}

LRESULT CDemoControlsDialog::OnDrawItem(WPARAM wParam, LPARAM lParam)
{
    const DRAWITEMSTRUCT* pItem = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (wParam != IDC_DEMO_IMAGES || pItem == nullptr)
        return FALSE;
    ::FillRect(pItem->hDC, &pItem->rcItem, ::GetSysColorBrush(COLOR_BTNFACE));
    for (int i = 0; i < m_images.GetImageCount(); ++i)
        m_images.Draw(pItem->hDC, i, CPoint(pItem->rcItem.left + i * 20, pItem->rcItem.top), ILD_TRANSPARENT);
    return TRUE;
}

#include "EditsPage.h"
#include "DemoIds.h"
#include "GalleryWindow.h"
#include "resources/MorvaResourceIds.h"

namespace {
const GalleryAnchor kAnchors[] = {
    {IDC_EDIT_NOTE_LABEL, 0},   {IDC_EDIT_NOTE, ANCHOR_SIZE_X},
    {IDC_EDIT_HOTKEY_LABEL, 0}, {IDC_EDIT_HOTKEY, ANCHOR_SIZE_X},
    {IDC_EDIT_PATH_LABEL, 0},   {IDC_EDIT_PATH, ANCHOR_SIZE_X},
    {IDC_EDIT_LONG_LABEL, 0},   {IDC_EDIT_LONG, ANCHOR_SIZE_X},
    {IDC_EDIT_SERVER_LABEL, 0}, {IDC_EDIT_SERVER, ANCHOR_SIZE_X},
    {IDC_EDIT_ADD, ANCHOR_MOVE_X},
};
} // namespace

const GalleryAnchor* EditsPage::GetAnchors(int& count) const
{
    count = static_cast<int>(sizeof(kAnchors) / sizeof(kAnchors[0]));
    return kAnchors;
}

void EditsPage::Init(CGalleryWindow& window)
{
    m_pWindow = &window;
    m_note.SubclassDlgItem(IDC_EDIT_NOTE, &window);
    m_note.SetWindowText(L"Right-click here for the edit menu");
    m_hotkey.SubclassDlgItem(IDC_EDIT_HOTKEY, &window);
    m_hotkey.SetKey(VK_CONTROL, VK_SHIFT, VK_F5);
    // A path as an installed host has it: too long for the field, it keeps its
    // beginning and its file name.
    m_path.SubclassDlgItem(IDC_EDIT_PATH, &window);
    m_path.SetWindowText(L"C:\\Program Files\\Lighthouse Guide\\Morva Common\\Resources\\de-DE\\MorvaCommonResU.dll");
    m_long.SubclassDlgItem(IDC_EDIT_LONG, &window);
    m_long.SetWindowText(L"A display field for long text: it wraps its words on a light background and draws "
                         L"the text itself, with the dialog's font. The path field above keeps the beginning and "
                         L"the end of a path that is too long for it.");
    m_servers.SubclassDlgItem(IDC_EDIT_SERVER, &window);
    for (LPCWSTR server : {L"\\\\harbour", L"lantern.example.org", L"printshop", L"HARBOUR"}) {
        CString text = server;
        m_servers.AddUnique(text);
    }
    m_servers.SetCurSel(0);
}

void EditsPage::AddServer()
{
    CString text;
    m_servers.GetWindowText(text);
    int index = -1;
    CString message;
    const int added = m_servers.AddUnique(text, &index);
    m_servers.SetWindowText(text); // as it is stored
    if (added >= 0)
        message.Format(L"Added \"%s\" as entry %d.", text.GetString(), index + 1);
    else if (index >= 0)
        message.Format(L"\"%s\" is there already (entry %d).", text.GetString(), index + 1);
    m_pWindow->SetStatus(message);
}

bool EditsPage::OnCommand(UINT id, UINT code)
{
    if (id == IDC_EDIT_ADD && code == BN_CLICKED) {
        AddServer();
        return true;
    }
    // The edit menu's commands act on the field that has the focus.
    if (id >= ID_EDIT_CLEAR && id <= ID_EDIT_UNDO && code == 0) {
        const HWND hFocus = ::GetFocus();
        if (hFocus != m_note.m_hWnd && hFocus != m_hotkey.m_hWnd)
            return false;
        switch (id) {
        case ID_EDIT_UNDO: ::SendMessageW(hFocus, EM_UNDO, 0, 0); break;
        case ID_EDIT_CUT: ::SendMessageW(hFocus, WM_CUT, 0, 0); break;
        case ID_EDIT_COPY: ::SendMessageW(hFocus, WM_COPY, 0, 0); break;
        case ID_EDIT_PASTE: ::SendMessageW(hFocus, WM_PASTE, 0, 0); break;
        case ID_EDIT_CLEAR: ::SendMessageW(hFocus, WM_CLEAR, 0, 0); break;
        case ID_EDIT_SELECT_ALL: ::SendMessageW(hFocus, EM_SETSEL, 0, -1); break;
        default: break;
        }
        return true;
    }
    return false;
}

#include "GalleryWindow.h"
#include <commctrl.h>
#include "DemoIds.h"

BEGIN_MESSAGE_MAP(CGalleryWindow, CResizingDlg)
    ON_MESSAGE(WM_DRAWITEM, &CGalleryWindow::OnDrawItem)
    ON_MESSAGE(WM_SHOW_SELECTION, &CGalleryWindow::OnShowSelection)
END_MESSAGE_MAP()

// The template is the demo's own; the library's controls in it find their
// resources in the language resource library.
CGalleryWindow::CGalleryWindow(HMODULE resources, WORD language)
    : CResizingDlg(AfxGetInstanceHandle(), IDD_GALLERY, 0, 0), m_hResources(resources), m_language(language),
      m_edits(resources)
{
    SetLayoutName(L"Gallery");
}

GalleryPage* CGalleryWindow::Pages(int n)
{
    GalleryPage* pages[kPageCount] = {&m_files, &m_folders, &m_dialogs, &m_links, &m_edits};
    return n >= 0 && n < kPageCount ? pages[n] : nullptr;
}

void CGalleryWindow::InitControlInfo()
{
    RegisterControl(IDC_GALLERY_TABS, ANCHOR_SIZE_X);
    RegisterControl(IDC_GALLERY_FRAME, ANCHOR_SIZE_X | ANCHOR_SIZE_Y);
    RegisterControl(IDC_GALLERY_STATUS, ANCHOR_SIZE_X | ANCHOR_MOVE_Y);
    RegisterControl(IDCANCEL, ANCHOR_MOVE_X | ANCHOR_MOVE_Y);
    for (int n = 0; n < kPageCount; ++n) {
        int count = 0;
        const GalleryAnchor* anchors = Pages(n)->GetAnchors(count);
        for (int i = 0; i < count; ++i)
            RegisterControl(anchors[i].id, anchors[i].anchor);
    }
}

BOOL CGalleryWindow::OnInitDialog()
{
    CResizingDlg::OnInitDialog();
    const HWND hTabs = ::GetDlgItem(m_hWnd, IDC_GALLERY_TABS);
    // The frame under the pages' controls, which lie in it.
    ::SetWindowPos(::GetDlgItem(m_hWnd, IDC_GALLERY_FRAME), HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    for (int n = 0; n < kPageCount; ++n) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<LPWSTR>(Pages(n)->GetTitle());
        ::SendMessageW(hTabs, TCM_INSERTITEMW, n, reinterpret_cast<LPARAM>(&item));
        Pages(n)->Init(*this);
        Pages(n)->Show(*this, false);
    }
    ShowPage(kFiles);
    return TRUE;
}

void CGalleryWindow::ShowPage(int page)
{
    if (page < 0 || page >= kPageCount || page == m_nPage)
        return;
    if (m_nPage >= 0)
        Pages(m_nPage)->Show(*this, false);
    m_nPage = page;
    const HWND hTabs = ::GetDlgItem(m_hWnd, IDC_GALLERY_TABS);
    if (::SendMessageW(hTabs, TCM_GETCURSEL, 0, 0) != page)
        ::SendMessageW(hTabs, TCM_SETCURSEL, page, 0);
    Pages(page)->Show(*this, true);
    SetStatus(L"");
    if (page == kFolders)
        m_folders.ShowSelection();
}

void CGalleryWindow::RevealFolder(int index)
{
    ShowPage(kFolders);
    m_folders.Reveal(index);
}

BOOL CGalleryWindow::PreTranslateMessage(MSG* pMsg)
{
    // Ctrl+Tab and Ctrl+Shift+Tab turn the pages, as in other tabbed windows.
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB && ::GetKeyState(VK_CONTROL) < 0) {
        const bool back = ::GetKeyState(VK_SHIFT) < 0;
        ShowPage((m_nPage + (back ? kPageCount - 1 : 1)) % kPageCount);
        return TRUE;
    }
    return CResizingDlg::PreTranslateMessage(pMsg);
}

void CGalleryWindow::SetStatus(const CString& text)
{
    ::SetDlgItemTextW(m_hWnd, IDC_GALLERY_STATUS, text);
}

CString CGalleryWindow::GetStatus() const
{
    WCHAR text[512] = L"";
    ::GetDlgItemTextW(m_hWnd, IDC_GALLERY_STATUS, text, 512);
    return text;
}

BOOL CGalleryWindow::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (m_nPage >= 0 && Pages(m_nPage)->OnCommand(LOWORD(wParam), HIWORD(wParam)))
        return TRUE;
    return CResizingDlg::OnCommand(wParam, lParam);
}

BOOL CGalleryWindow::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pHeader = reinterpret_cast<NMHDR*>(lParam);
    if (pHeader != nullptr && pHeader->idFrom == IDC_GALLERY_TABS && pHeader->code == TCN_SELCHANGE) {
        ShowPage(static_cast<int>(::SendMessageW(pHeader->hwndFrom, TCM_GETCURSEL, 0, 0)));
        *pResult = 0;
        return TRUE;
    }
    // The lists and trees notify while their page is hidden too (filling, sorting).
    for (int n = 0; pHeader != nullptr && n < kPageCount; ++n) {
        if (Pages(n)->OnNotify(pHeader, pResult))
            return TRUE;
    }
    return CResizingDlg::OnNotify(wParam, lParam, pResult);
}

LRESULT CGalleryWindow::OnDrawItem(WPARAM /*wParam*/, LPARAM lParam)
{
    const DRAWITEMSTRUCT* pItem = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    for (int n = 0; pItem != nullptr && n < kPageCount; ++n) {
        if (Pages(n)->OnDrawItem(pItem))
            return TRUE;
    }
    return FALSE;
}

LRESULT CGalleryWindow::OnShowSelection(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    m_files.ShowSelection();
    return 0;
}

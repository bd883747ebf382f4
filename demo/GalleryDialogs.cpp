#include "GalleryDialogs.h"
#include "DemoIds.h"
#include "framework/Framework.h"

CGalleryAboutDlg::CGalleryAboutDlg(LPCWSTR version, CWnd* pParent)
    : CBaseDlg(AfxGetInstanceHandle(), IDD_GALLERY_ABOUT, 0, 0, true, pParent), m_version(version)
{
    SetLayoutName(L"About");
}

BOOL CGalleryAboutDlg::OnInitDialog()
{
    CBaseDlg::OnInitDialog();
    ::SetDlgItemTextW(m_hWnd, IDC_ABOUT_VERSION, L"Library version " + m_version);
    return TRUE;
}

CGalleryNotesDlg::CGalleryNotesDlg(LPCWSTR text, CWnd* pParent)
    : CResizingDlg(AfxGetInstanceHandle(), IDD_GALLERY_NOTES, 0, 0, pParent), m_text(text)
{
    SetLayoutName(L"Notes");
}

BOOL CGalleryNotesDlg::OnInitDialog()
{
    CResizingDlg::OnInitDialog();
    ::SetDlgItemTextW(m_hWnd, IDC_NOTES_TEXT, m_text);
    // The caret at the end, ready to add a line, rather than the whole text selected.
    const HWND hText = ::GetDlgItem(m_hWnd, IDC_NOTES_TEXT);
    ::SetFocus(hText);
    ::SendMessageW(hText, EM_SETSEL, m_text.GetLength(), m_text.GetLength());
    return FALSE;
}

void CGalleryNotesDlg::InitControlInfo()
{
    RegisterControl(IDC_NOTES_TEXT, ANCHOR_SIZE_X | ANCHOR_SIZE_Y);
    RegisterControl(IDOK, ANCHOR_MOVE_X | ANCHOR_MOVE_Y);
    RegisterControl(IDCANCEL, ANCHOR_MOVE_X | ANCHOR_MOVE_Y);
}

void CGalleryNotesDlg::OnOK()
{
    WCHAR text[4096] = L"";
    ::GetDlgItemTextW(m_hWnd, IDC_NOTES_TEXT, text, 4096);
    m_text = text;
    CResizingDlg::OnOK();
}

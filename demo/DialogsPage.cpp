#include "DialogsPage.h"
#include "DemoDocView.h"
#include "DemoIds.h"
#include "GalleryDialogs.h"
#include "GallerySamples.h"
#include "GalleryWindow.h"
#include "dialogs/CPallasLanguageResource.h"
#include "dialogs/CPallasMessageDialog.h"
#include "dialogs/DialogHelpers.h"
#include "dialogs/FileVersion.h"

namespace {
const GalleryAnchor kAnchors[] = {
    {IDC_DLG_MESSAGE_GROUP, ANCHOR_SIZE_X},
    {IDC_DLG_MESSAGE_TEXT, ANCHOR_SIZE_X},
    {IDC_DLG_LANGUAGE_LABEL, 0},
    {IDC_DLG_LANGUAGE, 0},
    {IDC_DLG_MESSAGE_FIRST, 0},
    {IDC_DLG_MESSAGE_FIRST + 1, 0},
    {IDC_DLG_MESSAGE_FIRST + 2, 0},
    {IDC_DLG_MESSAGE_FIRST + 3, 0},
    {IDC_DLG_ANSWER, ANCHOR_SIZE_X},
    {IDC_DLG_LAYOUT_GROUP, ANCHOR_SIZE_X | ANCHOR_SIZE_Y},
    {IDC_DLG_LAYOUT_TEXT, ANCHOR_SIZE_X},
    {IDC_DLG_ABOUT, 0},
    {IDC_DLG_NOTES, 0},
    {IDC_DLG_DOCVIEW, 0},
    {IDC_DLG_REGISTRY, ANCHOR_SIZE_X | ANCHOR_SIZE_Y},
};

struct Language
{
    WORD id;
    LPCWSTR name;
};
const Language kLanguages[] = {{DialogsPage::kEnglish, L"English (en-US)"}, {DialogsPage::kGerman, L"Deutsch (de-DE)"}};

CString LibraryPath()
{
    WCHAR path[MAX_PATH] = L"";
    ::GetModuleFileNameW(AfxGetLibraryHandle(), path, MAX_PATH);
    return path;
}

// "XY = 120,80   WH = 500,300" for the values of an open key.
CString ValuesText(HKEY hKey)
{
    CString text;
    for (DWORD i = 0;; ++i) {
        WCHAR name[64];
        DWORD nameLength = 64;
        BYTE data[256];
        DWORD dataSize = sizeof(data) - sizeof(WCHAR);
        DWORD type = 0;
        if (::RegEnumValueW(hKey, i, name, &nameLength, nullptr, &type, data, &dataSize) != ERROR_SUCCESS)
            break;
        CString value;
        if (type == REG_DWORD && dataSize == sizeof(DWORD)) {
            value.Format(L"%lu", *reinterpret_cast<const DWORD*>(data));
        } else if (type == REG_SZ) {
            data[dataSize] = data[dataSize + 1] = 0;
            value = reinterpret_cast<const WCHAR*>(data);
        }
        text += (text.IsEmpty() ? L"" : L"    ") + CString(name) + L" = " + value;
    }
    return text;
}
} // namespace

DialogsPage::~DialogsPage()
{
    if (m_hLoaded != nullptr)
        ::FreeLibrary(m_hLoaded);
}

const GalleryAnchor* DialogsPage::GetAnchors(int& count) const
{
    count = static_cast<int>(sizeof(kAnchors) / sizeof(kAnchors[0]));
    return kAnchors;
}

void DialogsPage::Init(CGalleryWindow& window)
{
    m_pWindow = &window;
    m_language = window.GetLanguage();
    m_hMessages = window.GetResources();
    m_notes = L"Ask the keeper about the winter of 1963.\r\nCheck the tide tables for chapter 2.";
    const HWND hCombo = ::GetDlgItem(window.m_hWnd, IDC_DLG_LANGUAGE);
    for (const Language& language : kLanguages) {
        const int n = static_cast<int>(::SendMessageW(hCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(language.name)));
        ::SendMessageW(hCombo, CB_SETITEMDATA, n, language.id);
        if (PRIMARYLANGID(language.id) == PRIMARYLANGID(m_language))
            ::SendMessageW(hCombo, CB_SETCURSEL, n, 0);
    }
    m_registry.SubclassDlgItem(IDC_DLG_REGISTRY, &window);
    ShowStoredLayouts();
}

bool DialogsPage::SetLanguage(WORD language)
{
    const HWND hCombo = ::GetDlgItem(m_pWindow->m_hWnd, IDC_DLG_LANGUAGE);
    const int count = static_cast<int>(::SendMessageW(hCombo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        if (static_cast<WORD>(::SendMessageW(hCombo, CB_GETITEMDATA, i, 0)) == language)
            ::SendMessageW(hCombo, CB_SETCURSEL, i, 0);
    }
    if (language == m_language)
        return true;
    HMODULE module = nullptr;
    if (PRIMARYLANGID(language) == PRIMARYLANGID(m_pWindow->GetLanguage())) {
        module = m_pWindow->GetResources();
    } else {
        // As a host does at start-up: the lookup finds the culture folder beside the library.
        CPallasLanguageResource lookup(language);
        WORD cultureIndex = 0;
        CString error;
        if (lookup.Load(module, cultureIndex, LibraryPath(), error) != CLanguageResource::LoadOk || module == nullptr) {
            m_pWindow->SetStatus(error);
            return false;
        }
    }
    if (m_hLoaded != nullptr)
        ::FreeLibrary(m_hLoaded);
    m_hLoaded = module != m_pWindow->GetResources() ? module : nullptr;
    m_hMessages = module;
    m_language = language;
    return true;
}

void DialogsPage::ShowMessage(int n)
{
    if (n < 0 || n >= SampleMessageCount())
        return;
    const SampleMessage& m = SampleMessages()[n];
    const bool german = PRIMARYLANGID(m_language) == LANG_GERMAN;
    CPallasMessageDialog dlg(m_hMessages, m.caption[german], m.text[german], m.iconKind, m.buttonSet, m_pWindow);
    dlg.DoModal();
    ::SetDlgItemTextW(m_pWindow->m_hWnd, IDC_DLG_ANSWER,
                      CString(L"Answer: ") + SampleAnswerText(dlg.GetResult()));
}

CString DialogsPage::GetVersionText() const
{
    const CFileVersion version = CFileVersion::Read(LibraryPath());
    CString text;
    text.Format(L"%d.%d.%d.%d", version.m_part[0], version.m_part[1], version.m_part[2], version.m_part[3]);
    return text;
}

void DialogsPage::ShowStoredLayouts()
{
    const CString screen = CBaseDlg::GetScreenString();
    CString text = L"HKEY_CURRENT_USER\\Software\\MORVA\\" + CRegistryKey::GetApplicationKey() + L"\\Layout\\" +
                   screen + L"\r\n";
    for (LPCWSTR name : {L"About", L"Notes"}) {
        CRegistryKey key;
        CString values;
        if (key.OpenForReading(FormatLayoutSubKey(screen, name)) == CRegistryKey::Success)
            values = ValuesText(key.GetKey());
        text += L"\r\n" + CString(name) + L":    " + (values.IsEmpty() ? CString(L"(not stored yet)") : values);
    }
    m_registry.SetWindowText(text);
}

bool DialogsPage::OnCommand(UINT id, UINT code)
{
    if (id == IDC_DLG_LANGUAGE && code == CBN_SELCHANGE) {
        const HWND hCombo = ::GetDlgItem(m_pWindow->m_hWnd, IDC_DLG_LANGUAGE);
        const LRESULT n = ::SendMessageW(hCombo, CB_GETCURSEL, 0, 0);
        if (n >= 0)
            SetLanguage(static_cast<WORD>(::SendMessageW(hCombo, CB_GETITEMDATA, n, 0)));
        return true;
    }
    if (code != BN_CLICKED)
        return false;
    if (id >= IDC_DLG_MESSAGE_FIRST && id < IDC_DLG_MESSAGE_FIRST + 4u) {
        ShowMessage(static_cast<int>(id - IDC_DLG_MESSAGE_FIRST));
        return true;
    }
    if (id == IDC_DLG_ABOUT) {
        CGalleryAboutDlg dlg(GetVersionText(), m_pWindow);
        dlg.DoModal();
        ShowStoredLayouts();
        return true;
    }
    if (id == IDC_DLG_DOCVIEW) {
        // The list and the tree-list as document views, with print preview;
        // the window runs its own loop until it is closed.
        RunDemoDocView(L"C:\\Windows\\", true, CString());
        return true;
    }
    if (id == IDC_DLG_NOTES) {
        CGalleryNotesDlg dlg(m_notes, m_pWindow);
        if (dlg.DoModal() == IDOK)
            m_notes = dlg.GetText();
        ShowStoredLayouts();
        return true;
    }
    return false;
}

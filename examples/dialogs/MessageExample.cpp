// The message dialog in the user's language, from the language resource
// library: it sizes itself to its text and answers through GetResult().
//
//     message_example [--check] [--no-resources]
//
// --check shows it modeless, presses its first button and checks the answer.
// --no-resources skips loading the resource library, as a careless host would:
// the dialog then cannot be made, and says so, without crashing.
#include <windows.h>
#include <cstdio>
#include "dialogs/CPallasLanguageResource.h"
#include "framework/Framework.h"
#include "dialogs/CPallasMessageDialog.h"
#include "resources/MorvaResourceIds.h"

int wmain(int argc, wchar_t** argv)
{
    bool check = false;
    bool noResources = false;
    for (int i = 1; i < argc; ++i) {
        check |= lstrcmpW(argv[i], L"--check") == 0;
        noResources |= lstrcmpW(argv[i], L"--no-resources") == 0;
    }
    // The resource library must match the version of MorvaCommonU.dll, and is
    // looked for in the culture folders beside it.
    wchar_t library[MAX_PATH] = L"";
    GetModuleFileNameW(AfxGetLibraryHandle(), library, MAX_PATH);
    HMODULE resources = nullptr;
    WORD cultureIndex = 0;
    if (!noResources) {
        CPallasLanguageResource lookup(GetUserDefaultUILanguage());
        CString error;
        if (lookup.Load(resources, cultureIndex, library, error) != CLanguageResource::LoadOk) {
            // "'<path>'\nResource not found." or the wrong-version text: show it to the user.
            std::fwprintf(stderr, L"%ls\n", error.GetString());
            return 1;
        }
    }
    CPallasMessageDialog dlg(resources, L"Save changes", L"The list has changed.\nSave the changes before closing?",
                             CMessageDialogBase::IconWarning, CMessageDialogBase::ButtonsYesNoCancel);
    if (!check) {
        if (dlg.DoModal() < 0)
            std::fwprintf(stderr, L"The message dialog could not be shown: no resource library.\n");
        return 0;
    }
    if (!dlg.CreateModeless()) {
        std::printf("message example: no dialog without the resource library\n");
        return noResources ? 0 : 3;
    }
    // The first button of this set is Yes.
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MESSAGE_FIRST_BUTTON, BN_CLICKED),
                    reinterpret_cast<LPARAM>(dlg.GetDlgItem(IDC_MESSAGE_FIRST_BUTTON)->m_hWnd));
    const bool ok = !noResources && dlg.GetResult() == CMessageDialogBase::ResultYes;
    std::printf("message example: answer %d%s\n", dlg.GetResult(), ok ? " (Yes)" : " WRONG");
    if (::IsWindow(dlg.m_hWnd))
        dlg.DestroyWindow();
    FreeLibrary(resources);
    return ok ? 0 : 3;
}

// The dialog of the small-control tests (template IDD_TEST_SMALL of the test
// program): each control bound to its class, every WM_COMMAND the dialog gets
// recorded, and the language resource library in the resource chain so that
// the controls find their menu and strings.
#pragma once
#include <vector>
#include "DialogTestSupport.h"
#include "DialogsTestIds.h"
#include "dialogs/CBaseDlg.h"
#include "dialogs/CHotkeyEdit.h"
#include "dialogs/CPallasComboBox.h"
#include "dialogs/CPallasEditLong.h"
#include "dialogs/CPallasEditLongPath.h"
#include "dialogs/CResetableEdit.h"
#include "dialogs/CUrlDataCtrl.h"
#include "framework/AfxResource.h"

class CSmallControlsDlg : public CBaseDlg
{
public:
    explicit CSmallControlsDlg(HMODULE keyNames = LanguageLibrary(L"en-US"))
        : CBaseDlg(TestModule(), IDD_TEST_SMALL, 0, 0, false), m_hotkey(keyNames)
    {
    }
    // The window goes first: destroying a control tells the dialog, which
    // records into members that would already be gone.
    ~CSmallControlsDlg() override { DestroyWindow(); }

    CUrlCtrl m_link;
    CUrlCtrl m_iconLink; // an SS_ICON static bound as a link
    CUrlDataCtrl m_dataLink;
    CHotkeyEdit m_hotkey;
    CResetableEdit m_resetable;
    CPallasEditLong m_long;
    CPallasEditLongPath m_path;
    CPallasComboBox m_combo;

    std::vector<MSG> commands;  // WM_COMMAND that reached the dialog's code (hwnd unused)
    std::vector<HMENU> popups;  // WM_INITMENUPOPUP menus
    // Posted into the menu loop when it first waits (WM_ENTERIDLE).
    std::vector<MSG> menuInput;

    int CountCommands(UINT id, UINT code) const
    {
        int n = 0;
        for (const MSG& m : commands)
            n += LOWORD(m.wParam) == id && HIWORD(m.wParam) == code;
        return n;
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_TEST_LINK, m_link);
        DDX_Control(pDX, IDC_TEST_ICON, m_iconLink);
        DDX_Control(pDX, IDC_TEST_DATA_LINK, m_dataLink);
        DDX_Control(pDX, IDC_TEST_HOTKEY, m_hotkey);
        DDX_Control(pDX, IDC_TEST_RESETABLE, m_resetable);
        DDX_Control(pDX, IDC_TEST_LONG, m_long);
        DDX_Control(pDX, IDC_TEST_PATH, m_path);
        DDX_Control(pDX, IDC_TEST_COMBO, m_combo);
    }
    // Commands as the dialog's own code sees them, after the controls took theirs.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        commands.push_back(MSG{nullptr, WM_COMMAND, wParam, lParam, 0, {0, 0}});
        return CBaseDlg::OnCommand(wParam, lParam);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_INITMENUPOPUP)
            popups.push_back(reinterpret_cast<HMENU>(wParam));
        else if (message == WM_ENTERIDLE && wParam == MSGF_MENU) {
            for (const MSG& m : menuInput)
                ::PostMessageW(m_hWnd, m.message, m.wParam, m.lParam);
            menuInput.clear();
        }
        return CBaseDlg::WindowProc(message, wParam, lParam);
    }
};

// Puts the language resource library into the resource chain for a test.
class SmallControlsTest : public LayoutKeyTest
{
protected:
    void SetUp() override
    {
        LayoutKeyTest::SetUp();
        AfxAddResourceModule(LanguageLibrary(L"en-US"));
    }
    void TearDown() override
    {
        AfxRemoveResourceModule(LanguageLibrary(L"en-US"));
        LayoutKeyTest::TearDown();
    }
};

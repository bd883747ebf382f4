#include <gtest/gtest.h>
#include "framework/Framework.h"

namespace {
class CTestDialog : public CDialog
{
public:
    CTestDialog() : CDialog(100u) {}
    CString text = L"initial";
    CEdit edit;
    BOOL cancelOnInit = FALSE; // posts a Cancel click for the modal loop to pick up

    BOOL OnInitDialog() override
    {
        if (cancelOnInit)
            PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
        return CDialog::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, 1002, edit);
        DDX_Text(pDX, 1002, text);
    }
};
} // namespace

TEST(CDialog, ModelessDialogFromTheResourceChainExchangesData)
{
    CTestDialog dlg;
    ASSERT_TRUE(dlg.Create(100u, nullptr));
    CString shown;
    dlg.edit.GetWindowText(shown);
    EXPECT_STREQ(L"initial", shown);
    dlg.edit.SetWindowText(L"typed");
    dlg.UpdateData(TRUE);
    EXPECT_STREQ(L"typed", dlg.text);
    dlg.DestroyWindow();
    EXPECT_EQ(nullptr, dlg.edit.m_hWnd);
}

TEST(CDialog, DoModalEndsWithTheButtonPressedAndFailsWithoutATemplate)
{
    CTestDialog dlg;
    dlg.cancelOnInit = TRUE;
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(nullptr, dlg.m_hWnd);

    CDialog missing(4242u);
    EXPECT_EQ(-1, missing.DoModal());
    EXPECT_FALSE(missing.Create(4242u));
}

TEST(AfxResource, ChainFindsTheModuleThatHoldsTheResource)
{
    HINSTANCE exe = GetModuleHandleW(nullptr);
    HMODULE other = LoadLibraryExW(L"comctl32.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    AfxSetResourceHandle(other);
    EXPECT_EQ(exe, AfxFindResourceHandle(MAKEINTRESOURCEW(100), RT_DIALOG));
    CString s;
    EXPECT_TRUE(s.LoadString(200));
    EXPECT_STREQ(L"Framework string", s);
    AfxSetResourceHandle(nullptr);
    EXPECT_EQ(exe, AfxGetResourceHandle());
    FreeLibrary(other);
    // A missing string empties the target.
    EXPECT_FALSE(s.LoadString(exe, 65000));
    EXPECT_TRUE(s.IsEmpty());
}

namespace {
LPCDLGTEMPLATEW TestTemplate()
{
    HINSTANCE exe = GetModuleHandleW(nullptr);
    HRSRC res = FindResourceW(exe, MAKEINTRESOURCEW(100), RT_DIALOG);
    return res ? static_cast<LPCDLGTEMPLATEW>(LockResource(LoadResource(exe, res))) : nullptr;
}

// Closes itself once the modal loop runs.
class CIndirectDialog : public CDialog
{
public:
    BOOL OnInitDialog() override
    {
        PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
        return CDialog::OnInitDialog();
    }
};
} // namespace

TEST(CDialog, TemplatesInMemoryRunModalAndModeless)
{
    CIndirectDialog modal;
    ASSERT_TRUE(modal.InitModalIndirect(TestTemplate()));
    EXPECT_EQ(IDOK, modal.DoModal());

    CDialog modeless;
    ASSERT_TRUE(modeless.CreateIndirect(TestTemplate(), nullptr, GetModuleHandleW(nullptr)));
    CString title;
    modeless.GetWindowText(title);
    EXPECT_STREQ(L"Framework test", title);
    modeless.ShowWindow(SW_SHOW);
    modeless.GotoDlgCtrl(modeless.GetDlgItem(1002));
    EXPECT_EQ(1002, GetDlgCtrlID(GetFocus()));
    modeless.EndDialog(IDCANCEL); // modeless: hidden, the window stays until its object goes
    ASSERT_TRUE(::IsWindow(modeless.m_hWnd));
    EXPECT_FALSE(modeless.IsWindowVisible());

    CDialog none;
    EXPECT_FALSE(none.InitModalIndirect(static_cast<LPCDLGTEMPLATEW>(nullptr)));
    EXPECT_EQ(-1, none.DoModal());
    EXPECT_FALSE(none.CreateIndirect(static_cast<LPCDLGTEMPLATEW>(nullptr)));
}

TEST(AfxResource, CurrentModuleIsNullUntilOneIsSet)
{
    EXPECT_EQ(nullptr, AfxGetCurrentResourceModule());
    HMODULE other = LoadLibraryExW(L"comctl32.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    AfxSetResourceHandle(other);
    EXPECT_EQ(other, AfxGetCurrentResourceModule());
    AfxSetResourceHandle(nullptr);
    EXPECT_EQ(nullptr, AfxGetCurrentResourceModule());
    EXPECT_EQ(GetModuleHandleW(nullptr), AfxGetResourceHandle());
    FreeLibrary(other);
}

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

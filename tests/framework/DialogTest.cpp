#include <gtest/gtest.h>
#include "framework/Framework.h"

namespace {
class CTestDialog : public CDialog
{
public:
    CTestDialog() : CDialog(100u) {}
    CString text = L"initial";
    CEdit edit;
    BOOL initialised = FALSE;

    BOOL OnInitDialog() override
    {
        initialised = TRUE;
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
    EXPECT_TRUE(dlg.initialised);
    ASSERT_NE(nullptr, dlg.edit.m_hWnd);
    CString shown;
    dlg.edit.GetWindowText(shown);
    EXPECT_STREQ(L"initial", shown);
    dlg.edit.SetWindowText(L"typed");
    dlg.UpdateData(TRUE);
    EXPECT_STREQ(L"typed", dlg.text);
    dlg.DestroyWindow();
    EXPECT_EQ(nullptr, dlg.edit.m_hWnd);
}

TEST(CDialog, DoModalEndsWithTheButtonPressed)
{
    CTestDialog dlg;
    // The modal loop picks the posted click up once the dialog runs.
    struct Poster
    {
        static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD)
        {
            KillTimer(nullptr, id);
            HWND hDlg = FindWindowW(nullptr, L"Framework test");
            PostMessageW(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(hDlg, IDCANCEL)));
        }
    };
    SetTimer(nullptr, 0, 10, &Poster::Fire);
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(nullptr, dlg.m_hWnd);
}

TEST(CDialog, MissingTemplateFailsWithoutAWindow)
{
    CDialog dlg(4242u);
    EXPECT_EQ(-1, dlg.DoModal());
    EXPECT_FALSE(dlg.Create(4242u));
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
}

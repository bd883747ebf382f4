// CBaseDlg with real dialogs: templates and icons from a resource module,
// titles and the remembered position.
#include "DialogTestSupport.h"
#include "DialogsTestIds.h"
#include "dialogs/CBaseDlg.h"
#include "resources/MorvaResourceIds.h"

namespace {
// Presses OK once the modal loop runs.
class CProbeDlg : public CBaseDlg
{
public:
    using CBaseDlg::CBaseDlg;
    BOOL OnInitDialog() override
    {
        CBaseDlg::OnInitDialog();
        PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(m_hWnd, IDOK)));
        return TRUE;
    }
};

CString Title(HWND hWnd)
{
    WCHAR text[256] = L"";
    GetWindowTextW(hWnd, text, 256);
    return text;
}
} // namespace

using BaseDlg = LayoutKeyTest;

TEST_F(BaseDlg, TitleIconAndTemplateComeFromTheResourceModule)
{
    CBaseDlg filled(TestModule(), IDD_TEST_TITLE, 0, IDS_TEST_NETWORK, false);
    ASSERT_TRUE(filled.CreateModeless());
    EXPECT_STREQ(L"Network settings", Title(filled));
    EXPECT_EQ(nullptr, filled.GetDialogIcon());

    CBaseDlg plain(TestModule(), IDD_TEST_NO_TITLE, 0, IDS_TEST_NETWORK, false);
    ASSERT_TRUE(plain.CreateModeless());
    EXPECT_STREQ(L"Network", Title(plain));

    // A missing title string empties the placeholder.
    CBaseDlg missing(TestModule(), IDD_TEST_TITLE, 0, 4711, false);
    ASSERT_TRUE(missing.CreateModeless());
    EXPECT_STREQ(L" settings", Title(missing));

    const HMODULE english = LanguageLibrary(L"en-US");
    CBaseDlg withIcon(english, IDD_SHOW_TEXT, IDI_DIALOG, 0, false);
    ASSERT_TRUE(withIcon.CreateModeless());
    EXPECT_STREQ(L"Information", Title(withIcon));
    ASSERT_NE(nullptr, withIcon.GetDialogIcon());
    EXPECT_EQ(withIcon.GetDialogIcon(), reinterpret_cast<HICON>(withIcon.SendMessage(WM_GETICON, ICON_BIG)));
    EXPECT_EQ(reinterpret_cast<LRESULT>(withIcon.GetDialogIcon()), withIcon.SendMessage(WM_QUERYDRAGICON));

    // Neither the template nor the icon in the module: no dialog, no crash.
    CBaseDlg noTemplate(english, 4242, IDI_DIALOG, 0, true);
    EXPECT_EQ(-1, noTemplate.DoModal());
    EXPECT_FALSE(noTemplate.CreateModeless());
    CBaseDlg noIcon(english, IDD_SHOW_TEXT, 4242, 0, false);
    ASSERT_TRUE(noIcon.CreateModeless());
    EXPECT_EQ(nullptr, noIcon.GetDialogIcon());
    CBaseDlg noModule(nullptr, IDD_SHOW_TEXT, IDI_DIALOG, 0, false);
    EXPECT_EQ(-1, noModule.DoModal());
    EXPECT_FALSE(KeyExists());
}

TEST_F(BaseDlg, PositionIsSavedOnCloseAndRestoredPerScreenOrOntoTheVisibleOne)
{
    const HMODULE english = LanguageLibrary(L"en-US");
    CProbeDlg first(english, IDD_SHOW_TEXT, IDI_DIALOG, 0, true);
    EXPECT_EQ(IDOK, first.DoModal());
    EXPECT_STREQ(L"Dlg204", first.GetLayoutName());
    CString screen;
    screen.Format(L"Screen%dx%d", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(screen, CBaseDlg::GetScreenString());
    const CString key = L"Layout\\" + screen + L"\\Dlg204";
    const CString saved = ReadString(key, L"XY");
    EXPECT_NE(L"<missing>", saved);

    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    // moves: to x, y; -1: onto the work area (on no monitor: a screen that is gone); 0: stays.
    const struct { LPCWSTR stored; int moves, x, y; } cases[] = {
        {L"10,20", 1, 10, 20}, {L"-5,100", 0, 0, 0}, {L"1020", 0, 0, 0}, {L",", 0, 0, 0}, {L"", 0, 0, 0},
        {L"junk,stuff", 1, 0, 0}, // _wtoi reads both as 0
        {L"5000,4000", -1, 0, 0}, {L"2147483647,2147483647", -1, 0, 0}, {L"99999999999,5", -1, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "XY = " << Narrow(c.stored));
        WriteString(key, L"XY", c.stored);
        CBaseDlg reference(english, IDD_SHOW_TEXT, IDI_DIALOG, 0, false);
        ASSERT_TRUE(reference.CreateModeless());
        CBaseDlg dlg(english, IDD_SHOW_TEXT, IDI_DIALOG, 0, true);
        ASSERT_TRUE(dlg.CreateModeless());
        CRect expected;
        reference.GetWindowRect(&expected);
        if (c.moves > 0)
            expected.OffsetRect(c.x - expected.left, c.y - expected.top);
        CRect actual;
        dlg.GetWindowRect(&actual);
        if (c.moves < 0) {
            EXPECT_TRUE(actual.left >= work.left && actual.top >= work.top && actual.right <= work.right &&
                        actual.bottom <= work.bottom);
        } else {
            EXPECT_EQ(expected.left, actual.left);
            EXPECT_EQ(expected.top, actual.top);
        }
        EXPECT_EQ(expected.Width(), actual.Width());
        // Closed by other means than OK or Cancel: nothing is saved.
        dlg.EndDialog(IDOK);
        EXPECT_EQ(c.stored, ReadString(key, L"XY"));
    }
    // Partly off the screen is where the user left it: applied as stored.
    CString partly;
    partly.Format(L"%d,%d", work.right - 40, 30);
    WriteString(key, L"XY", partly);
    CBaseDlg dlg(english, IDD_SHOW_TEXT, IDI_DIALOG, 0, true);
    ASSERT_TRUE(dlg.CreateModeless());
    CRect actual;
    dlg.GetWindowRect(&actual);
    EXPECT_EQ(CPoint(work.right - 40, 30), actual.TopLeft());
}

TEST(BaseDlgHelpers, ColumnWidthsFollowTheListWindow)
{
    CArray<int, int> widths;
    CWnd list;
    ASSERT_TRUE(list.CreateEx(0, L"STATIC", L"", WS_POPUP, 0, 0, 331, 100, nullptr, nullptr));
    CBaseDlg::DefaultColumnWidths(&list, 4, widths);
    ASSERT_EQ(4, widths.GetSize());
    EXPECT_EQ(76, widths[0]);
    EXPECT_EQ(75, widths[3]);
    CBaseDlg::DefaultColumnWidths(&list, 2, widths); // never shrinks the array
    EXPECT_EQ(4, widths.GetSize());
    EXPECT_EQ(151, widths[0]);
    EXPECT_EQ(75, widths[3]);
    CBaseDlg::DefaultColumnWidths(&list, -3, widths);
    EXPECT_EQ(4, widths.GetSize());
    CBaseDlg::DefaultColumnWidths(nullptr, 2, widths); // no window: a width of 0
    EXPECT_EQ(-15, widths[0]);
}

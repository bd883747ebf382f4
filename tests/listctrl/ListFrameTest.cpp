// The list's window side: creation and style words, the placeholder take-over,
// notifications with their records, and the frame's message handling.
#include <gtest/gtest.h>
#include "ListTestSupport.h"
#include "support/OwnerWindow.h"

namespace {
const UINT kListId = 77;

// A report list in a real owner window.
struct ListInOwner
{
    OwnerWindow owner;
    TestList list;

    explicit ListInOwner(DWORD style = LVS_REPORT, DWORD exStyle = 0)
    {
        list.Create(WS_CHILD | WS_VISIBLE | style, exStyle, CRect(0, 0, 300, 200), &owner, kListId);
    }
};

HMODULE LoadCultureLibrary(LPCWSTR culture)
{
    WCHAR path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    CString dir(path);
    dir = dir.Left(dir.ReverseFind(L'\\') + 1);
    return LoadLibraryW(dir + culture + L"\\MorvaCommonResU.dll");
}
} // namespace

TEST(ListFrame, CreationSplitsTheStyleWords)
{
    OwnerWindow owner;
    TestList list;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_NOLABELWRAP | 0x0C00;
    const DWORD exStyle = WS_EX_CLIENTEDGE | SEC_LVSX_HGRID | SEC_LVSX_FULLROWSELECT;
    ASSERT_TRUE(list.Create(style, exStyle, CRect(0, 0, 200, 100), &owner, kListId));
    EXPECT_EQ(DWORD(LVS_REPORT | LVS_SINGLESEL | LVS_NOLABELWRAP), list.GetListStyle());
    EXPECT_EQ(DWORD(SEC_LVSX_HGRID | SEC_LVSX_FULLROWSELECT), list.GetListStyleEx());
    EXPECT_EQ(DWORD(WS_CHILD | WS_VISIBLE | WS_TABSTOP | 0x0C00), list.GetStyle() & ~DWORD(WS_CLIPSIBLINGS));
    EXPECT_EQ(DWORD(WS_EX_CLIENTEDGE), list.GetExStyle() & (WS_EX_CLIENTEDGE | SEC_LVSX_CREATE_MASK));
    EXPECT_EQ(0, list.GetColumnCount()); // a report starts without columns
    EXPECT_EQ(owner.m_hWnd, list.GetNotifyWnd()->m_hWnd);
}

TEST(ListFrame, ListThatIsNotAReportGetsOneImplicitColumnAndNoHeader)
{
    OwnerWindow owner;
    TestList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 100), &owner, kListId));
    ASSERT_EQ(1, list.GetColumnCount());
    EXPECT_STREQ(L"", list.GetColumnHeading(0));
    // A single column always fills the rows area.
    CRect inside;
    list.GetInsideRect(inside);
    EXPECT_EQ(inside.Width(), list.GetColumnWidth(0));
    EXPECT_FALSE(list.HasHeader());
    EXPECT_TRUE(list.IsListStyleSet(LVS_NOCOLUMNHEADER));
}

TEST(ListFrame, PlaceholderOfADialogIsReplacedInPlace)
{
    CDialog dlg(100u);
    ASSERT_TRUE(dlg.Create(100u));
    HWND placeholder = GetDlgItem(dlg.m_hWnd, 1001);
    CRect expected;
    GetWindowRect(placeholder, &expected);
    MapWindowPoints(nullptr, dlg.m_hWnd, reinterpret_cast<LPPOINT>(&expected), 2);
    TestList list;
    ASSERT_TRUE(list.CreateFromDlgItem(1001, &dlg));
    EXPECT_FALSE(IsWindow(placeholder));
    EXPECT_EQ(list.m_hWnd, GetDlgItem(dlg.m_hWnd, 1001));
    CRect actual;
    list.GetWindowRect(&actual);
    dlg.ScreenToClient(&actual);
    EXPECT_EQ(expected, actual);
    EXPECT_TRUE(list.GetStyle() & WS_BORDER);
    EXPECT_TRUE(list.GetStyle() & WS_TABSTOP);
    EXPECT_EQ(DWORD(LVS_REPORT | LVS_EDITLABELS), list.GetListStyle());
    EXPECT_EQ(DWORD(SEC_LVSX_HGRID), list.GetListStyleEx());
    // Tab order: the list sits where the placeholder was, after the edit field.
    EXPECT_EQ(GetDlgItem(dlg.m_hWnd, 1000), GetWindow(list.m_hWnd, GW_HWNDPREV));
    EXPECT_FALSE(TestList().CreateFromDlgItem(4242, &dlg));
    dlg.DestroyWindow();
}

TEST(ListFrame, OwnerIsAskedForCallbackTextsWithTheRecordFilled)
{
    ListInOwner f;
    f.list.AddColumn(L"Name", LVCFMT_LEFT, 100);
    f.list.AddColumn(L"Size", LVCFMT_RIGHT, 60);
    f.list.InsertItem(LVIF_TEXT | LVIF_PARAM, 0, LPSTR_TEXTCALLBACKW, 0, 0, 0, 4711);
    f.owner.onNotify = [](NMHDR* header, LRESULT& result) {
        if (header->code != LVN_GETDISPINFOW)
            return false;
        NMLVDISPINFOW* info = reinterpret_cast<NMLVDISPINFOW*>(header);
        lstrcpynW(info->item.pszText, info->item.iSubItem == 0 ? L"owner name" : L"12 KB", info->item.cchTextMax);
        result = 0;
        return true;
    };
    f.owner.Clear();
    EXPECT_STREQ(L"owner name", f.list.GetItemText(0, 0));
    EXPECT_STREQ(L"12 KB", f.list.GetItemText(0, 1));
    ASSERT_EQ(2, f.owner.Count(LVN_GETDISPINFOW)) << f.owner.Listing();
    const RecordedMessage& r = f.owner.messages[1];
    EXPECT_EQ(kListId, r.idFrom);
    EXPECT_EQ(f.list.m_hWnd, r.hwndFrom);
    EXPECT_EQ(0, r.item);
    EXPECT_EQ(1, r.subItem);
    EXPECT_EQ(UINT(LVIF_TEXT), r.mask);
    EXPECT_EQ(4711, r.lParam);
}

TEST(ListFrame, DeletionNotifiesOncePerCallAndSurvivesAnOwnerThatDeletesToo)
{
    ListInOwner f;
    f.list.AddColumn(L"Name", LVCFMT_LEFT, 100);
    for (int i = 0; i < 10; ++i)
        f.list.InsertItem(i, L"x");
    f.owner.Clear();
    EXPECT_TRUE(f.list.DeleteItem(2, 3));
    ASSERT_EQ(1, f.owner.Count(LVN_DELETEITEM));
    EXPECT_EQ(2, f.owner.messages[0].item);
    EXPECT_TRUE(f.list.DeleteAllItems());
    EXPECT_EQ(1, f.owner.Count(LVN_DELETEITEM)); // deleting all is silent

    for (int i = 0; i < 10; ++i)
        f.list.InsertItem(i, L"y");
    f.owner.onNotify = [&](NMHDR* header, LRESULT&) {
        if (header->code == LVN_DELETEITEM && f.list.GetItemCount() > 3)
            f.list.DeleteItem(0, 4); // the owner deletes rows while being told
        return false;
    };
    f.list.DeleteItem(5, 3);
    EXPECT_TRUE(ModelIsConsistent(f.list));
    f.list.DeleteItem(0, 100);
    EXPECT_EQ(0, f.list.GetItemCount());
    EXPECT_TRUE(ModelIsConsistent(f.list));
}

TEST(ListFrame, EndEditNotificationCutsLongTextsAndCancelSendsNone)
{
    ListInOwner f;
    f.list.AddColumn(L"Name", LVCFMT_LEFT, 100);
    f.list.InsertItem(0, L"x");
    f.owner.answers[LVN_ENDLABELEDITW] = 1;
    CString text(L'w', 5000);
    EXPECT_TRUE(f.list.NotifyEndLabelEdit(0, 0, text, TRUE));
    EXPECT_EQ(2047, text.GetLength());
    ASSERT_TRUE(f.owner.messages.back().hasText);
    EXPECT_EQ(2047, f.owner.messages.back().text.GetLength());

    CString cancelled(L"typed");
    EXPECT_FALSE(f.list.NotifyEndLabelEdit(0, 0, cancelled, FALSE));
    EXPECT_FALSE(f.owner.messages.back().hasText);
    EXPECT_STREQ(L"typed", cancelled);
}

TEST(ListFrame, NotifyWindowRedirectsNotifications)
{
    ListInOwner f;
    OwnerWindow other;
    f.list.SetNotifyWnd(&other);
    f.list.NotifyParent(NM_RETURN);
    EXPECT_EQ(0u, f.owner.messages.size());
    ASSERT_EQ(1u, other.messages.size());
    EXPECT_EQ(UINT(NM_RETURN), other.messages[0].code);
    other.answers[NM_RETURN] = 5;
    EXPECT_EQ(5, f.list.NotifyParent(NM_RETURN));
    EXPECT_EQ(5, f.list.GetLastNotifyResult());
}

TEST(ListFrame, DividerCursorComesFromTheResourceChain)
{
    HMODULE resources = LoadCultureLibrary(L"en-US");
    ASSERT_NE(nullptr, resources);
    AfxSetResourceHandle(resources);
    {
        ListInOwner f;
        f.list.AddColumn(L"Name", LVCFMT_LEFT, 100);
        f.list.AddColumn(L"Size", LVCFMT_LEFT, 100);
        ASSERT_NE(nullptr, f.list.m_hDividerCursor);
        f.list.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(100, 5)); // on the first divider
        EXPECT_TRUE(f.list.OverDivider());
        f.list.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(f.list.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(f.list.m_hDividerCursor, GetCursor());
    }
    AfxSetResourceHandle(nullptr);
    FreeLibrary(resources);
    // Without any module holding it the list simply has no divider cursor.
    ListInOwner plain;
    EXPECT_EQ(nullptr, plain.list.m_hDividerCursor);
}

TEST(ListFrame, StylesSwitchesAndDestroyCleanUp)
{
    ListInOwner f(LVS_REPORT);
    f.list.AddColumn(L"Name", LVCFMT_LEFT, 100);
    f.list.InsertItem(0, L"one\ntwo");
    const int twoLines = f.list.GetItemHeight(0);
    f.list.EnableLabelWrap(FALSE); // single-line rows: re-measured
    EXPECT_TRUE(f.list.IsListStyleSet(LVS_NOLABELWRAP));
    EXPECT_LT(f.list.GetItemHeight(0), twoLines);
    f.list.ShowHeader(FALSE, FALSE);
    EXPECT_TRUE(f.list.IsListStyleSet(LVS_NOCOLUMNHEADER | LVS_NOSORTHEADER));
    f.list.EnableTips(TRUE);
    EXPECT_TRUE(f.list.AreTipsEnabled());
    EXPECT_EQ(UINT(DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTCHARS),
              UINT(f.list.SendMessage(WM_GETDLGCODE)));
    EXPECT_EQ(1, f.list.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(GetDC(nullptr))));
    f.owner.Clear();
    f.list.DestroyWindow();
    EXPECT_EQ(0, f.list.GetItemCount());
    EXPECT_EQ(0, f.list.GetColumnCount());
    EXPECT_EQ(0, f.owner.Count(LVN_DELETEITEM));
}

// The list's window side: creation and style words, the placeholder take-over,
// notifications with their records, and the frame's message handling.
#include <gtest/gtest.h>
#include "ListWindow.h"
#include "snapshot/Snapshot.h"

TEST(ListFrame, CreationSplitsTheStyleWordsAndAListThatIsNoReportGetsOneColumn)
{
    OwnerWindow owner;
    TestList list;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_NOLABELWRAP | 0x0C00;
    const DWORD exStyle = WS_EX_CLIENTEDGE | SEC_LVSX_HGRID | SEC_LVSX_FULLROWSELECT;
    ASSERT_TRUE(list.Create(style, exStyle, CRect(0, 0, 200, 100), &owner, 77));
    EXPECT_EQ(DWORD(LVS_REPORT | LVS_SINGLESEL | LVS_NOLABELWRAP), list.GetListStyle());
    EXPECT_EQ(DWORD(SEC_LVSX_HGRID | SEC_LVSX_FULLROWSELECT), list.GetListStyleEx());
    EXPECT_EQ(0u, list.GetStyle() & DWORD(LVS_REPORT | LVS_SINGLESEL)) << "list bits are not window bits";
    EXPECT_EQ(0, list.GetColumnCount()); // a report starts without columns

    TestList plain;
    ASSERT_TRUE(plain.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 100), &owner, 78));
    ASSERT_EQ(1, plain.GetColumnCount());
    EXPECT_EQ(200, plain.GetColumnWidth(0)) << "a single column fills the rows area";
    EXPECT_FALSE(plain.HasHeader());
}

TEST(ListFrame, PlaceholderOfADialogIsReplacedInPlace)
{
    CDialog dlg(100u);
    ASSERT_TRUE(dlg.Create(100u));
    HWND placeholder = GetDlgItem(dlg.m_hWnd, 1001);
    CRect expected;
    GetWindowRect(placeholder, &expected);
    TestList list;
    ASSERT_TRUE(list.CreateFromDlgItem(1001, &dlg));
    EXPECT_EQ(list.m_hWnd, GetDlgItem(dlg.m_hWnd, 1001));
    EXPECT_FALSE(IsWindow(placeholder));
    CRect actual;
    list.GetWindowRect(&actual);
    EXPECT_EQ(expected, actual);
    EXPECT_EQ(DWORD(WS_BORDER | WS_TABSTOP), list.GetStyle() & (WS_BORDER | WS_TABSTOP));
    EXPECT_EQ(DWORD(LVS_REPORT | LVS_EDITLABELS), list.GetListStyle());
    EXPECT_EQ(DWORD(SEC_LVSX_HGRID), list.GetListStyleEx());
    // Tab order: the list sits where the placeholder was, after the edit field.
    EXPECT_EQ(GetDlgItem(dlg.m_hWnd, 1000), GetWindow(list.m_hWnd, GW_HWNDPREV));
    EXPECT_FALSE(TestList().CreateFromDlgItem(4242, &dlg));
    dlg.DestroyWindow();
}

TEST(ListFrame, OwnerOrNotifyWindowIsAskedForCallbackTextsWithTheRecordFilled)
{
    ListWindow w(LVS_REPORT, 0);
    w.list.InsertItem(LVIF_TEXT | LVIF_PARAM, 0, LPSTR_TEXTCALLBACKW, 0, 0, 0, 4711);
    w.owner.onNotify = [](NMHDR* header, LRESULT& result) {
        if (header->code != LVN_GETDISPINFOW)
            return false;
        NMLVDISPINFOW* info = reinterpret_cast<NMLVDISPINFOW*>(header);
        lstrcpynW(info->item.pszText, info->item.iSubItem == 0 ? L"owner name" : L"12 KB", info->item.cchTextMax);
        result = 0;
        return true;
    };
    w.owner.Clear();
    EXPECT_STREQ(L"owner name", w.list.GetItemText(0, 0));
    EXPECT_STREQ(L"12 KB", w.list.GetItemText(0, 1));
    ASSERT_EQ(2, w.owner.Count(LVN_GETDISPINFOW)) << w.owner.Listing();
    const RecordedMessage& r = w.owner.messages[1];
    EXPECT_TRUE(r.idFrom == ListWindow::kId && r.hwndFrom == w.list.m_hWnd) << "the header names the list";
    EXPECT_TRUE(r.item == 0 && r.subItem == 1 && r.mask == LVIF_TEXT && r.lParam == 4711) << w.owner.Listing();

    // An owner keeping the states that answers with the flag to store: its
    // text is kept, while the selection stays as it was through the paint.
    w.list.InsertItem(LVIF_TEXT, 1, LPSTR_TEXTCALLBACKW, 0, 0, 0, 0);
    w.list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    w.list.SetStateCallback(TRUE);
    w.owner.onNotify = [](NMHDR* header, LRESULT&) {
        NMLVDISPINFOW* info = reinterpret_cast<NMLVDISPINFOW*>(header);
        if (header->code == LVN_GETDISPINFOW) {
            if (info->item.mask & LVIF_TEXT)
                lstrcpynW(info->item.pszText, L"kept", info->item.cchTextMax);
            info->item.state = 0;
            info->item.mask |= LVIF_DI_SETITEM;
        }
        return false;
    };
    const std::vector<int> selected = w.list.Selected();
    SnapshotBitmap bitmap(300, 200);
    RenderClient(w.list.m_hWnd, bitmap);
    w.list.SetStateCallback(FALSE);
    EXPECT_EQ(selected, w.list.Selected());
    EXPECT_EQ(1, w.list.GetFocusItem());
    w.owner.onNotify = nullptr;
    EXPECT_STREQ(L"kept", w.list.GetItemText(1, 0));

    // A notify window takes the notifications instead of the parent.
    OwnerWindow other;
    w.list.SetNotifyWnd(&other);
    other.answers[NM_RETURN] = 5;
    EXPECT_EQ(5, w.list.NotifyParent(NM_RETURN));
    EXPECT_EQ(5, w.list.GetLastNotifyResult());
    EXPECT_TRUE(other.Count(NM_RETURN) == 1 && w.owner.Count(NM_RETURN) == 0);
}

// (Owners that change the rows while told: ListOwnerChangesTest.)
TEST(ListFrame, DeletionNotifiesOncePerCallNamingTheFirstRowAndDeletingAllIsSilent)
{
    ListWindow w;
    w.owner.Clear();
    EXPECT_TRUE(w.list.DeleteItem(2, 3));
    ASSERT_EQ(1, w.owner.Count(LVN_DELETEITEM));
    EXPECT_EQ(2, w.owner.messages[0].item);
    EXPECT_TRUE(w.list.DeleteAllItems());
    EXPECT_EQ(1, w.owner.Count(LVN_DELETEITEM));
}

TEST(ListFrame, DividerCursorComesFromTheResourceChain)
{
    WCHAR path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    CString dir(path);
    HMODULE resources = LoadLibraryW(dir.Left(dir.ReverseFind(L'\\') + 1) + L"en-US\\MorvaCommonResU.dll");
    ASSERT_NE(nullptr, resources);
    AfxSetResourceHandle(resources);
    {
        ListWindow w(kReport, 0, {100, 100});
        ASSERT_NE(nullptr, w.list.m_hDividerCursor);
        w.Move(CPoint(100, 5), 0); // on the first divider
        EXPECT_TRUE(w.list.OverDivider());
        w.list.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(w.list.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(w.list.m_hDividerCursor, GetCursor());
    }
    AfxSetResourceHandle(nullptr);
    FreeLibrary(resources);
    // Without any module holding it the list simply has no divider cursor.
    ListWindow plain;
    EXPECT_EQ(nullptr, plain.list.m_hDividerCursor);
}

TEST(ListFrame, StylesSwitchesAndDestroyCleanUp)
{
    ListWindow w(LVS_REPORT, 0);
    w.list.InsertItem(0, L"one\ntwo");
    const int twoLines = w.list.GetItemHeight(0);
    w.list.EnableLabelWrap(FALSE); // single-line rows: re-measured
    EXPECT_LT(w.list.GetItemHeight(0), twoLines);
    w.owner.Clear();
    w.list.DestroyWindow();
    EXPECT_EQ(0, w.list.GetItemCount() + w.list.GetColumnCount() + w.owner.Count(LVN_DELETEITEM));
}

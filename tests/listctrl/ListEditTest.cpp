// In-place label editing: the owner's say at the start and the end, the live
// update while typing, the keys and focus changes that end an edit, and an
// owner that changes the list while it is being told.
#include <gtest/gtest.h>
#include "ListInputSupport.h"

namespace {
const DWORD kSingleLine = LVS_REPORT | LVS_NOLABELWRAP | LVS_EDITLABELS;
const DWORD kVariable = LVS_REPORT | LVS_EDITLABELS;

// Replaces the editor's text the way typing does, so that EN_UPDATE follows
// (a multi-line edit control sends none for WM_SETTEXT).
void Type(HWND editor, LPCWSTR text)
{
    ::SendMessageW(editor, EM_SETSEL, 0, -1);
    ::SendMessageW(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}

CRect EditorRect(ListWindow& w)
{
    CRect rect;
    ::GetWindowRect(w.Editor(), &rect);
    ::MapWindowPoints(nullptr, w.list.m_hWnd, reinterpret_cast<LPPOINT>(&rect), 2);
    return rect;
}
} // namespace

TEST(ListEdit, OwnerAnsweringOneAtTheStartPreventsTheEditor)
{
    ListWindow w(kSingleLine);
    w.Focus();
    w.owner.answers[LVN_BEGINLABELEDITW] = 1;
    EXPECT_EQ(w.list.GetEditControl(), w.list.EditLabel(1, 0));
    EXPECT_EQ(nullptr, w.Editor());
    EXPECT_EQ(-1, w.list.GetEditItem());
    EXPECT_EQ(w.list.m_hWnd, ::GetFocus());
    EXPECT_STREQ(L"row 1", w.list.GetItemText(1, 0));
    EXPECT_FALSE(w.list.EndLabelEdit(TRUE));
    EXPECT_EQ(0, w.owner.Count(LVN_ENDLABELEDITW));
    ASSERT_EQ(1, w.owner.Count(LVN_BEGINLABELEDITW));
    EXPECT_EQ(1, w.Last(LVN_BEGINLABELEDITW).item);
    EXPECT_EQ(UINT(LVIF_TEXT), w.Last(LVN_BEGINLABELEDITW).mask);
}

TEST(ListEdit, TypingChangesTheRowAtOnceAndEscapeRestoresIt)
{
    ListWindow w(kSingleLine);
    w.Focus();
    ASSERT_NE(nullptr, w.list.EditLabel(1, 0));
    ASSERT_NE(nullptr, w.Editor());
    EXPECT_EQ(1, w.list.GetEditItem());
    ::SendMessageW(w.Editor(), WM_CHAR, L'x', 1); // the whole text was selected
    EXPECT_STREQ(L"x", w.list.GetItemText(1, 0));
    ::SendMessageW(w.Editor(), WM_CHAR, L'y', 1);
    EXPECT_STREQ(L"xy", w.list.GetItemText(1, 0));
    Type(w.Editor(), L"typed text");
    EXPECT_STREQ(L"typed text", w.list.GetItemText(1, 0));

    ::SendMessageW(w.Editor(), WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_EQ(nullptr, w.Editor());
    EXPECT_EQ(-1, w.list.GetEditItem());
    EXPECT_STREQ(L"row 1", w.list.GetItemText(1, 0));
    ASSERT_EQ(1, w.owner.Count(LVN_ENDLABELEDITW));
    EXPECT_FALSE(w.Last(LVN_ENDLABELEDITW).hasText) << "a cancelled text is not shown to the owner";
    EXPECT_EQ(w.list.m_hWnd, ::GetFocus());
}

TEST(ListEdit, OwnerAnsweringZeroAtTheEndRestoresTheTextEvenAfterEnter)
{
    ListWindow w(kSingleLine);
    w.Focus();
    w.list.EditLabel(2, 0);
    Type(w.Editor(), L"rejected");
    ::SendMessageW(w.Editor(), WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(nullptr, w.Editor());
    ASSERT_EQ(1, w.owner.Count(LVN_ENDLABELEDITW));
    EXPECT_STREQ(L"rejected", w.Last(LVN_ENDLABELEDITW).text);
    EXPECT_STREQ(L"row 2", w.list.GetItemText(2, 0));
}

TEST(ListEdit, OwnerRewritingTheBufferGetsItsTextStored)
{
    ListWindow w(kSingleLine);
    w.owner.onNotify = [](NMHDR* header, LRESULT& result) {
        if (header->code != LVN_ENDLABELEDITW)
            return false;
        NMLVDISPINFOW* info = reinterpret_cast<NMLVDISPINFOW*>(header);
        EXPECT_EQ(2048, info->item.cchTextMax);
        lstrcpynW(info->item.pszText, L"owner's choice", info->item.cchTextMax);
        result = 1;
        return true;
    };
    w.Focus();
    w.list.EditLabel(2, 0);
    Type(w.Editor(), L"typed");
    ::SendMessageW(w.Editor(), WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_STREQ(L"owner's choice", w.list.GetItemText(2, 0));
}

TEST(ListEdit, EnterCommitsSingleLineRowsOnly)
{
    ListWindow single(kSingleLine);
    single.owner.answers[LVN_ENDLABELEDITW] = 1;
    single.Focus();
    single.list.EditLabel(0, 0);
    Type(single.Editor(), L"kept");
    ::SendMessageW(single.Editor(), WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(nullptr, single.Editor());
    EXPECT_STREQ(L"kept", single.list.GetItemText(0, 0));

    // With variable-height rows Enter is a line break, and the row and the
    // editor grow with the text.
    ListWindow multi(kVariable);
    multi.owner.answers[LVN_ENDLABELEDITW] = 1;
    multi.Focus();
    const int rowHeight = multi.list.GetItemHeight(0);
    multi.list.EditLabel(0, 0);
    ASSERT_NE(nullptr, multi.Editor());
    const int editorHeight = EditorRect(multi).Height();
    ::SendMessageW(multi.Editor(), EM_SETSEL, 5, 5);
    ::SendMessageW(multi.Editor(), WM_KEYDOWN, VK_RETURN, 1);
    ::SendMessageW(multi.Editor(), WM_CHAR, L'\r', 1);
    ASSERT_NE(nullptr, multi.Editor()) << "Enter must not end a multi-line edit";
    ::SendMessageW(multi.Editor(), WM_CHAR, L'z', 1);
    EXPECT_EQ(0, multi.owner.Count(LVN_ENDLABELEDITW));
    EXPECT_GT(multi.list.GetItemHeight(0), rowHeight);
    EXPECT_GT(EditorRect(multi).Height(), editorHeight);
    EXPECT_TRUE(multi.list.EndLabelEdit(TRUE));
    EXPECT_STREQ(L"row 0\r\nz", multi.list.GetItemText(0, 0));
}

TEST(ListEdit, ClickingElsewhereInTheListCommits)
{
    ListWindow w(kSingleLine);
    w.owner.answers[LVN_ENDLABELEDITW] = 1;
    w.Focus();
    w.list.EditLabel(1, 0);
    Type(w.Editor(), L"changed");
    w.Click(w.Label(4));
    EXPECT_EQ(nullptr, w.Editor());
    EXPECT_STREQ(L"changed", w.list.GetItemText(1, 0));
    EXPECT_EQ(std::vector<int>{4}, w.list.Selected()) << "the click still selects";
    EXPECT_EQ(w.list.m_hWnd, ::GetFocus());
}

TEST(ListEdit, FocusingAnotherWindowCommits)
{
    ListWindow w(kSingleLine);
    HWND other = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 320, 10, 80, 20, w.owner.m_hWnd,
                                   nullptr, nullptr, nullptr);
    w.owner.answers[LVN_ENDLABELEDITW] = 1;
    w.Focus();
    w.list.EditLabel(3, 0);
    Type(w.Editor(), L"elsewhere");
    w.owner.Clear();
    ::SetFocus(other);
    EXPECT_EQ(nullptr, w.Editor());
    EXPECT_STREQ(L"elsewhere", w.list.GetItemText(3, 0));
    EXPECT_EQ(0, w.owner.Count(NM_KILLFOCUS)) << "the list itself did not have the focus";
    EXPECT_EQ(other, ::GetFocus());
    ::DestroyWindow(other);
}

TEST(ListEdit, LongTextsAreCutInTheEndNotification)
{
    ListWindow w(kSingleLine);
    w.owner.answers[LVN_ENDLABELEDITW] = 1;
    w.Focus();
    w.list.EditLabel(0, 0);
    const CString longText(L'q', 3000);
    Type(w.Editor(), longText);
    ::SendMessageW(w.Editor(), WM_KEYDOWN, VK_RETURN, 1);
    ASSERT_TRUE(w.Last(LVN_ENDLABELEDITW).hasText);
    EXPECT_EQ(2047, w.Last(LVN_ENDLABELEDITW).text.GetLength());
    EXPECT_EQ(2047, w.list.GetItemText(0, 0).GetLength());
}

TEST(ListEdit, F2EditsTheFocusRowOnlyWithTheEditStyle)
{
    ListWindow w(LVS_REPORT | LVS_NOLABELWRAP);
    w.Focus();
    w.Key(VK_DOWN);
    w.Key(VK_F2);
    EXPECT_EQ(nullptr, w.Editor());
    EXPECT_EQ(0, w.owner.Count(LVN_BEGINLABELEDITW));

    w.list.ModifyListStyle(0, LVS_EDITLABELS);
    w.Key(VK_F2);
    ASSERT_NE(nullptr, w.Editor());
    EXPECT_EQ(1, w.list.GetEditItem());
    EXPECT_EQ(w.Editor(), ::GetFocus());
    CString text;
    w.list.GetEditControl()->GetWindowText(text);
    EXPECT_STREQ(L"row 1", text);
    EXPECT_EQ(0, ::GetDlgCtrlID(w.Editor()) - 1) << "the editor has control id 1";
    EXPECT_EQ(w.list.m_hWnd, ::GetParent(w.Editor()));
    EXPECT_EQ(LRESULT(DLGC_WANTALLKEYS), ::SendMessageW(w.Editor(), WM_GETDLGCODE, 0, 0));
    EXPECT_EQ(nullptr, w.list.EditLabel(2, 0)) << "one editor at a time";
    EXPECT_EQ(1, w.list.GetEditItem());
    w.list.EndLabelEdit(FALSE);
}

TEST(ListEdit, EditorCoversTheLabelAndGrowsOnlyToTheColumnEdge)
{
    ListWindow w(kSingleLine);
    w.Focus();
    w.list.EditLabel(1, 0);
    CRect label;
    ASSERT_TRUE(w.list.GetCellRect(1, 0, label, SECListBaseC::kCellLabel));
    const CRect start = EditorRect(w);
    EXPECT_EQ(std::max<int>(label.left - 4, 0), start.left);
    EXPECT_EQ(label.top - 1, start.top);
    EXPECT_EQ(label.bottom + 1, start.bottom);
    EXPECT_GT(start.right, label.right);

    Type(w.Editor(), CString(L'm', 200));
    const CRect grown = EditorRect(w);
    EXPECT_EQ(start.left, grown.left);
    EXPECT_EQ(w.list.GetColumnRight(0), grown.right);
    w.list.EndLabelEdit(FALSE);
}

TEST(ListEdit, EndingTwiceIsANoOpTheSecondTime)
{
    ListWindow w(kSingleLine);
    w.Focus();
    EXPECT_FALSE(w.list.EndLabelEdit(TRUE)) << "nothing to end";
    w.list.EditLabel(1, 0);
    EXPECT_TRUE(w.list.EndLabelEdit(TRUE));
    EXPECT_FALSE(w.list.EndLabelEdit(TRUE));
    EXPECT_FALSE(w.list.EndLabelEdit(FALSE));
    EXPECT_EQ(1, w.owner.Count(LVN_ENDLABELEDITW));

    // A new edit can be ended again.
    w.list.EditLabel(2, 0);
    EXPECT_TRUE(w.list.EndLabelEdit(FALSE));
    EXPECT_EQ(2, w.owner.Count(LVN_ENDLABELEDITW));
}

TEST(ListEdit, SubItemCellsAreEditedInTheirColumn)
{
    ListWindow w(kSingleLine);
    SetCell(w.list, 2, 1, L"12 KB");
    w.owner.answers[LVN_ENDLABELEDITW] = 1;
    w.Focus();
    w.list.EditLabel(2, 1);
    ASSERT_NE(nullptr, w.Editor());
    EXPECT_EQ(1, w.Last(LVN_BEGINLABELEDITW).subItem);
    EXPECT_GE(EditorRect(w).left, w.list.GetColumnLeft(1) - 4);
    Type(w.Editor(), L"13 KB");
    EXPECT_STREQ(L"13 KB", w.list.GetItemText(2, 1));
    EXPECT_STREQ(L"row 2", w.list.GetItemText(2, 0));
    ::SendMessageW(w.Editor(), WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(1, w.Last(LVN_ENDLABELEDITW).subItem);
    EXPECT_STREQ(L"13 KB", w.list.GetItemText(2, 1));

    // A column that does not exist edits the row's own text.
    w.list.EditLabel(2, 7);
    ASSERT_NE(nullptr, w.Editor());
    EXPECT_EQ(0, w.Last(LVN_BEGINLABELEDITW).subItem);
    w.list.EndLabelEdit(FALSE);
    EXPECT_STREQ(L"row 2", w.list.GetItemText(2, 0));
}

TEST(ListEdit, StyleChangesScrollingAndDeletionEndTheEdit)
{
    ListWindow w(kSingleLine, 40);
    w.owner.answers[LVN_ENDLABELEDITW] = 1;
    w.Focus();
    w.list.EditLabel(1, 0);
    Type(w.Editor(), L"by style");
    w.list.ModifyListStyleEx(0, SEC_LVSX_HGRID);
    EXPECT_EQ(nullptr, w.Editor());
    EXPECT_STREQ(L"by style", w.list.GetItemText(1, 0));

    w.list.EditLabel(2, 0);
    Type(w.Editor(), L"by scroll");
    w.list.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(nullptr, w.Editor());
    EXPECT_STREQ(L"by scroll", w.list.GetItemText(2, 0));

    // Deleting the edited row cancels: the owner sees no text.
    w.list.EditLabel(5, 0);
    Type(w.Editor(), L"lost");
    w.list.DeleteItem(5);
    EXPECT_EQ(nullptr, w.Editor());
    EXPECT_FALSE(w.Last(LVN_ENDLABELEDITW).hasText);
    EXPECT_STREQ(L"row 6", w.list.GetItemText(5, 0));
    EXPECT_TRUE(ModelIsConsistent(w.list));
}

TEST(ListEdit, OwnerChangingTheListInsideTheEndNotificationIsSurvived)
{
    // The owner deletes the edited row while it is told: the row that moves
    // into its place keeps its own text.
    ListWindow w(kSingleLine);
    w.owner.onNotify = [&](NMHDR* header, LRESULT& result) {
        if (header->code != LVN_ENDLABELEDITW)
            return false;
        w.list.DeleteItem(reinterpret_cast<NMLVDISPINFOW*>(header)->item.iItem);
        result = 1;
        return true;
    };
    w.Focus();
    w.list.EditLabel(2, 0);
    Type(w.Editor(), L"orphan");
    ::SendMessageW(w.Editor(), WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(nullptr, w.Editor());
    EXPECT_EQ(-1, w.list.GetEditItem());
    EXPECT_STREQ(L"row 3", w.list.GetItemText(2, 0));
    EXPECT_TRUE(ModelIsConsistent(w.list));

    // An owner that inserts above the edited row: the text follows the row.
    w.owner.onNotify = [&](NMHDR* header, LRESULT& result) {
        if (header->code != LVN_ENDLABELEDITW)
            return false;
        w.list.InsertItem(0, L"inserted");
        result = 1;
        return true;
    };
    w.list.EditLabel(4, 0);
    Type(w.Editor(), L"followed");
    ::SendMessageW(w.Editor(), WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_STREQ(L"followed", w.list.GetItemText(5, 0));
    EXPECT_STREQ(L"row 4", w.list.GetItemText(4, 0));
}

TEST(ListEdit, OwnerDestroyingTheListInsideEditNotificationsIsSurvived)
{
    for (UINT code : {UINT(LVN_BEGINLABELEDITW), UINT(LVN_ENDLABELEDITW)}) {
        SCOPED_TRACE(NotifyName(code));
        ListWindow w(kSingleLine);
        w.owner.onNotify = [&](NMHDR* header, LRESULT&) {
            if (header->code == code)
                w.list.DestroyWindow();
            return false;
        };
        w.Focus();
        w.list.EditLabel(1, 0);
        if (w.Editor() != nullptr)
            ::SendMessageW(w.Editor(), WM_KEYDOWN, VK_RETURN, 1);
        EXPECT_FALSE(::IsWindow(w.list.m_hWnd));
        EXPECT_EQ(nullptr, w.Editor());
        EXPECT_EQ(-1, w.list.GetEditItem());
        EXPECT_EQ(0, w.list.GetItemCount());
        EXPECT_EQ(0, w.owner.Count(LVN_ENDLABELEDITW) - (code == LVN_ENDLABELEDITW ? 1 : 0))
            << "an edit that never began is not ended\n"
            << w.owner.Listing();
    }
}

// In-place label editing: the owner's say at the start and the end, the live
// update while typing, the keys and focus changes that end an edit, and an
// owner that changes the list while it is being told.
#include <gtest/gtest.h>
#include <functional>
#include "ListWindow.h"

namespace {
const DWORD kSingleLine = kReport | LVS_EDITLABELS;

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

TEST(ListEdit, OwnerAnsweringOneAtTheStartPreventsTheEditorAndEndingTwiceIsANoOp)
{
    ListWindow w(kSingleLine);
    w.Focus();
    w.owner.answers[LVN_BEGINLABELEDITW] = 1;
    EXPECT_EQ(w.list.GetEditControl(), w.list.EditLabel(1, 0));
    EXPECT_TRUE(w.Editor() == nullptr && w.list.GetEditItem() == -1 && ::GetFocus() == w.list.m_hWnd);
    EXPECT_FALSE(w.list.EndLabelEdit(TRUE)) << "nothing to end";
    EXPECT_EQ(0, w.owner.Count(LVN_ENDLABELEDITW));
    EXPECT_TRUE(w.Last(LVN_BEGINLABELEDITW).item == 1 && w.Last(LVN_BEGINLABELEDITW).mask == LVIF_TEXT);

    w.owner.answers[LVN_BEGINLABELEDITW] = 0;
    w.list.EditLabel(1, 0);
    EXPECT_TRUE(w.list.EndLabelEdit(TRUE));
    EXPECT_FALSE(w.list.EndLabelEdit(TRUE) || w.list.EndLabelEdit(FALSE));
    EXPECT_EQ(1, w.owner.Count(LVN_ENDLABELEDITW));
}

// Row 2 is edited to "typed" (which shows at once) and the editor is left.
TEST(ListEdit, EveryWayOutOfTheEditorAsksTheOwnerWhoseAnswerAndChangesCount)
{
    using Told = std::function<void(ListWindow&, NMLVDISPINFOW*)>;
    // How the editor is left, and what does it; what the owner does when told the
    // end, and its answer; a row and its text afterwards; whether the end
    // notification carried the typed text.
    const struct {
        const char* name; std::function<void(ListWindow&)> leave; Told told; LRESULT answer; int row; LPCWSTR text;
        bool hasText;
    } cases[] = {
        {"Enter", [](ListWindow& w) { w.EditKey(VK_RETURN); }, nullptr, 1, 2, L"typed", true},
        {"Enter refused by the owner", [](ListWindow& w) { w.EditKey(VK_RETURN); }, nullptr, 0, 2, L"row 2", true},
        {"Escape restores the text",
         [](ListWindow& w) { w.EditKey(VK_ESCAPE); EXPECT_EQ(w.list.m_hWnd, ::GetFocus()); },
         nullptr, 1, 2, L"row 2", false},
        {"a click elsewhere in the list",
         [](ListWindow& w) {
             w.Click(w.Label(4));
             EXPECT_EQ(std::vector<int>{4}, w.list.Selected()) << "the click still selects";
             EXPECT_EQ(w.list.m_hWnd, ::GetFocus());
         },
         nullptr, 1, 2, L"typed", true},
        {"focusing another window",
         [](ListWindow& w) {
             HWND other = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 320, 10, 80, 20,
                                            w.owner.m_hWnd, nullptr, nullptr, nullptr);
             ::SetFocus(other);
             EXPECT_EQ(0, w.owner.Count(NM_KILLFOCUS)) << "the list itself did not have the focus";
             EXPECT_EQ(other, ::GetFocus());
         },
         nullptr, 1, 2, L"typed", true},
        {"a style change", [](ListWindow& w) { w.list.ModifyListStyleEx(0, SEC_LVSX_HGRID); }, nullptr, 1, 2, L"typed",
         true},
        {"scrolling", [](ListWindow& w) { w.list.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0); }, nullptr, 1, 2, L"typed",
         true},
        {"deleting the edited row cancels", [](ListWindow& w) { w.list.DeleteItem(2); }, nullptr, 1, 2, L"row 3",
         false},
        {"deleting the edited row, the owner deleting the first row when told",
         [](ListWindow& w) { w.list.DeleteItem(2); }, [](ListWindow& w, NMLVDISPINFOW*) { w.list.DeleteItem(0); },
         1, 1, L"row 3", false},
        {"Enter, the owner rewriting the buffer", [](ListWindow& w) { w.EditKey(VK_RETURN); },
         [](ListWindow&, NMLVDISPINFOW* info) { lstrcpynW(info->item.pszText, L"owner's", info->item.cchTextMax); },
         1, 2, L"owner's", true},
        {"Enter, the owner deleting the edited row", [](ListWindow& w) { w.EditKey(VK_RETURN); },
         [](ListWindow& w, NMLVDISPINFOW* info) { w.list.DeleteItem(info->item.iItem); }, 1, 2, L"row 3", true},
        {"Enter, the owner inserting a row above", [](ListWindow& w) { w.EditKey(VK_RETURN); },
         [](ListWindow& w, NMLVDISPINFOW*) { w.list.InsertItem(0, L"inserted"); }, 1, 3, L"typed", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ListWindow w(kSingleLine, 40);
        w.owner.onNotify = [&](NMHDR* header, LRESULT& result) {
            NMLVDISPINFOW* info = reinterpret_cast<NMLVDISPINFOW*>(header);
            if (header->code != LVN_ENDLABELEDITW)
                return false;
            EXPECT_TRUE(info->item.pszText == nullptr || info->item.cchTextMax == 2048);
            if (c.told)
                c.told(w, info);
            result = c.answer;
            return true;
        };
        w.Focus();
        w.list.EditLabel(2, 0);
        Type(w.Editor(), L"typed");
        EXPECT_STREQ(L"typed", w.list.GetItemText(2, 0)) << "typing changes the row at once";
        w.owner.Clear();
        c.leave(w);
        EXPECT_EQ(nullptr, w.Editor());
        EXPECT_EQ(-1, w.list.GetEditItem());
        EXPECT_STREQ(c.text, w.list.GetItemText(c.row, 0));
        ASSERT_EQ(1, w.owner.Count(LVN_ENDLABELEDITW)) << w.owner.Listing();
        EXPECT_STREQ(c.hasText ? L"typed" : L"", w.Last(LVN_ENDLABELEDITW).text);
        EXPECT_EQ(c.hasText, w.Last(LVN_ENDLABELEDITW).hasText);
        EXPECT_TRUE(ModelIsConsistent(w.list));
    }
}

TEST(ListEdit, EnterIsALineBreakWithVariableHeightRows)
{
    ListWindow w(LVS_REPORT | LVS_EDITLABELS);
    w.owner.answers[LVN_ENDLABELEDITW] = 1;
    w.Focus();
    const int rowHeight = w.list.GetItemHeight(0);
    w.list.EditLabel(0, 0);
    ASSERT_NE(nullptr, w.Editor());
    const int editorHeight = EditorRect(w).Height();
    ::SendMessageW(w.Editor(), EM_SETSEL, 5, 5);
    w.EditKey(VK_RETURN);
    ::SendMessageW(w.Editor(), WM_CHAR, L'\r', 1);
    ASSERT_NE(nullptr, w.Editor()) << "Enter must not end a multi-line edit";
    ::SendMessageW(w.Editor(), WM_CHAR, L'z', 1);
    EXPECT_EQ(0, w.owner.Count(LVN_ENDLABELEDITW));
    EXPECT_GT(w.list.GetItemHeight(0), rowHeight) << "the row grows with the text";
    EXPECT_GT(EditorRect(w).Height(), editorHeight) << "and the editor with it";
    EXPECT_TRUE(w.list.EndLabelEdit(TRUE));
    EXPECT_STREQ(L"row 0\r\nz", w.list.GetItemText(0, 0));
}

TEST(ListEdit, F2EditsTheFocusRowOnlyWithTheEditStyleInAnEditorOverTheLabel)
{
    ListWindow w(kReport);
    w.owner.answers[LVN_ENDLABELEDITW] = 1;
    w.Focus();
    w.Key(VK_DOWN);
    w.Key(VK_F2);
    EXPECT_EQ(nullptr, w.Editor());
    EXPECT_EQ(0, w.owner.Count(LVN_BEGINLABELEDITW));

    w.list.ModifyListStyle(0, LVS_EDITLABELS);
    w.Key(VK_F2);
    ASSERT_NE(nullptr, w.Editor());
    EXPECT_EQ(1, w.list.GetEditItem());
    EXPECT_TRUE(::GetFocus() == w.Editor() && ::GetParent(w.Editor()) == w.list.m_hWnd);
    EXPECT_EQ(1, ::GetDlgCtrlID(w.Editor())) << "the editor's control id";
    EXPECT_EQ(LRESULT(DLGC_WANTALLKEYS), ::SendMessageW(w.Editor(), WM_GETDLGCODE, 0, 0));
    EXPECT_EQ(nullptr, w.list.EditLabel(2, 0)) << "one editor at a time";
    ::SendMessageW(w.Editor(), WM_CHAR, L'x', 1); // the whole text was selected
    ::SendMessageW(w.Editor(), WM_CHAR, L'y', 1);
    EXPECT_STREQ(L"xy", w.list.GetItemText(1, 0));

    // The editor covers the label and grows only to the column's edge; the
    // text is cut to 2047 characters.
    const CRect label = w.Rect(1, 0, SECListBaseC::kCellLabel);
    const CRect start = EditorRect(w);
    EXPECT_EQ(CRect(std::max<int>(label.left - 4, 0), label.top - 1, start.right, label.bottom + 1), start);
    EXPECT_GT(start.right, label.right);
    Type(w.Editor(), CString(L'm', 3000));
    EXPECT_EQ(CRect(start.left, start.top, w.list.GetColumnRight(0), start.bottom), EditorRect(w));
    w.EditKey(VK_RETURN);
    EXPECT_EQ(2047, w.Last(LVN_ENDLABELEDITW).text.GetLength());
    EXPECT_EQ(2047, w.list.GetItemText(1, 0).GetLength());
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
    w.EditKey(VK_RETURN);
    EXPECT_EQ(1, w.Last(LVN_ENDLABELEDITW).subItem);
    EXPECT_STREQ(L"13 KB", w.list.GetItemText(2, 1));
    EXPECT_STREQ(L"row 2", w.list.GetItemText(2, 0));
    w.list.EditLabel(2, 7); // a column that does not exist edits the row's own text
    EXPECT_EQ(0, w.Last(LVN_BEGINLABELEDITW).subItem);
    w.list.EndLabelEdit(FALSE);
}

// What the editor hands over is cut to 2047 characters; what was there before
// the edit is not: a cancelled or refused edit of a long text gives it back
// whole, and the string forms of GetItemText answer it whole.
TEST(ListEdit, ACancelledOrRefusedEditOfALongTextGivesItBackWhole)
{
    const CString longText(L'q', 5000);
    for (bool refuse : {false, true}) {
        SCOPED_TRACE(refuse ? "refused" : "cancelled");
        ListWindow w(kSingleLine);
        w.list.SetItemText(3, 0, longText);
        SetCell(w.list, 3, 1, longText);
        EXPECT_EQ(5000, w.list.GetItemText(3, 0).GetLength());
        EXPECT_EQ(5000, w.list.GetItemText(3, 1).GetLength());
        w.owner.answers[LVN_ENDLABELEDITW] = 0;
        for (int col : {0, 1}) {
            w.Focus();
            w.list.EditLabel(3, col);
            ASSERT_NE(nullptr, w.Editor());
            Type(w.Editor(), L"short");
            if (refuse)
                w.EditKey(VK_RETURN);
            else
                w.EditKey(VK_ESCAPE);
            EXPECT_STREQ(longText, w.list.GetItemText(3, col));
        }
    }
}

// EditLabel opens the editor where the row is, without scrolling.
TEST(ListEdit, EditingARowOutOfSightDoesNotScroll)
{
    ListWindow w(kSingleLine, 40);
    w.list.SetTopIndex(10);
    w.Focus();
    w.list.EditLabel(2, 0);
    EXPECT_NE(nullptr, w.Editor());
    EXPECT_EQ(10, w.list.GetTopIndex());
    w.list.EditLabel(35, 0); // still open: the second one is refused
    w.list.EndLabelEdit(FALSE);
    w.list.EditLabel(35, 0);
    EXPECT_EQ(10, w.list.GetTopIndex());
    w.list.EndLabelEdit(FALSE);

    // A list whose window does not show (a page not shown yet): typing still
    // reaches the row.
    w.owner.ShowWindow(SW_HIDE);
    w.list.EditLabel(3, 0);
    ASSERT_NE(nullptr, w.Editor());
    Type(w.Editor(), L"typed");
    EXPECT_EQ(L"typed", w.list.GetItemText(3, 0));
    w.list.EndLabelEdit(TRUE);
}

// DeleteAllItems tells the owner nothing: an open editor goes without an end
// notification, without focus notifications and without asking for a text.
TEST(ListEdit, DeletingAllRowsClosesTheEditorSilently)
{
    ListWindow w(kSingleLine);
    w.Focus();
    w.list.EditLabel(2, 0);
    ASSERT_NE(nullptr, w.Editor());
    Type(w.Editor(), L"typed");
    w.owner.Clear();
    EXPECT_TRUE(w.list.DeleteAllItems());
    EXPECT_EQ(nullptr, w.Editor());
    EXPECT_EQ(-1, w.list.GetEditItem());
    EXPECT_TRUE(w.owner.messages.empty()) << w.owner.Listing();
    EXPECT_EQ(w.list.m_hWnd, ::GetFocus()) << "the focus is the list's again";
    // The list works on: a new row can be edited.
    w.list.InsertItem(0, L"new");
    w.list.EditLabel(0, 0);
    EXPECT_NE(nullptr, w.Editor());
    w.list.EndLabelEdit(FALSE);
}

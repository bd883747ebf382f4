// Mouse, keyboard and timer input of the list, driven by real messages sent to a
// real window: selection steps with their modifiers, paging, type-ahead,
// heading presses and drags, the divider loop, row drags, the pending edit and
// what the list posts to its parent.
#include <gtest/gtest.h>
#include "ListInputSupport.h"

namespace {
using Rows = std::vector<int>;

// The rows between two indices, both included.
Rows Range(int first, int last)
{
    Rows rows;
    for (int r = first; r <= last; ++r)
        rows.push_back(r);
    return rows;
}

// Whether a message of that kind waits in the queue of the window (it is removed).
bool TakePosted(HWND hWnd, UINT message, MSG& msg)
{
    return ::PeekMessageW(&msg, hWnd, message, message, PM_REMOVE) != FALSE;
}
} // namespace

// ---------------------------------------------------------------------------
// Selection by mouse and keyboard

TEST(ListInput, ClickInAMultipleSelectionKeepsItWhileDownAndCollapsesOnRelease)
{
    ListWindow w;
    w.Click(w.Label(1));
    w.Click(w.Label(4), MK_SHIFT);
    ASSERT_EQ(Range(1, 4), w.list.Selected());

    w.Down(w.Label(3));
    EXPECT_EQ(Range(1, 4), w.list.Selected()) << "the press must keep the selection";
    w.Up(w.Label(3));
    EXPECT_EQ(Rows{3}, w.list.Selected());
    EXPECT_EQ(3, w.list.GetFocusItem());
}

TEST(ListInput, ShiftSelectsExactlyFromTheAnchorAndKeepsIt)
{
    ListWindow w;
    w.Click(w.Label(2));
    w.Click(w.Label(5), MK_SHIFT);
    EXPECT_EQ(Range(2, 5), w.list.Selected());
    EXPECT_EQ(2, w.list.AnchorRow());
    EXPECT_EQ(5, w.list.GetFocusItem());

    w.Click(w.Label(0), MK_SHIFT); // the other side of the anchor
    EXPECT_EQ(Range(0, 2), w.list.Selected());
    EXPECT_EQ(2, w.list.AnchorRow());

    w.Key(VK_DOWN, true);
    EXPECT_EQ(Range(1, 2), w.list.Selected());
    EXPECT_EQ(1, w.list.GetFocusItem());
    w.Key(VK_END, true);
    EXPECT_EQ(Range(2, 9), w.list.Selected());
    EXPECT_EQ(2, w.list.AnchorRow());
    EXPECT_TRUE(ModelIsConsistent(w.list));
}

TEST(ListInput, ControlClickTogglesOnReleaseNotOnPress)
{
    ListWindow w;
    w.Click(w.Label(2));
    w.Down(w.Label(5), MK_CONTROL);
    EXPECT_EQ(Rows{2}, w.list.Selected());
    w.Up(w.Label(5), MK_CONTROL);
    EXPECT_EQ((Rows{2, 5}), w.list.Selected());
    EXPECT_EQ(5, w.list.GetFocusItem());

    w.Down(w.Label(2), MK_CONTROL);
    EXPECT_EQ((Rows{2, 5}), w.list.Selected());
    w.Up(w.Label(2), MK_CONTROL);
    EXPECT_EQ(Rows{5}, w.list.Selected());
    EXPECT_EQ(2, w.list.GetFocusItem()); // the toggled row takes the focus either way
}

TEST(ListInput, ControlArrowMovesOnlyTheFocusAndControlSpaceToggles)
{
    ListWindow w;
    w.Click(w.Label(2));
    w.Key(VK_DOWN, false, true);
    w.Key(VK_DOWN, false, true);
    EXPECT_EQ(4, w.list.GetFocusItem());
    EXPECT_EQ(Rows{2}, w.list.Selected());
    EXPECT_EQ(2, w.list.AnchorRow());

    w.Key(VK_SPACE, false, true);
    EXPECT_EQ((Rows{2, 4}), w.list.Selected());
    w.Key(VK_SPACE, false, true);
    EXPECT_EQ(Rows{2}, w.list.Selected());
    EXPECT_EQ(4, w.list.GetFocusItem());

    w.Key(VK_SPACE); // a plain space selects the focus row alone
    EXPECT_EQ(Rows{4}, w.list.Selected());
}

TEST(ListInput, SingleSelectionIgnoresShiftAndControl)
{
    ListWindow w(LVS_REPORT | LVS_NOLABELWRAP | LVS_SINGLESEL);
    w.Click(w.Label(2));
    w.Click(w.Label(5), MK_CONTROL);
    EXPECT_EQ(Rows{5}, w.list.Selected());
    w.Click(w.Label(7), MK_SHIFT);
    EXPECT_EQ(Rows{7}, w.list.Selected());
    w.Key(VK_DOWN, false, true);
    EXPECT_EQ(Rows{8}, w.list.Selected());
    EXPECT_EQ(8, w.list.GetFocusItem());
    w.Key(VK_UP, true, false);
    EXPECT_EQ(Rows{7}, w.list.Selected());
    w.Key(VK_SPACE, false, true);
    EXPECT_EQ(Rows{7}, w.list.Selected()) << "control-space must not deselect in a single selection";
}

TEST(ListInput, VetoBlocksTheStepAndLaterModifierStepsUntilAPlainStepAsksAgain)
{
    ListWindow w;
    w.Click(w.Label(1));
    w.list.veto = TRUE;
    const int asked = w.list.changingCalls;
    w.Click(w.Label(3));
    EXPECT_EQ(asked + 1, w.list.changingCalls);
    EXPECT_EQ(Rows{1}, w.list.Selected());
    EXPECT_EQ(1, w.list.GetFocusItem());

    // The hook now says yes, but modifier steps do not even ask it.
    w.list.veto = FALSE;
    w.Click(w.Label(4), MK_CONTROL);
    w.Click(w.Label(6), MK_SHIFT);
    w.Key(VK_DOWN, true);
    EXPECT_EQ(asked + 1, w.list.changingCalls);
    EXPECT_EQ(Rows{1}, w.list.Selected());

    w.Click(w.Label(2)); // a plain step asks again and clears the block
    EXPECT_EQ(asked + 2, w.list.changingCalls);
    EXPECT_EQ(Rows{2}, w.list.Selected());
    w.Click(w.Label(4), MK_CONTROL);
    EXPECT_EQ((Rows{2, 4}), w.list.Selected());

    // A veto by keyboard blocks the same way.
    w.list.veto = TRUE;
    w.Key(VK_DOWN);
    EXPECT_EQ(4, w.list.GetFocusItem());
    EXPECT_TRUE(w.list.Vetoed());
}

TEST(ListInput, ClickOnTheImageOfTheOnlySelectedRowMovesOnlyTheFocus)
{
    ListWindow w;
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 1));
    images.Add(::LoadIconW(nullptr, IDI_APPLICATION));
    w.list.SetImageList(&images, SECListBaseC::kImageSmall);
    w.Click(w.Label(2));
    w.Key(VK_DOWN, false, true); // focus on 3, selection still 2
    ASSERT_EQ(3, w.list.GetFocusItem());

    // Even a vetoing hook is not asked: the selection does not change.
    w.list.veto = TRUE;
    const int asked = w.list.changingCalls;
    const int changed = w.list.changedCalls;
    const CPoint image = w.Label(2, 0, SECListBaseC::kCellImage);
    UINT flags = 0;
    ASSERT_EQ(2, w.list.HitTest(image, &flags));
    ASSERT_TRUE(flags & SEC_LVHT_ONITEMICON);
    w.Click(image);
    EXPECT_EQ(2, w.list.GetFocusItem());
    EXPECT_EQ(Rows{2}, w.list.Selected());
    EXPECT_EQ(asked, w.list.changingCalls);
    EXPECT_EQ(changed, w.list.changedCalls);

    // The label of the same row is an ordinary step and asks.
    w.Key(VK_DOWN, false, true);
    w.Click(w.Label(2));
    EXPECT_EQ(asked + 1, w.list.changingCalls);
    EXPECT_EQ(3, w.list.GetFocusItem());
}

TEST(ListInput, ClickOnEmptySpaceOrOutsideTheLabelSelectsNothing)
{
    ListWindow w(LVS_REPORT | LVS_NOLABELWRAP, 3);
    w.Click(w.Label(1));
    CRect inside;
    w.list.GetInsideRect(inside);
    w.Click(CPoint(20, inside.bottom - 3)); // below the last row
    w.Click(CPoint(95, w.Label(2).y));      // right of the short label, no full-row selection
    EXPECT_EQ(Rows{1}, w.list.Selected());

    w.list.ModifyListStyleEx(0, SEC_LVSX_FULLROWSELECT);
    w.Click(CPoint(150, w.Label(2).y)); // in the second column
    EXPECT_EQ(Rows{2}, w.list.Selected());
}

// ---------------------------------------------------------------------------
// Keyboard

TEST(ListInput, PageKeysMoveTheFocusToTheEdgeFirstThenScroll)
{
    ListWindow w(LVS_REPORT | LVS_NOLABELWRAP, 60);
    w.Focus();
    ASSERT_TRUE(w.list.IsVertScrollBarShown());
    const int bottom = w.list.GetBottomIndex();
    ASSERT_GT(bottom, 2);

    w.Key(VK_NEXT);
    EXPECT_EQ(bottom, w.list.GetFocusItem());
    EXPECT_EQ(0, w.list.GetTopIndex());
    w.Key(VK_NEXT);
    EXPECT_GT(w.list.GetTopIndex(), 0);
    EXPECT_EQ(w.list.GetBottomIndex(), w.list.GetFocusItem());
    EXPECT_GT(w.list.GetFocusItem(), bottom);

    const int top = w.list.GetTopIndex();
    w.Key(VK_PRIOR);
    EXPECT_EQ(top, w.list.GetFocusItem());
    EXPECT_EQ(top, w.list.GetTopIndex());
    w.Key(VK_PRIOR);
    EXPECT_LT(w.list.GetTopIndex(), top);
    EXPECT_EQ(w.list.GetTopIndex(), w.list.GetFocusItem());

    w.Key(VK_END);
    EXPECT_EQ(59, w.list.GetFocusItem());
    EXPECT_EQ(59, w.list.GetBottomIndex());
    w.Key(VK_HOME);
    EXPECT_EQ(0, w.list.GetFocusItem());
    EXPECT_EQ(0, w.list.GetTopIndex());
    EXPECT_EQ(Rows{0}, w.list.Selected());
}

TEST(ListInput, PageKeysWithoutAVerticalBarActLikeHomeAndEnd)
{
    ListWindow w(LVS_REPORT | LVS_NOLABELWRAP, 5);
    ASSERT_FALSE(w.list.IsVertScrollBarShown());
    w.Click(w.Label(1));
    w.Key(VK_NEXT);
    EXPECT_EQ(4, w.list.GetFocusItem());
    EXPECT_EQ(Rows{4}, w.list.Selected());
    w.Key(VK_PRIOR);
    EXPECT_EQ(0, w.list.GetFocusItem());
    w.Key(VK_PRIOR, true); // shift extends from the anchor as with any step
    EXPECT_EQ(Rows{0}, w.list.Selected());
    w.Key(VK_NEXT, true);
    EXPECT_EQ(Range(0, 4), w.list.Selected());
}

TEST(ListInput, ArrowsStopAtTheEndsAndRepeatCountsStepOnce)
{
    ListWindow w(LVS_REPORT | LVS_NOLABELWRAP, 4);
    w.Focus();
    w.Key(VK_UP);
    EXPECT_EQ(0, w.list.GetFocusItem());
    w.Key(VK_DOWN, false, false, 0xFFFF);
    EXPECT_EQ(1, w.list.GetFocusItem());
    w.Key(VK_END);
    w.Key(VK_DOWN);
    EXPECT_EQ(3, w.list.GetFocusItem());
    EXPECT_EQ(Rows{3}, w.list.Selected());
    // Keys that only the tree uses, and keys nobody uses, change nothing.
    const UINT idle[] = {VK_LEFT, VK_RIGHT, VK_BACK, VK_MULTIPLY, VK_ADD, VK_SUBTRACT, 'Q', VK_F5};
    for (UINT key : idle)
        w.Key(key);
    EXPECT_EQ(3, w.list.GetFocusItem());
    EXPECT_EQ(Rows{3}, w.list.Selected());
}

TEST(ListInput, TabAndEscapeArePostedToTheParent)
{
    ListWindow w;
    w.Focus();
    ListWindow::Drain(w.owner.m_hWnd);
    MSG msg{};
    w.Key(VK_TAB);
    ASSERT_TRUE(TakePosted(w.owner.m_hWnd, WM_NEXTDLGCTL, msg));
    EXPECT_EQ(0u, msg.wParam);
    w.Key(VK_TAB, true);
    ASSERT_TRUE(TakePosted(w.owner.m_hWnd, WM_NEXTDLGCTL, msg));
    EXPECT_EQ(1u, msg.wParam);
    w.Key(VK_ESCAPE);
    ASSERT_TRUE(TakePosted(w.owner.m_hWnd, WM_COMMAND, msg));
    EXPECT_EQ(WPARAM(IDCANCEL), msg.wParam);
    EXPECT_FALSE(TakePosted(w.owner.m_hWnd, WM_COMMAND, msg)) << "posted once";
    EXPECT_EQ(0, w.list.GetFocusItem()) << "neither key moves the focus";
}

TEST(ListInput, TypeAheadContinuesFromTheMatchAndSwallowsAfterAFailure)
{
    ListWindow w;
    w.Fill({L"Apple", L"banana", L"Blueberry", L"cherry", L"Cranberry", L"date"});
    w.Focus();
    w.Char(L'b');
    EXPECT_EQ(1, w.list.GetFocusItem());
    w.Char(L'L'); // within the timeout: "bl", searched from the matched row, any case
    EXPECT_EQ(2, w.list.GetFocusItem());
    w.Timer(SECListBaseC::kTimerTypeAhead); // the period brought a match: the text lives on
    w.Char(L'u');
    EXPECT_EQ(2, w.list.GetFocusItem());
    EXPECT_STREQ(L"bLu", w.list.TypeAheadText());
    w.Timer(SECListBaseC::kTimerTypeAhead);
    w.Timer(SECListBaseC::kTimerTypeAhead); // a quiet period ends the search
    EXPECT_EQ(0u, w.list.TypeAheadTimer());
    EXPECT_EQ(0u, w.list.TypeAheadFlags());

    // A first character searches from the row below the focus, wrapping round.
    w.Char(L'c');
    EXPECT_EQ(3, w.list.GetFocusItem());
    w.Timer(SECListBaseC::kTimerTypeAhead);
    w.Timer(SECListBaseC::kTimerTypeAhead);
    w.Char(L'c');
    EXPECT_EQ(4, w.list.GetFocusItem());
    w.Timer(SECListBaseC::kTimerTypeAhead);
    w.Timer(SECListBaseC::kTimerTypeAhead);
    w.Char(L'a');
    EXPECT_EQ(0, w.list.GetFocusItem());
    EXPECT_EQ(Rows{0}, w.list.Selected());
    w.Timer(SECListBaseC::kTimerTypeAhead);
    w.Timer(SECListBaseC::kTimerTypeAhead);

    // A failing character searches (and beeps) once; the following ones are
    // swallowed without a search as long as every period brings one.
    w.Char(L'x');
    EXPECT_TRUE(w.list.TypeAheadFlags() & SEC_TYPEAHEAD_FAILED);
    const int reads = w.list.cellTextCalls;
    w.Char(L'd');
    w.Timer(SECListBaseC::kTimerTypeAhead);
    w.Char(L'd');
    EXPECT_EQ(reads, w.list.cellTextCalls) << "swallowed characters must not search";
    EXPECT_EQ(0, w.list.GetFocusItem());
    w.Timer(SECListBaseC::kTimerTypeAhead);
    w.Timer(SECListBaseC::kTimerTypeAhead);
    EXPECT_EQ(0u, w.list.TypeAheadFlags());
    w.Char(L'd');
    EXPECT_EQ(5, w.list.GetFocusItem());
}

// ---------------------------------------------------------------------------
// Headings and dividers

TEST(ListInput, HeadingPressReleasedOverTheHeadingIsAColumnClick)
{
    ListWindow w;
    w.Focus();
    w.Down(w.Heading(1));
    EXPECT_EQ(1, w.list.PressedColumn());
    EXPECT_EQ(w.list.m_hWnd, ::GetCapture());
    EXPECT_EQ(0, w.owner.Count(LVN_COLUMNCLICK));
    w.Up(w.Heading(1));
    ASSERT_EQ(1, w.owner.Count(LVN_COLUMNCLICK)) << w.owner.Listing();
    EXPECT_EQ(1, w.owner.messages[0].subItem);
    EXPECT_EQ(-1, w.owner.messages[0].item);
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_EQ(-1, w.list.PressedColumn());

    // Leaving the header band with the button down gives the press up.
    w.owner.Clear();
    w.Down(w.Heading(0));
    w.Move(w.Label(3), MK_LBUTTON);
    EXPECT_EQ(nullptr, ::GetCapture());
    w.Up(w.Label(3));
    EXPECT_EQ(0, w.owner.Count(LVN_COLUMNCLICK));

    // Without the reorder style a press dragged to another heading stays a
    // click of the pressed one.
    w.owner.Clear();
    w.Down(w.Heading(1));
    w.Move(w.Heading(0), MK_LBUTTON);
    EXPECT_EQ(1, w.list.PressedColumn());
    w.Up(w.Heading(0));
    ASSERT_EQ(1, w.owner.Count(LVN_COLUMNCLICK));
    EXPECT_EQ(1, w.Last(LVN_COLUMNCLICK).subItem);

    // Headings that are not buttons are not pressed at all.
    w.list.ModifyListStyle(0, LVS_NOSORTHEADER);
    w.owner.Clear();
    w.Click(w.Heading(1));
    EXPECT_EQ(0, w.owner.Count(LVN_COLUMNCLICK));
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST(ListInput, DraggingAHeadingTwoPixelsMovesTheColumnInsteadOfClicking)
{
    ListWindow w(LVS_REPORT | LVS_NOLABELWRAP, 3, {80, 80, 80});
    w.list.SetListStyleEx(SEC_LVSX_REORDER_COLUMNS);
    w.Focus();
    const CPoint start = w.Heading(2);
    w.Down(start);
    w.Move(CPoint(start.x - 1, start.y), MK_LBUTTON);
    EXPECT_FALSE(w.list.HeadingDrag());
    w.Move(CPoint(start.x - 2, start.y), MK_LBUTTON);
    EXPECT_TRUE(w.list.HeadingDrag());
    EXPECT_EQ(w.list.m_hWnd, ::GetCapture());
    const CPoint target(w.list.GetColumnLeft(1) + 10, 8); // left half of column 1: insert before it
    w.Move(target, MK_LBUTTON);
    w.Up(target);
    EXPECT_FALSE(w.list.HeadingDrag());
    EXPECT_FALSE(w.list.DragImageAlive());
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_STREQ(L"col 2", w.list.GetColumnHeading(1));
    EXPECT_STREQ(L"col 1", w.list.GetColumnHeading(2));
    EXPECT_EQ(0, w.owner.Count(LVN_COLUMNCLICK)) << w.owner.Listing();
    EXPECT_TRUE(ModelIsConsistent(w.list));

    // Released below the feedback zone: the last drop position shown still counts.
    const CPoint back = w.Heading(2);
    w.Down(back);
    w.Move(CPoint(back.x - 2, 8), MK_LBUTTON);
    w.Move(CPoint(w.list.GetColumnLeft(1) + 5, 8), MK_LBUTTON);
    w.Move(CPoint(w.list.GetColumnLeft(1) + 5, 150), MK_LBUTTON);
    EXPECT_TRUE(w.list.HeadingDrag()) << "leaving the header band does not end a heading drag";
    w.Up(CPoint(w.list.GetColumnLeft(1) + 5, 150));
    EXPECT_STREQ(L"col 1", w.list.GetColumnHeading(1));
    EXPECT_STREQ(L"col 2", w.list.GetColumnHeading(2));

    // Dropped where it stands: nothing moves.
    w.Down(w.Heading(1));
    w.Move(CPoint(w.Heading(1).x + 5, 8), MK_LBUTTON);
    w.Up(CPoint(w.Heading(1).x + 5, 8));
    EXPECT_STREQ(L"col 1", w.list.GetColumnHeading(1));

    // The main column never drags: its press stays a click.
    w.owner.Clear();
    w.Down(w.Heading(0));
    w.Move(CPoint(w.Heading(0).x + 30, 8), MK_LBUTTON);
    EXPECT_FALSE(w.list.HeadingDrag());
    w.Up(CPoint(w.Heading(0).x + 30, 8));
    EXPECT_STREQ(L"col 0", w.list.GetColumnHeading(0));
    EXPECT_EQ(1, w.owner.Count(LVN_COLUMNCLICK));
}

TEST(ListInput, DividerLoopFollowsTheMouseAndStopsTenPixelsRightOfTheColumn)
{
    ListWindow w;
    w.Focus();
    const int left = w.list.GetColumnLeft(1);
    const CPoint divider = w.Divider(1);
    w.list.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(left + 40, 8));
    w.list.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-30, 8));
    w.list.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(-30, 8));
    w.Down(divider);
    EXPECT_EQ(10, w.list.GetColumnWidth(1));
    EXPECT_EQ(100, w.list.GetColumnWidth(0));
    EXPECT_EQ(nullptr, ::GetCapture());

    w.list.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(w.Divider(1).x + 55, 8));
    w.Down(w.Divider(1));
    EXPECT_EQ(65, w.list.GetColumnWidth(1));
    EXPECT_EQ(0, w.owner.Count(NM_CLICK)) << "the loop eats the release";
}

TEST(ListInput, DividerLoopCancelsOnEscapeOrRightButtonAndEndsWhenCaptureIsLost)
{
    ListWindow w;
    w.Focus();
    const int width = w.list.GetColumnWidth(1);
    w.list.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(w.Divider(1).x + 40, 8));
    w.list.PostMessage(WM_KEYDOWN, VK_ESCAPE, 1);
    w.Down(w.Divider(1));
    EXPECT_EQ(width, w.list.GetColumnWidth(1));

    w.list.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(w.Divider(1).x + 40, 8));
    w.list.PostMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(w.Divider(1).x + 40, 8));
    w.Down(w.Divider(1));
    EXPECT_EQ(width, w.list.GetColumnWidth(1));
    EXPECT_EQ(nullptr, ::GetCapture());

    // Losing the capture keeps the last position the loop saw.
    w.list.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(w.Divider(1).x - 30, 8));
    w.list.PostMessage(WM_CANCELMODE, 0, 0);
    w.Down(w.Divider(1));
    EXPECT_EQ(width - 30, w.list.GetColumnWidth(1));
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST(ListInput, DividerIsNotTrackedWhileAnotherWindowHoldsTheCaptureOrForTheLastFilledColumn)
{
    ListWindow w;
    w.Focus();
    const int width = w.list.GetColumnWidth(0);
    ::SetCapture(w.owner.m_hWnd);
    w.Down(w.Divider(0)); // nothing posted: a loop here would never end
    EXPECT_EQ(width, w.list.GetColumnWidth(0));
    EXPECT_EQ(w.owner.m_hWnd, ::GetCapture());
    ::ReleaseCapture();

    w.list.ModifyListStyleEx(0, SEC_LVSX_FITCOLUMNS);
    const int last = w.list.GetColumnWidth(1);
    w.list.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(10, 8)); // would end a loop that must not start
    w.Down(w.Divider(1));
    w.Up(w.Divider(1));
    EXPECT_EQ(last, w.list.GetColumnWidth(1));
    ListWindow::Drain(w.list.m_hWnd);
}

TEST(ListInput, DividerOfAFilledListGivesTheWidthToTheNextColumn)
{
    ListWindow w(LVS_REPORT | LVS_NOLABELWRAP, 3, {100, 80, 80});
    w.list.ModifyListStyleEx(0, SEC_LVSX_FITCOLUMNS);
    CRect inside;
    w.list.GetInsideRect(inside);
    const int first = w.list.GetColumnWidth(1);
    const int second = w.list.GetColumnWidth(2);
    w.list.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(w.Divider(1).x + 20, 8));
    w.Down(w.Divider(1));
    EXPECT_EQ(first + 20, w.list.GetColumnWidth(1));
    EXPECT_EQ(second - 20, w.list.GetColumnWidth(2));
    EXPECT_EQ(inside.Width(),
              w.list.GetColumnWidth(0) + w.list.GetColumnWidth(1) + w.list.GetColumnWidth(2));

    // Pushed past the next column: it keeps 5 pixels and the main column pays.
    w.list.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(inside.right + 30, 8));
    w.Down(w.Divider(1));
    EXPECT_EQ(5, w.list.GetColumnWidth(2));
    EXPECT_EQ(inside.Width(),
              w.list.GetColumnWidth(0) + w.list.GetColumnWidth(1) + w.list.GetColumnWidth(2));
}

// ---------------------------------------------------------------------------
// Row drags and auto-scroll

TEST(ListInput, RowDragStartsAfterFourPixelsWithTheFocusRowAndThePressPoint)
{
    ListWindow w;
    w.Focus();
    const CPoint press = w.Label(3);
    w.Down(press);
    w.Move(CPoint(press.x + 3, press.y), MK_LBUTTON);
    w.Move(CPoint(press.x, press.y - 3), MK_LBUTTON);
    EXPECT_TRUE(w.list.dragRows.empty());
    w.Move(CPoint(press.x + 4, press.y), MK_LBUTTON);
    ASSERT_EQ(std::vector<int>{3}, w.list.dragRows);
    EXPECT_EQ(press, w.list.dragPoints[0]);
    EXPECT_TRUE(w.list.RowDrag());
    w.Move(CPoint(press.x + 40, press.y + 30), MK_LBUTTON);
    EXPECT_EQ(1u, w.list.dragRows.size()) << "one drag per press";
    w.Up(CPoint(press.x + 40, press.y + 30));
    EXPECT_FALSE(w.list.RowDrag());
    EXPECT_EQ(0, w.owner.Count(NM_CLICK)) << "the release ends the drag, it is no click";

    // Without a button held, moving is no drag.
    w.Down(press);
    w.Move(CPoint(press.x + 10, press.y), 0);
    EXPECT_EQ(1u, w.list.dragRows.size());
    w.Up(press);

    // The right button starts a right drag, and its release is no right click.
    w.owner.Clear();
    w.Send(WM_RBUTTONDOWN, MK_RBUTTON, press);
    w.Move(CPoint(press.x, press.y + 5), MK_RBUTTON);
    EXPECT_EQ(1, w.list.rightDrags);
    w.Send(WM_RBUTTONUP, 0, CPoint(press.x, press.y + 5));
    EXPECT_EQ(0, w.owner.Count(NM_RCLICK));
}

TEST(ListInput, AutoScrollTimerScrollsAtTheEdgesOfARowDrag)
{
    ListWindow w(LVS_REPORT | LVS_NOLABELWRAP, 60);
    w.Focus();
    w.list.SetTopIndex(10);
    ASSERT_EQ(10, w.list.GetTopIndex());
    auto cursorOver = [&](int row) {
        CPoint point = w.Label(row);
        ::ClientToScreen(w.list.m_hWnd, &point);
        ::SetCursorPos(point.x, point.y);
    };
    // Not dragging: the timer does nothing.
    cursorOver(10);
    w.Timer(SECListBaseC::kTimerAutoScroll);
    EXPECT_EQ(10, w.list.GetTopIndex());

    const CPoint press = w.Label(12);
    w.Down(press);
    w.Move(CPoint(press.x, press.y + 6), MK_LBUTTON);
    ASSERT_TRUE(w.list.RowDrag());
    w.list.SetDropHilightItem(13);
    w.Timer(SECListBaseC::kTimerAutoScroll); // the cursor is over the top row
    EXPECT_EQ(9, w.list.GetTopIndex());
    EXPECT_EQ(-1, w.list.GetDropHilightItem());

    cursorOver(w.list.GetBottomIndex());
    w.Timer(SECListBaseC::kTimerAutoScroll);
    EXPECT_EQ(10, w.list.GetTopIndex());
    cursorOver(w.list.GetTopIndex() + 3); // the middle does not scroll
    w.Timer(SECListBaseC::kTimerAutoScroll);
    EXPECT_EQ(10, w.list.GetTopIndex());
    w.Up(press);

    w.list.StartAutoScrollTimer(60000);
    w.list.StopAutoScrollTimer();
    EXPECT_FALSE(::KillTimer(w.list.m_hWnd, SECListBaseC::kTimerAutoScroll)) << "the timer must be gone";
}

// ---------------------------------------------------------------------------
// The pending edit

TEST(ListInput, SecondClickOnTheSelectedFocusLabelOpensTheEditorAfterTheDelay)
{
    ListWindow w(LVS_REPORT | LVS_NOLABELWRAP | LVS_EDITLABELS);
    w.Focus();
    w.Click(w.Label(2)); // selects the row: no edit yet
    EXPECT_EQ(0u, w.list.PendingEditTimer());
    w.Click(w.Label(2));
    EXPECT_NE(0u, w.list.PendingEditTimer());
    EXPECT_EQ(0, w.owner.Count(LVN_BEGINLABELEDITW));
    w.Timer(SECListBaseC::kTimerPendingEdit);
    EXPECT_EQ(0u, w.list.PendingEditTimer());
    ASSERT_EQ(1, w.owner.Count(LVN_BEGINLABELEDITW)) << w.owner.Listing();
    EXPECT_EQ(2, w.list.GetEditItem());
    ASSERT_NE(nullptr, w.Editor());
    EXPECT_TRUE(::IsWindowVisible(w.Editor()));
    EXPECT_EQ(w.Editor(), ::GetFocus());
    w.list.EndLabelEdit(FALSE);

    // A further click while the delay runs takes the pending edit back.
    w.Click(w.Label(2));
    ASSERT_NE(0u, w.list.PendingEditTimer());
    w.Click(w.Label(2));
    EXPECT_EQ(0u, w.list.PendingEditTimer());
}

TEST(ListInput, DoubleClickCancelsThePendingEdit)
{
    ListWindow w(LVS_REPORT | LVS_NOLABELWRAP | LVS_EDITLABELS);
    w.Focus();
    w.Click(w.Label(2));
    w.Click(w.Label(2));
    ASSERT_NE(0u, w.list.PendingEditTimer());
    w.Send(WM_LBUTTONDBLCLK, MK_LBUTTON, w.Label(2));
    w.Up(w.Label(2));
    EXPECT_EQ(0u, w.list.PendingEditTimer());
    EXPECT_FALSE(::KillTimer(w.list.m_hWnd, SECListBaseC::kTimerPendingEdit));
    w.Timer(SECListBaseC::kTimerPendingEdit); // a late tick opens nothing
    EXPECT_EQ(0, w.owner.Count(LVN_BEGINLABELEDITW));
    EXPECT_EQ(nullptr, w.Editor());
}

TEST(ListInput, PendingEditNeedsTheLabelTheStyleAndADelay)
{
    ListWindow w(LVS_REPORT | LVS_NOLABELWRAP | LVS_EDITLABELS);
    w.Focus();
    w.Click(w.Label(2));
    w.Click(CPoint(95, w.Label(2).y)); // right of the label
    EXPECT_EQ(0u, w.list.PendingEditTimer());
    w.Click(w.Label(2, 1)); // the second column, no full-row selection
    EXPECT_EQ(0u, w.list.PendingEditTimer());

    w.list.SetPendingEditDelay(0);
    w.Click(w.Label(2));
    EXPECT_EQ(0u, w.list.PendingEditTimer());

    w.list.SetPendingEditDelay(60000);
    w.list.ModifyListStyle(LVS_EDITLABELS, 0);
    w.Click(w.Label(2));
    EXPECT_EQ(0u, w.list.PendingEditTimer());
    EXPECT_EQ(-1, w.list.PendingEditRow());
    w.Timer(SECListBaseC::kTimerPendingEdit);
    EXPECT_EQ(nullptr, w.Editor());

    // The focus moved away before the tick: no editor either.
    w.list.ModifyListStyle(0, LVS_EDITLABELS);
    w.Click(w.Label(2));
    ASSERT_NE(0u, w.list.PendingEditTimer());
    w.Key(VK_DOWN);
    w.Timer(SECListBaseC::kTimerPendingEdit);
    EXPECT_EQ(nullptr, w.Editor());
    EXPECT_EQ(0, w.owner.Count(LVN_BEGINLABELEDITW));
}

TEST(ListInput, FullRowSelectionArmsThePendingEditInLaterColumns)
{
    ListWindow w(LVS_REPORT | LVS_NOLABELWRAP | LVS_EDITLABELS);
    w.list.ModifyListStyleEx(0, SEC_LVSX_FULLROWSELECT);
    SetCell(w.list, 4, 1, L"cell");
    w.Focus();
    const CPoint point(150, w.Label(4).y);
    w.Click(point);
    w.Click(point);
    ASSERT_NE(0u, w.list.PendingEditTimer());
    w.Timer(SECListBaseC::kTimerPendingEdit);
    ASSERT_EQ(1, w.owner.Count(LVN_BEGINLABELEDITW));
    EXPECT_EQ(1, w.owner.messages.back().subItem);
    CString text;
    w.list.GetEditControl()->GetWindowText(text);
    EXPECT_STREQ(L"cell", text);
    w.list.EndLabelEdit(FALSE);
}

// Mouse, keyboard and timer input of the list, driven by real messages sent to a
// real window: selection steps with their modifiers, paging, type-ahead,
// heading presses and drags, the divider loop, row drags, the pending edit and
// what the list posts to its parent.
#include <gtest/gtest.h>
#include "ListWindow.h"

namespace {
using Rows = std::vector<int>;
const int kAnyRow = -2; // focus not compared

Rows Range(int first, int last)
{
    Rows rows;
    for (int r = first; r <= last; ++r)
        rows.push_back(r);
    return rows;
}

enum Act { kClick, kDown, kUp, kKey };
struct Step
{
    Act act;       // what the user does
    int arg;       // the row it is done on, or the virtual key
    UINT mods;     // MK_SHIFT and MK_CONTROL held
    Rows selected; // the selection after the step
    int focus;     // the focus row after the step
};

void RunSteps(ListWindow& w, const std::vector<Step>& steps)
{
    for (size_t i = 0; i < steps.size(); ++i) {
        const Step& s = steps[i];
        if (s.act == kKey)
            w.Key(static_cast<UINT>(s.arg), (s.mods & MK_SHIFT) != 0, (s.mods & MK_CONTROL) != 0);
        else if (s.act == kClick)
            w.Click(w.Label(s.arg), s.mods);
        else
            w.Send(s.act == kDown ? WM_LBUTTONDOWN : WM_LBUTTONUP, s.mods | (s.act == kDown ? MK_LBUTTON : 0),
                   w.Label(s.arg));
        EXPECT_EQ(s.selected, w.list.Selected()) << "step " << i + 1;
        EXPECT_TRUE(s.focus == kAnyRow || s.focus == w.list.GetFocusItem())
            << "step " << i + 1 << ": focus " << w.list.GetFocusItem() << ", expected " << s.focus;
    }
    EXPECT_TRUE(ModelIsConsistent(w.list));
}
} // namespace

TEST(ListInput, SelectionStepsByMouseAndKeyboard)
{
    const UINT shift = MK_SHIFT;
    const UINT ctrl = MK_CONTROL;
    ListWindow w;
    RunSteps(w, {// A press in a multiple selection keeps it; the release collapses it.
                 {kClick, 1, 0, {1}, 1}, {kClick, 4, shift, Range(1, 4), 4},
                 {kDown, 3, 0, Range(1, 4), kAnyRow}, {kUp, 3, 0, {3}, 3},
                 // Shift selects exactly from the anchor, on either side, and keeps it.
                 {kClick, 2, 0, {2}, 2}, {kClick, 5, shift, Range(2, 5), 5}, {kClick, 0, shift, Range(0, 2), 0},
                 {kKey, VK_DOWN, shift, Range(1, 2), 1}, {kKey, VK_END, shift, Range(2, 9), 9},
                 // Control toggles on the release, not on the press.
                 {kClick, 2, 0, {2}, 2}, {kDown, 5, ctrl, {2}, kAnyRow}, {kUp, 5, ctrl, {2, 5}, 5},
                 {kDown, 2, ctrl, {2, 5}, kAnyRow}, {kUp, 2, ctrl, {5}, 2},
                 // Control-arrows move only the focus; control-space toggles; space selects alone.
                 {kClick, 2, 0, {2}, 2}, {kKey, VK_DOWN, ctrl, {2}, 3}, {kKey, VK_DOWN, ctrl, {2}, 4},
                 {kKey, VK_SPACE, ctrl, {2, 4}, 4}, {kKey, VK_SPACE, ctrl, {2}, 4}, {kKey, VK_SPACE, 0, {4}, 4},
                 // Control and shift together: neither kind of step.
                 {kKey, VK_DOWN, ctrl | shift, {4}, 4}, {kClick, 7, ctrl | shift, {4}, 4}});
    ListWindow single(kReport | LVS_SINGLESEL); // modifiers change nothing; control-space does not deselect
    RunSteps(single, {{kClick, 2, 0, {2}, 2}, {kClick, 5, ctrl, {5}, 5}, {kClick, 7, shift, {7}, 7},
                      {kKey, VK_DOWN, ctrl, {8}, 8}, {kKey, VK_UP, shift, {7}, 7}, {kKey, VK_SPACE, ctrl, {7}, 7}});
    ListWindow few(kReport, 5); // paging without a vertical bar: like Home and End
    RunSteps(few, {{kClick, 1, 0, {1}, 1}, {kKey, VK_NEXT, 0, {4}, 4}, {kKey, VK_PRIOR, 0, {0}, 0},
                   {kKey, VK_PRIOR, shift, {0}, 0}, {kKey, VK_NEXT, shift, Range(0, 4), 4}});
}

// Rows without an image: the margin between the cell's left edge and the
// label counts as the row (its empty image rectangle lies at the cell's left).
TEST(ListInput, AClickLeftOfTheLabelOfARowWithoutImageSelectsIt)
{
    ListWindow w;
    const CRect label = w.Rect(3, 0, SECListBaseC::kCellLabel);
    const CRect cell = w.Rect(3, 0, SECListBaseC::kCellWhole);
    ASSERT_GT(label.left, cell.left + 1);
    const CPoint margin(cell.left + 1, label.CenterPoint().y);
    UINT flags = 0;
    ASSERT_EQ(3, w.list.HitTest(margin, &flags));
    ASSERT_TRUE(flags & SEC_LVHT_LEFTOFLABEL);
    w.Click(margin);
    EXPECT_EQ(std::vector<int>{3}, w.list.Selected());
    EXPECT_EQ(3, w.list.GetFocusItem());
}

TEST(ListInput, VetoBlocksTheStepAndLaterModifierStepsUntilAPlainStepAsksAgain)
{
    ListWindow w(kReport, 5);
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24, 1, 1));
    w.list.SetImageList(&images, SECListBaseC::kImageSmall);
    w.Click(w.Label(1));
    w.Click(CPoint(20, w.Inside().bottom - 3)); // below the last row
    w.Click(CPoint(95, w.Label(2).y));          // right of the short label, no full-row selection
    EXPECT_EQ(Rows{1}, w.list.Selected());
    w.list.veto = TRUE;
    const int asked = w.list.changingCalls;
    w.Click(w.Label(3));
    EXPECT_EQ(asked + 1, w.list.changingCalls);
    EXPECT_EQ(Rows{1}, w.list.Selected());
    EXPECT_EQ(1, w.list.GetFocusItem());
    // The hook now says yes, but modifier steps do not even ask it.
    w.list.veto = FALSE;
    w.Click(w.Label(4), MK_CONTROL);
    w.Click(w.Label(3), MK_SHIFT);
    w.Key(VK_DOWN, true);
    EXPECT_EQ(asked + 1, w.list.changingCalls);
    EXPECT_EQ(Rows{1}, w.list.Selected());
    w.Click(w.Label(2)); // a plain step asks again and clears the block
    EXPECT_EQ(asked + 2, w.list.changingCalls);
    w.Click(w.Label(4), MK_CONTROL);
    EXPECT_EQ((Rows{2, 4}), w.list.Selected());
    w.list.veto = TRUE; // by keyboard the same
    w.Key(VK_DOWN);
    EXPECT_EQ(4, w.list.GetFocusItem());

    // The image of the only selected row moves only the focus; even a vetoing
    // hook is not asked. Its label is an ordinary step and asks.
    w.list.veto = FALSE;
    w.Click(w.Label(1));
    w.Key(VK_DOWN, false, true);
    w.list.veto = TRUE;
    const int before = w.list.changingCalls;
    w.Click(w.Label(1, 0, SECListBaseC::kCellImage));
    EXPECT_EQ(1, w.list.GetFocusItem());
    EXPECT_EQ(before, w.list.changingCalls);
    w.Key(VK_DOWN, false, true);
    w.Click(w.Label(1));
    EXPECT_EQ(before + 1, w.list.changingCalls);
    EXPECT_EQ(Rows{1}, w.list.Selected());
}

TEST(ListInput, PageKeysMoveTheFocusToTheEdgeFirstThenScrollAndArrowsStopAtTheEnds)
{
    ListWindow w(kReport, 60);
    w.Focus();
    ASSERT_TRUE(w.list.IsVertScrollBarShown());
    auto state = [&] { return std::make_pair(w.list.GetFocusItem(), w.list.GetTopIndex()); };
    const int bottom = w.list.GetBottomIndex();
    w.Key(VK_NEXT);
    EXPECT_EQ(std::make_pair(bottom, 0), state()) << "to the edge of the page first";
    w.Key(VK_NEXT);
    const int top = w.list.GetTopIndex();
    EXPECT_EQ(std::make_pair(w.list.GetBottomIndex(), top), state()) << "then a page on";
    EXPECT_GT(top, 0);
    w.Key(VK_PRIOR);
    EXPECT_EQ(std::make_pair(top, top), state());
    w.Key(VK_PRIOR);
    EXPECT_EQ(std::make_pair(w.list.GetTopIndex(), w.list.GetTopIndex()), state());
    EXPECT_LT(w.list.GetTopIndex(), top);
    w.Key(VK_END);
    w.Key(VK_DOWN);
    EXPECT_TRUE(w.list.GetFocusItem() == 59 && w.list.GetBottomIndex() == 59);
    w.Key(VK_HOME);
    w.Key(VK_UP);
    w.Key(VK_DOWN, false, false, 0xFFFF); // a repeat count steps once
    EXPECT_EQ(Rows{1}, w.list.Selected());
    // Keys that only the tree uses, and keys nobody uses, change nothing.
    for (int key : {VK_LEFT, VK_RIGHT, VK_BACK, VK_MULTIPLY, VK_ADD, VK_SUBTRACT, int('Q'), VK_F5})
        w.Key(key);
    EXPECT_EQ(1, w.list.GetFocusItem());

    // Tab moves to the next or, with shift, the previous control of the parent.
    ListWindow::Drain(w.owner.m_hWnd);
    MSG msg{};
    for (bool shift : {false, true}) {
        w.Key(VK_TAB, shift);
        ASSERT_TRUE(::PeekMessageW(&msg, w.owner.m_hWnd, WM_NEXTDLGCTL, WM_NEXTDLGCTL, PM_REMOVE));
        EXPECT_EQ(WPARAM(shift), msg.wParam);
    }
    EXPECT_EQ(1, w.list.GetFocusItem());
}

TEST(ListInput, TypeAheadContinuesFromTheMatchAndSwallowsAfterAFailure)
{
    ListWindow w(kReport, 0);
    for (LPCWSTR text : {L"Apple", L"banana", L"Blueberry", L"cherry", L"Cranberry", L"date"})
        w.Add(1, text);
    w.Focus();
    auto tick = [&](int periods) {
        while (periods-- > 0)
            w.Timer(SECListBaseC::kTimerTypeAhead);
    };
    w.Char(L'b');
    EXPECT_EQ(1, w.list.GetFocusItem());
    w.Char(L'L'); // within the timeout: "bl", searched from the matched row, any case
    EXPECT_EQ(2, w.list.GetFocusItem());
    tick(1); // the period brought a match: the text lives on
    w.Char(L'u');
    EXPECT_STREQ(L"bLu", w.list.TypeAheadText());
    tick(2); // a quiet period ends the search
    EXPECT_EQ(0u, w.list.TypeAheadFlags());
    // A first character searches from the row below the focus, wrapping round.
    for (int row : {3, 4, 0}) {
        w.Char(row ? L'c' : L'a');
        EXPECT_EQ(row, w.list.GetFocusItem());
        tick(2);
    }
    EXPECT_EQ(Rows{0}, w.list.Selected());

    // A failing character searches (and beeps) once; the following ones are
    // swallowed without a search as long as every period brings one.
    w.Char(L'x');
    EXPECT_TRUE(w.list.TypeAheadFlags() & SEC_TYPEAHEAD_FAILED);
    const int reads = w.list.cellTextCalls;
    w.Char(L'd');
    tick(1);
    w.Char(L'd');
    EXPECT_EQ(reads, w.list.cellTextCalls) << "swallowed characters must not search";
    tick(2);
    w.Char(L'd');
    EXPECT_EQ(5, w.list.GetFocusItem());
}

TEST(ListInput, HeadingPressIsAClickOfThePressedHeadingAndWithReorderingADrag)
{
    ListWindow w(kReport, 3, {80, 80, 80});
    w.Focus();
    w.Down(w.Heading(1));
    EXPECT_EQ(1, w.list.PressedColumn());
    EXPECT_EQ(w.list.m_hWnd, ::GetCapture());
    w.Move(w.Heading(2)); // without the reorder style: still a click of the pressed one
    w.Up(w.Heading(2));
    EXPECT_EQ(1, w.Last(LVN_COLUMNCLICK).subItem);
    EXPECT_TRUE(::GetCapture() == nullptr && w.list.PressedColumn() == -1);
    w.Down(w.Heading(0));
    w.Move(w.Label(2)); // leaving the header band gives the press up
    EXPECT_EQ(nullptr, ::GetCapture());
    w.Up(w.Label(2));
    EXPECT_EQ(1, w.owner.Count(LVN_COLUMNCLICK));

    // Dragged two pixels with the reorder style, the heading moves its column.
    w.list.SetListStyleEx(SEC_LVSX_REORDER_COLUMNS);
    w.Down(w.Heading(2));
    w.Move(w.Heading(2) - CSize(1, 0));
    EXPECT_FALSE(w.list.HeadingDrag());
    w.Move(w.Heading(2) - CSize(2, 0));
    EXPECT_TRUE(w.list.HeadingDrag());
    // Left half of column 1: insert before it; leaving the band below does not
    // end the drag, and the last drop position shown counts.
    const CPoint target(w.list.GetColumnLeft(1) + 10, 8);
    w.Move(target);
    w.Move(target + CSize(0, 150));
    EXPECT_TRUE(w.list.HeadingDrag());
    w.Up(target + CSize(0, 150));
    EXPECT_FALSE(w.list.HeadingDrag() || w.list.DragImageAlive() || ::GetCapture() != nullptr);
    EXPECT_STREQ(L"col 2", w.list.GetColumnHeading(1));
    EXPECT_STREQ(L"col 1", w.list.GetColumnHeading(2));
    EXPECT_EQ(1, w.owner.Count(LVN_COLUMNCLICK)) << w.owner.Listing();
    // The main column never drags: its press stays a click.
    w.Down(w.Heading(0));
    w.Move(w.Heading(0) + CSize(30, 0));
    EXPECT_FALSE(w.list.HeadingDrag());
    w.Up(w.Heading(0) + CSize(30, 0));
    EXPECT_EQ(2, w.owner.Count(LVN_COLUMNCLICK));
    // Headings that are no buttons are not pressed at all.
    w.list.ModifyListStyle(0, LVS_NOSORTHEADER);
    w.Click(w.Heading(1));
    EXPECT_EQ(2, w.owner.Count(LVN_COLUMNCLICK));
    EXPECT_TRUE(ModelIsConsistent(w.list));
}

// The divider loop is modal: the messages that drive it are posted before the
// press that starts it.
TEST(ListInput, DividerLoopFollowsTheMouseUntilReleaseEscapeRightButtonOrCaptureLoss)
{
    // How the loop ends; x of a move from the divider; the message that ends the
    // loop, its wParam and x; the width of column 1 (80) afterwards.
    const struct { const char* name; int moveTo; UINT end; WPARAM wParam; int endAt; int width; } cases[] = {
        {"move and release", 40, WM_LBUTTONUP, 0, 55, 135},
        {"released far left: ten pixels stay", -200, WM_LBUTTONUP, 0, -200, 10},
        {"escape", 40, WM_KEYDOWN, VK_ESCAPE, 0, 80},
        {"right button", 40, WM_RBUTTONDOWN, MK_RBUTTON, 40, 80},
        {"capture lost: the last position counts", -30, WM_CANCELMODE, 0, 0, 50},
    };
    for (const auto& c : cases) {
        ListWindow w;
        w.Focus();
        w.Post(WM_MOUSEMOVE, MK_LBUTTON, w.Divider(1).x + c.moveTo);
        w.Post(c.end, c.wParam, w.Divider(1).x + c.endAt);
        w.Down(w.Divider(1));
        EXPECT_EQ(c.width, w.list.GetColumnWidth(1)) << c.name;
        EXPECT_EQ(100, w.list.GetColumnWidth(0)) << c.name;
        EXPECT_EQ(nullptr, ::GetCapture()) << c.name;
        EXPECT_EQ(0, w.owner.Count(NM_CLICK)) << "the loop eats the release";
    }
}

TEST(ListInput, DividerIsNotTrackedUnderAForeignCaptureAndOfAFilledListMovesWidthToTheNext)
{
    ListWindow w(kReport, 3, {100, 80, 80});
    w.Focus();
    ::SetCapture(w.owner.m_hWnd);
    w.Down(w.Divider(0)); // nothing posted: a loop here would never end
    EXPECT_EQ(100, w.list.GetColumnWidth(0));
    EXPECT_EQ(w.owner.m_hWnd, ::GetCapture());
    ::ReleaseCapture();

    w.list.ModifyListStyleEx(0, SEC_LVSX_FITCOLUMNS);
    const CRect inside = w.Inside();
    auto total = [&] { return w.list.GetColumnWidth(0) + w.list.GetColumnWidth(1) + w.list.GetColumnWidth(2); };
    const int last = w.list.GetColumnWidth(2);
    w.Post(WM_LBUTTONUP, 0, 10); // would end a loop that must not start
    w.Click(w.Divider(2));
    EXPECT_EQ(last, w.list.GetColumnWidth(2)) << "the last filled column has no divider";
    ListWindow::Drain(w.list.m_hWnd);
    const int first = w.list.GetColumnWidth(1);
    w.Post(WM_LBUTTONUP, 0, w.Divider(1).x + 20);
    w.Down(w.Divider(1));
    EXPECT_EQ(first + 20, w.list.GetColumnWidth(1));
    EXPECT_EQ(last - 20, w.list.GetColumnWidth(2));
    EXPECT_EQ(inside.Width(), total());
    w.Post(WM_LBUTTONUP, 0, inside.right + 30); // past the next column: it keeps 5 pixels, the main column pays
    w.Down(w.Divider(1));
    EXPECT_EQ(5, w.list.GetColumnWidth(2));
    EXPECT_EQ(inside.Width(), total());
}

TEST(ListInput, RowDragStartsAfterFourPixelsAndAutoScrollsAtTheEdges)
{
    ListWindow w(kReport, 60);
    w.Focus();
    const CPoint press = w.Label(3);
    w.Down(press);
    w.Move(press + CSize(3, 0));
    w.Move(press + CSize(0, -3));
    EXPECT_TRUE(w.list.dragRows.empty());
    w.Move(press + CSize(4, 0));
    ASSERT_EQ(Rows{3}, w.list.dragRows);
    EXPECT_EQ(press, w.list.dragPoint) << "the drag starts at the press";
    w.Move(press + CSize(40, 30));
    w.Up(press + CSize(40, 30));
    EXPECT_FALSE(w.list.RowDrag() || w.owner.Count(NM_CLICK) > 0) << "the release ends the drag, it is no click";
    w.Down(press);
    w.Move(press + CSize(10, 0), 0); // without a button held: no drag
    w.Up(press);
    EXPECT_EQ(1u, w.list.dragRows.size()) << "one drag per press";

    // The right button selects, starts a right drag, and its release is no right click.
    const CPoint right = w.Label(5);
    w.Send(WM_RBUTTONDOWN, MK_RBUTTON, right);
    EXPECT_EQ(5, w.list.GetFocusItem());
    w.Move(right + CSize(0, 5), MK_RBUTTON);
    w.Send(WM_RBUTTONUP, 0, right + CSize(0, 5));
    EXPECT_TRUE(w.list.rightDrags == 1 && w.owner.Count(NM_RCLICK) == 0);

    // The auto-scroll timer scrolls by a row while the cursor is over the top
    // or the bottom row of a row drag.
    w.list.SetTopIndex(10);
    auto tickOver = [&](int row) {
        CPoint point = w.Label(row);
        ::ClientToScreen(w.list.m_hWnd, &point);
        ::SetCursorPos(point.x, point.y);
        w.Timer(SECListBaseC::kTimerAutoScroll);
        return w.list.GetTopIndex();
    };
    EXPECT_EQ(10, tickOver(10)) << "not dragging: nothing";
    w.Down(w.Label(12));
    w.Move(w.Label(12) + CSize(0, 6));
    w.list.SetDropHilightItem(13);
    EXPECT_EQ(9, tickOver(10));
    EXPECT_EQ(-1, w.list.GetDropHilightItem()) << "the drop highlight is hidden while scrolling";
    EXPECT_EQ(10, tickOver(w.list.GetBottomIndex()));
    EXPECT_EQ(10, tickOver(13)) << "the middle does not scroll";
    w.Up(w.Label(12));
}

TEST(ListInput, SecondClickOnTheSelectedFocusLabelOpensTheEditorAfterTheDelay)
{
    ListWindow w(kReport | LVS_EDITLABELS);
    w.Focus();
    auto armed = [&](CPoint point) {
        w.Click(point);
        return w.list.PendingEditTimer() != 0;
    };
    EXPECT_FALSE(armed(w.Label(2))) << "the click selects the row: no edit yet";
    EXPECT_TRUE(armed(w.Label(2)) && w.Editor() == nullptr);
    w.Timer(SECListBaseC::kTimerPendingEdit);
    EXPECT_TRUE(w.list.PendingEditTimer() == 0 && w.list.GetEditItem() == 2 && ::IsWindowVisible(w.Editor()));
    w.list.EndLabelEdit(FALSE);

    // A further click or a double-click while the delay runs takes it back.
    EXPECT_TRUE(armed(w.Label(2)));
    EXPECT_FALSE(armed(w.Label(2)));
    EXPECT_TRUE(armed(w.Label(2)));
    w.Send(WM_LBUTTONDBLCLK, MK_LBUTTON, w.Label(2));
    w.Up(w.Label(2));
    EXPECT_FALSE(::KillTimer(w.list.m_hWnd, SECListBaseC::kTimerPendingEdit));
    w.Timer(SECListBaseC::kTimerPendingEdit); // a late tick opens nothing
    EXPECT_EQ(nullptr, w.Editor());

    EXPECT_FALSE(armed(CPoint(95, w.Label(2).y))) << "right of the label";
    EXPECT_FALSE(armed(w.Label(2, 1))) << "in a later column without full-row selection";
    w.list.SetPendingEditDelay(0);
    EXPECT_FALSE(armed(w.Label(2))) << "without a delay";
    w.list.SetPendingEditDelay(60000);
    w.list.ModifyListStyle(LVS_EDITLABELS, 0);
    EXPECT_FALSE(armed(w.Label(2))) << "without the style";
    w.list.ModifyListStyle(0, LVS_EDITLABELS);
    ASSERT_TRUE(armed(w.Label(2)));
    w.Key(VK_DOWN); // the focus moved away before the tick
    w.Timer(SECListBaseC::kTimerPendingEdit);
    EXPECT_EQ(nullptr, w.Editor());

    // With full-row selection later columns arm it too, for their own cell.
    w.list.ModifyListStyleEx(0, SEC_LVSX_FULLROWSELECT);
    SetCell(w.list, 4, 1, L"cell");
    w.Click(w.Label(4, 1));
    EXPECT_TRUE(armed(w.Label(4, 1)));
    w.Timer(SECListBaseC::kTimerPendingEdit);
    EXPECT_EQ(1, w.Last(LVN_BEGINLABELEDITW).subItem);
    CString text;
    w.list.GetEditControl()->GetWindowText(text);
    EXPECT_STREQ(L"cell", text);
    w.list.EndLabelEdit(FALSE);
}

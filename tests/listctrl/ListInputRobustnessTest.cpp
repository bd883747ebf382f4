// Input the list must survive: lost captures, owners and hooks that delete rows
// or destroy the list while they are told something, and long random sequences
// of mixed messages (stray releases and timer ticks among them) after which the
// model must still be consistent and nothing may be left captured or running.
#include <gtest/gtest.h>
#include <functional>
#include <random>
#include <string>
#include "ListWindow.h"
#include "support/RandomInput.h"

namespace {
const DWORD kFullStyle = kReport | LVS_EDITLABELS;

// Nothing captured, pressed, dragged or running once the buttons are up.
::testing::AssertionResult IsAtRest(TestList& list)
{
    if (list.m_hWnd != nullptr && ::GetCapture() == list.m_hWnd)
        return ::testing::AssertionFailure() << "the list keeps the mouse capture";
    if (list.PressedColumn() != -1)
        return ::testing::AssertionFailure() << "heading " << list.PressedColumn() << " stays pressed";
    if (list.HeadingDrag() || list.RowDrag())
        return ::testing::AssertionFailure() << "a drag is still running";
    if (list.DragImageAlive())
        return ::testing::AssertionFailure() << "the heading drag image was not freed";
    if (list.m_hWnd != nullptr) {
        for (UINT_PTR id : {UINT_PTR(SECListBaseC::kTimerAutoScroll), UINT_PTR(SECListBaseC::kTimerTypeAhead),
                            UINT_PTR(SECListBaseC::kTimerPendingEdit)}) {
            if (::KillTimer(list.m_hWnd, id))
                return ::testing::AssertionFailure() << "timer " << id << " still runs";
        }
    }
    return ::testing::AssertionSuccess();
}

} // namespace

TEST(ListInputRobustness, LostCapturesAndMissingReleasesEndHeadingPressesAndDrags)
{
    ListWindow w(kReport, 5, {80, 80, 80});
    w.list.SetListStyleEx(SEC_LVSX_REORDER_COLUMNS);
    w.Focus();
    // Another window takes the capture in the middle of a heading drag.
    const CPoint start = w.Heading(2);
    w.Down(start);
    w.Move(CPoint(start.x - 20, 8));
    ASSERT_TRUE(w.list.HeadingDrag());
    ::SetCapture(w.owner.m_hWnd);
    w.Up(CPoint(start.x - 20, 8));
    EXPECT_EQ(w.owner.m_hWnd, ::GetCapture()) << "the capture of another window is not the list's to release";
    ::ReleaseCapture();
    EXPECT_TRUE(IsAtRest(w.list));

    // A pressed heading whose release never came is let go by the next press.
    w.Down(w.Heading(0));
    ASSERT_EQ(w.list.m_hWnd, ::GetCapture());
    w.Click(w.Label(3));
    EXPECT_EQ(std::vector<int>{3}, w.list.Selected());
    EXPECT_TRUE(IsAtRest(w.list));
}

TEST(ListInputRobustness, OwnerOrHookDestroyingTheListOrDeletingRowsWhileToldIsSurvived)
{
    // What the owner answers with a destruction; the notification it destroys
    // the list in; the input that leads there.
    struct Case { const char* name; UINT code; std::function<void(ListWindow&)> input; };
    const std::vector<Case> cases = {
        {"focus taken by a click", UINT(NM_SETFOCUS), [](ListWindow& w) { w.Click(w.Label(2)); }},
        {"click", UINT(NM_CLICK), [](ListWindow& w) { w.Click(w.Label(2)); }},
        {"double-click", UINT(NM_DBLCLK), [](ListWindow& w) { w.Send(WM_LBUTTONDBLCLK, MK_LBUTTON, w.Label(2)); }},
        {"right click", UINT(NM_RCLICK), [](ListWindow& w) { w.RightClick(w.Label(2)); }},
        {"key", UINT(LVN_KEYDOWN), [](ListWindow& w) { w.Key(VK_DOWN); }},
        {"system key", UINT(LVN_KEYDOWN), [](ListWindow& w) { w.list.SendMessage(WM_SYSKEYDOWN, VK_F10, 1); }},
        {"enter", UINT(NM_RETURN), [](ListWindow& w) { w.Key(VK_RETURN); }},
        {"heading", UINT(LVN_COLUMNCLICK), [](ListWindow& w) { w.Click(w.Heading(0)); }},
        {"focus lost", UINT(NM_KILLFOCUS), [](ListWindow& w) { w.list.SetFocus(); ::SetFocus(w.owner.m_hWnd); }},
        {"pending edit", UINT(LVN_BEGINLABELEDITW),
         [](ListWindow& w) { w.Click(w.Label(0)); w.Timer(SECListBaseC::kTimerPendingEdit); }},
        {"edit ended by a click", UINT(LVN_ENDLABELEDITW), [](ListWindow& w) { w.Key(VK_F2); w.Click(w.Label(3)); }},
        {"edit ended by Enter", UINT(LVN_ENDLABELEDITW),
         [](ListWindow& w) { w.list.EditLabel(1, 0); w.EditKey(VK_RETURN); }},
        {"type-ahead reading an owner's text", UINT(LVN_GETDISPINFOW), [](ListWindow& w) { w.Char(L'x'); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ListWindow w(kFullStyle, 6, {100});
        HWND hList = w.list.m_hWnd;
        if (c.code != NM_SETFOCUS)
            w.list.SetFocus();
        w.list.SetItemText(4, 0, LPSTR_TEXTCALLBACKW); // the owner's: read by type-ahead
        w.owner.onNotify = [&](NMHDR* header, LRESULT&) {
            if (header->code == c.code && ::IsWindow(hList))
                w.list.DestroyWindow();
            return false;
        };
        c.input(w);
        EXPECT_FALSE(::IsWindow(hList) || ::GetCapture() == hList);
        EXPECT_TRUE(w.list.GetItemCount() == 0 && w.Editor() == nullptr && w.list.GetEditItem() == -1);
        EXPECT_TRUE(ModelIsConsistent(w.list));
        EXPECT_FALSE(c.code == LVN_BEGINLABELEDITW && w.owner.Count(LVN_ENDLABELEDITW) > 0)
            << "an edit that never began is not ended";
        // Messages that still arrive for the handle are no harm either.
        ::SendMessageW(hList, WM_LBUTTONUP, 0, 0);
        ::SendMessageW(hList, WM_TIMER, SECListBaseC::kTimerTypeAhead, 0);
    }

    // The selection hook deletes the rows beyond the clicked one, anchor
    // included, or destroys the list (the tree's owner can, through it).
    for (bool destroy : {false, true}) {
        ListWindow w(kFullStyle, 12);
        w.Focus();
        w.Click(w.Label(8));
        w.list.onChanging = [&]() { destroy ? w.list.DestroyWindow() : w.list.DeleteItem(5, 7); };
        w.Click(w.Label(2), MK_SHIFT);
        EXPECT_EQ(destroy ? 0 : 5, w.list.GetItemCount());
        EXPECT_TRUE(!destroy || (w.list.m_hWnd == nullptr && w.list.GetAnchorItem() == -1));
        EXPECT_TRUE(ModelIsConsistent(w.list));
    }
}

// Seeded random input from the shared user (support/RandomInput.h); after every
// step the model is consistent and an editor shown exactly while a row is
// edited; with a hook that vetoes every step the selection never changes. At
// the end nothing may be left running.
TEST(ListInputRobustness, RandomInputKeepsTheModelConsistentAndLeavesNothingRunning)
{
    const struct { unsigned seed; bool vetoAll; int steps; } runs[] = {{11u, false, 1500}, {12u, false, 1500},
                                                                       {21u, true, 1000}};
    for (const auto& r : runs) {
        SCOPED_TRACE("seed " + std::to_string(r.seed) + (r.vetoAll ? " (every step vetoed)" : ""));
        ListWindow w(kFullStyle, 30, {90, 70, 70});
        w.list.SetListStyleEx(SEC_LVSX_REORDER_COLUMNS | (r.seed % 2 ? SEC_LVSX_FULLROWSELECT : 0u));
        std::mt19937 random(r.seed);
        RandomInput user(random);
        w.list.veto = r.vetoAll ? TRUE : FALSE;
        if (!r.vetoAll) {
            // The owner changes the rows now and then while it is being told.
            w.owner.onNotify = [&](NMHDR* header, LRESULT& result) {
                const int count = w.list.GetItemCount();
                if (header->code != LVN_GETDISPINFOW && user.Chance(4)) {
                    if (count > 8 && user.Chance(50))
                        w.list.DeleteItem(user.Pick(count), 1 + user.Pick(3));
                    else if (count < 60)
                        w.list.InsertItem(user.Pick(count + 1), L"born");
                }
                if (header->code != LVN_BEGINLABELEDITW && header->code != LVN_ENDLABELEDITW)
                    return false;
                result = user.Chance(50) ? 1 : 0;
                return true;
            };
        }
        const std::vector<int> selectedBefore = w.list.Selected();
        std::string last;
        for (int i = 0; i < r.steps && ::IsWindow(w.list.m_hWnd); ++i) {
            last = user.Step(w.list);
            ASSERT_TRUE(ModelIsConsistent(w.list)) << "step " << i << " (" << last << ")";
            ASSERT_EQ(w.Editor() != nullptr, w.list.GetEditItem() >= 0) << "step " << i << " (" << last << ")";
            if (r.vetoAll) {
                ASSERT_EQ(selectedBefore, w.list.Selected()) << "step " << i << " (" << last << ")";
            }
        }
        // Ends whatever the mouse and the timers left open.
        w.Up(CPoint(5, 100));
        w.Send(WM_RBUTTONUP, 0, CPoint(5, 100));
        w.list.SendMessage(WM_CANCELMODE);
        w.Timer(SECListBaseC::kTimerTypeAhead);
        w.Timer(SECListBaseC::kTimerTypeAhead);
        w.Timer(SECListBaseC::kTimerPendingEdit);
        w.list.EndLabelEdit(FALSE);
        ListWindow::Drain(w.list.m_hWnd);
        ListWindow::Drain(w.owner.m_hWnd);
        EXPECT_TRUE(IsAtRest(w.list)) << "after " << last;
        ::ReleaseCapture(); // a capture the sequence gave the owner
    }
}

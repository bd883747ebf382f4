// Input the list must survive: releases without presses, stray timer ticks,
// lost captures, owners that delete rows or destroy the list while they are
// told something, and long random sequences of mixed messages after which the
// model must still be consistent and nothing may be left captured or running.
#include <gtest/gtest.h>
#include <functional>
#include <random>
#include "ListInputSupport.h"

namespace {
const DWORD kFullStyle = LVS_REPORT | LVS_NOLABELWRAP | LVS_EDITLABELS;

// Nothing captured, pressed, dragged or running once the buttons are up.
::testing::AssertionResult IsAtRest(InputList& list)
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

// Ends whatever the mouse and the timers left open.
void Settle(ListWindow& w)
{
    w.Up(CPoint(5, 100));
    w.Send(WM_RBUTTONUP, 0, CPoint(5, 100));
    w.list.SendMessage(WM_CANCELMODE);
    for (int i = 0; i < 2; ++i)
        w.Timer(SECListBaseC::kTimerTypeAhead);
    w.Timer(SECListBaseC::kTimerPendingEdit);
    w.list.EndLabelEdit(FALSE);
    ListWindow::Drain(w.list.m_hWnd);
    ListWindow::Drain(w.owner.m_hWnd);
}
} // namespace

TEST(ListInputRobustness, ReleasesWithoutPressesAndStrayTimerTicksChangeNothing)
{
    ListWindow w(kFullStyle);
    w.Focus();
    w.Up(w.Label(3));
    w.Up(w.Heading(1));
    w.Send(WM_RBUTTONUP, 0, w.Label(4));
    w.Send(WM_LBUTTONDBLCLK, MK_LBUTTON, w.Label(5));
    for (UINT_PTR id : {UINT_PTR(SECListBaseC::kTimerAutoScroll), UINT_PTR(SECListBaseC::kTimerTypeAhead),
                        UINT_PTR(SECListBaseC::kTimerPendingEdit), UINT_PTR(99)})
        w.Timer(id);
    EXPECT_EQ(std::vector<int>{0}, w.list.Selected());
    EXPECT_EQ(0, w.list.GetFocusItem());
    EXPECT_EQ(nullptr, w.Editor());
    EXPECT_EQ(0, w.owner.Count(LVN_COLUMNCLICK));
    EXPECT_EQ(0u, w.list.TypeAheadFlags());
    EXPECT_TRUE(IsAtRest(w.list));
}

TEST(ListInputRobustness, LostCapturesAndMissingReleasesEndHeadingPressesAndDrags)
{
    ListWindow w(LVS_REPORT | LVS_NOLABELWRAP, 5, {80, 80, 80});
    w.list.SetListStyleEx(SEC_LVSX_REORDER_COLUMNS);
    w.Focus();
    // Another window takes the capture in the middle of a heading drag.
    const CPoint start = w.Heading(2);
    w.Down(start);
    w.Move(CPoint(start.x - 20, 8), MK_LBUTTON);
    ASSERT_TRUE(w.list.HeadingDrag());
    ::SetCapture(w.owner.m_hWnd);
    w.Up(CPoint(start.x - 20, 8));
    EXPECT_EQ(w.owner.m_hWnd, ::GetCapture()) << "the capture of another window is not the list's to release";
    ::ReleaseCapture();
    EXPECT_TRUE(IsAtRest(w.list));

    // The system cancels the mode: the next press starts afresh.
    w.Down(w.Heading(1));
    w.Move(CPoint(w.Heading(1).x + 10, 8), MK_LBUTTON);
    ASSERT_TRUE(w.list.HeadingDrag());
    w.list.SendMessage(WM_CANCELMODE);
    EXPECT_NE(w.list.m_hWnd, ::GetCapture());
    w.Down(w.Label(2)); // the release of the drag never came
    EXPECT_FALSE(w.list.HeadingDrag());
    EXPECT_FALSE(w.list.DragImageAlive());
    w.Up(w.Label(2));
    EXPECT_TRUE(IsAtRest(w.list));

    // A pressed heading whose release never came is let go by the next press.
    w.Down(w.Heading(0));
    ASSERT_EQ(w.list.m_hWnd, ::GetCapture());
    w.Down(w.Label(3));
    EXPECT_EQ(-1, w.list.PressedColumn());
    EXPECT_NE(w.list.m_hWnd, ::GetCapture());
    w.Up(w.Label(3));
    EXPECT_EQ(std::vector<int>{3}, w.list.Selected());
    EXPECT_TRUE(IsAtRest(w.list));
    EXPECT_TRUE(ModelIsConsistent(w.list));
}

TEST(ListInputRobustness, OwnerDeletingRowsWhileBeingToldIsSurvived)
{
    ListWindow w(kFullStyle, 12);
    w.Focus();
    // Every click empties the list.
    w.owner.onNotify = [&](NMHDR* header, LRESULT&) {
        if (header->code == NM_CLICK)
            w.list.DeleteAllItems();
        return false;
    };
    w.Click(w.Label(3));
    EXPECT_EQ(0, w.list.GetItemCount());
    w.Key(VK_DOWN);
    w.Key(VK_END);
    w.Char(L'r');
    EXPECT_TRUE(ModelIsConsistent(w.list));

    // The focus row vanishes before the key is handled.
    for (int r = 0; r < 12; ++r)
        w.list.InsertItem(r, L"again");
    w.owner.onNotify = [&](NMHDR* header, LRESULT&) {
        if (header->code == LVN_KEYDOWN && w.list.GetItemCount() > 2)
            w.list.DeleteItem(w.list.GetFocusItem() >= 0 ? w.list.GetFocusItem() : 0, 3);
        return false;
    };
    for (UINT key : {VK_DOWN, VK_NEXT, VK_END, VK_UP, VK_PRIOR, VK_HOME, VK_SPACE, VK_F2})
        w.Key(key, true);
    EXPECT_TRUE(ModelIsConsistent(w.list));
    w.list.EndLabelEdit(FALSE);

    // The selection hook deletes the rows beyond the clicked one, anchor included.
    w.owner.onNotify = nullptr;
    w.list.DeleteAllItems();
    for (int r = 0; r < 12; ++r)
        w.list.InsertItem(r, L"row");
    w.Click(w.Label(8));
    w.list.onChanging = [&]() {
        if (w.list.GetItemCount() > 5)
            w.list.DeleteItem(5, 7);
    };
    w.Click(w.Label(2), MK_SHIFT);
    EXPECT_TRUE(ModelIsConsistent(w.list));
    EXPECT_EQ(5, w.list.GetItemCount());
}

TEST(ListInputRobustness, OwnerDestroyingTheListInsideANotificationIsSurvived)
{
    struct Case
    {
        const char* name;                        // what the owner answers with a destruction
        UINT code;                               // the notification it destroys the list in
        std::function<void(ListWindow&)> input;  // the input that leads there
        std::function<void(ListWindow&)> setup = nullptr; // done before the owner turns hostile
    };
    const std::vector<Case> cases = {
        {"focus taken by a click", UINT(NM_SETFOCUS), [](ListWindow& w) { w.Click(w.Label(2)); }},
        {"click", UINT(NM_CLICK), [](ListWindow& w) { w.Click(w.Label(2)); }},
        {"double-click", UINT(NM_DBLCLK),
         [](ListWindow& w) { w.Send(WM_LBUTTONDBLCLK, MK_LBUTTON, w.Label(2)); }},
        {"right click", UINT(NM_RCLICK),
         [](ListWindow& w) {
             w.Send(WM_RBUTTONDOWN, MK_RBUTTON, w.Label(2));
             w.Send(WM_RBUTTONUP, 0, w.Label(2));
         }},
        {"key", UINT(LVN_KEYDOWN), [](ListWindow& w) { w.Key(VK_DOWN); }},
        {"system key", UINT(LVN_KEYDOWN), [](ListWindow& w) { w.list.SendMessage(WM_SYSKEYDOWN, VK_F10, 1); }},
        {"enter", UINT(NM_RETURN), [](ListWindow& w) { w.Key(VK_RETURN); }},
        {"heading", UINT(LVN_COLUMNCLICK), [](ListWindow& w) { w.Click(w.Heading(0)); }},
        {"focus lost", UINT(NM_KILLFOCUS),
         [](ListWindow& w) {
             w.list.SetFocus();
             ::SetFocus(w.owner.m_hWnd);
         }},
        {"pending edit", UINT(LVN_BEGINLABELEDITW),
         [](ListWindow& w) {
             w.Click(w.Label(0));
             w.Timer(SECListBaseC::kTimerPendingEdit);
         }},
        {"edit ended by a click", UINT(LVN_ENDLABELEDITW),
         [](ListWindow& w) {
             w.Key(VK_F2);
             w.Click(w.Label(3));
         }},
        {"type-ahead reading an owner's text", UINT(LVN_GETDISPINFOW), [](ListWindow& w) { w.Char(L'x'); },
         [](ListWindow& w) { w.list.SetItemText(4, 0, LPSTR_TEXTCALLBACKW); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ListWindow w(kFullStyle, 6, {100});
        HWND hList = w.list.m_hWnd;
        if (c.code != NM_SETFOCUS)
            w.list.SetFocus();
        if (c.setup)
            c.setup(w);
        w.owner.onNotify = [&](NMHDR* header, LRESULT&) {
            if (header->code == c.code && ::IsWindow(hList))
                w.list.DestroyWindow();
            return false;
        };
        c.input(w);
        EXPECT_FALSE(::IsWindow(hList));
        EXPECT_NE(hList, ::GetCapture());
        EXPECT_TRUE(ModelIsConsistent(w.list));
        // Messages that still arrive for the handle are no harm either.
        ::SendMessageW(hList, WM_LBUTTONUP, 0, 0);
        ::SendMessageW(hList, WM_TIMER, SECListBaseC::kTimerTypeAhead, 0);
    }

    // The selection hook destroys the list (the tree's owner can, through it).
    ListWindow w(kFullStyle);
    w.Focus();
    w.list.onChanging = [&]() { w.list.DestroyWindow(); };
    w.Click(w.Label(4), MK_SHIFT);
    EXPECT_EQ(nullptr, w.list.m_hWnd);
    EXPECT_EQ(-1, w.list.AnchorRow());
    EXPECT_TRUE(ModelIsConsistent(w.list));
}

// ---------------------------------------------------------------------------
// Random sequences

namespace {
struct RandomRun
{
    std::mt19937 rng;          // the sequence's generator
    ListWindow& w;             // list and owner under test
    bool vetoAll;              // the hook refuses every step
    std::string lastAction;    // for failure messages

    RandomRun(unsigned seed, ListWindow& window, bool veto) : rng(seed), w(window), vetoAll(veto) {}

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    bool Chance(int percent) { return Pick(100) < percent; }
    // Anywhere around the list, and often in the header band, where presses
    // and drags of headings happen.
    CPoint AnyPoint() { return Chance(25) ? CPoint(Pick(320), Pick(22)) : CPoint(Pick(340) - 20, Pick(240) - 20); }
    UINT AnyKeys(UINT buttons)
    {
        UINT keys = 0;
        for (UINT bit : {UINT(MK_LBUTTON), UINT(MK_RBUTTON), UINT(MK_SHIFT), UINT(MK_CONTROL)}) {
            if ((buttons & bit) || ((bit == MK_SHIFT || bit == MK_CONTROL) && Chance(25)) ||
                (bit == MK_LBUTTON && Chance(35)) || (bit == MK_RBUTTON && Chance(10)))
                keys |= bit;
        }
        return keys;
    }

    // A press that lands on a divider runs the modal loop: give it its end first.
    void PressLeft(CPoint point, UINT message)
    {
        UINT flags = 0;
        w.list.HitTest(point, &flags);
        const bool divider = (flags & SEC_LVHT_ONDIVIDER) != 0;
        if (divider) {
            if (Chance(50))
                w.list.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(Pick(320), 8));
            const UINT ends[] = {WM_LBUTTONUP, WM_KEYDOWN, WM_RBUTTONDOWN, WM_CANCELMODE};
            const UINT end = ends[Pick(4)];
            w.list.PostMessage(end, end == WM_KEYDOWN ? VK_ESCAPE : 0, MAKELPARAM(Pick(320), 8));
        }
        w.Send(message, AnyKeys(MK_LBUTTON), point);
        if (divider)
            ListWindow::Drain(w.list.m_hWnd); // the loop may not have run
    }

    void Step()
    {
        const UINT keysOfTable[] = {VK_UP,    VK_DOWN, VK_SPACE,    VK_PRIOR, VK_NEXT,     VK_HOME,
                                    VK_END,   VK_RETURN, VK_F2,     VK_LEFT,  VK_RIGHT,    VK_BACK,
                                    VK_MULTIPLY, VK_TAB, VK_ESCAPE, VK_ADD,   VK_SUBTRACT, VK_OEM_PLUS};
        const CPoint point = AnyPoint();
        const int choice = Pick(16);
        switch (choice) {
        case 0:
        case 1:
            lastAction = "left press";
            PressLeft(point, WM_LBUTTONDOWN);
            break;
        case 2:
        case 3:
            lastAction = "left release";
            w.Send(WM_LBUTTONUP, AnyKeys(0), point);
            break;
        case 4:
            lastAction = "double-click";
            PressLeft(point, WM_LBUTTONDBLCLK);
            break;
        case 5:
        case 6:
        case 7:
            lastAction = "move";
            w.Send(WM_MOUSEMOVE, AnyKeys(0), point);
            break;
        case 8:
            // Inside the list: a right release elsewhere becomes a context menu of
            // the owner's frame, whose menu loop would wait for a real user.
            lastAction = Chance(50) ? "right press" : "right release";
            w.Send(lastAction == "right press" ? WM_RBUTTONDOWN : WM_RBUTTONUP, AnyKeys(0),
                   CPoint(Pick(300), Pick(200)));
            break;
        case 9:
        case 10: {
            lastAction = "key";
            SetModifierKeys(Chance(30), Chance(30));
            const UINT repeat = Chance(10) ? UINT(Pick(0x10000)) : 1u;
            w.list.SendMessage(WM_KEYDOWN, keysOfTable[Pick(sizeof(keysOfTable) / sizeof(keysOfTable[0]))], repeat);
            SetModifierKeys(false, false);
            break;
        }
        case 11:
            lastAction = "character";
            w.Char(static_cast<WCHAR>(Chance(80) ? L"abrow 12"[Pick(8)] : Pick(0x3000) + 1));
            break;
        case 12: {
            lastAction = "timer";
            const UINT_PTR ids[] = {SECListBaseC::kTimerAutoScroll, SECListBaseC::kTimerTypeAhead,
                                    SECListBaseC::kTimerPendingEdit};
            w.Timer(ids[Pick(3)]);
            break;
        }
        case 13:
            lastAction = "capture or focus change";
            switch (Pick(5)) {
            case 0: ::SetCapture(w.owner.m_hWnd); break;
            case 1: ::ReleaseCapture(); break;
            case 2: ::SetCapture(w.list.m_hWnd); break;
            case 3: ::SetFocus(w.owner.m_hWnd); break;
            default: w.list.SetFocus(); break;
            }
            break;
        case 14:
            lastAction = "cancel mode";
            w.list.SendMessage(WM_CANCELMODE);
            break;
        default:
            lastAction = "editor input";
            if (HWND editor = w.Editor()) {
                const UINT keys[] = {VK_RETURN, VK_ESCAPE, VK_TAB};
                if (Chance(60))
                    ::SendMessageW(editor, WM_CHAR, L"xy\r\t"[Pick(4)], 1);
                else
                    ::SendMessageW(editor, WM_KEYDOWN, keys[Pick(3)], 1);
            }
            break;
        }
        ListWindow::Drain(w.owner.m_hWnd);
    }
};

void RunRandomSequence(unsigned seed, bool vetoAll, int steps)
{
    SCOPED_TRACE("seed " + std::to_string(seed) + (vetoAll ? " (every step vetoed)" : ""));
    ListWindow w(kFullStyle, 30, {90, 70, 70});
    w.list.SetListStyleEx(SEC_LVSX_REORDER_COLUMNS | (seed % 2 ? SEC_LVSX_FULLROWSELECT : 0u));
    if (seed % 3 == 0)
        w.list.ModifyListStyle(LVS_NOLABELWRAP, 0);
    RandomRun run(seed, w, vetoAll);
    w.list.veto = vetoAll ? TRUE : FALSE;
    if (!vetoAll) {
        // The owner changes the rows now and then while it is being told.
        w.owner.onNotify = [&](NMHDR* header, LRESULT& result) {
            const int count = w.list.GetItemCount();
            if (header->code != LVN_GETDISPINFOW && run.Chance(4)) {
                if (count > 8 && run.Chance(50))
                    w.list.DeleteItem(run.Pick(count), 1 + run.Pick(3));
                else if (count < 60)
                    w.list.InsertItem(run.Pick(count + 1), L"born");
            }
            if (header->code == LVN_BEGINLABELEDITW || header->code == LVN_ENDLABELEDITW) {
                result = run.Chance(50) ? 1 : 0;
                return true;
            }
            return false;
        };
    }
    const std::vector<int> selectedBefore = w.list.Selected();
    for (int i = 0; i < steps; ++i) {
        run.Step();
        ::testing::AssertionResult consistent = ModelIsConsistent(w.list);
        if (!consistent) {
            ADD_FAILURE() << "step " << i << " (" << run.lastAction << "): " << consistent.message();
            return;
        }
        const bool editing = w.Editor() != nullptr;
        if (editing != (w.list.GetEditItem() >= 0) || w.list.GetEditItem() >= w.list.GetItemCount()) {
            ADD_FAILURE() << "step " << i << " (" << run.lastAction << "): edit row " << w.list.GetEditItem()
                          << " with" << (editing ? "" : "out") << " an editor";
            return;
        }
        if (vetoAll && w.list.Selected() != selectedBefore) {
            ADD_FAILURE() << "step " << i << " (" << run.lastAction << "): the selection changed despite the veto";
            return;
        }
    }
    Settle(w);
    EXPECT_TRUE(IsAtRest(w.list)) << "after the last " << run.lastAction;
    EXPECT_TRUE(ModelIsConsistent(w.list));
    ::ReleaseCapture(); // a capture the sequence gave the owner
}
} // namespace

TEST(ListInputRobustness, RandomInputKeepsTheModelConsistentAndLeavesNothingRunning)
{
    for (unsigned seed : {11u, 12u, 13u})
        RunRandomSequence(seed, false, 2000);
}

TEST(ListInputRobustness, RandomInputAgainstAHookThatVetoesEveryStep)
{
    RunRandomSequence(21u, true, 1500);
}

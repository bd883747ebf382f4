// The order of the notifications the owner receives is part of the list's
// contract: one table of expected messages per user action, compared with what
// a real owner window recorded. Optional entries may be missing; everything
// else must match in order, and nothing may follow. A mismatch prints both
// sequences side by side.
#include <gtest/gtest.h>
#include <iomanip>
#include <sstream>
#include "ListInputSupport.h"

namespace {
const int kAny = -2; // field not compared

struct Expect
{
    UINT message = WM_NOTIFY; // WM_NOTIFY or WM_COMMAND
    UINT code = 0;            // notification code, or the command id of WM_COMMAND
    int item = kAny;          // iItem
    int subItem = kAny;       // iSubItem
    int key = kAny;           // virtual key of LVN_KEYDOWN
    int hasText = kAny;       // 1 / 0: the record carried a text pointer or not
    bool optional = false;    // may be missing
};

Expect N(UINT code, int item = kAny, int subItem = kAny)
{
    Expect e;
    e.code = code;
    e.item = item;
    e.subItem = subItem;
    return e;
}
Expect Key(WORD vkey)
{
    Expect e = N(LVN_KEYDOWN);
    e.key = vkey;
    return e;
}
Expect EndEdit(int item, bool withText)
{
    Expect e = N(LVN_ENDLABELEDITW, item, 0);
    e.hasText = withText ? 1 : 0;
    return e;
}
Expect Command(UINT id)
{
    Expect e;
    e.message = WM_COMMAND;
    e.code = id;
    return e;
}
Expect Optional(Expect e)
{
    e.optional = true;
    return e;
}

bool Matches(const Expect& e, const RecordedMessage& r)
{
    if (e.message != r.message)
        return false;
    if (e.message == WM_COMMAND)
        return e.code == r.idFrom;
    return e.code == r.code && (e.item == kAny || e.item == r.item) && (e.subItem == kAny || e.subItem == r.subItem) &&
           (e.key == kAny || e.key == r.key) && (e.hasText == kAny || e.hasText == (r.hasText ? 1 : 0));
}

std::string Describe(const Expect& e)
{
    std::ostringstream out;
    if (e.message == WM_COMMAND) {
        out << "WM_COMMAND id=" << e.code;
    } else {
        out << NotifyName(e.code);
        if (e.item != kAny)
            out << " item=" << e.item;
        if (e.subItem != kAny)
            out << " sub=" << e.subItem;
        if (e.key != kAny)
            out << " key=" << e.key;
        if (e.hasText != kAny)
            out << (e.hasText ? " text" : " no-text");
    }
    if (e.optional)
        out << " (optional)";
    return out.str();
}

std::string Describe(const RecordedMessage& r)
{
    std::ostringstream out;
    if (r.message == WM_COMMAND) {
        out << "WM_COMMAND id=" << r.idFrom;
        return out.str();
    }
    out << NotifyName(r.code) << " item=" << r.item << " sub=" << r.subItem;
    if (r.code == LVN_KEYDOWN)
        out << " key=" << r.key;
    if (r.code == LVN_ENDLABELEDITW)
        out << (r.hasText ? " text" : " no-text");
    return out.str();
}

// Walks both sequences; optional entries that do not match are skipped.
// Display-info queries are left out (the list asks whenever it measures or
// paints an owner's cell, which is no event of its own), and so are the
// notifications of other controls in the owner.
::testing::AssertionResult SequenceIs(const std::vector<Expect>& expected, const OwnerWindow& owner)
{
    std::vector<RecordedMessage> actual;
    for (const RecordedMessage& r : owner.messages) {
        const bool query = r.message == WM_NOTIFY && r.code == LVN_GETDISPINFOW;
        const bool foreign = r.message == WM_COMMAND && r.hwndFrom != nullptr;
        if (!query && !foreign)
            actual.push_back(r);
    }
    size_t e = 0;
    size_t a = 0;
    std::string problem;
    while (e < expected.size() && problem.empty()) {
        if (a < actual.size() && Matches(expected[e], actual[a])) {
            ++e;
            ++a;
        } else if (expected[e].optional) {
            ++e;
        } else {
            problem = a < actual.size() ? "differs at expected entry " + std::to_string(e + 1)
                                        : "ends before expected entry " + std::to_string(e + 1);
        }
    }
    if (problem.empty() && a < actual.size())
        problem = "has more than expected from entry " + std::to_string(a + 1);
    if (problem.empty())
        return ::testing::AssertionSuccess();
    std::ostringstream out;
    out << "the sequence " << problem << "\n  " << std::left << std::setw(44) << "expected"
        << "actual\n";
    for (size_t i = 0; i < std::max(expected.size(), actual.size()); ++i) {
        out << "  " << std::setw(44) << (i < expected.size() ? Describe(expected[i]) : "")
            << (i < actual.size() ? Describe(actual[i]) : "") << "\n";
    }
    return ::testing::AssertionFailure() << out.str();
}

// Delivers what the list posted to its owner.
void PumpOwner(OwnerWindow& owner)
{
    MSG msg;
    while (::PeekMessageW(&msg, owner.m_hWnd, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE))
        ::DispatchMessageW(&msg);
}

const DWORD kEditable = LVS_REPORT | LVS_NOLABELWRAP | LVS_EDITLABELS;
} // namespace

TEST(ListNotifySequence, ClickOnARow)
{
    ListWindow w;
    w.owner.Clear();
    w.Click(w.Label(3)); // the list has no focus yet: the press takes it
    EXPECT_TRUE(SequenceIs({N(NM_SETFOCUS), N(NM_CLICK)}, w.owner));
    w.owner.Clear();
    w.Click(w.Label(4), MK_SHIFT);
    EXPECT_TRUE(SequenceIs({N(NM_CLICK)}, w.owner));
}

TEST(ListNotifySequence, DoubleClickOnARow)
{
    ListWindow w;
    w.Focus();
    w.Down(w.Label(2));
    w.Up(w.Label(2));
    w.Send(WM_LBUTTONDBLCLK, MK_LBUTTON, w.Label(2));
    w.Up(w.Label(2));
    EXPECT_TRUE(SequenceIs({N(NM_CLICK), N(NM_DBLCLK), N(NM_CLICK)}, w.owner));
}

TEST(ListNotifySequence, ClickOnAHeading)
{
    ListWindow w;
    w.Focus();
    w.Click(w.Heading(1));
    EXPECT_TRUE(SequenceIs({N(LVN_COLUMNCLICK, -1, 1), N(NM_CLICK)}, w.owner));
}

TEST(ListNotifySequence, RightClickAndRightDrag)
{
    ListWindow w;
    w.owner.Clear();
    w.Send(WM_RBUTTONDOWN, MK_RBUTTON, w.Label(2));
    w.Send(WM_RBUTTONUP, 0, w.Label(2));
    EXPECT_TRUE(SequenceIs({Optional(N(NM_SETFOCUS)), N(NM_RCLICK)}, w.owner));
    EXPECT_EQ(2, w.list.GetFocusItem()) << "the press selects";

    w.owner.Clear();
    const CPoint press = w.Label(5);
    w.Send(WM_RBUTTONDOWN, MK_RBUTTON, press);
    w.Move(CPoint(press.x + 10, press.y), MK_RBUTTON);
    w.Send(WM_RBUTTONUP, 0, CPoint(press.x + 10, press.y));
    EXPECT_TRUE(SequenceIs({}, w.owner));
}

TEST(ListNotifySequence, KeyPresses)
{
    ListWindow w;
    w.Focus();
    w.Key(VK_DOWN);
    EXPECT_TRUE(SequenceIs({Key(VK_DOWN)}, w.owner));

    w.owner.Clear();
    w.Key(VK_RETURN);
    EXPECT_TRUE(SequenceIs({Key(VK_RETURN), N(NM_RETURN)}, w.owner));

    w.owner.Clear();
    w.Key(VK_ESCAPE);
    PumpOwner(w.owner);
    EXPECT_TRUE(SequenceIs({Key(VK_ESCAPE), Command(IDCANCEL)}, w.owner));

    w.owner.Clear();
    w.Key(VK_TAB);
    w.list.SendMessage(WM_SYSKEYDOWN, VK_F10, 1);
    PumpOwner(w.owner);
    EXPECT_TRUE(SequenceIs({Key(VK_TAB), Key(VK_F10)}, w.owner));
}

TEST(ListNotifySequence, FocusInAndOut)
{
    ListWindow w;
    w.owner.Clear();
    w.list.SetFocus();
    ::SetFocus(w.owner.m_hWnd);
    EXPECT_TRUE(SequenceIs({N(NM_SETFOCUS), N(NM_KILLFOCUS)}, w.owner));
}

TEST(ListNotifySequence, EditingEndedByAClickElsewhere)
{
    ListWindow w(kEditable);
    w.Focus();
    w.Key(VK_DOWN);
    w.Key(VK_F2);
    EXPECT_TRUE(SequenceIs({Key(VK_DOWN), Key(VK_F2), N(LVN_BEGINLABELEDITW, 1, 0)}, w.owner));
    ASSERT_EQ(w.Editor(), ::GetFocus()) << "the focus passes to the editor without NM_KILLFOCUS";

    w.owner.Clear();
    w.Click(w.Label(4));
    EXPECT_TRUE(SequenceIs({EndEdit(1, true), N(NM_SETFOCUS), N(NM_CLICK)}, w.owner));
}

TEST(ListNotifySequence, EditingEndedByEnterOrEscape)
{
    ListWindow w(kEditable);
    w.Focus();
    w.list.EditLabel(2, 0);
    ::SendMessageW(w.Editor(), WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_TRUE(SequenceIs({N(LVN_BEGINLABELEDITW, 2, 0), EndEdit(2, true), N(NM_SETFOCUS)}, w.owner));

    w.owner.Clear();
    w.list.EditLabel(3, 0);
    ::SendMessageW(w.Editor(), WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(SequenceIs({N(LVN_BEGINLABELEDITW, 3, 0), EndEdit(3, false), N(NM_SETFOCUS)}, w.owner));
}

TEST(ListNotifySequence, EditingEndedByFocusingAnotherWindow)
{
    ListWindow w(kEditable);
    HWND other = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 320, 10, 80, 20, w.owner.m_hWnd,
                                   nullptr, nullptr, nullptr);
    w.Focus();
    w.list.EditLabel(2, 0);
    w.owner.Clear();
    ::SetFocus(other);
    EXPECT_TRUE(SequenceIs({EndEdit(2, true)}, w.owner));
    ::DestroyWindow(other);
}

TEST(ListNotifySequence, EditingRefusedByTheOwner)
{
    ListWindow w(kEditable);
    w.owner.answers[LVN_BEGINLABELEDITW] = 1;
    w.Focus();
    w.Key(VK_F2);
    EXPECT_TRUE(SequenceIs({Key(VK_F2), N(LVN_BEGINLABELEDITW, 0, 0)}, w.owner));
    EXPECT_EQ(w.list.m_hWnd, ::GetFocus());
}

TEST(ListNotifySequence, PendingEditOpenedByItsTimer)
{
    ListWindow w(kEditable);
    w.Focus();
    w.Click(w.Label(2));
    w.Click(w.Label(2));
    w.Timer(SECListBaseC::kTimerPendingEdit);
    EXPECT_TRUE(SequenceIs({N(NM_CLICK), N(NM_CLICK), N(LVN_BEGINLABELEDITW, 2, 0)}, w.owner));
    w.list.EndLabelEdit(TRUE);
}

TEST(ListNotifySequence, DividerAndHeadingDragsNotifyNothing)
{
    ListWindow w(LVS_REPORT | LVS_NOLABELWRAP, 3, {80, 80, 80});
    w.list.SetListStyleEx(SEC_LVSX_REORDER_COLUMNS);
    w.Focus();
    w.list.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(w.Divider(0).x + 20, 8));
    w.Down(w.Divider(0));
    const CPoint heading = w.Heading(2);
    w.Down(heading);
    w.Move(CPoint(heading.x - 60, 8), MK_LBUTTON);
    w.Up(CPoint(heading.x - 60, 8));
    EXPECT_TRUE(SequenceIs({}, w.owner));
    EXPECT_EQ(100, w.list.GetColumnWidth(0));
}

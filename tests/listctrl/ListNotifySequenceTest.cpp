// The order of the notifications the owner receives is part of the list's
// contract: one table of expected messages per user action, compared with what
// a real owner window recorded. Optional entries may be missing; everything
// else must match in order, and nothing may follow. A mismatch prints both
// sequences side by side.
#include <gtest/gtest.h>
#include <functional>
#include <iomanip>
#include <sstream>
#include <string>
#include "ListWindow.h"

namespace {
// A recorded message with the fields that matter for its code.
std::string Describe(const RecordedMessage& r)
{
    if (r.message == WM_COMMAND)
        return "WM_COMMAND id=" + std::to_string(r.idFrom);
    std::string out = NotifyName(r.code);
    if (r.code == LVN_COLUMNCLICK || r.code == LVN_BEGINLABELEDITW || r.code == LVN_ENDLABELEDITW)
        out += " item=" + std::to_string(r.item) + " sub=" + std::to_string(r.subItem);
    if (r.code == LVN_ENDLABELEDITW)
        out += r.hasText ? " text" : " no-text";
    if (r.code == LVN_KEYDOWN)
        out += " key=" + std::to_string(r.key);
    return out;
}
std::string Key(int vkey) { return "LVN_KEYDOWN key=" + std::to_string(vkey); }
std::string Begin(int item) { return "LVN_BEGINLABELEDITW item=" + std::to_string(item) + " sub=0"; }
std::string End(int item, bool text)
{
    return "LVN_ENDLABELEDITW item=" + std::to_string(item) + (text ? " sub=0 text" : " sub=0 no-text");
}

// Walks both sequences; expected entries starting with '?' may be missing.
// Display-info queries are left out (the list asks whenever it measures or
// paints an owner's cell, which is no event of its own), and so are the
// notifications of other controls in the owner.
::testing::AssertionResult SequenceIs(const std::vector<std::string>& expected, const OwnerWindow& owner)
{
    std::vector<std::string> actual;
    for (const RecordedMessage& r : owner.messages) {
        if ((r.message == WM_NOTIFY && r.code != LVN_GETDISPINFOW) || (r.message == WM_COMMAND && !r.hwndFrom))
            actual.push_back(Describe(r));
    }
    size_t a = 0;
    bool same = true;
    for (const std::string& e : expected) {
        const bool optional = e[0] == '?';
        if (a < actual.size() && actual[a] == e.substr(optional ? 1 : 0))
            ++a;
        else
            same = same && optional;
    }
    if (same && a == actual.size())
        return ::testing::AssertionSuccess();
    std::ostringstream out;
    out << "\n  " << std::left << std::setw(44) << "expected" << "actual\n";
    for (size_t i = 0; i < std::max(expected.size(), actual.size()); ++i)
        out << "  " << std::setw(44) << (i < expected.size() ? expected[i] : "")
            << (i < actual.size() ? actual[i] : "") << "\n";
    return ::testing::AssertionFailure() << out.str();
}

// Delivers what the list posted to its owner.
void PumpOwner(OwnerWindow& owner)
{
    MSG msg;
    while (::PeekMessageW(&msg, owner.m_hWnd, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE))
        ::DispatchMessageW(&msg);
}
} // namespace

TEST(ListNotifySequence, EachUserActionNotifiesInItsOrder)
{
    using Act = std::function<void(ListWindow&)>;
    const DWORD edit = kReport | LVS_EDITLABELS;
    // The user action; the list's style; whether the list has the focus before;
    // the action (recorded from the owner's last Clear on); the notifications.
    const struct {
        const char* name; DWORD style; bool focused; Act act; std::vector<std::string> expected;
    } scenarios[] = {
        {"click: the press takes the focus", kReport, false, [](ListWindow& w) { w.Click(w.Label(3)); },
         {"NM_SETFOCUS", "NM_CLICK"}},
        {"double-click", kReport, true,
         [](ListWindow& w) { w.Click(w.Label(2)); w.Send(WM_LBUTTONDBLCLK, MK_LBUTTON, w.Label(2)); w.Up(w.Label(2)); },
         {"NM_CLICK", "NM_DBLCLK", "NM_CLICK"}},
        {"heading click", kReport, true, [](ListWindow& w) { w.Click(w.Heading(1)); },
         {"LVN_COLUMNCLICK item=-1 sub=1", "NM_CLICK"}},
        {"right click", kReport, false, [](ListWindow& w) { w.RightClick(w.Label(2)); },
         {"?NM_SETFOCUS", "NM_RCLICK"}},
        {"right drag", kReport, true,
         [](ListWindow& w) {
             w.Send(WM_RBUTTONDOWN, MK_RBUTTON, w.Label(5));
             w.Move(w.Label(5) + CSize(10, 0), MK_RBUTTON);
             w.Send(WM_RBUTTONUP, 0, w.Label(5) + CSize(10, 0));
         },
         {}},
        {"enter", kReport, true, [](ListWindow& w) { w.Key(VK_RETURN); }, {Key(VK_RETURN), "NM_RETURN"}},
        {"escape", kReport, true, [](ListWindow& w) { w.Key(VK_ESCAPE); PumpOwner(w.owner); },
         {Key(VK_ESCAPE), "WM_COMMAND id=" + std::to_string(IDCANCEL)}},
        {"tab and a system key", kReport, true,
         [](ListWindow& w) { w.Key(VK_TAB); w.list.SendMessage(WM_SYSKEYDOWN, VK_F10, 1); PumpOwner(w.owner); },
         {Key(VK_TAB), Key(VK_F10)}},
        {"focus in and out", kReport, false, [](ListWindow& w) { w.list.SetFocus(); ::SetFocus(w.owner.m_hWnd); },
         {"NM_SETFOCUS", "NM_KILLFOCUS"}},
        {"F2 edits the focus row without NM_KILLFOCUS", edit, true, [](ListWindow& w) { w.Key(VK_DOWN); w.Key(VK_F2); },
         {Key(VK_DOWN), Key(VK_F2), Begin(1)}},
        {"edit ended by a click elsewhere", edit, true,
         [](ListWindow& w) { w.list.EditLabel(1, 0); w.owner.Clear(); w.Click(w.Label(4)); },
         {End(1, true), "NM_SETFOCUS", "NM_CLICK"}},
        {"edit ended by Enter", edit, true, [](ListWindow& w) { w.list.EditLabel(2, 0); w.EditKey(VK_RETURN); },
         {Begin(2), End(2, true), "NM_SETFOCUS"}},
        {"edit ended by Escape", edit, true, [](ListWindow& w) { w.list.EditLabel(3, 0); w.EditKey(VK_ESCAPE); },
         {Begin(3), End(3, false), "NM_SETFOCUS"}},
        {"edit ended by focusing another window", edit, true,
         [](ListWindow& w) {
             w.list.EditLabel(2, 0);
             HWND other = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 320, 10, 80, 20, w.owner.m_hWnd,
                                            nullptr, nullptr, nullptr);
             w.owner.Clear();
             ::SetFocus(other);
         },
         {End(2, true)}},
        {"edit refused by the owner", edit, true,
         [](ListWindow& w) { w.owner.answers[LVN_BEGINLABELEDITW] = 1; w.Key(VK_F2); },
         {Key(VK_F2), Begin(0)}},
        {"pending edit opened by its timer", edit, true,
         [](ListWindow& w) { w.Click(w.Label(2)); w.Click(w.Label(2)); w.Timer(SECListBaseC::kTimerPendingEdit); },
         {"NM_CLICK", "NM_CLICK", Begin(2)}},
        {"divider and heading drags", kReport, true,
         [](ListWindow& w) {
             w.list.SetListStyleEx(SEC_LVSX_REORDER_COLUMNS);
             w.Post(WM_LBUTTONUP, 0, w.Divider(0).x + 20);
             w.Down(w.Divider(0));
             w.Down(w.Heading(1));
             w.Move(w.Heading(1) - CSize(60, 0));
             w.Up(w.Heading(1) - CSize(60, 0));
         },
         {}},
    };
    for (const auto& s : scenarios) {
        ListWindow w(s.style);
        if (s.focused)
            w.list.SetFocus();
        w.owner.Clear();
        s.act(w);
        EXPECT_TRUE(SequenceIs(s.expected, w.owner)) << s.name;
        w.list.EndLabelEdit(FALSE);
    }
}

// The fixture of the list tests that need a window: a list in a real, shown
// owner window that records what the list notifies, with points computed from
// the list's own geometry and input sent as real messages.
#pragma once
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "ListTestSupport.h"
#include "support/OwnerWindow.h"

const DWORD kReport = LVS_REPORT | LVS_NOLABELWRAP;

// Rows "row 0", "row 1", ... under columns "col 0", ... of the widths given.
// Long delays keep real timers out of the tests: they send WM_TIMER themselves.
struct ListWindow
{
    static constexpr UINT kId = 77; // control id of the list
    OwnerWindow owner;              // records what the list notifies
    TestList list;                  // the list under test

    explicit ListWindow(DWORD style = kReport, int rows = 10, std::vector<int> widths = {100, 80},
                        const CRect& rect = CRect(0, 0, 300, 200))
    {
        owner.ShowWindow(SW_SHOW);
        ::SetForegroundWindow(owner.m_hWnd);
        list.Create(WS_CHILD | WS_VISIBLE | style, 0, rect, &owner, kId);
        list.SetTypeAheadTimeout(60000);
        list.SetPendingEditDelay(60000);
        for (size_t c = 0; c < widths.size(); ++c)
            list.AddColumn((L"col " + std::to_wstring(c)).c_str(), LVCFMT_LEFT, widths[c]);
        for (int r = 0; r < rows; ++r)
            list.InsertItem(r, (L"row " + std::to_wstring(r)).c_str());
        list.UpdateScrollBars();
    }
    ~ListWindow() { SetModifierKeys(false, false); } // the keyboard state outlives the window

    // Appends rows of one text.
    void Add(int count, LPCWSTR text)
    {
        for (int i = 0; i < count; ++i)
            list.InsertItem(list.GetItemCount(), text);
        list.UpdateScrollBars();
    }
    // The last recorded notification of that code (a blank record without one).
    RecordedMessage Last(UINT code) const
    {
        for (auto it = owner.messages.rbegin(); it != owner.messages.rend(); ++it) {
            if (it->message == WM_NOTIFY && it->code == code)
                return *it;
        }
        ADD_FAILURE() << NotifyName(code) << " was not sent";
        return RecordedMessage();
    }
    CRect Inside() const
    {
        CRect rect;
        list.GetInsideRect(rect);
        return rect;
    }
    CRect Rect(int row, int col = 0, int part = SECListBaseC::kCellWhole)
    {
        CRect rect;
        EXPECT_TRUE(list.GetCellRect(row, col, rect, part)) << "row " << row << " column " << col;
        return rect;
    }
    // Centre of a row's label (or of another part of the cell).
    CPoint Label(int row, int col = 0, int part = SECListBaseC::kCellLabel) { return Rect(row, col, part).CenterPoint(); }
    CPoint Heading(int col) { return CPoint((list.GetColumnLeft(col) + list.GetColumnRight(col)) / 2, 8); }
    CPoint Divider(int col) { return CPoint(list.GetColumnRight(col), 8); }

    void Send(UINT message, WPARAM wParam, CPoint p) { list.SendMessage(message, wParam, MAKELPARAM(p.x, p.y)); }
    void Post(UINT message, WPARAM wParam, int x, int y = 8) { list.PostMessage(message, wParam, MAKELPARAM(x, y)); }
    void Down(CPoint point, UINT keys = 0) { Send(WM_LBUTTONDOWN, MK_LBUTTON | keys, point); }
    void Up(CPoint point, UINT keys = 0) { Send(WM_LBUTTONUP, keys, point); }
    void Move(CPoint point, UINT keys = MK_LBUTTON) { Send(WM_MOUSEMOVE, keys, point); }
    void Click(CPoint point, UINT keys = 0) { Down(point, keys); Up(point, keys); }
    void RightClick(CPoint point) { Send(WM_RBUTTONDOWN, MK_RBUTTON, point); Send(WM_RBUTTONUP, 0, point); }
    // A key press with the modifier keys held as given (the list reads them
    // from the keyboard state).
    void Key(UINT vkey, bool shift = false, bool control = false, UINT repeat = 1)
    {
        SetModifierKeys(shift, control);
        list.SendMessage(WM_KEYDOWN, vkey, repeat);
        SetModifierKeys(false, false);
    }
    void Char(WCHAR ch) { list.SendMessage(WM_CHAR, ch, 1); }
    void Timer(UINT_PTR id) { list.SendMessage(WM_TIMER, id, 0); }
    // Gives the list the focus and forgets what that sent.
    void Focus() { list.SetFocus(); owner.Clear(); }
    HWND Editor() const { return list.GetEditControl()->m_hWnd; }
    // Sends a key to the in-place editor.
    void EditKey(UINT vkey) { ::SendMessageW(Editor(), WM_KEYDOWN, vkey, 1); }
    // Removes the posted messages of a window from the queue.
    static void Drain(HWND hWnd)
    {
        MSG msg;
        while (::PeekMessageW(&msg, hWnd, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE)) {
        }
        // Mouse messages by their range too: a posted button message left in
        // the queue would end the next tracking loop of a test at its point.
        while (::PeekMessageW(&msg, hWnd, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
        }
    }
};

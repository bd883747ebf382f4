// Helpers of the input, editing and notification-order tests: a list that
// records its hooks and exposes its input state, placed in a real, shown owner
// window, with points computed from the list's own geometry.
#pragma once
#include <gtest/gtest.h>
#include <functional>
#include <vector>
#include "ListTestSupport.h"
#include "support/OwnerWindow.h"

class InputList : public TestList
{
public:
    BOOL veto = FALSE;                 // answer of OnSelectionChanging
    int changingCalls = 0;             // OnSelectionChanging calls
    int changedCalls = 0;              // OnSelectionChanged calls
    int cellTextCalls = 0;             // GetCellText calls (type-ahead searches read them)
    std::vector<int> dragRows;         // rows of OnBeginDrag
    std::vector<CPoint> dragPoints;    // points of OnBeginDrag
    int rightDrags = 0;                // OnBeginRDrag calls
    std::function<void()> onChanging;  // run inside OnSelectionChanging

    BOOL OnSelectionChanging(int, int, BOOL) override
    {
        ++changingCalls;
        if (onChanging)
            onChanging();
        return veto;
    }
    void OnSelectionChanged(int, int, BOOL) override { ++changedCalls; }
    void OnBeginDrag(int nItem, CPoint point) override
    {
        dragRows.push_back(nItem);
        dragPoints.push_back(point);
    }
    void OnBeginRDrag(int, CPoint) override { ++rightDrags; }
    void GetCellText(CString& text, int nItem, int nSubItem) override
    {
        ++cellTextCalls;
        TestList::GetCellText(text, nItem, nSubItem);
    }

    UINT_PTR PendingEditTimer() const { return m_nPendingEditTimer; }
    int PendingEditRow() const { return m_nPendingEdit; }
    UINT_PTR TypeAheadTimer() const { return m_nTypeAheadTimer; }
    UINT TypeAheadFlags() const { return m_nTypeAheadFlags; }
    const CString& TypeAheadText() const { return m_strTypeAhead; }
    BOOL RowDrag() const { return m_bRowDrag; }
    BOOL HeadingDrag() const { return m_bHeadingDrag; }
    int PressedColumn() const { return m_nPressedCol; }
    BOOL DragImageAlive() const { return m_pHeadingDragImage != nullptr; }
    BOOL Vetoed() const { return m_bVeto; }
    std::vector<int> Selected() const
    {
        std::vector<int> rows;
        for (INT_PTR i = 0; i < GetSelection().GetCount(); ++i)
            rows.push_back(GetSelection().GetAt(i));
        return rows;
    }
};

// A list in a shown owner window, with rows "row 0", "row 1", ... (or the texts
// given) under the columns given. Long delays keep real timers out of the tests:
// they send WM_TIMER themselves.
struct ListWindow
{
    static const UINT kId = 77; // control id of the list
    OwnerWindow owner;          // records what the list notifies
    InputList list;             // the list under test

    explicit ListWindow(DWORD style = LVS_REPORT | LVS_NOLABELWRAP, int rows = 10,
                        std::vector<int> widths = {100, 80}, const CRect& rect = CRect(0, 0, 300, 200))
    {
        owner.ShowWindow(SW_SHOW);
        ::SetForegroundWindow(owner.m_hWnd);
        list.Create(WS_CHILD | WS_VISIBLE | style, 0, rect, &owner, kId);
        list.SetTypeAheadTimeout(60000);
        list.SetPendingEditDelay(60000);
        for (size_t c = 0; c < widths.size(); ++c) {
            CString heading;
            heading.Format(L"col %d", static_cast<int>(c));
            list.AddColumn(heading, LVCFMT_LEFT, widths[c]);
        }
        for (int r = 0; r < rows; ++r) {
            CString text;
            text.Format(L"row %d", r);
            list.InsertItem(r, text);
        }
        list.UpdateScrollBars();
        SetModifierKeys(false, false);
    }
    ~ListWindow() { SetModifierKeys(false, false); }

    void Fill(const std::vector<LPCWSTR>& texts)
    {
        list.DeleteAllItems();
        for (size_t r = 0; r < texts.size(); ++r)
            list.InsertItem(static_cast<int>(r), texts[r]);
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
    // Centre of a row's label (or of another part of the cell).
    CPoint Label(int row, int col = 0, int part = SECListBaseC::kCellLabel)
    {
        CRect rect;
        EXPECT_TRUE(list.GetCellRect(row, col, rect, part)) << "row " << row << " has no rectangle";
        return rect.CenterPoint();
    }
    CPoint Heading(int col) { return CPoint((list.GetColumnLeft(col) + list.GetColumnRight(col)) / 2, 8); }
    CPoint Divider(int col) { return CPoint(list.GetColumnRight(col), 8); }

    LRESULT Send(UINT message, WPARAM wParam, CPoint point)
    {
        return list.SendMessage(message, wParam, MAKELPARAM(point.x, point.y));
    }
    void Down(CPoint point, UINT keys = 0) { Send(WM_LBUTTONDOWN, MK_LBUTTON | keys, point); }
    void Up(CPoint point, UINT keys = 0) { Send(WM_LBUTTONUP, keys, point); }
    void Move(CPoint point, UINT keys) { Send(WM_MOUSEMOVE, keys, point); }
    void Click(CPoint point, UINT keys = 0)
    {
        Down(point, keys);
        Up(point, keys);
    }
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
    void Focus()
    {
        list.SetFocus();
        owner.Clear();
    }
    HWND Editor() const { return list.GetEditControl()->m_hWnd; }
    // Removes the posted messages of a window from the queue.
    static void Drain(HWND hWnd)
    {
        MSG msg;
        while (::PeekMessageW(&msg, hWnd, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE)) {
        }
    }
};

// The clipped-text tip: the rule that decides when a text is clipped and the
// tip's geometry (window-free), then the tip over a real list: when it shows
// and where, its window, the pixels it paints, what hides it, and that a click
// on it acts on the cell below.
#include <gtest/gtest.h>
#include <memory>
#include "ListWindow.h"
#include "listctrl/SECListTipRules.h"
#include "snapshot/Snapshot.h"

// Failure messages show rectangles, not their addresses.
inline void PrintTo(const CRect& r, std::ostream* os)
{
    *os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

namespace {
const wchar_t kLong[] = L"A label far too long for its column to show whole";

TEST(ListTipRules, ClippedWhenTheLabelReachesTheMarginAndTheWindowCoversItsFirstLine)
{
    const CRect inside(0, 20, 300, 200);
    const CRect cell(0, 20, 100, 36);
    EXPECT_FALSE(SECListTipRules::IsClipped(cell, CRect(2, 20, 95, 36), inside));
    EXPECT_TRUE(SECListTipRules::IsClipped(cell, CRect(2, 20, 96, 36), inside)) << "inside the 5-pixel margin";
    EXPECT_TRUE(SECListTipRules::IsClipped(CRect(200, 20, 400, 36), CRect(202, 20, 301, 36), inside))
        << "past the visible width";
    EXPECT_TRUE(SECListTipRules::IsClipped(cell, CRect(-20, 20, 30, 36), inside)) << "scrolled out at the left";
    EXPECT_FALSE(SECListTipRules::IsClipped(CRect(-100, 20, -10, 36), CRect(-98, 20, -20, 36), inside))
        << "wholly out of view";
    // The window covers the grown label at the cell's height; its text is the first line, cut.
    EXPECT_EQ(CRect(47, 100, 47 + 60 + 4 + 3, 118), SECListTipRules::WindowRect(CRect(50, 100, 110, 116), 18));
    EXPECT_EQ(CString(L"first"), SECListTipRules::DisplayText(L"first\nsecond"));
    EXPECT_EQ(CString(L"first"), SECListTipRules::DisplayText(L"first\r\nsecond"));
    CString longText;
    for (int i = 0; i < 300; ++i)
        longText += static_cast<WCHAR>(L'a' + i % 26);
    EXPECT_EQ(longText.Left(259), SECListTipRules::DisplayText(longText));
}

// A list of two columns whose row 1 has a label and a cell too long for them.
struct TipWindow : ListWindow
{
    explicit TipWindow(std::vector<int> widths = {100, 80}) : ListWindow(kReport, 6, widths)
    {
        list.SetListStyleEx(SEC_LVSX_TIPS);
        list.SetItemText(1, 0, kLong);
        SetCell(list, 1, 1, kLong);
        ::SetForegroundWindow(owner.m_hWnd);
    }
    SECListTip& Tip() { return *list.GetTip(); }
    // Tips show only while the application is the active one; another test
    // program beside this one on the same window server may have taken that.
    void Move(CPoint point, UINT keys = MK_LBUTTON)
    {
        if (::GetForegroundWindow() != owner.m_hWnd)
            ::SetForegroundWindow(owner.m_hWnd);
        ListWindow::Move(point, keys);
    }
    // A point on a row's label near its start (a clipped label reaches into
    // the next column).
    CPoint LabelStart(int row) { return CPoint(Rect(row, 0, SECListBaseC::kCellLabel).left + 10, Label(row).y); }
    HWND TipWnd() { return Tip().m_hWnd; }
    CRect TipRect()
    {
        CRect rect;
        ::GetWindowRect(TipWnd(), &rect);
        return rect;
    }
    CRect ScreenRect(int row, int col, int part)
    {
        CRect rect = Rect(row, col, part);
        list.ClientToScreen(&rect);
        return rect;
    }
    // Whether the check timer runs (asking kills it).
    bool TimerRan() { return ::KillTimer(TipWnd(), SECListTip::kTimerCheck) != FALSE; }
    std::unique_ptr<SnapshotBitmap> RenderTip()
    {
        CRect client;
        ::GetClientRect(TipWnd(), &client);
        auto bitmap = std::make_unique<SnapshotBitmap>(client.Width(), client.Height());
        RenderClient(TipWnd(), *bitmap);
        return bitmap;
    }
    // Runs the posted messages through the framework's loop (pre-translation first).
    static void Pump()
    {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!AfxPreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
    }
};

CPoint Offset(CPoint point, int dx, int dy)
{
    return CPoint(point.x + dx, point.y + dy);
}

// Pixels of the colour in the bitmap.
int CountColor(const SnapshotBitmap& bitmap, COLORREF color)
{
    return bitmap.CountColor(CRect(0, 0, bitmap.Width(), bitmap.Height()), color);
}

TEST(ListTip, ShowsOverAClippedLabelOrCellWithItsOwnWindowLaidOverTheCell)
{
    TipWindow w;
    w.Move(w.Label(0), 0);
    EXPECT_FALSE(w.Tip().IsTipVisible()) << "a label that fits has no tip";
    w.Move(w.LabelStart(1), 0);
    ASSERT_TRUE(w.Tip().IsTipVisible());
    EXPECT_EQ(1, w.Tip().GetShownItem());
    EXPECT_EQ(0, w.Tip().GetShownSubItem());
    EXPECT_EQ(CString(kLong), w.Tip().GetTipText());

    WCHAR name[32] = {};
    ::GetClassNameW(w.TipWnd(), name, 32);
    EXPECT_STREQ(L"SECListTip", name);
    EXPECT_EQ(0x082Bu, static_cast<UINT>(::GetClassLongW(w.TipWnd(), GCL_STYLE)));
    EXPECT_EQ(static_cast<DWORD>(WS_POPUP | WS_BORDER),
              ::GetWindowLongW(w.TipWnd(), GWL_STYLE) & ~(WS_VISIBLE | WS_CLIPSIBLINGS));
    // The system makes the list's top-level window the owner of a pop-up.
    EXPECT_EQ(::GetAncestor(w.list.m_hWnd, GA_ROOT), ::GetWindow(w.TipWnd(), GW_OWNER));

    const CRect label = w.ScreenRect(1, 0, SECListBaseC::kCellLabel);
    const CRect cell = w.ScreenRect(1, 0, SECListBaseC::kCellWhole);
    EXPECT_EQ(CRect(label.left - 3, label.top, label.right + 4, label.top + cell.Height()), w.TipRect());
    EXPECT_EQ(w.list.m_hWnd, ::GetCapture()) << "the list follows the mouse while the tip shows";
    EXPECT_NE(::GetActiveWindow(), w.TipWnd());

    // Moving within the cell keeps the tip without asking for the text again.
    const int asked = w.list.cellTextCalls;
    w.Move(Offset(w.LabelStart(1), 5, 0), 0);
    EXPECT_TRUE(w.Tip().IsTipVisible());
    EXPECT_EQ(asked, w.list.cellTextCalls);
    EXPECT_TRUE(w.TimerRan());

    // Further columns show their cell; a cell that fits hides the tip.
    w.Move(w.Label(1, 1, SECListBaseC::kCellWhole), 0);
    ASSERT_TRUE(w.Tip().IsTipVisible());
    EXPECT_EQ(1, w.Tip().GetShownSubItem());
    w.Move(w.Label(2), 0);
    EXPECT_FALSE(w.Tip().IsTipVisible());
    EXPECT_EQ(-1, w.Tip().GetShownItem());
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_FALSE(w.TimerRan());
}

TEST(ListTip, PaintsInTipOrSelectionColoursAndBoldForTheBoldState)
{
    TipWindow w;
    w.list.DeselectAllItems();
    w.Move(w.LabelStart(1), 0);
    ASSERT_TRUE(w.Tip().IsTipVisible());
    auto plain = w.RenderTip();
    const COLORREF infoBk = ::GetSysColor(COLOR_INFOBK);
    const COLORREF infoText = ::GetSysColor(COLOR_INFOTEXT);
    EXPECT_EQ(infoBk, plain->Pixel(0, 0));
    EXPECT_EQ(infoBk, plain->Pixel(1, plain->Height() - 1));
    const int textPixels = CountColor(*plain, infoText);
    EXPECT_GT(textPixels, 100);
    // The text starts two pixels in: nothing of it in the first two columns.
    EXPECT_EQ(0, plain->CountColor(CRect(0, 0, 2, plain->Height()), infoText));

    w.list.rowState = SECListTip::kBoldState;
    ::InvalidateRect(w.TipWnd(), nullptr, TRUE);
    auto bold = w.RenderTip();
    EXPECT_GT(CountColor(*bold, infoText), textPixels * 11 / 10) << "bold strokes are heavier";
    w.list.rowState = 0;

    w.list.SelectItem(1, TRUE);
    auto selected = w.RenderTip();
    EXPECT_EQ(w.list.GetSelectedBkColor(), selected->Pixel(0, 0));
    EXPECT_GT(CountColor(*selected, w.list.GetSelectedTextColor()), 100);
}

TEST(ListTip, AClickOnTheTipSelectsTheRowUnderIt)
{
    TipWindow w;
    w.list.DeselectAllItems();
    w.list.SetFocusItem(-1);
    w.Move(w.LabelStart(1), 0);
    ASSERT_TRUE(w.Tip().IsTipVisible());
    w.owner.Clear();
    ::PostMessageW(w.TipWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    ::PostMessageW(w.TipWnd(), WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
    TipWindow::Pump();
    EXPECT_EQ(std::vector<int>{1}, w.list.Selected());
    EXPECT_EQ(1, w.owner.Count(NM_CLICK));
    EXPECT_FALSE(w.Tip().IsTipVisible()) << "the selection hides the tip";

    // A press on the tip's frame arrives as a client press of the list.
    w.list.DeselectAllItems();
    w.Move(w.LabelStart(1), 0);
    ASSERT_TRUE(w.Tip().IsTipVisible());
    const CRect tip = w.TipRect();
    ::PostMessageW(w.TipWnd(), WM_NCLBUTTONDOWN, HTBORDER, MAKELPARAM(tip.left + 10, tip.top + 1));
    TipWindow::Pump();
    EXPECT_EQ(std::vector<int>{1}, w.list.Selected());
    w.Send(WM_LBUTTONUP, 0, w.LabelStart(1));

    // Without the framework's loop the tip still hands the message on.
    w.list.DeselectAllItems();
    w.Move(w.LabelStart(1), 0);
    ASSERT_TRUE(w.Tip().IsTipVisible());
    ::SendMessageW(w.TipWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    EXPECT_EQ(std::vector<int>{1}, w.list.Selected());
    EXPECT_EQ(MA_NOACTIVATE, ::SendMessageW(w.TipWnd(), WM_MOUSEACTIVATE, 0, 0));
}

TEST(ListTip, HiddenWhenTheMouseLeavesTheListScrollsEditsOrDrags)
{
    TipWindow w;
    auto show = [&] {
        w.Move(w.LabelStart(1), 0);
        return w.Tip().IsTipVisible();
    };
    auto gone = [&]() -> ::testing::AssertionResult {
        if (w.Tip().IsTipVisible() || w.Tip().GetShownItem() != -1)
            return ::testing::AssertionFailure() << "the tip still shows";
        if (::GetCapture() != nullptr)
            return ::testing::AssertionFailure() << "the capture was left behind";
        if (w.TimerRan())
            return ::testing::AssertionFailure() << "the timer was left behind";
        return ::testing::AssertionSuccess();
    };
    // The timer hides it only once the cursor is out of the list.
    ASSERT_TRUE(show());
    CPoint inside = w.Label(1);
    w.list.ClientToScreen(&inside);
    ::SetCursorPos(inside.x, inside.y);
    ::SendMessageW(w.TipWnd(), WM_TIMER, SECListTip::kTimerCheck, 0);
    EXPECT_TRUE(w.Tip().IsTipVisible());
    CRect window;
    w.list.GetWindowRect(&window);
    ::SetCursorPos(window.right + 20, window.bottom + 20);
    ::SendMessageW(w.TipWnd(), WM_TIMER, SECListTip::kTimerCheck, 0);
    EXPECT_TRUE(gone()) << "mouse left";

    ASSERT_TRUE(show());
    w.list.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_TRUE(gone()) << "scrolled";

    w.list.SendMessage(WM_VSCROLL, SB_TOP, 0);
    ASSERT_TRUE(show());
    w.list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_TRUE(gone()) << "wheel";

    w.list.SendMessage(WM_VSCROLL, SB_TOP, 0);
    w.list.ModifyListStyle(0, LVS_EDITLABELS);
    ASSERT_TRUE(show());
    w.list.EditLabel(1);
    EXPECT_TRUE(gone()) << "editing";
    w.Move(w.LabelStart(1), 0);
    EXPECT_FALSE(w.Tip().IsTipVisible()) << "no tip over the row being edited";
    w.list.EndLabelEdit(FALSE);

    ASSERT_TRUE(show());
    w.Down(w.LabelStart(1));
    ASSERT_TRUE(show());
    w.Move(Offset(w.LabelStart(1), 0, 30));
    EXPECT_TRUE(w.list.RowDrag());
    EXPECT_TRUE(gone()) << "dragging";
    w.Up(Offset(w.LabelStart(1), 0, 30));
}

TEST(ListTip, RowsThatChangeUnderTheTipOrAListThatGoesLeaveNothingBehind)
{
    auto w = std::make_unique<TipWindow>();
    w->Move(w->Label(1), 0);
    ASSERT_TRUE(w->Tip().IsTipVisible());
    w->list.DeleteItem(1);
    EXPECT_FALSE(w->Tip().IsTipVisible());
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_FALSE(w->TimerRan());
    // Asked for rows and columns that are not there: nothing shows.
    EXPECT_FALSE(w->Tip().ShowTip(SEC_LVHT_ONITEMLABEL, 40, 0, CPoint(10, 10)));
    EXPECT_FALSE(w->Tip().ShowTip(SEC_LVHT_ONITEMLABEL, 0, 7, CPoint(10, 10)));
    EXPECT_FALSE(w->Tip().IsTipVisible());

    w->list.SetItemText(1, 0, kLong);
    w->list.InsertItem(0, L"new first row");
    w->Move(w->LabelStart(2), 0);
    ASSERT_TRUE(w->Tip().IsTipVisible());
    w->list.InsertItem(0, L"another");
    EXPECT_FALSE(w->Tip().IsTipVisible()) << "rows moved under the tip";

    w->Move(w->LabelStart(3), 0);
    ASSERT_TRUE(w->Tip().IsTipVisible());
    const HWND tip = w->TipWnd();
    w->list.DestroyWindow();
    EXPECT_FALSE(::IsWindow(tip));
    EXPECT_EQ(nullptr, ::GetCapture());
    w.reset();
}
} // namespace

// Geometry of the list without painting: the rows area, columns, hit codes at
// the boundaries, paging and making rows visible, the child scroll bars and
// their commands, the wheel, refitting, and input that is too small, empty or
// huge.
#include <gtest/gtest.h>
#include "ListWindow.h"

namespace {
const UINT kHorzBarId = 0xEA00;
const UINT kVertBarId = 0xEA10;
const int kHeader = 20;

struct LayoutWindow : ListWindow
{
    using ListWindow::ListWindow;

    // Rows area of `rows` whole rows and `extra` pixels (it is one pixel
    // taller than the client area below the header).
    void SizeForRows(int rows, int extra) { Resize(300, kHeader + rows * list.GetItemHeight(0) + extra - 1); }
    void Resize(int cx, int cy) { list.SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOMOVE); }
    HWND Bar(UINT id) const { return ::GetDlgItem(list.m_hWnd, static_cast<int>(id)); }
    bool BarShown(UINT id) const { return Bar(id) && (::GetWindowLongW(Bar(id), GWL_STYLE) & WS_VISIBLE); }
    // A scroll command as the child bar sends it.
    void Scroll(UINT message, UINT code)
    {
        list.SendMessage(message, code, reinterpret_cast<LPARAM>(Bar(message == WM_VSCROLL ? kVertBarId : kHorzBarId)));
    }
    void Wheel(short delta) { list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(10, 40)); }
    SCROLLINFO BarInfo(UINT id) const
    {
        SCROLLINFO si{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
        ::GetScrollInfo(Bar(id), SB_CTL, &si);
        return si;
    }
    // The bar's rectangle in the list's client coordinates.
    CRect BarRect(UINT id) const
    {
        CRect rect;
        ::GetWindowRect(Bar(id), &rect);
        ::MapWindowPoints(nullptr, list.m_hWnd, reinterpret_cast<LPPOINT>(&rect), 2);
        return rect;
    }
};
} // namespace

TEST(ListLayout, InsideRectLeavesOutTheHeaderAndTheBarsAndReachesOnePixelBelow)
{
    LayoutWindow w(kReport, 0, {});
    EXPECT_EQ(CRect(0, kHeader, 300, 201), w.Inside());
    EXPECT_EQ(300, w.list.GetColumnWidth(0)) << "no columns: the rows area's width";
    LayoutWindow full(kReport, 40, {200, 200});
    ASSERT_TRUE(full.list.IsVertScrollBarShown() && full.list.IsHorzScrollBarShown());
    EXPECT_EQ(CRect(0, kHeader, 301 - GetSystemMetrics(SM_CXVSCROLL), 202 - GetSystemMetrics(SM_CYHSCROLL)),
              full.Inside());
    EXPECT_EQ(0, LayoutWindow(LVS_REPORT | LVS_NOCOLUMNHEADER).Inside().top);
    EXPECT_EQ(0, LayoutWindow(0).Inside().top) << "not a report: no header band";
    CRect rect(1, 2, 3, 4);
    TestList().GetInsideRect(rect);
    EXPECT_TRUE(rect.IsRectNull()) << "no window";

    // Columns follow the horizontal offset; a single column is as wide as the
    // widest label, and at least as the rows area.
    full.Scroll(WM_HSCROLL, SB_LINERIGHT);
    EXPECT_EQ(CRect(185, kHeader, 385, kHeader + full.list.GetItemHeight(0)), full.Rect(0, 1));
    LayoutWindow single(kReport, 0, {50});
    single.Add(2, L"A label much wider than fifty pixels, to be sure");
    EXPECT_EQ(std::max<int>(300, single.Rect(0, 0, SECListBaseC::kCellLabel).right + 5), single.list.GetTotalWidth());
    EXPECT_EQ(300, single.Rect(1, 0).right) << "the cell reaches the rows area's right edge";
}

TEST(ListLayout, HitCodesAtTheBoundariesOfHeadingsDividersAndCells)
{
    LayoutWindow w(kReport, 0, {150, 0, 100}, CRect(0, 0, 400, 200));
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24, 1, 0));
    w.list.SetImageList(&images, SECListBaseC::kImageSmall);
    w.Add(3, L"Label");
    w.list.SetColumnFormat(2, LVCFMT_JUSTIFYMASK);
    SetCell(w.list, 1, 2, L"ab");
    const CRect centred = w.Rect(1, 2, SECListBaseC::kCellLabel);
    EXPECT_EQ(200 - centred.Width() / 2, centred.left) << "alignment bits 3 centre the label";
    CRect rect;
    EXPECT_FALSE(w.list.GetCellRect(1, 2, rect, SECListBaseC::kCellImage)) << "sub-items have no image";
    EXPECT_FALSE(w.list.GetCellRect(1, 3, rect, SECListBaseC::kCellWhole)) << "no such column";
    const CRect row = w.Rect(1, 0);
    const CRect image = w.Rect(1, 0, SECListBaseC::kCellImage);
    const CRect label = w.Rect(1, 0, SECListBaseC::kCellLabel);
    EXPECT_EQ(CRect(0, kHeader + 18, 150, kHeader + 36), row) << "the image and 2 pixels above are taller than the text";
    EXPECT_EQ(CRect(2, row.top + 2, 18, row.top + 18), image);
    EXPECT_EQ(CRect(23, row.top, label.right, row.bottom), label) << "5 pixels after the image, full height";
    const int y = row.CenterPoint().y;
    const int last = w.Rect(2, 0).bottom;
    const int kAnyCol = -2;
    const struct { int x, y, row; UINT flags; int col; } hits[] = {
        // The header band, its lower edge included: a divider up to four pixels
        // either side of a boundary; of a column of width 0 the left one's.
        {146, 0, -1, SEC_LVHT_ONDIVIDER, 0}, {150, 0, -1, SEC_LVHT_ONDIVIDER, 0}, {154, 20, -1, SEC_LVHT_ONDIVIDER, 0},
        {145, kHeader, -1, SEC_LVHT_ONHEADING, 0}, {155, 0, -1, SEC_LVHT_ONHEADING, 2},
        {254, 5, -1, SEC_LVHT_ONDIVIDER, 2}, {300, 5, -1, SEC_LVHT_NOWHERE, -1},
        // A row: the parts of the main cell; other cells have none.
        {label.left, row.top, 1, SEC_LVHT_ONITEM | SEC_LVHT_ONITEMLABEL, 0},
        {image.left + 1, y, 1, SEC_LVHT_ONITEM | SEC_LVHT_ONITEMICON, 0},
        {label.left - 1, y, 1, SEC_LVHT_ONITEM | SEC_LVHT_LEFTOFLABEL, 0}, // between image and label
        {0, y, 1, SEC_LVHT_ONITEM | SEC_LVHT_LEFTOFLABEL, 0},
        {label.right, y, 1, SEC_LVHT_ONITEM | SEC_LVHT_RIGHTOFLABEL, 0},
        {200, y, 1, SEC_LVHT_ONITEM, 2}, {300, y, 1, SEC_LVHT_ONITEM, -1},
        // Past the last row and outside the window.
        {20, last - 1, 2, SEC_LVHT_ONITEM | SEC_LVHT_LEFTOFLABEL, 0}, {20, last, -1, SEC_LVHT_NOWHERE, kAnyCol},
        {-1, -1, -1, SEC_LVHT_ABOVE | SEC_LVHT_TOLEFT, kAnyCol},
        {401, 201, -1, SEC_LVHT_BELOW | SEC_LVHT_TORIGHT, kAnyCol},
    };
    for (const auto& h : hits) {
        UINT flags = 0;
        int col = kAnyCol;
        EXPECT_EQ(h.row, w.list.HitTest(CPoint(h.x, h.y), &flags, &col)) << h.x << ", " << h.y;
        EXPECT_EQ(h.flags, flags) << h.x << ", " << h.y;
        EXPECT_TRUE(h.col == kAnyCol || h.col == col) << h.x << ", " << h.y << ": column " << col;
    }
}

TEST(ListLayout, PagesCountWholeRowsAndEnsureVisibleKeepsOneRowAbove)
{
    LayoutWindow w(kReport, 30, {100});
    const int h = w.list.GetItemHeight(0);
    w.SizeForRows(5, h / 2);
    EXPECT_EQ(5 * h + h / 2, w.Inside().Height());
    // Rows per page, the last whole row, and rows per page above the top.
    auto page = [&] {
        return std::vector<int>{w.list.GetCountPerPage(), w.list.GetBottomIndex(), w.list.GetCountPerPageAbove()};
    };
    EXPECT_EQ((std::vector<int>{5, 4, 0}), page());
    ASSERT_TRUE(w.list.SetTopIndex(27)); // three rows left: the page counts rows above too
    EXPECT_EQ((std::vector<int>{5, 29, 5}), page());
    EXPECT_EQ(2, w.list.CountRowsInHeight(h + 1, 10, TRUE)) << "the row that reaches the height counts";
    EXPECT_EQ(3, w.list.CountRowsInHeight(100 * h, 2, FALSE)) << "stops at row 0";

    ASSERT_TRUE(w.list.SetTopIndex(5));
    CRect rect;
    EXPECT_FALSE(w.list.GetCellRect(4, 0, rect, SECListBaseC::kCellWhole)) << "rows above the top have none";
    const struct { int row, top; } steps[] = {
        {5, 4}, // the top row itself: one row up
        {6, 4}, // inside the page
        {8, 5}, // the last whole row: the next one comes into view
        {0, 0}, {25, 22},
    };
    for (const auto& s : steps) {
        EXPECT_TRUE(w.list.EnsureVisible(s.row));
        EXPECT_EQ(s.top, w.list.GetTopIndex()) << "row " << s.row;
    }
    ASSERT_TRUE(w.list.SetTopIndex(25));
    EXPECT_TRUE(w.list.EnsureVisible(29)) << "the list's last row, shown";
    EXPECT_EQ(25, w.list.GetTopIndex());
    EXPECT_FALSE(w.list.EnsureVisible(30) || w.list.EnsureVisible(-1));

    const struct { int first, last, top; } ranges[] = {
        {10, 12, 8}, // rows 8 to 12 fill the page
        {9, 11, 8},  // already shown
        {2, 20, 2},  // taller than the page: its first row on top
        {28, 30, 25}, // the count itself is accepted as last
    };
    for (const auto& r : ranges) {
        EXPECT_TRUE(w.list.EnsureRangeVisible(r.first, r.last));
        EXPECT_EQ(r.top, w.list.GetTopIndex()) << r.first << " to " << r.last;
    }
    EXPECT_FALSE(w.list.EnsureRangeVisible(-1, 3) || w.list.EnsureRangeVisible(6, 5) ||
                 w.list.EnsureRangeVisible(0, 31));
    EXPECT_EQ(25, w.list.GetTopIndex());
}

TEST(ListLayout, ScrollBarsAreChildWindowsBesideTheRowsAreaWhoseCommandsAndTheWheelScroll)
{
    LayoutWindow w(kReport, 0, {250, 250});
    EXPECT_EQ(nullptr, w.Bar(kVertBarId)) << "made on first use";
    w.Add(20, L"row");
    WCHAR name[32] = L"";
    ::GetClassNameW(w.Bar(kVertBarId), name, 32);
    EXPECT_STREQ(L"ScrollBar", name);
    // Five and a half rows above the horizontal bar.
    w.SizeForRows(5, w.list.GetItemHeight(0) / 2 + GetSystemMetrics(SM_CYHSCROLL) - 1);
    const CRect inside = w.Inside();
    EXPECT_TRUE(w.BarShown(kHorzBarId) && w.BarShown(kVertBarId));
    EXPECT_EQ(CRect(0, inside.bottom - 1, inside.right + 1, inside.bottom - 1 + GetSystemMetrics(SM_CYHSCROLL)),
              w.BarRect(kHorzBarId));
    EXPECT_EQ(CRect(inside.right, 0, inside.right + GetSystemMetrics(SM_CXVSCROLL), inside.bottom + 1),
              w.BarRect(kVertBarId))
        << "the vertical bar runs beside the header too";
    EXPECT_TRUE(w.BarInfo(kVertBarId).nMax == 19 && w.BarInfo(kHorzBarId).nMax == 500);
    ASSERT_EQ(UINT(5), w.BarInfo(kVertBarId).nPage);
    EXPECT_EQ(UINT(inside.Width()), w.BarInfo(kHorzBarId).nPage);

    const struct { UINT code; int top; } vertical[] = {
        {SB_LINEUP, 0}, {SB_LINEDOWN, 1}, {SB_PAGEDOWN, 6}, {SB_PAGEUP, 1}, {SB_BOTTOM, 15},
        {SB_LINEDOWN, 15}, // position + page = maximum + 1: refused
        {SB_PAGEDOWN, 15}, {SB_LINEUP, 14}, {SB_TOP, 0},
    };
    for (const auto& v : vertical) {
        w.Scroll(WM_VSCROLL, v.code);
        EXPECT_EQ(v.top, w.list.GetTopIndex()) << "command " << v.code;
        EXPECT_EQ(v.top, w.BarInfo(kVertBarId).nPos);
    }
    const int end = 500 - inside.Width();
    const struct { UINT code; int offset; } horizontal[] = {
        {SB_LINELEFT, 0}, {SB_LINERIGHT, 15}, {SB_PAGERIGHT, end}, {SB_LEFT, 0}, {SB_RIGHT, end},
        {SB_PAGELEFT, std::max(end - inside.Width(), 0)},
    };
    for (const auto& hz : horizontal) {
        w.Scroll(WM_HSCROLL, hz.code);
        EXPECT_EQ(hz.offset, w.list.GetHorzOffset()) << "command " << hz.code;
    }
    // The wheel scrolls whole notches: half a notch waits for the other half,
    // the rest of a turn is dropped.
    const struct { short delta; int top; } turns[] = {{-60, 0}, {-60, 1}, {-200, 2}, {-60, 2}, {360, 0}, {120, 0}};
    for (const auto& t : turns) {
        w.Wheel(t.delta);
        EXPECT_EQ(t.top, w.list.GetTopIndex()) << "delta " << t.delta;
    }
    LayoutWindow wide(kReport, 2, {250, 250}); // only the horizontal bar: the wheel scrolls sideways
    wide.Wheel(-240);
    EXPECT_EQ(30, wide.list.GetHorzOffset());
    wide.Wheel(120);
    EXPECT_EQ(15, wide.list.GetHorzOffset());
    LayoutWindow never(kReport | LVS_NOSCROLL, 40, {200, 200});
    EXPECT_FALSE(never.list.IsVertScrollBarShown() || never.list.IsHorzScrollBarShown() || never.BarShown(kVertBarId));
}

// A one-row scroll of report rows moves the pixels and repaints the row that
// comes into view; in icon mode every cell changes place: all is repainted.
TEST(ListLayout, OneRowScrollRepaintsANewRowInReportModeAndEverythingInIconMode)
{
    for (const DWORD view : {kReport, DWORD(0)}) {
        SCOPED_TRACE(view == kReport ? "report" : "icon");
        LayoutWindow w(view, 60, {60});
        w.list.UpdateScrollBars();
        w.list.UpdateWindow();
        const CRect inside = w.Inside();
        w.list.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
        ASSERT_EQ(1, w.list.GetTopIndex());
        CRect update;
        ASSERT_TRUE(w.list.GetUpdateRect(&update, FALSE));
        if (view == kReport)
            EXPECT_LE(update.Height(), 2 * w.list.GetItemHeight(0)) << "only the row that came into view";
        else
            EXPECT_TRUE(update.top <= inside.top && update.bottom >= inside.bottom - 1) << "the whole rows area";
    }
}

TEST(ListLayout, BarsComingAndGoingRefitTheOffsetAndASingleColumn)
{
    LayoutWindow w(kReport, 3, {250, 250});
    w.Scroll(WM_HSCROLL, SB_RIGHT);
    ASSERT_GT(w.list.GetHorzOffset(), 0);
    w.list.UpdateHorzScrollBar(300); // exactly as wide as the rows area
    EXPECT_EQ(0, w.list.GetHorzOffset());
    EXPECT_FALSE(w.list.IsHorzScrollBarShown() || w.BarShown(kHorzBarId));
    EXPECT_EQ(201, w.Inside().bottom) << "the rows area takes the bar's place";
    w.list.UpdateHorzScrollBar(1000);
    w.Scroll(WM_HSCROLL, SB_RIGHT);
    w.list.UpdateHorzScrollBar(400); // still wider: the offset is only pulled back
    EXPECT_EQ(100, w.list.GetHorzOffset());

    LayoutWindow single(kReport, 3, {80});
    EXPECT_EQ(80, single.list.GetColumnWidth(0)) << "fitted on resize and when a bar comes or goes";
    single.Add(40, L"row");
    ASSERT_TRUE(single.list.IsVertScrollBarShown());
    EXPECT_EQ(301 - GetSystemMetrics(SM_CXVSCROLL), single.list.GetColumnWidth(0));
    EXPECT_FALSE(single.list.IsHorzScrollBarShown()) << "the refitted column fits";
    single.list.DeleteItem(0, 43);
    single.list.UpdateScrollBars();
    EXPECT_EQ(300, single.list.GetColumnWidth(0));
}

TEST(ListLayout, FillingColumnsGiveTheMainColumnTheRestButNeverLessThanTwenty)
{
    LayoutWindow w(kReport, 0, {100, 60, 40});
    w.list.ModifyListStyleEx(0, SEC_LVSX_FITCOLUMNS);
    w.Resize(250, 100);
    EXPECT_EQ(150, w.list.GetColumnWidth(0));
    for (int again = 0; again < 2; ++again) { // refitting again changes nothing
        w.Resize(90, 100 + again); // 20 for the main column; the other 70 shared as 60 : 40
        EXPECT_EQ(20, w.list.GetColumnWidth(0));
        EXPECT_TRUE(w.list.GetColumnWidth(1) == 42 && w.list.GetColumnWidth(2) == 28);
    }
    w.Resize(10, 100);
    EXPECT_EQ(0, w.list.GetColumnWidth(0)) << "too narrow to share: empty, not negative";

    // Each share comes out of what the shares before it left.
    LayoutWindow four(kReport, 0, {50, 100, 100, 100}, CRect(0, 0, 350, 200));
    four.list.ModifyListStyleEx(0, SEC_LVSX_FITCOLUMNS);
    ASSERT_EQ(50, four.list.GetColumnWidth(0));
    four.Resize(110, 100); // 90 beside the main column
    EXPECT_EQ(20, four.list.GetColumnWidth(0));
    EXPECT_EQ(30, four.list.GetColumnWidth(1)); // 100 / 300 of 90
    EXPECT_EQ(20, four.list.GetColumnWidth(2)); // 100 / 300 of the 60 left
    EXPECT_EQ(40, four.list.GetColumnWidth(3)); // the rest
}

TEST(ListLayout, WindowsWithoutRoomAndListsWithoutColumnsAnswerNeutrally)
{
    for (const CRect& rect : {CRect(0, 0, 0, 0), CRect(50, 50, 10, 10), CRect(0, 0, 120, 12)}) {
        LayoutWindow w(kReport, 0, {}, rect);
        ASSERT_NE(nullptr, w.list.m_hWnd);
        w.list.ModifyListStyleEx(0, SEC_LVSX_FITCOLUMNS);
        w.list.AddColumn(L"a", LVCFMT_LEFT, 100);
        w.list.AddColumn(L"b", LVCFMT_LEFT, 50);
        w.Add(10, L"row");
        EXPECT_TRUE(w.list.GetCountPerPage() == 0 && w.list.GetBottomIndex() <= 0);
        EXPECT_TRUE(w.list.EnsureVisible(5) && w.list.EnsureRangeVisible(2, 6));
        w.Wheel(-120);
        w.Scroll(WM_VSCROLL, SB_PAGEDOWN);
        w.Scroll(WM_HSCROLL, SB_RIGHT);
        EXPECT_TRUE(w.list.GetHorzOffset() >= 0 && w.list.GetColumnWidth(0) >= 0);
        EXPECT_TRUE(w.list.GetTopIndex() >= 0 && w.list.GetTopIndex() < 10);
        EXPECT_EQ(kHeader, w.Rect(w.list.GetTopIndex(), 0).top) << "rows start below the header, cut off or not";
    }
    UINT flags = 0;
    int col = 7;
    LayoutWindow low(kReport, 4, {100, 50}, CRect(0, 0, 200, 12));
    EXPECT_EQ(-1, low.list.HitTest(CPoint(30, 11), &flags));
    EXPECT_EQ(UINT(SEC_LVHT_ONHEADING), flags) << "a window lower than the header is all header";
    LayoutWindow none(kReport, 5, {});
    for (CPoint p : {CPoint(5, 5), CPoint(5, 30), CPoint(299, 199)}) {
        EXPECT_EQ(-1, none.list.HitTest(p, &flags, &col));
        EXPECT_TRUE(flags == SEC_LVHT_NOWHERE && col == -1) << p.x << ", " << p.y;
    }
}

// Wrapping rows are measured again whenever the scroll bars are updated: a row
// whose text became shorter becomes lower again.
TEST(ListLayout, EmptyHugeAndShortenedTextsGetSensibleRowHeights)
{
    LayoutWindow w(LVS_REPORT, 1, {120, 60}); // wrapping rows
    w.Add(1, L"");
    std::wstring huge;
    for (int i = 0; i < 5000; ++i)
        huge += L"word ";
    w.Add(1, huge.c_str());
    const int line = w.list.GetItemHeight(0);
    EXPECT_EQ(line, w.list.GetItemHeight(1)) << "an empty row is one line high";
    EXPECT_GT(w.list.GetItemHeight(2), 10 * line) << "cut at the text buffer, but wrapped";
    w.list.SetItemText(1, 0, L"many words that wrap over several lines of the first column");
    w.list.UpdateScrollBars();
    EXPECT_GT(w.list.GetItemHeight(1), 2 * line);
    w.list.SetItemText(1, 0, L"short");
    w.list.UpdateScrollBars();
    EXPECT_EQ(line, w.list.GetItemHeight(1));
    EXPECT_TRUE(w.list.EnsureVisible(2));
    EXPECT_EQ(2, w.list.HitTest(CPoint(10, w.Inside().top + 1), nullptr));
    w.list.ModifyListStyle(0, LVS_NOLABELWRAP);
    w.list.ReMeasureAllItems();
    EXPECT_EQ(line, w.list.GetItemHeight(2)) << "single-line rows stay one line high";
}

// Geometry of the list without painting: the rows area, columns, hit codes at
// the boundaries, paging and making rows visible, the child scroll bars and
// their commands, the wheel, refitting, and input that is too small, empty or
// huge. The owner stays hidden, so nothing paints behind the tests.
#include <gtest/gtest.h>
#include <initializer_list>
#include "ListTestSupport.h"
#include "support/OwnerWindow.h"

namespace {
const UINT kHorzBarId = 0xEA00;
const UINT kVertBarId = 0xEA10;
const int kHeader = 20;

// A list in a hidden owner window, with helpers that size it in rows.
struct LayoutWindow
{
    OwnerWindow owner;
    TestList list;

    explicit LayoutWindow(DWORD style = LVS_REPORT | LVS_NOLABELWRAP, DWORD exStyle = 0,
                          const CRect& rect = CRect(0, 0, 300, 200))
    {
        list.Create(WS_CHILD | WS_VISIBLE | style, exStyle, rect, &owner, 310);
    }
    void AddColumns(std::initializer_list<int> widths)
    {
        for (int width : widths)
            list.AddColumn(L"Heading", LVCFMT_LEFT, width);
    }
    void AddRows(int count, LPCWSTR text = L"Row")
    {
        for (int i = 0; i < count; ++i)
            list.InsertItem(list.GetItemCount(), text);
        list.UpdateScrollBars();
    }
    // Rows area of `rows` whole rows and `extra` pixels (it is one pixel
    // taller than the client area below the header).
    void SizeForRows(int rows, int extra)
    {
        const int h = list.GetItemHeight(0);
        Resize(300, (list.HasHeader() ? kHeader : 0) + rows * h + extra - 1);
    }
    void Resize(int cx, int cy) { list.SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOMOVE); }
    CRect Inside() const
    {
        CRect rect;
        list.GetInsideRect(rect);
        return rect;
    }
    HWND Bar(UINT id) const { return ::GetDlgItem(list.m_hWnd, static_cast<int>(id)); }
    bool BarShown(UINT id) const { return Bar(id) && (::GetWindowLongW(Bar(id), GWL_STYLE) & WS_VISIBLE); }
    // A scroll command as the child bar sends it.
    void Scroll(UINT message, UINT code)
    {
        const HWND bar = Bar(message == WM_VSCROLL ? kVertBarId : kHorzBarId);
        list.SendMessage(message, MAKEWPARAM(code, 0), reinterpret_cast<LPARAM>(bar));
    }
    void Wheel(short delta) { list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(10, 40)); }
    SCROLLINFO BarInfo(UINT id) const
    {
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_ALL;
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
    // Row of the hit; flags and column through the pointers.
    int Hit(int x, int y, UINT* flags, int* col = nullptr) { return list.HitTest(CPoint(x, y), flags, col); }
    CRect Rect(int row, int col, int part = SECListBaseC::kCellWhole)
    {
        CRect rect;
        EXPECT_TRUE(list.GetCellRect(row, col, rect, part)) << "row " << row << " column " << col;
        return rect;
    }
};
} // namespace

// ---------------------------------------------------------------------------
// Rows area and columns

TEST(ListLayout, InsideRectLeavesOutTheHeaderAndTheBarsAndReachesOnePixelBelow)
{
    LayoutWindow w;
    EXPECT_EQ(CRect(0, kHeader, 300, 201), w.Inside());
    w.AddColumns({200, 200});
    w.AddRows(40);
    ASSERT_TRUE(w.list.IsVertScrollBarShown() && w.list.IsHorzScrollBarShown());
    EXPECT_EQ(CRect(0, kHeader, 301 - GetSystemMetrics(SM_CXVSCROLL), 202 - GetSystemMetrics(SM_CYHSCROLL)),
              w.Inside());

    EXPECT_EQ(0, LayoutWindow(LVS_REPORT | LVS_NOCOLUMNHEADER).Inside().top);
    EXPECT_EQ(0, LayoutWindow(0).Inside().top) << "not a report: no header band";
    TestList never;
    CRect rect(1, 2, 3, 4);
    never.GetInsideRect(rect);
    EXPECT_TRUE(rect.IsRectNull());
}

TEST(ListLayout, ColumnsStackFromTheHorizontalOffset)
{
    LayoutWindow w;
    EXPECT_EQ(300, w.list.GetColumnWidth(0)) << "no columns: the rows area's width";
    w.AddColumns({120, 0, 90, 150});
    EXPECT_EQ(0, w.list.GetColumnWidth(-1));
    EXPECT_EQ(0, w.list.GetColumnWidth(4));
    EXPECT_EQ(120, w.list.GetColumnLeft(2));
    EXPECT_EQ(210, w.list.GetColumnRight(2));
    EXPECT_EQ(360, w.list.GetTotalWidth());
    w.AddRows(3);
    w.Scroll(WM_HSCROLL, SB_LINERIGHT);
    ASSERT_EQ(15, w.list.GetHorzOffset());
    EXPECT_EQ(-15, w.list.GetColumnLeft(0));
    EXPECT_EQ(195, w.list.GetColumnRight(2));

    LayoutWindow single; // one column: as wide as the widest label, at least the rows area
    single.list.AddColumn(L"Only", LVCFMT_LEFT, 50);
    single.AddRows(2, L"A label much wider than fifty pixels, to be sure");
    const CRect label = single.Rect(0, 0, SECListBaseC::kCellLabel);
    EXPECT_EQ(std::max<int>(300, label.right + 5), single.list.GetTotalWidth());
    EXPECT_EQ(300, single.Rect(1, 0).right) << "the cell reaches the rows area's right edge";
}

// ---------------------------------------------------------------------------
// Hit-testing

TEST(ListLayout, HeaderHitsTheLeftDividerUpToFourPixelsRightOfABoundary)
{
    LayoutWindow w(LVS_REPORT | LVS_NOLABELWRAP, 0, CRect(0, 0, 400, 200));
    w.AddColumns({100, 80, 120});
    UINT flags = 0;
    int col = -2;
    for (int y : {0, kHeader}) { // the band includes the rows area's top line
        for (int x : {96, 100, 104}) {
            EXPECT_EQ(-1, w.Hit(x, y, &flags, &col));
            EXPECT_EQ(UINT(SEC_LVHT_ONDIVIDER), flags) << x << ", " << y;
            EXPECT_EQ(0, col);
        }
        w.Hit(105, y, &flags, &col);
        EXPECT_EQ(UINT(SEC_LVHT_ONHEADING), flags);
        EXPECT_EQ(1, col);
        w.Hit(95, y, &flags, &col);
        EXPECT_EQ(UINT(SEC_LVHT_ONHEADING), flags);
        EXPECT_EQ(0, col);
    }
    w.Hit(304, 5, &flags, &col);
    EXPECT_EQ(UINT(SEC_LVHT_ONDIVIDER), flags) << "right edge of the last column";
    EXPECT_EQ(2, col);
    w.Hit(350, 5, &flags, &col);
    EXPECT_EQ(UINT(SEC_LVHT_NOWHERE), flags);
    EXPECT_EQ(-1, col);
}

TEST(ListLayout, RowHitsNameImageLabelAndTheSidesOfTheMainCell)
{
    LayoutWindow w;
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24, 1, 0));
    w.list.SetImageList(&images, SECListBaseC::kImageSmall);
    w.AddColumns({150, 100});
    w.AddRows(3, L"Label");

    const CRect row = w.Rect(1, 0);
    const CRect image = w.Rect(1, 0, SECListBaseC::kCellImage);
    const CRect label = w.Rect(1, 0, SECListBaseC::kCellLabel);
    EXPECT_EQ(CRect(2, row.top + 2, 18, row.top + 18), image);
    EXPECT_EQ(CRect(23, row.top, label.right, row.bottom), label) << "5 pixels after the image, full height";
    EXPECT_EQ(18, row.Height()) << "the image with its 2 pixels above it is taller than the text";
    EXPECT_EQ(kHeader + 18, row.top);

    UINT flags = 0;
    int col = -2;
    const int y = row.top + row.Height() / 2;
    const struct
    {
        int x, y;
        UINT flags;
        int col;
    } hits[] = {
        {label.left, row.top, SEC_LVHT_ONITEMLABEL, 0},
        {image.left + 1, y, SEC_LVHT_ONITEMICON, 0},
        {label.left - 1, y, SEC_LVHT_LEFTOFLABEL, 0}, // between image and label
        {0, y, SEC_LVHT_LEFTOFLABEL, 0},
        {label.right, y, SEC_LVHT_RIGHTOFLABEL, 0},
        {200, y, 0, 1},  // a sub-item cell has no parts
        {280, y, 0, -1}, // right of the last column
    };
    for (const auto& h : hits) {
        EXPECT_EQ(1, w.Hit(h.x, h.y, &flags, &col));
        EXPECT_EQ(UINT(SEC_LVHT_ONITEM) | h.flags, flags) << h.x << ", " << h.y;
        EXPECT_EQ(h.col, col);
    }
    EXPECT_EQ(2, w.Hit(10, w.Rect(2, 0).bottom - 1, &flags));
    EXPECT_EQ(-1, w.Hit(10, w.Rect(2, 0).bottom, &flags)) << "past the last row";
    EXPECT_EQ(UINT(SEC_LVHT_NOWHERE), flags);
    EXPECT_EQ(-1, w.Hit(-1, -1, &flags, &col));
    EXPECT_EQ(UINT(SEC_LVHT_ABOVE | SEC_LVHT_TOLEFT), flags);
    w.Hit(301, 201, &flags);
    EXPECT_EQ(UINT(SEC_LVHT_BELOW | SEC_LVHT_TORIGHT), flags);
}

TEST(ListLayout, CellRectsWalkFromTheTopIndexAndRefuseRowsAboveIt)
{
    LayoutWindow w;
    w.AddColumns({100, 120, 60});
    w.list.SetColumnFormat(2, LVCFMT_JUSTIFYMASK);
    w.AddRows(30);
    SetCell(w.list, 6, 2, L"ab");
    const int h = w.list.GetItemHeight(0);
    ASSERT_TRUE(w.list.SetTopIndex(4));
    CRect rect;
    EXPECT_FALSE(w.list.GetCellRect(3, 0, rect, SECListBaseC::kCellWhole));
    EXPECT_FALSE(w.list.GetCellRect(6, 1, rect, SECListBaseC::kCellImage)) << "sub-items have no image";
    EXPECT_FALSE(w.list.GetCellRect(6, 3, rect, SECListBaseC::kCellWhole)) << "no such column";
    EXPECT_EQ(CRect(100, kHeader + 2 * h, 220, kHeader + 3 * h), w.Rect(6, 1));
    rect = w.Rect(6, 2, SECListBaseC::kCellLabel);
    EXPECT_EQ(kHeader + 2 * h, rect.top);
    EXPECT_EQ(h, rect.Height()) << "labels keep the row's height";
    EXPECT_EQ(220 + 30 - rect.Width() / 2, rect.left) << "alignment bits 3 centre the label";
}

// ---------------------------------------------------------------------------
// Paging and making rows visible

TEST(ListLayout, PagesCountWholeRowsOnly)
{
    LayoutWindow w;
    w.AddColumns({100});
    w.AddRows(30);
    const int h = w.list.GetItemHeight(0);
    w.SizeForRows(5, h / 2);
    EXPECT_EQ(5 * h + h / 2, w.Inside().Height());
    EXPECT_EQ(5, w.list.GetCountPerPage());
    EXPECT_EQ(4, w.list.GetBottomIndex());
    EXPECT_EQ(0, w.list.GetCountPerPageAbove());
    ASSERT_TRUE(w.list.SetTopIndex(27)); // three rows left: the page counts rows above too
    EXPECT_EQ(5, w.list.GetCountPerPage());
    EXPECT_EQ(29, w.list.GetBottomIndex());
    EXPECT_EQ(5, w.list.GetCountPerPageAbove());

    EXPECT_EQ(3 * h, w.list.GetRowsHeight(2, 5, FALSE));
    EXPECT_EQ(-4 * h, w.list.GetRowsHeight(5, 2, TRUE));
    EXPECT_EQ(2, w.list.CountRowsInHeight(h + 1, 10, TRUE)) << "the row that reaches the height counts";
    EXPECT_EQ(3, w.list.CountRowsInHeight(100 * h, 2, FALSE)) << "stops at row 0";
}

TEST(ListLayout, EnsureVisibleKeepsOneRowAboveAndBringsOneMoreBelow)
{
    LayoutWindow w;
    w.AddColumns({100});
    w.AddRows(30);
    w.SizeForRows(5, w.list.GetItemHeight(0) / 2);
    ASSERT_TRUE(w.list.SetTopIndex(5));
    ASSERT_EQ(9, w.list.GetBottomIndex());
    const struct
    {
        int row, top;
    } steps[] = {
        {5, 4}, // the top row itself: one row up
        {6, 4}, // inside the page
        {8, 5}, // the last whole row: the next one comes into view
        {0, 0}, {0, 0}, {25, 22},
    };
    for (const auto& s : steps) {
        EXPECT_TRUE(w.list.EnsureVisible(s.row));
        EXPECT_EQ(s.top, w.list.GetTopIndex()) << "row " << s.row;
        EXPECT_LE(w.list.GetTopIndex(), s.row);
        EXPECT_GE(w.list.GetBottomIndex(), s.row);
    }
    ASSERT_TRUE(w.list.SetTopIndex(25));
    EXPECT_TRUE(w.list.EnsureVisible(29)) << "the list's last row, shown";
    EXPECT_EQ(25, w.list.GetTopIndex());
    EXPECT_FALSE(w.list.EnsureVisible(30));
    EXPECT_FALSE(w.list.EnsureVisible(-1));
}

TEST(ListLayout, EnsureRangeVisibleEndsTheRangeAtThePageBottom)
{
    LayoutWindow w;
    w.AddColumns({100});
    w.AddRows(30);
    w.SizeForRows(5, w.list.GetItemHeight(0) / 2);
    const struct
    {
        int first, last, top;
    } ranges[] = {
        {10, 12, 8}, // rows 8 to 12 fill the page
        {9, 11, 8},  // already shown
        {2, 20, 2},  // taller than the page: its first row on top
        {0, 1, 0},
        {28, 30, 25}, // the count itself is accepted as last
    };
    for (const auto& r : ranges) {
        EXPECT_TRUE(w.list.EnsureRangeVisible(r.first, r.last));
        EXPECT_EQ(r.top, w.list.GetTopIndex()) << r.first << " to " << r.last;
    }
    EXPECT_FALSE(w.list.EnsureRangeVisible(-1, 3));
    EXPECT_FALSE(w.list.EnsureRangeVisible(6, 5));
    EXPECT_FALSE(w.list.EnsureRangeVisible(0, 31));
    EXPECT_EQ(25, w.list.GetTopIndex());
}

// ---------------------------------------------------------------------------
// Scroll bars and scrolling

TEST(ListLayout, ScrollBarsAreChildWindowsBesideTheRowsAreaAndMoveOnResize)
{
    LayoutWindow w;
    EXPECT_EQ(nullptr, w.Bar(kVertBarId)) << "made on first use";
    w.AddColumns({200, 200});
    w.AddRows(40);
    WCHAR name[32] = L"";
    ::GetClassNameW(w.Bar(kVertBarId), name, 32);
    EXPECT_STREQ(L"ScrollBar", name);
    const int cx = GetSystemMetrics(SM_CXVSCROLL);
    const int cy = GetSystemMetrics(SM_CYHSCROLL);
    for (int width : {300, 250}) {
        w.Resize(width, 150);
        const CRect inside = w.Inside();
        EXPECT_TRUE(w.BarShown(kHorzBarId) && w.BarShown(kVertBarId));
        EXPECT_EQ(CRect(0, inside.bottom - 1, inside.right + 1, inside.bottom - 1 + cy), w.BarRect(kHorzBarId));
        EXPECT_EQ(CRect(inside.right, 0, inside.right + cx, inside.bottom + 1), w.BarRect(kVertBarId))
            << "the vertical bar runs beside the header too";
        const SCROLLINFO v = w.BarInfo(kVertBarId);
        EXPECT_EQ(39, v.nMax);
        EXPECT_EQ(UINT(w.list.GetCountPerPage()), v.nPage);
        const SCROLLINFO hz = w.BarInfo(kHorzBarId);
        EXPECT_EQ(400, hz.nMax);
        EXPECT_EQ(UINT(inside.Width()), hz.nPage);
    }

    LayoutWindow never(LVS_REPORT | LVS_NOLABELWRAP | LVS_NOSCROLL);
    never.AddColumns({200, 200});
    never.AddRows(40);
    EXPECT_FALSE(never.list.IsVertScrollBarShown() || never.list.IsHorzScrollBarShown());
    EXPECT_FALSE(never.BarShown(kVertBarId));
}

TEST(ListLayout, ScrollCommandsStepPageAndStopAtTheEnds)
{
    LayoutWindow w;
    w.AddColumns({250, 250});
    w.AddRows(20);
    // Five and a half rows above the horizontal bar.
    w.SizeForRows(5, w.list.GetItemHeight(0) / 2 + GetSystemMetrics(SM_CYHSCROLL) - 1);
    ASSERT_EQ(UINT(5), w.BarInfo(kVertBarId).nPage);
    const struct
    {
        UINT code;
        int top;
    } vertical[] = {
        {SB_LINEUP, 0}, {SB_LINEDOWN, 1}, {SB_PAGEDOWN, 6}, {SB_PAGEUP, 1}, {SB_BOTTOM, 15},
        {SB_LINEDOWN, 15}, // position + page = maximum + 1: refused
        {SB_PAGEDOWN, 15}, {SB_LINEUP, 14}, {SB_LINEDOWN, 15}, {SB_TOP, 0},
    };
    for (const auto& v : vertical) {
        w.Scroll(WM_VSCROLL, v.code);
        EXPECT_EQ(v.top, w.list.GetTopIndex()) << "command " << v.code;
        EXPECT_EQ(v.top, w.BarInfo(kVertBarId).nPos);
    }
    const int end = 500 - w.Inside().Width();
    const struct
    {
        UINT code;
        int offset;
    } horizontal[] = {
        {SB_LINELEFT, 0}, {SB_LINERIGHT, 15}, {SB_PAGERIGHT, end}, {SB_LEFT, 0}, {SB_RIGHT, end},
        {SB_PAGELEFT, std::max(end - w.Inside().Width(), 0)},
    };
    for (const auto& hz : horizontal) {
        w.Scroll(WM_HSCROLL, hz.code);
        EXPECT_EQ(hz.offset, w.list.GetHorzOffset()) << "command " << hz.code;
    }
}

TEST(ListLayout, WheelScrollsWholeNotchesAndDropsTheRest)
{
    LayoutWindow w;
    w.AddColumns({100});
    w.AddRows(30);
    const struct
    {
        short delta;
        int top;
    } turns[] = {
        {-60, 0}, {-60, 1}, // half a notch waits for the other half
        {-200, 2},          // one notch; the remaining 80 are dropped
        {-60, 2}, {360, 0}, {120, 0},
    };
    for (const auto& t : turns) {
        w.Wheel(t.delta);
        EXPECT_EQ(t.top, w.list.GetTopIndex()) << "delta " << t.delta;
    }
    LayoutWindow wide; // only the horizontal bar: the wheel scrolls sideways
    wide.AddColumns({250, 250});
    wide.AddRows(2);
    wide.Wheel(-240);
    EXPECT_EQ(30, wide.list.GetHorzOffset());
    wide.Wheel(120);
    EXPECT_EQ(15, wide.list.GetHorzOffset());
}

TEST(ListLayout, NarrowContentHidesTheHorizontalBarAndZeroesTheOffset)
{
    LayoutWindow w;
    w.AddColumns({250, 250});
    w.AddRows(3);
    w.Scroll(WM_HSCROLL, SB_RIGHT);
    ASSERT_GT(w.list.GetHorzOffset(), 0);
    w.list.UpdateHorzScrollBar(300); // exactly as wide as the rows area
    EXPECT_EQ(0, w.list.GetHorzOffset());
    EXPECT_FALSE(w.list.IsHorzScrollBarShown());
    EXPECT_FALSE(w.BarShown(kHorzBarId));
    EXPECT_EQ(201, w.Inside().bottom) << "the rows area takes the bar's place";

    w.list.UpdateHorzScrollBar(1000);
    EXPECT_TRUE(w.BarShown(kHorzBarId));
    w.Scroll(WM_HSCROLL, SB_RIGHT);
    w.list.UpdateHorzScrollBar(400); // still wider: the offset is only pulled back
    EXPECT_EQ(100, w.list.GetHorzOffset());
}

TEST(ListLayout, SingleColumnIsRefittedWhenTheVerticalBarComesAndGoes)
{
    LayoutWindow w;
    w.list.AddColumn(L"Only", LVCFMT_LEFT, 80);
    w.AddRows(3);
    EXPECT_EQ(80, w.list.GetColumnWidth(0)) << "fitted on resize and when a bar comes or goes";
    w.AddRows(40);
    ASSERT_TRUE(w.list.IsVertScrollBarShown());
    EXPECT_EQ(301 - GetSystemMetrics(SM_CXVSCROLL), w.list.GetColumnWidth(0));
    EXPECT_FALSE(w.list.IsHorzScrollBarShown()) << "the refitted column fits";
    w.list.DeleteItem(0, 40);
    w.list.UpdateScrollBars();
    EXPECT_EQ(300, w.list.GetColumnWidth(0));
}

TEST(ListLayout, FillingColumnsGiveTheMainColumnTheRestButNeverLessThanTwenty)
{
    LayoutWindow w(LVS_REPORT | LVS_NOLABELWRAP, SEC_LVSX_FITCOLUMNS);
    w.AddColumns({100, 60, 40});
    w.Resize(250, 100);
    EXPECT_EQ(150, w.list.GetColumnWidth(0));
    w.Resize(90, 100); // 20 for the main column; the other 70 shared as 60 : 40
    EXPECT_EQ(20, w.list.GetColumnWidth(0));
    EXPECT_EQ(42, w.list.GetColumnWidth(1));
    EXPECT_EQ(28, w.list.GetColumnWidth(2));
    w.list.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(90, 100));
    EXPECT_EQ(20, w.list.GetColumnWidth(0)) << "refitting again changes nothing";
    w.Resize(10, 100);
    EXPECT_EQ(0, w.list.GetColumnWidth(0)) << "too narrow to share: empty, not negative";
}

// ---------------------------------------------------------------------------
// Input that is too small, empty or huge

TEST(ListLayout, WindowsWithoutRoomAnswerNeutrally)
{
    for (const CRect& rect : {CRect(0, 0, 0, 0), CRect(50, 50, 10, 10), CRect(0, 0, 120, 12)}) {
        LayoutWindow w(LVS_REPORT | LVS_NOLABELWRAP, SEC_LVSX_FITCOLUMNS, rect);
        ASSERT_NE(nullptr, w.list.m_hWnd);
        w.AddColumns({100, 50});
        w.AddRows(10);
        EXPECT_EQ(0, w.list.GetCountPerPage());
        EXPECT_LE(w.list.GetBottomIndex(), 0);
        EXPECT_TRUE(w.list.EnsureVisible(5));
        EXPECT_TRUE(w.list.EnsureRangeVisible(2, 6));
        EXPECT_GE(w.list.GetColumnWidth(0), 0);
        w.Wheel(-120);
        w.Scroll(WM_VSCROLL, SB_PAGEDOWN);
        w.Scroll(WM_HSCROLL, SB_RIGHT);
        EXPECT_GE(w.list.GetHorzOffset(), 0);
        EXPECT_TRUE(w.list.GetTopIndex() >= 0 && w.list.GetTopIndex() < 10);
        EXPECT_EQ(kHeader, w.Rect(w.list.GetTopIndex(), 0).top) << "rows start below the header, cut off or not";
    }
    LayoutWindow low(LVS_REPORT | LVS_NOLABELWRAP, 0, CRect(0, 0, 200, 12));
    low.AddColumns({100, 50});
    low.AddRows(4);
    UINT flags = 0;
    EXPECT_EQ(-1, low.Hit(30, 11, &flags));
    EXPECT_EQ(UINT(SEC_LVHT_ONHEADING), flags) << "a window lower than the header is all header";
}

TEST(ListLayout, NoColumnsAndZeroWidthColumns)
{
    LayoutWindow none;
    none.AddRows(5);
    UINT flags = 0;
    int col = 7;
    for (CPoint p : {CPoint(5, 5), CPoint(5, 30), CPoint(299, 199)}) {
        EXPECT_EQ(-1, none.list.HitTest(p, &flags, &col));
        EXPECT_EQ(UINT(SEC_LVHT_NOWHERE), flags);
        EXPECT_EQ(-1, col);
    }

    LayoutWindow w(LVS_REPORT | LVS_NOLABELWRAP, 0, CRect(0, 0, 400, 200));
    w.AddColumns({100, 0, 100});
    w.AddRows(2);
    w.Hit(100, 5, &flags, &col);
    EXPECT_EQ(UINT(SEC_LVHT_ONDIVIDER), flags);
    EXPECT_EQ(0, col) << "the boundary of both goes to the column on the left";
    w.Hit(106, 5, &flags, &col);
    EXPECT_EQ(2, col);
    w.Hit(150, 25, &flags, &col);
    EXPECT_EQ(2, col);
    EXPECT_EQ(0, w.Rect(0, 1).Width());
}

TEST(ListLayout, EmptyAndHugeTextsGetSensibleRowHeights)
{
    LayoutWindow w(LVS_REPORT); // wrapping rows
    w.AddColumns({120, 60});
    CString huge;
    for (int i = 0; i < 5000; ++i)
        huge += L"word ";
    for (LPCWSTR text : {L"Row", L"", static_cast<LPCWSTR>(huge)})
        w.list.InsertItem(w.list.GetItemCount(), text);
    w.list.UpdateScrollBars();
    const int line = w.list.GetItemHeight(0);
    EXPECT_GT(line, 0);
    EXPECT_EQ(line, w.list.GetItemHeight(1)) << "an empty row is one line high";
    EXPECT_GT(w.list.GetItemHeight(2), 10 * line) << "cut at the text buffer, but wrapped";
    EXPECT_TRUE(w.list.EnsureVisible(2));
    UINT flags = 0;
    EXPECT_EQ(2, w.list.HitTest(CPoint(10, w.Inside().top + 1), &flags));
    w.list.ModifyListStyle(0, LVS_NOLABELWRAP);
    w.list.ReMeasureAllItems();
    EXPECT_EQ(line, w.list.GetItemHeight(2)) << "single-line rows stay one line high";
}

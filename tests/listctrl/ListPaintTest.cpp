// Painting of the list, checked on pixels: the list draws itself into a memory
// bitmap (WM_PRINTCLIENT, the child scroll bars over it) and the tests look at
// points computed from its own layout. Also the themed header through a fake
// theme library, GDI hygiene, the unbuffered fallback, and PNG snapshots of
// representative states for people to look at.
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <vector>
#include "ListTestSupport.h"
#include "support/OwnerWindow.h"
#include "support/Snapshot.h"

namespace {
const UINT kListId = 320;
const UINT kVertBarId = 0xEA10;
const COLORREF kUnpainted = RGB(255, 0, 255); // what the bitmap holds where nothing drew
const COLORREF kImageColor = RGB(18, 154, 52); // solid colour of the test images
const COLORREF kImageColor2 = RGB(200, 40, 140);

class PaintList : public TestList
{
public:
    using SECListBaseC::m_nHotCol;
    bool failBuffer = false; // CreateMemDC fails as when no bitmap can be made
    int buffersMade = 0;     // off-screen buffers made

    SECMemDC* CreateMemDC(CDC* pDC, const CRect& rect) override
    {
        if (failBuffer)
            AfxThrowResourceException();
        SECMemDC* pMemDC = TestList::CreateMemDC(pDC, rect);
        if (pMemDC != nullptr)
            ++buffersMade;
        return pMemDC;
    }
};

// A list in an owner window; the owner is shown only when a test needs focus
// or real WM_PAINT messages.
struct PaintWindow
{
    OwnerWindow owner;
    PaintList list;

    explicit PaintWindow(DWORD style = LVS_REPORT | LVS_NOLABELWRAP, DWORD exStyle = 0,
                         const CRect& rect = CRect(0, 0, 300, 200))
    {
        list.Create(WS_CHILD | WS_VISIBLE | style, exStyle, rect, &owner, kListId);
    }
    void AddColumns(std::initializer_list<int> widths)
    {
        for (int width : widths)
            list.AddColumn(L"Head", LVCFMT_LEFT, width);
    }
    // Rows "Row", with a short text in the second column when there is one.
    void AddRows(int count, LPCWSTR text = L"Row", LPCWSTR subText = L"x")
    {
        for (int i = 0; i < count; ++i) {
            const int row = list.InsertItem(list.GetItemCount(), text);
            if (list.GetColumnCount() > 1 && subText != nullptr)
                SetCellText(row, 1, subText);
        }
        list.DeselectAllItems();
        list.SetFocusItem(-1);
        list.UpdateScrollBars();
    }
    void SetCellText(int row, int subItem, LPCWSTR text) { SetCell(list, row, subItem, text); }
    void Show()
    {
        owner.ShowWindow(SW_SHOWNOACTIVATE);
        owner.UpdateWindow();
    }
    void Focus(bool focus)
    {
        Show();
        if (focus) {
            list.SetFocus();
            ASSERT_EQ(list.m_hWnd, ::GetFocus());
        } else {
            ::SetFocus(owner.m_hWnd);
            ASSERT_NE(list.m_hWnd, ::GetFocus());
        }
    }
    CRect Client() const
    {
        CRect rect;
        list.GetClientRect(&rect);
        return rect;
    }
    CRect Inside() const
    {
        CRect rect;
        list.GetInsideRect(rect);
        return rect;
    }
    CRect Cell(int row, int col)
    {
        CRect rect;
        list.GetCellRect(row, col, rect, SECListBaseC::kCellWhole);
        return rect;
    }
    // A point of the cell away from its text: its right end, half-way down.
    CPoint Blank(int row, int col)
    {
        const CRect cell = Cell(row, col);
        return CPoint(cell.right - 3, cell.top + cell.Height() / 2);
    }
    std::unique_ptr<SnapshotBitmap> Render()
    {
        const CRect client = Client();
        auto bitmap = std::make_unique<SnapshotBitmap>(client.Width(), client.Height(), kUnpainted);
        RenderClient(list.m_hWnd, *bitmap);
        return bitmap;
    }
};

// An image list of 16 x 16 images, each one solid colour.
void AddSolidImages(CImageList& images, std::initializer_list<COLORREF> colors)
{
    images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 0);
    for (COLORREF color : colors) {
        HDC screen = ::GetDC(nullptr);
        HDC hdc = ::CreateCompatibleDC(screen);
        HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 16, 16);
        HGDIOBJ old = ::SelectObject(hdc, bitmap);
        HBRUSH brush = ::CreateSolidBrush(color);
        RECT all = {0, 0, 16, 16};
        ::FillRect(hdc, &all, brush);
        ::DeleteObject(brush);
        ::SelectObject(hdc, old);
        ::DeleteDC(hdc);
        ::ReleaseDC(nullptr, screen);
        images.Add(bitmap, RGB(255, 0, 255));
        ::DeleteObject(bitmap);
    }
}

// Leftmost x of a colour inside the rectangle; -1 when absent.
int LeftmostOf(const SnapshotBitmap& bitmap, const CRect& rect, COLORREF color)
{
    for (int x = rect.left; x < rect.right; ++x) {
        for (int y = rect.top; y < rect.bottom; ++y) {
            if (bitmap.Pixel(x, y) == color)
                return x;
        }
    }
    return -1;
}

// Number of pixels of the rectangle that differ from the colour.
int CountOther(const SnapshotBitmap& bitmap, const CRect& rect, COLORREF color)
{
    return rect.Width() * rect.Height() - bitmap.CountColor(rect, color);
}

bool SameImage(const SnapshotBitmap& a, const SnapshotBitmap& b, int dx = 0, int dy = 0)
{
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            if (a.Pixel(x, y) != b.Pixel(x + dx, y + dy))
                return false;
        }
    }
    return true;
}

COLORREF Sys(int index)
{
    return ::GetSysColor(index);
}
} // namespace

// ---------------------------------------------------------------------------
// Header band

TEST(ListPaint, HeaderBandIsFaceColouredWithAButtonPerHeading)
{
    PaintWindow w;
    w.AddColumns({100, 0, 80});
    w.AddRows(2);
    auto b = w.Render();
    const COLORREF face = Sys(COLOR_BTNFACE);
    EXPECT_EQ(face, b->Pixel(w.list.GetColumnLeft(0) + 3, 4));
    EXPECT_EQ(face, b->Pixel(w.list.GetColumnLeft(2) + 3, 4));
    EXPECT_EQ(face, b->Pixel(w.list.GetColumnRight(2) + 20, 4)) << "the band goes on past the last heading";
    // Each heading is a raised button: light top edge, dark bottom edge.
    EXPECT_NE(face, b->Pixel(50, 0));
    EXPECT_NE(face, b->Pixel(50, w.Inside().top - 1));
    EXPECT_GT(b->CountColor(CRect(0, 0, 100, 20), Sys(COLOR_BTNTEXT)), 0) << "heading text";
    EXPECT_EQ(Sys(COLOR_WINDOW), b->Pixel(w.Blank(1, 0)));
    EXPECT_EQ(0, b->CountColor(w.Client(), kUnpainted)) << "every pixel is painted";

    PaintWindow noHeader(LVS_REPORT | LVS_NOLABELWRAP | LVS_NOCOLUMNHEADER);
    noHeader.AddColumns({100, 80});
    noHeader.AddRows(2);
    auto plain = noHeader.Render();
    EXPECT_EQ(0, plain->CountColor(CRect(0, 0, 300, 20), face));
}

// A theme library that records what the header asks of it and paints each part
// in one colour.
class FakeTheme : public SECThemeApi
{
public:
    struct Part
    {
        int part;
        int state;
        CRect rect;
        bool operator==(const Part& o) const { return part == o.part && state == o.state && rect == o.rect; }
    };
    DWORD version = 600;        // common controls version reported
    std::vector<Part> parts;    // DrawThemeBackground calls
    std::vector<CString> opened; // class names opened
    std::vector<HWND> openedFor; // windows they were opened for
    int closed = 0;             // CloseThemeData calls
    static constexpr COLORREF kPartColor = RGB(1, 2, 3);

    BOOL IsThemeActive() override { return TRUE; }
    BOOL IsAppThemed() override { return TRUE; }
    DWORD GetCommonControlsVersion() override { return version; }
    HTHEME_SEC OpenThemeData(HWND hWnd, LPCWSTR pszClassList) override
    {
        opened.push_back(pszClassList);
        openedFor.push_back(hWnd);
        return reinterpret_cast<HTHEME_SEC>(0x5EC);
    }
    HRESULT CloseThemeData(HTHEME_SEC hTheme) override
    {
        closed += hTheme == reinterpret_cast<HTHEME_SEC>(0x5EC);
        return S_OK;
    }
    HRESULT DrawThemeBackground(HTHEME_SEC, HDC hdc, int iPartId, int iStateId, const RECT* pRect,
                                const RECT*) override
    {
        parts.push_back({iPartId, iStateId, *pRect});
        HBRUSH brush = ::CreateSolidBrush(kPartColor);
        ::FillRect(hdc, pRect, brush);
        ::DeleteObject(brush);
        return S_OK;
    }
};

// Installs a fake theme library for one scope.
struct ThemeScope
{
    explicit ThemeScope(SECThemeApi* pApi) { SECThemeApi::SetForTesting(pApi); }
    ~ThemeScope() { SECThemeApi::SetForTesting(nullptr); }
};

TEST(ListPaint, ThemedHeaderDrawsEachHeadingAndTheRestAsThemeParts)
{
    FakeTheme theme;
    ThemeScope scope(&theme);
    PaintWindow w;
    w.AddColumns({100, 0, 80});
    w.AddRows(2);
    w.list.m_nHotCol = 2;
    auto b = w.Render();

    ASSERT_EQ(1u, theme.opened.size());
    EXPECT_STREQ(L"HEADER", theme.opened[0]);
    EXPECT_EQ(w.owner.m_hWnd, theme.openedFor[0]) << "opened on the top-level window";
    EXPECT_EQ(1, theme.closed);
    // Headings as part 1 (the one of width 0 not at all, the hot one in state
    // 2), then the rest of the band up to 2 pixels past the client as part 3.
    const std::vector<FakeTheme::Part> expected = {
        {1, 1, CRect(0, 0, 100, 20)}, {1, 2, CRect(100, 0, 180, 20)}, {3, 1, CRect(180, 0, 302, 20)}};
    EXPECT_TRUE(expected == theme.parts);
    EXPECT_EQ(FakeTheme::kPartColor, b->Pixel(3, 4)) << "the parts are drawn where the heading is";

    theme.parts.clear();
    w.list.DrawHeaderItem(0, TRUE);
    ASSERT_EQ(1u, theme.parts.size());
    EXPECT_EQ(3, theme.parts[0].state) << "pressed";
    EXPECT_EQ(2, theme.closed);

    theme.parts.clear();
    theme.version = 581; // older common controls: classic buttons
    b = w.Render();
    EXPECT_TRUE(theme.parts.empty());
    EXPECT_EQ(2u, theme.opened.size()) << "not opened for classic drawing";
    EXPECT_EQ(Sys(COLOR_BTNFACE), b->Pixel(3, 4));
}

TEST(ListPaint, HeaderImagesNeedHeadingsWiderThan22Pixels)
{
    PaintWindow w;
    CImageList images;
    AddSolidImages(images, {kImageColor});
    w.list.SetImageList(&images, SECListBaseC::kImageHeader);
    w.list.AddColumn(L"Name", LVCFMT_LEFT, 100, -1, 0);
    w.list.AddColumn(L"", LVCFMT_LEFT, 22, -1, 0);
    w.list.AddColumn(L"Size", LVCFMT_RIGHT, 100, -1, 0);
    w.list.AddColumn(L"None", LVCFMT_LEFT, 60, -1, -1);
    w.AddRows(1);
    auto b = w.Render();
    auto heading = [&](int col) {
        return CRect(w.list.GetColumnLeft(col), 0, w.list.GetColumnRight(col), 20);
    };
    EXPECT_EQ(256, b->CountColor(heading(0), kImageColor));
    EXPECT_EQ(w.list.GetColumnLeft(0) + 6, LeftmostOf(*b, heading(0), kImageColor)) << "at the text's left";
    EXPECT_NE(kImageColor, b->Pixel(w.list.GetColumnLeft(0) + 6, 0));
    EXPECT_EQ(kImageColor, b->Pixel(w.list.GetColumnLeft(0) + 6, 1)) << "one pixel below the top";
    EXPECT_EQ(0, b->CountColor(heading(1), kImageColor));
    EXPECT_EQ(0, b->CountColor(heading(3), kImageColor));

    // Right alignment: the image stands 26 pixels left of the text's start.
    CClientDC dc(&w.list);
    HGDIOBJ old = dc.SelectObject(w.list.GetHeaderFont());
    const int textWidth = dc.GetTextExtent(L"Size", 4).cx;
    dc.SelectObject(old);
    EXPECT_EQ(256, b->CountColor(heading(2), kImageColor));
    EXPECT_EQ(w.list.GetColumnRight(2) - 6 - textWidth - 26, LeftmostOf(*b, heading(2), kImageColor));
}

// ---------------------------------------------------------------------------
// Rows

TEST(ListPaint, GridLinesUseTheShadowPen)
{
    const COLORREF shadow = Sys(COLOR_BTNSHADOW);
    PaintWindow both(LVS_REPORT | LVS_NOLABELWRAP, SEC_LVSX_HGRID | SEC_LVSX_VGRID);
    both.AddColumns({100, 80});
    both.AddRows(3);
    auto b = both.Render();
    for (int row = 0; row < 3; ++row) {
        const CRect cell = both.Cell(row, 0);
        EXPECT_EQ(shadow, b->Pixel(60, cell.bottom - 1)) << "row " << row;
        EXPECT_EQ(shadow, b->Pixel(both.list.GetColumnRight(0) - 1, cell.top + 1));
        EXPECT_EQ(shadow, b->Pixel(both.list.GetColumnRight(1) - 1, cell.top + 1));
    }

    PaintWindow vertical(LVS_REPORT | LVS_NOLABELWRAP, SEC_LVSX_VGRID);
    vertical.AddColumns({100, 80});
    vertical.AddRows(3);
    b = vertical.Render();
    EXPECT_EQ(Sys(COLOR_WINDOW), b->Pixel(60, vertical.Cell(0, 0).bottom - 1));
    EXPECT_EQ(shadow, b->Pixel(60, vertical.Cell(2, 0).bottom - 1)) << "the last row closes the grid";
    EXPECT_EQ(shadow, b->Pixel(99, vertical.Cell(0, 0).top + 1));

    PaintWindow none;
    none.AddColumns({100, 80});
    none.AddRows(3);
    b = none.Render();
    EXPECT_EQ(0, b->CountColor(none.Inside(), shadow));
}

TEST(ListPaint, SelectionColoursDependOnFocusFullRowAndTheShowSelectionStyle)
{
    const COLORREF highlight = Sys(COLOR_HIGHLIGHT);
    const COLORREF window = Sys(COLOR_WINDOW);
    const COLORREF inactive = Sys(COLOR_3DLIGHT);
    ASSERT_NE(window, inactive);
    {
        PaintWindow w;
        w.AddColumns({100, 100});
        w.AddRows(4);
        w.list.SelectItem(1, TRUE);
        w.Focus(true);
        auto b = w.Render();
        EXPECT_EQ(highlight, b->Pixel(w.Blank(1, 0)));
        EXPECT_EQ(window, b->Pixel(w.Blank(1, 1))) << "sub-items only with full-row selection";
        EXPECT_EQ(window, b->Pixel(w.Blank(2, 0)));
        EXPECT_GT(b->CountColor(w.Cell(1, 0), Sys(COLOR_HIGHLIGHTTEXT)), 0);

        w.Focus(false);
        b = w.Render();
        EXPECT_EQ(window, b->Pixel(w.Blank(1, 0))) << "unfocused without the style: as if unselected";
        w.list.SetDropHilightItem(2);
        b = w.Render();
        EXPECT_EQ(highlight, b->Pixel(w.Blank(2, 0))) << "the drop target shows selected anyway";
        EXPECT_EQ(window, b->Pixel(w.Blank(2, 1)));
    }
    {
        PaintWindow w(LVS_REPORT | LVS_NOLABELWRAP | LVS_SHOWSELALWAYS | LVS_EDITLABELS, SEC_LVSX_FULLROWSELECT);
        w.AddColumns({100, 100});
        w.AddRows(4);
        w.list.SelectItem(1, TRUE);
        w.Focus(true);
        auto b = w.Render();
        EXPECT_EQ(highlight, b->Pixel(w.Blank(1, 0)));
        EXPECT_EQ(highlight, b->Pixel(w.Blank(1, 1)));
        w.Focus(false);
        b = w.Render();
        EXPECT_EQ(inactive, b->Pixel(w.Blank(1, 0))) << "inactive selection";
        EXPECT_EQ(inactive, b->Pixel(w.Blank(1, 1)));
        EXPECT_EQ(window, b->Pixel(w.Blank(0, 0)));

        // The editor takes the focus, but the row keeps the active colours.
        if (w.list.EditLabel(1) != nullptr) {
            ASSERT_NE(w.list.m_hWnd, ::GetFocus());
            b = w.Render();
            EXPECT_EQ(highlight, b->Pixel(w.Blank(1, 1)));
            w.list.EndLabelEdit(FALSE);
        } else {
            ADD_FAILURE() << "no in-place editor opened";
        }
    }
}

TEST(ListPaint, DisabledListIsGreyOnTheDisabledBackground)
{
    PaintWindow w(LVS_REPORT | LVS_NOLABELWRAP | LVS_SHOWSELALWAYS, SEC_LVSX_FULLROWSELECT);
    w.AddColumns({100, 100});
    w.AddRows(3);
    w.list.SelectItem(1, TRUE);
    w.list.SetDropHilightItem(2);
    w.list.EnableWindow(FALSE);
    auto b = w.Render();
    const COLORREF disabled = Sys(COLOR_3DLIGHT);
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(disabled, b->Pixel(w.Blank(row, 0))) << "row " << row;
        EXPECT_EQ(disabled, b->Pixel(w.Blank(row, 1))) << "row " << row;
        EXPECT_GT(b->CountColor(w.Cell(row, 0), Sys(COLOR_GRAYTEXT)), 0) << "row " << row;
    }
    EXPECT_EQ(disabled, b->Pixel(10, w.Cell(2, 0).bottom + 5)) << "below the rows too";
    EXPECT_EQ(0, b->CountColor(w.Inside(), Sys(COLOR_HIGHLIGHT)));
}

TEST(ListPaint, FocusRectangleMarksTheFocusRowWithFullRowSelection)
{
    PaintWindow w(LVS_REPORT | LVS_NOLABELWRAP, SEC_LVSX_FULLROWSELECT);
    w.AddColumns({100, 100});
    w.AddRows(4, L"Row", nullptr); // empty second cells: nothing but the focus dots
    w.list.SetFocusItem(2);
    const COLORREF window = Sys(COLOR_WINDOW);
    CRect label;
    ASSERT_TRUE(w.list.GetItemRect(2, label, SECListBaseC::kCellLabel));
    const CRect row = w.Cell(2, 0);
    const CRect topLine(w.list.GetColumnLeft(1), row.top, w.list.GetColumnRight(1), row.top + 1);
    const CRect leftEdge(label.left - 3, row.top, label.left - 2, row.bottom);

    w.Focus(true);
    auto b = w.Render();
    EXPECT_GT(CountOther(*b, topLine, window), topLine.Width() / 3) << "dotted line along the row";
    EXPECT_GT(CountOther(*b, leftEdge, window), 0) << "the left edge is 3 pixels left of the label";
    EXPECT_EQ(0, CountOther(*b, CRect(label.left - 4, row.top + 1, label.left - 3, row.bottom - 1), window));
    const CRect other = w.Cell(1, 1);
    EXPECT_EQ(0, CountOther(*b, other, window)) << "only on the focus row";

    w.Focus(false);
    b = w.Render();
    EXPECT_EQ(0, CountOther(*b, topLine, window)) << "no focus, no rectangle";

    PaintWindow single(LVS_REPORT | LVS_NOLABELWRAP, SEC_LVSX_FULLROWSELECT);
    single.AddColumns({150});
    single.AddRows(3);
    single.list.SetFocusItem(1);
    single.Focus(true);
    b = single.Render();
    const CRect singleRow = single.Cell(1, 0);
    EXPECT_EQ(0, CountOther(*b, CRect(80, singleRow.top, 140, singleRow.top + 1), window)) << "one column: none";
}

TEST(ListPaint, ClippedTextEndsInAnEllipsisInSingleLineListsOnly)
{
    const LPCWSTR text = L"A rather long text that cannot fit into the column";
    for (bool singleLine : {true, false}) {
        PaintWindow w(LVS_REPORT | (singleLine ? LVS_NOLABELWRAP : 0));
        w.AddColumns({90, 100});
        w.AddRows(3, text);
        auto b = w.Render();
        // The same text drawn the same way by hand, into the same rectangle.
        const CRect cell = w.Cell(1, 0);
        const CRect rcText(cell.left + 6, cell.top, cell.right - 5, cell.bottom);
        SnapshotBitmap expected(b->Width(), b->Height(), Sys(COLOR_WINDOW));
        SnapshotBitmap withoutEllipsis(b->Width(), b->Height(), Sys(COLOR_WINDOW));
        for (SnapshotBitmap* target : {&expected, &withoutEllipsis}) {
            UINT flags = DT_WORDBREAK | DT_EXPANDTABS | DT_VCENTER | DT_NOPREFIX;
            if (singleLine)
                flags |= DT_SINGLELINE | (target == &expected ? DT_END_ELLIPSIS : 0);
            HGDIOBJ old = ::SelectObject(target->GetDC(), w.list.GetOwnerFont());
            ::SetTextColor(target->GetDC(), Sys(COLOR_WINDOWTEXT));
            ::SetBkMode(target->GetDC(), TRANSPARENT);
            CRect rect = rcText;
            ::DrawTextW(target->GetDC(), text, -1, &rect, flags);
            ::SelectObject(target->GetDC(), old);
        }
        bool same = true;
        bool sameAsCut = true;
        for (int y = rcText.top; y < rcText.bottom; ++y) {
            for (int x = rcText.left; x < rcText.right; ++x) {
                same = same && b->Pixel(x, y) == expected.Pixel(x, y);
                sameAsCut = sameAsCut && b->Pixel(x, y) == withoutEllipsis.Pixel(x, y);
            }
        }
        EXPECT_TRUE(same) << (singleLine ? "single-line" : "wrapping") << " text drawn differently";
        if (singleLine) {
            EXPECT_FALSE(sameAsCut) << "the ellipsis must make a difference";
        }
    }
}

TEST(ListPaint, RowImagesComeFromTheSmallImageListAndSurviveTheSelection)
{
    PaintWindow w;
    CImageList small;
    AddSolidImages(small, {kImageColor, kImageColor2});
    w.list.SetImageList(&small, SECListBaseC::kImageSmall);
    w.AddColumns({120, 80});
    for (int i = 0; i < 3; ++i)
        w.list.InsertItem(i, L"Row", i % 2);
    w.list.DeselectAllItems();
    w.list.SelectItem(2, TRUE);
    w.Focus(true);
    auto b = w.Render();
    for (int row = 0; row < 3; ++row) {
        CRect image;
        ASSERT_TRUE(w.list.GetItemRect(row, image, SECListBaseC::kCellImage));
        EXPECT_EQ(256, b->CountColor(image, row % 2 ? kImageColor2 : kImageColor)) << "row " << row;
    }
    EXPECT_EQ(Sys(COLOR_HIGHLIGHT), b->Pixel(w.Blank(2, 0))) << "the selected row around its image";

    PaintWindow noSmall;
    CImageList normal;
    AddSolidImages(normal, {kImageColor});
    noSmall.list.SetImageList(&normal, SECListBaseC::kImageNormal);
    noSmall.AddColumns({120, 80});
    noSmall.AddRows(3);
    b = noSmall.Render();
    EXPECT_EQ(0, b->CountColor(noSmall.Client(), kImageColor)) << "a report shows small images only";
}

// ---------------------------------------------------------------------------
// Scroll bars

TEST(ListPaint, BothScrollBarsLeaveAFaceColouredCornerSquare)
{
    PaintWindow w;
    w.AddColumns({250, 250});
    w.AddRows(40);
    ASSERT_TRUE(w.list.IsVertScrollBarShown());
    ASSERT_TRUE(w.list.IsHorzScrollBarShown());
    w.Show(); // a scroll bar draws itself only when shown
    auto b = w.Render();
    const CRect inside = w.Inside();
    const CRect client = w.Client();
    const CRect corner(inside.right + 1, inside.bottom + 1, client.right, client.bottom);
    ASSERT_FALSE(corner.IsRectEmpty());
    EXPECT_EQ(corner.Width() * corner.Height(), b->CountColor(corner, Sys(COLOR_BTNFACE)));
    EXPECT_EQ(0, b->CountColor(client, kUnpainted)) << "list, bars and corner cover the client area";

    // The paint tells the bar how many rows it walked, a partly shown one too.
    const int h = w.list.GetItemHeight(0);
    const int walked = (inside.Height() + h - 1) / h;
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    ::GetScrollInfo(::GetDlgItem(w.list.m_hWnd, kVertBarId), SB_CTL, &si);
    EXPECT_EQ(UINT(walked), si.nPage);
}

// ---------------------------------------------------------------------------
// Robustness of the pipeline

namespace {
// Live GDI objects of the process, counted by asking GetObjectType about every
// slot of the handle table (the platform accepts a bare slot number); 0 where
// it does not.
int LiveGdiObjects()
{
    int count = 0;
    for (ULONG_PTR slot = 1; slot < 0x10000; ++slot) {
        if (::GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0)
            ++count;
    }
    return count;
}
} // namespace

TEST(ListPaint, PaintingReleasesEveryGdiObjectItMakes)
{
    PaintWindow w(LVS_REPORT | LVS_NOLABELWRAP | LVS_SHOWSELALWAYS, SEC_LVSX_HGRID | SEC_LVSX_VGRID | SEC_LVSX_FULLROWSELECT);
    CImageList images;
    AddSolidImages(images, {kImageColor});
    w.list.SetImageList(&images, SECListBaseC::kImageSmall);
    w.list.SetImageList(&images, SECListBaseC::kImageHeader);
    w.list.AddColumn(L"Name", LVCFMT_LEFT, 150, -1, 0);
    w.list.AddColumn(L"Size", LVCFMT_RIGHT, 200, -1, 0);
    w.AddRows(40, L"A row with a text too long for its column");
    w.list.SelectItem(3, TRUE);
    w.list.SetFocusItem(3);
    w.Focus(true);
    auto paintAll = [&] {
        auto b = w.Render();
        ::RedrawWindow(w.list.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        w.list.DrawHeaderItem(0, TRUE);
        w.list.DrawHeaderItem(0, FALSE);
        delete w.list.CreateHeaderDragImage(1);
        w.list.DrawColumnInsertMark(1, CPoint(w.list.GetColumnRight(1) - 2, 5));
    };
    paintAll(); // shared brushes and pens are made on first use and kept
    SnapshotBitmap probe(10, 10);
    const HGDIOBJ font = ::GetCurrentObject(probe.GetDC(), OBJ_FONT);
    const HGDIOBJ brush = ::GetCurrentObject(probe.GetDC(), OBJ_BRUSH);
    const HGDIOBJ pen = ::GetCurrentObject(probe.GetDC(), OBJ_PEN);
    const HGDIOBJ bitmap = ::GetCurrentObject(probe.GetDC(), OBJ_BITMAP);
    const int buffers = w.list.buffersMade;
    const LONG wrappers = CGdiObject::GetLiveCount();
    const int handles = LiveGdiObjects();
    if (handles > 0) { // the census must see one more handle
        HBRUSH extra = ::CreateSolidBrush(kImageColor);
        EXPECT_EQ(handles + 1, LiveGdiObjects());
        ::DeleteObject(extra);
    }

    for (int i = 0; i < 60; ++i)
        paintAll();
    RenderClient(w.list.m_hWnd, probe);

    EXPECT_GE(w.list.buffersMade - buffers, 120) << "every paint went through a buffer";
    EXPECT_EQ(wrappers, CGdiObject::GetLiveCount());
    if (handles > 0) {
        EXPECT_EQ(handles, LiveGdiObjects()) << "GDI handles made while painting survived it";
    }
    EXPECT_EQ(font, ::GetCurrentObject(probe.GetDC(), OBJ_FONT)) << "the painted DC gets its objects back";
    EXPECT_EQ(brush, ::GetCurrentObject(probe.GetDC(), OBJ_BRUSH));
    EXPECT_EQ(pen, ::GetCurrentObject(probe.GetDC(), OBJ_PEN));
    EXPECT_EQ(bitmap, ::GetCurrentObject(probe.GetDC(), OBJ_BITMAP));
}

TEST(ListPaint, BufferThatCannotBeMadeLeavesTheSamePictureUnbuffered)
{
    PaintWindow w(LVS_REPORT | LVS_NOLABELWRAP, SEC_LVSX_HGRID | SEC_LVSX_FULLROWSELECT);
    w.AddColumns({150, 200});
    w.AddRows(40);
    w.list.SelectItem(2, TRUE);
    w.Focus(true);
    auto buffered = w.Render();
    ASSERT_GT(w.list.buffersMade, 0);

    const LONG exceptions = AfxGetLiveExceptionCount();
    w.list.failBuffer = true;
    auto direct = w.Render();
    EXPECT_TRUE(SameImage(*buffered, *direct));
    EXPECT_EQ(exceptions, AfxGetLiveExceptionCount()) << "the exception is deleted";
    w.list.failBuffer = false;

    // A DC whose origin is moved: the buffer lands where the list would draw.
    const CRect client = w.Client();
    SnapshotBitmap shifted(client.Width() + 30, client.Height() + 40, kUnpainted);
    ::SetViewportOrgEx(shifted.GetDC(), 30, 40, nullptr);
    RenderClient(w.list.m_hWnd, shifted);
    EXPECT_TRUE(SameImage(*buffered, shifted, 30, 40));
    EXPECT_EQ(30 * shifted.Height(), shifted.CountColor(CRect(0, 0, 30, shifted.Height()), kUnpainted));

    // Nothing to paint on at all.
    PaintWindow empty(LVS_REPORT, 0, CRect(0, 0, 0, 0));
    empty.AddColumns({100, 100});
    empty.AddRows(5);
    SnapshotBitmap tiny(1, 1);
    RenderClient(empty.list.m_hWnd, tiny);
    empty.list.SendMessage(WM_PRINTCLIENT, 0, PRF_CLIENT);
}

// ---------------------------------------------------------------------------
// Snapshots for people to look at

TEST(ListPaint, SnapshotsOfRepresentativeStates)
{
    enum { kFocus = 1, kDisabled = 2, kImages = 4, kWide = 8 };
    const DWORD report = LVS_REPORT | LVS_SHOWSELALWAYS | WS_BORDER;
    const struct
    {
        LPCWSTR name;
        DWORD style, exStyle;
        int rows, options;
    } cases[] = {
        {L"list-report", report, 0, 6, 0},
        {L"list-grid", report, SEC_LVSX_HGRID | SEC_LVSX_VGRID, 6, 0},
        {L"list-selection-focused", report, SEC_LVSX_FULLROWSELECT, 6, kFocus},
        {L"list-selection-unfocused", report, SEC_LVSX_FULLROWSELECT, 6, 0},
        {L"list-disabled", report, SEC_LVSX_HGRID, 6, kDisabled},
        {L"list-images", report | LVS_NOLABELWRAP, 0, 6, kFocus | kImages},
        {L"list-ellipsis", report | LVS_NOLABELWRAP, SEC_LVSX_VGRID, 6, 0},
        {L"list-wrapped-images", report, SEC_LVSX_HGRID, 6, kImages},
        {L"list-scroll-bars", report | LVS_NOLABELWRAP, SEC_LVSX_HGRID, 40, kFocus | kImages | kWide},
    };
    CImageList images;
    AddSolidImages(images, {kImageColor, kImageColor2});
    const std::wstring folder = SnapshotFolder();
    ASSERT_FALSE(folder.empty());
    for (const auto& c : cases) {
        PaintWindow w(c.style, c.exStyle, CRect(10, 10, 290, 170));
        const bool wide = (c.options & kWide) != 0;
        const int image = (c.options & kImages) ? 0 : -1;
        if (image == 0) {
            w.list.SetImageList(&images, SECListBaseC::kImageSmall);
            w.list.SetImageList(&images, SECListBaseC::kImageHeader);
        }
        w.list.AddColumn(L"Name", LVCFMT_LEFT, wide ? 200 : 130, -1, image);
        w.list.AddColumn(L"Size", LVCFMT_RIGHT, 70, -1, image);
        w.list.AddColumn(L"Kind", LVCFMT_LEFT, wide ? 160 : 70);
        for (int i = 0; i < c.rows; ++i) {
            CString text, size;
            text.Format(L"Item %d with a rather long name", i + 1);
            size.Format(L"%d KB", (i + 1) * 17);
            w.list.InsertItem(i, text, i % 2);
            w.SetCellText(i, 1, size);
            w.SetCellText(i, 2, i % 2 ? L"Folder" : L"Document");
        }
        w.list.DeselectAllItems();
        w.list.SelectItemRange(1, 2, TRUE);
        w.list.SetFocusItem(2);
        w.list.UpdateScrollBars();
        w.Focus((c.options & kFocus) != 0);
        w.list.EnableWindow((c.options & kDisabled) == 0);
        EXPECT_TRUE(SaveSnapshot(w.list.m_hWnd, c.name)) << std::wstring(c.name);
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW((folder + L"\\" + c.name + L".png").c_str()));
    }
}

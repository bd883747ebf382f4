// Painting of the list, checked on pixels: the list draws itself into a memory
// bitmap (WM_PRINTCLIENT, the child scroll bars over it) and the tests look at
// points computed from its own layout. Also the themed header through a fake
// theme library, GDI hygiene and the unbuffered fallback.
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>
#include "ListWindow.h"
#include "snapshot/Snapshot.h"
#include "support/ObjectCensus.h"
#include "support/SolidImages.h"

namespace {
const COLORREF kUnpainted = RGB(255, 0, 255); // what the bitmap holds where nothing drew
const COLORREF kImageColor = RGB(18, 154, 52); // solid colour of the test images
const COLORREF kImageColor2 = RGB(200, 40, 140);

// A list with rows of one text, nothing selected or focused.
struct PaintWindow : ListWindow
{
    explicit PaintWindow(DWORD style = kReport, DWORD exStyle = 0, int rows = 0, std::vector<int> widths = {100, 80},
                         LPCWSTR text = L"Row", const CRect& rect = CRect(0, 0, 300, 200))
        : ListWindow(style, 0, widths, rect)
    {
        list.SetListStyleEx(exStyle);
        Add(rows, text);
        list.DeselectAllItems();
        list.SetFocusItem(-1);
    }
    void Focus(bool focus) { ::SetFocus(focus ? list.m_hWnd : owner.m_hWnd); }
    CRect Client() const
    {
        CRect rect;
        list.GetClientRect(&rect);
        return rect;
    }
    // A point of the cell away from its text: its right end, half-way down.
    CPoint Blank(int row, int col) { return CPoint(Rect(row, col).right - 3, Rect(row, col).CenterPoint().y); }
    std::unique_ptr<SnapshotBitmap> Render()
    {
        auto bitmap = std::make_unique<SnapshotBitmap>(Client().Width(), Client().Height(), kUnpainted);
        RenderClient(list.m_hWnd, *bitmap);
        return bitmap;
    }
};

// Number of pixels of the rectangle that differ from the colour.
int CountOther(const SnapshotBitmap& bitmap, const CRect& rect, COLORREF color)
{
    return rect.Width() * rect.Height() - bitmap.CountColor(rect, color);
}

// Whether the pixels of a inside the area equal those of b shifted by dx, dy.
bool Same(const SnapshotBitmap& a, const SnapshotBitmap& b, const CRect& area, int dx = 0, int dy = 0)
{
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (a.Pixel(x, y) != b.Pixel(x + dx, y + dy))
                return false;
        }
    }
    return true;
}

COLORREF Sys(int index) { return ::GetSysColor(index); }

// The colours behind the main cell and the second cell of a row.
using Colors = std::pair<COLORREF, COLORREF>;
Colors RowColors(PaintWindow& w, int row)
{
    auto b = w.Render();
    return Colors(b->Pixel(w.Blank(row, 0)), b->Pixel(w.Blank(row, 1)));
}
} // namespace

// A theme library that records what the header asks of it and paints each part
// in one colour; installed while it lives.
class FakeTheme : public SECThemeApi
{
public:
    FakeTheme() { SECThemeApi::SetForTesting(this); }
    ~FakeTheme() override { SECThemeApi::SetForTesting(nullptr); }
    DWORD version = 600;            // common controls version reported
    std::vector<std::string> parts; // DrawThemeBackground calls: "part/state left-right"
    std::vector<CString> opened; // class names opened
    HWND openedFor = nullptr;    // window the last one was opened for
    int closed = 0;              // CloseThemeData calls
    static constexpr COLORREF kPartColor = RGB(1, 2, 3);

    BOOL IsThemeActive() override { return TRUE; }
    BOOL IsAppThemed() override { return TRUE; }
    DWORD GetCommonControlsVersion() override { return version; }
    HTHEME_SEC OpenThemeData(HWND hWnd, LPCWSTR pszClassList) override
    {
        opened.push_back(pszClassList);
        openedFor = hWnd;
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
        parts.push_back(std::to_string(iPartId) + "/" + std::to_string(iStateId) + " " + std::to_string(pRect->left) +
                        "-" + std::to_string(pRect->right) + (pRect->top == 0 && pRect->bottom == 20 ? "" : " ?"));
        ::SetDCBrushColor(hdc, kPartColor);
        ::FillRect(hdc, pRect, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
        return S_OK;
    }
};

TEST(ListPaint, HeaderBandIsFaceColouredWithAButtonPerHeadingOrDrawnAsThemeParts)
{
    PaintWindow w(kReport, 0, 2, {100, 0, 80});
    auto b = w.Render();
    const COLORREF face = Sys(COLOR_BTNFACE);
    for (int x : {3, w.list.GetColumnLeft(2) + 3, w.list.GetColumnRight(2) + 20}) // past the last heading too
        EXPECT_EQ(face, b->Pixel(x, 4)) << x;
    // Each heading is a raised button: light top edge, dark bottom edge.
    EXPECT_NE(face, b->Pixel(50, 0));
    EXPECT_NE(face, b->Pixel(50, w.Inside().top - 1));
    EXPECT_GT(b->CountColor(CRect(0, 0, 100, 20), Sys(COLOR_BTNTEXT)), 0) << "heading text";
    EXPECT_EQ(Sys(COLOR_WINDOW), b->Pixel(w.Blank(1, 0)));
    EXPECT_EQ(0, b->CountColor(w.Client(), kUnpainted)) << "every pixel is painted";
    PaintWindow noHeader(kReport | LVS_NOCOLUMNHEADER, 0, 2);
    EXPECT_EQ(0, noHeader.Render()->CountColor(CRect(0, 0, 300, 20), face));

    FakeTheme theme;
    w.list.m_nHotCol = 2;
    b = w.Render();
    EXPECT_EQ(std::vector<CString>{L"HEADER"}, theme.opened);
    EXPECT_EQ(w.owner.m_hWnd, theme.openedFor) << "opened on the top-level window";
    EXPECT_EQ(1, theme.closed);
    // Headings as part 1 (the one of width 0 not at all, the hot one in state
    // 2), then the rest of the band up to 2 pixels past the client as part 3,
    // all 20 pixels high.
    EXPECT_EQ((std::vector<std::string>{"1/1 0-100", "1/2 100-180", "3/1 180-302"}), theme.parts);
    EXPECT_EQ(FakeTheme::kPartColor, b->Pixel(3, 4)) << "the parts are drawn where the heading is";
    theme.parts.clear();
    w.list.DrawHeaderItem(0, TRUE);
    EXPECT_EQ(std::vector<std::string>{"1/3 0-100"}, theme.parts) << "pressed";
    EXPECT_EQ(2, theme.closed);

    theme.parts.clear();
    theme.version = 581; // older common controls: classic buttons, the theme not even opened
    EXPECT_EQ(Sys(COLOR_BTNFACE), w.Render()->Pixel(3, 4));
    EXPECT_TRUE(theme.parts.empty() && theme.opened.size() == 2u);
}

TEST(ListPaint, GridLinesUseTheShadowPen)
{
    const COLORREF shadow = Sys(COLOR_BTNSHADOW);
    PaintWindow both(kReport, SEC_LVSX_HGRID | SEC_LVSX_VGRID, 3);
    auto b = both.Render();
    for (int row = 0; row < 3; ++row) {
        const CRect cell = both.Rect(row, 0);
        for (CPoint p : {CPoint(60, cell.bottom - 1), CPoint(99, cell.top + 1), CPoint(179, cell.top + 1)})
            EXPECT_EQ(shadow, b->Pixel(p)) << p.x << ", " << p.y;
    }
    PaintWindow vertical(kReport, SEC_LVSX_VGRID, 3);
    b = vertical.Render();
    EXPECT_EQ(Sys(COLOR_WINDOW), b->Pixel(60, vertical.Rect(0, 0).bottom - 1));
    EXPECT_EQ(shadow, b->Pixel(60, vertical.Rect(2, 0).bottom - 1)) << "the last row closes the grid";
    PaintWindow none(kReport, 0, 3);
    EXPECT_EQ(0, none.Render()->CountColor(none.Inside(), shadow));
    // Filling columns: no divider to drag at the last column's right edge,
    // but the grid is closed there.
    PaintWindow filled(kReport, SEC_LVSX_VGRID | SEC_LVSX_FITCOLUMNS, 3);
    filled.list.FitColumnsToWidth();
    b = filled.Render();
    const int lastRight = filled.list.GetColumnRight(filled.list.GetColumnCount() - 1) - 1;
    EXPECT_EQ(shadow, b->Pixel(lastRight, filled.Rect(1, 0).top + 1));
}

TEST(ListPaint, SelectionColoursDependOnFocusFullRowTheShowSelectionStyleAndEnabling)
{
    const COLORREF hi = Sys(COLOR_HIGHLIGHT);
    const COLORREF window = Sys(COLOR_WINDOW);
    const COLORREF inactive = Sys(COLOR_3DLIGHT);
    ASSERT_NE(window, inactive);
    PaintWindow w(kReport, 0, 4, {100, 100});
    w.list.SelectItem(1, TRUE);
    w.Focus(true);
    EXPECT_EQ(Colors(hi, window), RowColors(w, 1)) << "sub-items only with full-row selection";
    EXPECT_EQ(Colors(window, window), RowColors(w, 2));
    EXPECT_GT(w.Render()->CountColor(w.Rect(1, 0), Sys(COLOR_HIGHLIGHTTEXT)), 0);
    w.Focus(false);
    w.list.SetDropHilightItem(2);
    EXPECT_EQ(Colors(window, window), RowColors(w, 1)) << "unfocused without the style: as if unselected";
    EXPECT_EQ(Colors(hi, window), RowColors(w, 2)) << "the drop target shows selected anyway";

    PaintWindow full(kReport | LVS_SHOWSELALWAYS | LVS_EDITLABELS, SEC_LVSX_FULLROWSELECT, 4, {100, 100});
    full.list.SelectItem(1, TRUE);
    SetCell(full.list, 1, 1, L"x"); // a cell without text keeps the row background
    full.Focus(true);
    EXPECT_EQ(Colors(hi, hi), RowColors(full, 1));
    full.Focus(false);
    EXPECT_EQ(Colors(inactive, inactive), RowColors(full, 1)) << "inactive selection";
    EXPECT_EQ(Colors(window, window), RowColors(full, 0));
    // The editor takes the focus, but the row keeps the active colours.
    ASSERT_NE(nullptr, full.list.EditLabel(1));
    ASSERT_EQ(full.Editor(), ::GetFocus());
    EXPECT_EQ(Colors(hi, hi), RowColors(full, 1));
    full.list.EndLabelEdit(FALSE);

    // Disabled: grey text on the disabled background, whatever the state.
    full.list.SetDropHilightItem(2);
    full.list.EnableWindow(FALSE);
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(Colors(inactive, inactive), RowColors(full, row)) << "row " << row;
        EXPECT_GT(full.Render()->CountColor(full.Rect(row, 0), Sys(COLOR_GRAYTEXT)), 0) << "row " << row;
    }
    auto b = full.Render();
    EXPECT_EQ(inactive, b->Pixel(10, full.Rect(3, 0).bottom + 5)) << "below the rows too";
    EXPECT_EQ(0, b->CountColor(full.Inside(), hi));
}

TEST(ListPaint, FocusRectangleMarksTheFocusRowWithFullRowSelection)
{
    PaintWindow w(kReport, SEC_LVSX_FULLROWSELECT, 4, {100, 100}); // empty second cells: only the focus dots
    w.list.SetFocusItem(2);
    const COLORREF window = Sys(COLOR_WINDOW);
    const CRect label = w.Rect(2, 0, SECListBaseC::kCellLabel);
    const CRect row = w.Rect(2, 0);
    const CRect topLine(100, row.top, 200, row.top + 1);
    w.Focus(true);
    auto b = w.Render();
    EXPECT_GT(CountOther(*b, topLine, window), topLine.Width() / 3) << "dotted line along the row";
    EXPECT_GT(CountOther(*b, CRect(label.left - 3, row.top, label.left - 2, row.bottom), window), 0)
        << "the left edge is 3 pixels left of the label";
    EXPECT_EQ(0, CountOther(*b, CRect(label.left - 4, row.top + 1, label.left - 3, row.bottom - 1), window));
    EXPECT_EQ(0, CountOther(*b, w.Rect(1, 1), window)) << "only on the focus row";
    w.Focus(false);
    EXPECT_EQ(0, CountOther(*w.Render(), topLine, window)) << "no focus, no rectangle";

    PaintWindow single(kReport, SEC_LVSX_FULLROWSELECT, 3, {150});
    single.list.SetFocusItem(1);
    single.Focus(true);
    const int top = single.Rect(1, 0).top;
    EXPECT_EQ(0, CountOther(*single.Render(), CRect(80, top, 140, top + 1), window)) << "one column: none";
}

TEST(ListPaint, ClippedTextEndsInAnEllipsisInSingleLineListsOnly)
{
    const LPCWSTR text = L"A rather long text that cannot fit into the column";
    for (bool singleLine : {true, false}) {
        PaintWindow w(LVS_REPORT | (singleLine ? LVS_NOLABELWRAP : 0), 0, 3, {90, 100}, text);
        auto b = w.Render();
        // The same text drawn the same way by hand, into the same rectangle,
        // with and without the ellipsis.
        const CRect cell = w.Rect(1, 0);
        const CRect rcText(cell.left + 6, cell.top, cell.right - 5, cell.bottom);
        bool same[2] = {};
        for (int ellipsis = 0; ellipsis < 2; ++ellipsis) {
            SnapshotBitmap expected(b->Width(), b->Height(), Sys(COLOR_WINDOW));
            const UINT flags = DT_WORDBREAK | DT_EXPANDTABS | DT_VCENTER | DT_NOPREFIX |
                               (singleLine ? DT_SINGLELINE | (ellipsis ? DT_END_ELLIPSIS : 0) : 0);
            ::SelectObject(expected.GetDC(), w.list.GetOwnerFont());
            ::SetTextColor(expected.GetDC(), Sys(COLOR_WINDOWTEXT));
            ::SetBkMode(expected.GetDC(), TRANSPARENT);
            CRect rect = rcText;
            ::DrawTextW(expected.GetDC(), text, -1, &rect, flags);
            same[ellipsis] = Same(*b, expected, rcText);
        }
        EXPECT_TRUE(same[1]) << (singleLine ? "single-line" : "wrapping") << " text drawn differently";
        EXPECT_TRUE(!singleLine || !same[0]) << "the ellipsis must make a difference";
    }
}

TEST(ListPaint, RowImagesComeFromTheSmallImageListAndSurviveTheSelection)
{
    PaintWindow w(kReport, 0, 0, {120, 80});
    CImageList small;
    AddSolidImages(small, {kImageColor, kImageColor2});
    w.list.SetImageList(&small, SECListBaseC::kImageSmall);
    for (int i = 0; i < 3; ++i)
        w.list.InsertItem(i, L"Row", i % 2);
    w.list.DeselectAllItems();
    w.list.SelectItem(2, TRUE);
    w.Focus(true);
    auto b = w.Render();
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(256, b->CountColor(w.Rect(row, 0, SECListBaseC::kCellImage), row % 2 ? kImageColor2 : kImageColor));
    EXPECT_EQ(Sys(COLOR_HIGHLIGHT), b->Pixel(w.Blank(2, 0))) << "the selected row around its image";
    w.list.SetImageList(nullptr, SECListBaseC::kImageSmall);
    w.list.SetImageList(&small, SECListBaseC::kImageNormal);
    EXPECT_EQ(0, w.Render()->CountColor(w.Client(), kImageColor)) << "a report shows small images only";
}

TEST(ListPaint, PaintingReleasesEveryGdiObjectItMakes)
{
    PaintWindow w(kReport | LVS_SHOWSELALWAYS, SEC_LVSX_HGRID | SEC_LVSX_VGRID | SEC_LVSX_FULLROWSELECT, 0, {});
    CImageList images;
    AddSolidImages(images, {kImageColor});
    w.list.SetImageList(&images, SECListBaseC::kImageSmall);
    w.list.SetImageList(&images, SECListBaseC::kImageHeader);
    w.list.AddColumn(L"Name", LVCFMT_LEFT, 150, -1, 0);
    w.list.AddColumn(L"Size", LVCFMT_RIGHT, 200, -1, 0);
    w.Add(40, L"A row with a text too long for its column");
    w.list.FocusAndSelectItem(3, TRUE);
    w.Focus(true);
    auto paintAll = [&] {
        w.Render();
        ::RedrawWindow(w.list.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        w.list.DrawHeaderItem(0, TRUE);
        w.list.DrawHeaderItem(0, FALSE);
        delete w.list.CreateHeaderDragImage(1);
        w.list.DrawColumnInsertMark(1, CPoint(w.list.GetColumnRight(1) - 2, 5));
    };
    paintAll(); // shared brushes and pens are made on first use and kept
    SnapshotBitmap probe(10, 10);
    auto selected = [&] {
        std::vector<HGDIOBJ> objects;
        for (UINT kind : {OBJ_FONT, OBJ_BRUSH, OBJ_PEN, OBJ_BITMAP})
            objects.push_back(::GetCurrentObject(probe.GetDC(), kind));
        return objects;
    };
    const std::vector<HGDIOBJ> before = selected();
    const int buffers = w.list.buffersMade;
    const ObjectCensus census = ObjectCensus::Take(); // (the leak test proves it sees one more)
    for (int i = 0; i < 60; ++i)
        paintAll();
    RenderClient(w.list.m_hWnd, probe);
    // Paints of the screen go through a buffer; paints into a bitmap need none.
    EXPECT_GE(w.list.buffersMade - buffers, 60) << "every paint of the screen went through a buffer";
    EXPECT_TRUE(census.NoneGrewIn(ObjectCensus::Take())) << "GDI objects made while painting survived it";
    EXPECT_EQ(before, selected()) << "the painted DC gets its objects back";
}

TEST(ListPaint, TheBufferKeptBetweenPaintsPutsAPartialRepaintWhereItBelongs)
{
    PaintWindow w(kReport, SEC_LVSX_FULLROWSELECT, 30, {150, 100});
    w.Focus(true);
    auto screen = [&] {
        auto bitmap = std::make_unique<SnapshotBitmap>(w.Client().Width(), w.Client().Height(), kUnpainted);
        HDC hdc = ::GetDC(w.list.m_hWnd);
        ::BitBlt(bitmap->GetDC(), 0, 0, bitmap->Width(), bitmap->Height(), hdc, 0, 0, SRCCOPY);
        ::ReleaseDC(w.list.m_hWnd, hdc);
        return bitmap;
    };
    ::RedrawWindow(w.list.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); // the whole page: the kept buffer's size
    const int buffers = w.list.buffersMade;
    w.list.SelectItem(7, TRUE); // one row further down repaints through the larger buffer
    w.list.UpdateWindow();
    ASSERT_GT(w.list.buffersMade, buffers);
    const auto partial = screen();
    EXPECT_EQ(Sys(COLOR_HIGHLIGHT), partial->Pixel(w.Blank(7, 0)));
    w.list.failBuffer = true; // the same page straight to the screen
    ::RedrawWindow(w.list.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(Same(*partial, *screen(), w.Client()));
    w.list.failBuffer = false;
}

TEST(ListPaint, PictureWithBothBarsHasACornerSquareAndIsTheSameWhenNoBufferCanBeMade)
{
    PaintWindow w(kReport, SEC_LVSX_HGRID | SEC_LVSX_FULLROWSELECT, 40, {150, 200});
    w.list.SelectItem(2, TRUE);
    w.Focus(true);
    auto picture = w.Render();
    const CRect corner(w.Inside().right + 1, w.Inside().bottom + 1, w.Client().right, w.Client().bottom);
    ASSERT_FALSE(corner.IsRectEmpty()) << "both bars shown";
    EXPECT_EQ(corner.Width() * corner.Height(), picture->CountColor(corner, Sys(COLOR_BTNFACE)));
    EXPECT_EQ(0, picture->CountColor(w.Client(), kUnpainted)) << "list, bars and corner cover the client area";
    const LONG exceptions = AfxGetLiveExceptionCount();
    w.list.failBuffer = true;
    EXPECT_TRUE(Same(*picture, *w.Render(), w.Client()));
    EXPECT_EQ(exceptions, AfxGetLiveExceptionCount()) << "the exception is deleted";
    w.list.failBuffer = false;

    // A DC whose origin is moved: the picture lands where the list would draw.
    SnapshotBitmap shifted(w.Client().Width() + 30, w.Client().Height() + 40, kUnpainted);
    ::SetViewportOrgEx(shifted.GetDC(), 30, 40, nullptr);
    RenderClient(w.list.m_hWnd, shifted);
    EXPECT_TRUE(Same(*picture, shifted, w.Client(), 30, 40));
    EXPECT_EQ(30 * shifted.Height(), shifted.CountColor(CRect(0, 0, 30, shifted.Height()), kUnpainted));

    // Nothing to paint on at all.
    PaintWindow empty(LVS_REPORT, 0, 5, {100, 100}, L"Row", CRect(0, 0, 0, 0));
    SnapshotBitmap tiny(1, 1);
    RenderClient(empty.list.m_hWnd, tiny);
    empty.list.SendMessage(WM_PRINTCLIENT, 0, PRF_CLIENT);
}

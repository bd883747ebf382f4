// The list as a document view in a real frame: the print protocol driven into
// page bitmaps (a printing memory DC), print preview, the commands through
// the frame, and the bad cases (no printer, a page lower than a row, no rows,
// a job cancelled half way, the view destroyed while previewing).
#include <gtest/gtest.h>
#include <cwchar>
#include <map>
#include <vector>
#include "framework/Framework.h"
#include "listctrl/SECListView.h"
#include "snapshot/Snapshot.h"
#include "support/ObjectCensus.h"

namespace {
// A list view that records which rows each page drew.
class RecordingListView : public SECListView
{
public:
    using SECListView::m_hFont;
    std::map<UINT, std::vector<int>> rowsByPage; // page number -> rows drawn on it, in order
    int rowsDrawn = 0;                           // all DrawRow calls, screen included

    void DrawRow(SECListPaintContext* pContext, int nItem, SECListItem* pItem, const CRect& rcRow) override
    {
        ++rowsDrawn;
        if (pContext->m_pDC->IsPrinting())
            rowsByPage[GetPrintPage()].push_back(nItem);
        SECListView::DrawRow(pContext, nItem, pItem, rcRow);
    }
};

int ScreenDpi()
{
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

bool HasPrinter()
{
    CPrintDialog dialog(FALSE);
    return dialog.GetDefaults() != FALSE;
}

// A frame with one list view of rows "Row 0".. in two columns.
struct ViewWindow
{
    CDocument doc;
    RecordingListView view;
    CFrameWnd frame;

    explicit ViewWindow(int rows)
    {
        view.ModifyListStyle(0, LVS_REPORT, FALSE);
        CCreateContext context;
        context.m_pNewView = &view;
        context.m_pCurrentDoc = &doc;
        frame.Create(nullptr, L"List view", WS_OVERLAPPEDWINDOW, CRect(0, 0, 420, 300), nullptr, nullptr, 0,
                     &context);
        view.InsertColumn(0, L"Name", LVCFMT_LEFT, 150);
        view.InsertColumn(1, L"Size", LVCFMT_RIGHT, 100);
        for (int i = 0; i < rows; ++i) {
            wchar_t text[32];
            std::swprintf(text, 32, L"Row %d", i);
            view.InsertItem(i, text);
            std::swprintf(text, 32, L"%d KB", 4 * (i + 1));
            LVITEMW cell{};
            cell.mask = LVIF_TEXT | LVIF_DI_SETITEM;
            cell.iItem = i;
            cell.iSubItem = 1;
            cell.pszText = text;
            view.SetItem(&cell);
        }
        frame.InitialUpdateFrame(&doc, FALSE);
        frame.ShowWindow(SW_SHOWNOACTIVATE); // other test programs keep the foreground
    }
    int RowHeight()
    {
        return view.GetItemHeight(0) + view.GetRowSpacing();
    }
    // A page on which exactly nRows rows fit under the header.
    int PageHeightFor(int nRows)
    {
        // The rows area reaches one pixel past the page's last line.
        return view.GetHeaderHeight() + nRows * RowHeight() - 1;
    }
};

// Whether the page's band [top, bottom) holds anything but white.
bool Inked(const CPageBitmapDC& dc, int page, int left, int top, int right, int bottom)
{
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (dc.GetPagePixel(page, x, y) != RGB(255, 255, 255))
                return true;
    return false;
}

void SavePage(const CPageBitmapDC& dc, int page, const wchar_t* name)
{
    const CSize size = dc.GetPageSize();
    SnapshotBitmap bitmap(size.cx, size.cy);
    HDC source = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(source, dc.GetPage(page));
    ::BitBlt(bitmap.GetDC(), 0, 0, size.cx, size.cy, source, 0, 0, SRCCOPY);
    ::SelectObject(source, old);
    ::DeleteDC(source);
    EXPECT_TRUE(WritePng(bitmap, SnapshotFolder() + L"\\" + name + L".png"));
}

// A job that stops at page nStop (its EndPage fails, as when cancelled).
class CancellingPages : public CPageBitmapDC
{
public:
    CancellingPages(int cx, int cy, int nStop) : CPageBitmapDC(cx, cy, ScreenDpi(), TRUE), m_nStop(nStop) {}
    BOOL EndPage(CDC* pDC) override { return ++m_nEnded < m_nStop && CPageBitmapDC::EndPage(pDC); }

private:
    int m_nStop;
    int m_nEnded = 0;
};
} // namespace

TEST(ListViewPrint, ThreePagesRepeatTheHeaderAndSplitRowsByTheArithmetic)
{
    ViewWindow w(25);
    ASSERT_NE(nullptr, w.view.m_hWnd);
    const int rowHeight = w.RowHeight();
    CPageBitmapDC dc(300, w.PageHeightFor(10), ScreenDpi(), TRUE);
    CPrintInfo info;
    ASSERT_TRUE(w.view.PrintPages(&dc, &info, &dc));

    ASSERT_EQ(3, dc.GetPageCount());
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}), w.view.rowsByPage[1]);
    EXPECT_EQ(10, w.view.rowsByPage[2].front());
    EXPECT_EQ(19, w.view.rowsByPage[2].back());
    EXPECT_EQ((std::vector<int>{20, 21, 22, 23, 24}), w.view.rowsByPage[3]);
    const int header = w.view.GetHeaderHeight();
    for (int page = 0; page < 3; ++page) {
        // The heading face inside the push-button frame, on every page.
        EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), dc.GetPagePixel(page, 3, header / 2)) << page;
        EXPECT_TRUE(Inked(dc, page, 6, header + 1, 140, header + rowHeight - 1)) << page;
    }
    // The last page's text ends with its fifth row.
    EXPECT_TRUE(Inked(dc, 2, 6, header + 4 * rowHeight, 140, header + 5 * rowHeight));
    EXPECT_FALSE(Inked(dc, 2, 6, header + 5 * rowHeight, 140, header + 9 * rowHeight));
    for (int page = 0; page < 3; ++page) {
        wchar_t name[32];
        std::swprintf(name, 32, L"list-view-page-%d", page + 1);
        SavePage(dc, page, name);
    }
}

TEST(ListViewPrint, AfterPrintingTheWindowShowsWhatItShowedBefore)
{
    ViewWindow w(40);
    CPageBitmapDC dc(300, w.PageHeightFor(12), ScreenDpi(), TRUE);
    ASSERT_TRUE(w.view.SetTopIndex(7));
    const HFONT hFont = w.view.m_hFont;
    CPrintInfo info;
    ASSERT_TRUE(w.view.PrintPages(&dc, &info, &dc));
    EXPECT_EQ(4, dc.GetPageCount());
    EXPECT_EQ(7, w.view.GetTopIndex());
    EXPECT_EQ(hFont, w.view.m_hFont);
    EXPECT_FALSE(w.view.IsPrinting());
    EXPECT_TRUE(w.view.GetPageRect().IsRectEmpty());
    // The screen paints again, from the same top row.
    w.view.rowsDrawn = 0;
    w.view.rowsByPage.clear();
    w.view.RedrawWindow();
    EXPECT_GT(w.view.rowsDrawn, 0);
    CRect rect;
    ASSERT_TRUE(w.view.GetItemRect(7, rect, 0));
    EXPECT_EQ(w.view.GetHeaderHeight(), rect.top);
}

TEST(ListViewPrint, ShortListsAndEmptyListsPrintOnePage)
{
    for (int rows : {0, 3}) {
        ViewWindow w(rows);
        CPageBitmapDC dc(300, w.PageHeightFor(10), ScreenDpi(), TRUE);
        CPrintInfo info;
        EXPECT_TRUE(w.view.PrintPages(&dc, &info, &dc));
        EXPECT_EQ(1, dc.GetPageCount()) << rows;
        EXPECT_EQ(static_cast<size_t>(rows), w.view.rowsByPage[1].size());
        EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), dc.GetPagePixel(0, 3, w.view.GetHeaderHeight() / 2));
    }
}

TEST(ListViewPrint, APageLowerThanARowStillPrintsEveryRowOnePerPage)
{
    ViewWindow w(4);
    CPageBitmapDC dc(300, w.view.GetHeaderHeight() + 3, ScreenDpi(), TRUE);
    CPrintInfo info;
    EXPECT_TRUE(w.view.PrintPages(&dc, &info, &dc));
    EXPECT_EQ(4, dc.GetPageCount());
    EXPECT_EQ(std::vector<int>{3}, w.view.rowsByPage[4]);
}

TEST(ListViewPrint, ACancelledJobStopsAndRestoresTheList)
{
    ViewWindow w(30);
    CancellingPages dc(300, w.PageHeightFor(10), 2);
    ASSERT_TRUE(w.view.SetTopIndex(5));
    CPrintInfo info;
    EXPECT_FALSE(w.view.PrintPages(&dc, &info, &dc));
    EXPECT_EQ(1, dc.GetPageCount());
    EXPECT_EQ(0u, w.view.rowsByPage.count(3));
    EXPECT_FALSE(w.view.IsPrinting());
    EXPECT_EQ(5, w.view.GetTopIndex());
}

TEST(ListViewPrint, PreviewJumpsToPageThreeAndTheFrameRoutesItsCommands)
{
    ViewWindow w(200);
    ASSERT_TRUE(w.view.SetTopIndex(11));
    // The menu command reaches the view through the frame.
    w.frame.SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW, 0);
    CPrintPreviewWnd* pPreview = w.view.GetPrintPreview();
    ASSERT_NE(nullptr, pPreview);
    EXPECT_TRUE(w.view.IsPrinting());
    const UINT pages = pPreview->GetPageCount();
    EXPECT_EQ(static_cast<UINT>(SECListPages::CountPages(w.view.GetPageGeometry())), pages);
    ASSERT_GE(pages, 3u);
    EXPECT_EQ(1u, pPreview->GetCurrentPage());
    EXPECT_EQ(0, w.view.GetTopIndex());

    pPreview->GoToPage(3);
    EXPECT_EQ(3u, w.view.GetPrintPage());
    EXPECT_EQ(SECListPages::PageTop(w.view.GetPageGeometry(), 3), w.view.GetTopIndex());
    EXPECT_EQ(w.view.GetTopIndex(), w.view.rowsByPage[3].front());
    // A job asked for meanwhile is refused and leaves the preview as it was.
    CPageBitmapDC other(300, 200, ScreenDpi(), TRUE);
    CPrintInfo otherInfo;
    EXPECT_FALSE(w.view.PrintPages(&other, &otherInfo, &other));
    EXPECT_EQ(0, other.GetPageCount());
    EXPECT_TRUE(w.view.IsPrinting());
    EXPECT_EQ(3u, w.view.GetPrintPage());
    // The screen is not painted while the pages are laid out.
    w.view.rowsDrawn = 0;
    w.view.RedrawWindow();
    EXPECT_EQ(0, w.view.rowsDrawn);
    // Previous, from the preview's own button.
    pPreview->SendMessage(WM_COMMAND, CPrintPreviewWnd::kIdPrevious, 0);
    EXPECT_EQ(2u, pPreview->GetCurrentPage());
    SnapshotBitmap picture(640, 720);
    RenderWindow(pPreview->m_hWnd, picture);
    WritePng(picture, SnapshotFolder() + L"\\list-view-preview.png");

    pPreview->SendMessage(WM_COMMAND, CPrintPreviewWnd::kIdClose, 0);
    EXPECT_EQ(nullptr, w.view.GetPrintPreview());
    EXPECT_FALSE(w.view.IsPrinting());
    EXPECT_EQ(11, w.view.GetTopIndex());
}

TEST(ListViewPrint, WithoutAPrinterPrintingDoesNothing)
{
    if (HasPrinter())
        GTEST_SKIP() << "a printer is installed";
    ViewWindow w(10);
    w.frame.SendMessage(WM_COMMAND, ID_FILE_PRINT, 0);
    EXPECT_TRUE(w.view.rowsByPage.empty());
    EXPECT_FALSE(w.view.IsPrinting());
    CPrintInfo info;
    EXPECT_FALSE(w.view.DoPreparePrinting(&info));
}

TEST(ListViewPrint, BadJobsAndDestroyingTheViewWhilePreviewingLeaveNothingBehind)
{
    const auto cycle = [](bool destroyFrame) {
        ViewWindow w(120);
        // A job cancelled half way, one on a page lower than a row, and
        // (without a printer) one that never starts, before the preview.
        CancellingPages cancelled(300, w.PageHeightFor(20), 3);
        CPrintInfo info;
        w.view.PrintPages(&cancelled, &info, &cancelled);
        CPageBitmapDC low(200, 5, ScreenDpi(), FALSE);
        CPrintInfo lowInfo;
        w.view.PrintPages(&low, &lowInfo, &low);
        if (!HasPrinter())
            w.frame.SendMessage(WM_COMMAND, ID_FILE_PRINT, 0);
        w.view.OnFilePrintPreview();
        CPrintPreviewWnd* pPreview = w.view.GetPrintPreview();
        if (pPreview == nullptr)
            return false;
        const HWND hPreview = pPreview->m_hWnd;
        pPreview->GoToPage(2);
        if (destroyFrame)
            w.frame.DestroyWindow();
        else
            w.view.DestroyWindow();
        return !::IsWindow(hPreview) && w.view.GetPrintPreview() == nullptr && !w.view.IsPrinting();
    };
    ASSERT_TRUE(cycle(true)); // shared objects made on first use
    const ObjectCensus before = ObjectCensus::Take();
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(cycle(i % 2 == 0));
    }
    const ObjectCensus after = ObjectCensus::Take();
    EXPECT_TRUE(before.NoneGrewIn(after)) << before.Describe() << " -> " << after.Describe();
}

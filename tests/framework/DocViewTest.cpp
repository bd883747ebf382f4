// The document view layer: documents and their views, a frame that lays out
// and routes commands to its view, and the print protocol's default steps
// driven into page bitmaps.
#include <gtest/gtest.h>
#include <vector>
#include "framework/Framework.h"

namespace {
const UINT kIdTestCommand = 0x8001;

// A view that fills its page (or window) with one colour and counts calls.
class PlainView : public CView
{
public:
    COLORREF color = RGB(0, 0, 200);
    int updates = 0;              // OnUpdate calls
    int commands = 0;             // kIdTestCommand handled
    UINT pages = 0xFFFF;          // maximum page set at OnBeginPrinting
    std::vector<UINT> printed;    // pages drawn
    std::vector<CRect> drawAreas; // CPrintInfo::m_rectDraw of each page

    void OnDraw(CDC* pDC) override
    {
        CRect rect(10, 10, 40, 30);
        pDC->FillSolidRect(&rect, color);
    }
    void OnBeginPrinting(CDC*, CPrintInfo* pInfo) override { pInfo->SetMaxPage(pages); }
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override
    {
        printed.push_back(pInfo->m_nCurPage);
        drawAreas.push_back(pInfo->m_rectDraw);
        CView::OnPrint(pDC, pInfo);
    }
    void OnCommandTest() { ++commands; }

protected:
    void OnUpdate(CView*, LPARAM, CObject*) override { ++updates; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PlainView, CView)
    ON_COMMAND(kIdTestCommand, &PlainView::OnCommandTest)
END_MESSAGE_MAP()
} // namespace

TEST(DocView, ADocumentTellsItsOtherViewsAndForgetsThemWhenItGoes)
{
    PlainView first;
    PlainView second;
    {
        CDocument doc;
        doc.AddView(&first);
        doc.AddView(&second);
        doc.AddView(&first); // once only
        EXPECT_EQ(2, doc.GetViewCount());
        std::vector<CView*> seen;
        for (POSITION pos = doc.GetFirstViewPosition(); pos != nullptr;)
            seen.push_back(doc.GetNextView(pos));
        EXPECT_EQ((std::vector<CView*>{&first, &second}), seen);
        doc.UpdateAllViews(&first);
        EXPECT_EQ(0, first.updates);
        EXPECT_EQ(1, second.updates);
        doc.RemoveView(&second);
        EXPECT_EQ(nullptr, second.GetDocument());
        EXPECT_EQ(&doc, first.GetDocument());
    }
    EXPECT_EQ(nullptr, first.GetDocument());
}

TEST(DocView, TheFrameMakesItsViewFillsItAndGivesItTheCommands)
{
    CDocument doc;
    PlainView view;
    CFrameWnd frame;
    CCreateContext context;
    context.m_pNewView = &view;
    context.m_pCurrentDoc = &doc;
    ASSERT_TRUE(frame.Create(nullptr, L"Frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200), nullptr, nullptr, 0,
                             &context));
    doc.SetTitle(L"Document");
    frame.InitialUpdateFrame(&doc, FALSE);
    frame.ShowWindow(SW_SHOWNOACTIVATE); // other test programs keep the foreground
    EXPECT_EQ(&doc, view.GetDocument());
    EXPECT_EQ(&view, frame.GetActiveView());
    EXPECT_EQ(1, view.updates);
    EXPECT_EQ(AFX_IDW_PANE_FIRST, view.GetDlgCtrlID());
    CString title;
    frame.GetWindowText(title);
    EXPECT_EQ(CString(L"Document"), title);

    frame.MoveWindow(0, 0, 400, 260);
    CRect client;
    frame.GetClientRect(&client);
    CRect pane;
    view.GetWindowRect(&pane);
    frame.ScreenToClient(&pane);
    EXPECT_EQ(client, pane);

    frame.SendMessage(WM_COMMAND, kIdTestCommand, 0);
    EXPECT_EQ(1, view.commands);
    view.DestroyWindow();
    EXPECT_EQ(nullptr, frame.GetActiveView());
    frame.SendMessage(WM_COMMAND, kIdTestCommand, 0); // no view: nothing
    EXPECT_EQ(1, view.commands);
}

TEST(DocView, AViewOfUnknownLengthPrintsOnePageAndOneThatKnowsPrintsThemAll)
{
    CDocument doc;
    PlainView view;
    CFrameWnd frame;
    CCreateContext context;
    context.m_pNewView = &view;
    ASSERT_TRUE(frame.Create(nullptr, L"Frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200), nullptr, nullptr, 0,
                             &context));
    {
        CPageBitmapDC dc(120, 80, 96, TRUE);
        CPrintInfo info;
        EXPECT_TRUE(view.PrintPages(&dc, &info, &dc));
        EXPECT_EQ(1, dc.GetPageCount());
        EXPECT_EQ(CRect(0, 0, 120, 80), view.drawAreas.at(0));
    }
    view.printed.clear();
    view.pages = 3;
    CPageBitmapDC dc(120, 80, 96, TRUE);
    CPrintInfo info;
    EXPECT_TRUE(view.PrintPages(&dc, &info, &dc));
    EXPECT_EQ((std::vector<UINT>{1, 2, 3}), view.printed);
    ASSERT_EQ(3, dc.GetPageCount());
    // Each page starts white; the view's drawing is on it.
    EXPECT_EQ(RGB(255, 255, 255), dc.GetPagePixel(2, 5, 5));
    EXPECT_EQ(RGB(0, 0, 200), dc.GetPagePixel(2, 20, 20));
    EXPECT_EQ(CLR_INVALID, dc.GetPagePixel(3, 20, 20));
    EXPECT_EQ(CLR_INVALID, dc.GetPagePixel(0, 120, 20));
}

TEST(DocView, APageContextDescribesThePageNotTheScreen)
{
    CPageBitmapDC dc(850, 1100, 100, FALSE);
    ASSERT_TRUE(dc.IsValid());
    EXPECT_TRUE(dc.IsPrinting());
    EXPECT_EQ(850, dc.GetDeviceCaps(HORZRES));
    EXPECT_EQ(1100, dc.GetDeviceCaps(VERTRES));
    EXPECT_EQ(100, dc.GetDeviceCaps(LOGPIXELSY));
    EXPECT_EQ(216, dc.GetDeviceCaps(HORZSIZE)); // 8.5 inches in millimetres
    // A caller's printer DC is taken as it is: no dialog, no default printer.
    PlainView view;
    CPrintInfo info;
    info.m_pPD->m_pd.hDC = ::CreateCompatibleDC(nullptr);
    EXPECT_TRUE(view.DoPreparePrinting(&info));
    EXPECT_FALSE(view.PrintPages(nullptr, &info, &dc)); // no DC: nothing runs
    EXPECT_TRUE(view.printed.empty());
}

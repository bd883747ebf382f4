// SECListView: the list control as a document view, the same list logic as
// SECListCtrl hosted in a CView (SECListBaseV), plus printing and print
// preview. The list prints at its on-screen logical size: one page holds the
// header band and the rows that fit below it (at least one), and every page
// repeats the header.
//
//     SECListView view;                          // kept by the host
//     view.ModifyListStyle(0, LVS_REPORT, FALSE);  // before creation
//     CCreateContext context;
//     context.m_pNewView = &view;
//     context.m_pCurrentDoc = &doc;
//     frame.Create(nullptr, L"Files", WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, nullptr, nullptr, 0, &context);
//
// ID_FILE_PRINT and ID_FILE_PRINT_PREVIEW of the frame's menu reach the view
// with the focus.
//
// While a print job or preview runs, the list lays out against the page (the
// client-rectangle query answers the page, rows are measured on the printer
// DC with print fonts copied from the list's font) and the window is not
// repainted; at the end everything is restored, the top row included.
#pragma once
#include "framework/CView.h"
#include "listctrl/SECListBase.h"
#include "listctrl/SECListPages.h"

#if !defined(MORVA_BUILD_DLL)
extern template class SECListBaseT<CView>;
#endif
typedef SECListBaseT<CView> SECListBaseV;

class MORVA_API SECListView : public SECListBaseV
{
    DECLARE_DYNAMIC(SECListView)
public:
    SECListView();
    ~SECListView() override;

    // Face and size of the print font made when the list's font cannot be copied.
    static constexpr const wchar_t* kFallbackFace = L"Times New Roman";
    enum { kFallbackPointSize = 110 }; // tenths of a point

    // ---- Print state
    BOOL IsPrinting() const { return m_bPrinting; }
    // Current page (1-based); 0 before the first.
    UINT GetPrintPage() const { return m_nCurPage; }
    // The page in logical units of the printer DC; empty when not printing.
    const CRect& GetPageRect() const { return m_rcPage; }
    // The rows-to-pages arithmetic over the current page and print fonts.
    SECListPageGeometry GetPageGeometry();
    // Moves the top row to the next page; FALSE when the current page ends
    // with the last row (or not printing).
    BOOL NextPrintPage();
    // Makes nPage the current page: the top row restarts at 0 and steps
    // nPage - 1 pages (stopping at the last page). Nothing when it is current.
    void GoToPrintPage(UINT nPage);

    // ---- View protocol
    void OnDraw(CDC* pDC) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

    // ---- Hooks that change while printing
    void GetListClientRect(CRect& rect) const override;
    CDC* CreateClientDC() override;
    void ReleaseClientDC(CDC* pDC) override;
    void UpdateScrollBars() override;
    HFONT GetHeaderFont() const override;

    // WM_PAINT: only validates while printing, so pages do not reach the screen.
    void OnPaint();

protected:
    // The print fonts, copies of the list's fonts (or the fallback); FALSE
    // when neither could be made.
    BOOL CreatePrintFonts();
    // Logical units of the screen on the printer: the list prints at its
    // on-screen size. Also finds the page rectangle.
    void SetPrinterMapping(CDC* pDC);

    HFONT m_hSavedItemFont = nullptr;   // the list's font before printing (restored after)
    HFONT m_hSavedHeaderFont = nullptr; // header font before printing (restored after)
    CFont m_printItemFont;              // rows' font while printing (owned)
    CFont m_printHeaderFont;            // header's font while printing (owned)
    CRect m_rcPage;                     // the page, logical units of the printer DC
    BOOL m_bPrinting = FALSE;           // a print job or preview runs
    int m_nSavedTopIndex = -1;          // top row before printing; -1 outside a job
    UINT m_nCurPage = 0;                // current page, 1-based; 0 before the first
    CDC* m_pPrinterDC = nullptr;        // the job's DC (not owned)
    int m_nSavedHorzOffset = 0;         // horizontal scroll before printing: pages start at column 0
    DWORD m_dwSavedScrollStyle = 0;     // scroll bars shown before printing: pages have none

    DECLARE_MESSAGE_MAP()
};

// CView: a child window of a frame that shows a document, and the print
// protocol. Printing and print preview call these overridables in order:
//
//     OnPreparePrinting (DoPreparePrinting: the print dialog or the default printer)
//     OnBeginPrinting
//     for each page: OnPrepareDC, then OnPrint (OnDraw by default),
//                    while CPrintInfo::m_bContinuePrinting holds
//     OnEndPrinting
//
// OnFilePrint sends the pages to the printer; OnFilePrintPreview shows them,
// rendered into bitmaps, in a preview window with next, previous and close.
// Without an installed printer, printing does nothing, and the preview lays
// the pages out on an A4 page at screen resolution. The view is owned by
// whoever made it (it does not delete itself); it closes its preview when its
// window goes.
#pragma once
#include "framework/CPrintInfo.h"
#include "framework/CWnd.h"

class CDocument;
class CPrintPreviewWnd;

class MORVA_API CView : public CWnd
{
    DECLARE_DYNAMIC(CView)
public:
    CView();
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    virtual void OnInitialUpdate();

    // Drawing: the screen (WM_PAINT) and printed or previewed pages.
    virtual void OnDraw(CDC* pDC) = 0;
    // Default: for a page, ends the job after page 1 unless the view set the
    // maximum page.
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);

    // Print protocol
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    // Finds the printer: a DC the caller put in m_pPD->m_pd.hDC is taken as
    // it is; otherwise the default printer (preview, direct printing) or the
    // print dialog. FALSE without a printer, or when the dialog is cancelled.
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    // Runs the job's pages into the target: OnBeginPrinting, the pages, then
    // OnEndPrinting. FALSE when the target failed or cancelled, or the view's
    // window went meanwhile.
    BOOL PrintPages(CDC* pDC, CPrintInfo* pInfo, CPrintTarget* pTarget);

    // Commands (a view maps them to ID_FILE_PRINT and ID_FILE_PRINT_PREVIEW).
    void OnFilePrint();
    void OnFilePrintPreview();
    // The open preview window, null when none.
    CPrintPreviewWnd* GetPrintPreview() const { return m_pPreview; }
    void ClosePrintPreview();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;

protected:
    friend class CDocument;
    friend class CPrintPreviewWnd;
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    // The page of a preview when no printer is installed: A4 at screen resolution.
    static CSize DefaultPreviewPage(int nDpi);

    CDocument* m_pDocument = nullptr;      // the document shown, not owned
    CPrintPreviewWnd* m_pPreview = nullptr; // open preview (deletes itself when closed)
};

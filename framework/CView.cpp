#include "framework/CView.h"
#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"
#include "framework/CPrintPreviewWnd.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

CView::CView() = default;

CView::~CView()
{
    ClosePrintPreview();
    if (m_pDocument != nullptr)
        m_pDocument->RemoveView(this);
}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView* /*pSender*/, LPARAM /*lHint*/, CObject* /*pHint*/)
{
    if (m_hWnd != nullptr)
        Invalidate(TRUE);
}

BOOL CView::PreCreateWindow(CREATESTRUCTW& cs)
{
    cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return CWnd::PreCreateWindow(cs);
}

LRESULT CView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The preview goes first, while the view is whole: it ends the session.
    if (message == WM_DESTROY) {
        ClosePrintPreview();
    } else if (message == WM_SETFOCUS) {
        // The view with the focus gets the frame's commands.
        if (auto* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(::GetParent(m_hWnd))))
            pFrame->SetActiveView(this, FALSE);
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CView::OnPrepareDC(CDC* /*pDC*/, CPrintInfo* pInfo)
{
    // A view that does not know its length prints one page.
    if (pInfo != nullptr && pInfo->GetMaxPage() == 0xFFFF && pInfo->m_nCurPage != 1)
        pInfo->m_bContinuePrinting = FALSE;
}

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo)
{
    if (pInfo == nullptr)
        return FALSE;
    CPrintDialog* pDialog = pInfo->m_pPD;
    if (pDialog->m_pd.hDC != nullptr)
        return TRUE;
    pDialog->m_pd.hwndOwner = m_hWnd != nullptr ? ::GetAncestor(m_hWnd, GA_ROOT) : nullptr;
    // No printer: nothing to ask about (the dialog would only say so).
    if (!pDialog->GetDefaults())
        return FALSE;
    if (pInfo->m_bPreview || pInfo->m_bDirect)
        return TRUE;
    ::DeleteDC(pDialog->m_pd.hDC);
    pDialog->m_pd.hDC = nullptr;
    return pDialog->DoModal() == IDOK && pDialog->m_pd.hDC != nullptr;
}

void CView::OnBeginPrinting(CDC* /*pDC*/, CPrintInfo* /*pInfo*/)
{
}

void CView::OnPrint(CDC* pDC, CPrintInfo* /*pInfo*/)
{
    OnDraw(pDC);
}

void CView::OnEndPrinting(CDC* /*pDC*/, CPrintInfo* /*pInfo*/)
{
}

BOOL CView::PrintPages(CDC* pDC, CPrintInfo* pInfo, CPrintTarget* pTarget)
{
    if (pDC == nullptr || pDC->GetSafeHdc() == nullptr || pInfo == nullptr || pTarget == nullptr)
        return FALSE;
    const HWND hSelf = m_hWnd;
    const auto alive = [&] { return hSelf != nullptr && ::IsWindow(hSelf) && FromHandlePermanent(hSelf) == this; };
    pDC->m_bPrinting = TRUE;
    pInfo->m_bContinuePrinting = TRUE;
    OnBeginPrinting(pDC, pInfo);
    CString title;
    if (alive())
        CWnd::FromHandle(::GetAncestor(hSelf, GA_ROOT))->GetWindowText(title);
    BOOL bAbort = !alive() || !pInfo->m_bContinuePrinting;
    BOOL bStarted = FALSE;
    if (!bAbort) {
        bStarted = pTarget->StartDoc(pDC, title.IsEmpty() ? L"Document" : static_cast<LPCWSTR>(title));
        bAbort = !bStarted;
    }
    const UINT nLast = pInfo->GetToPage();
    for (pInfo->m_nCurPage = pInfo->GetFromPage(); !bAbort && pInfo->m_nCurPage <= nLast; ++pInfo->m_nCurPage) {
        OnPrepareDC(pDC, pInfo);
        if (!pInfo->m_bContinuePrinting)
            break;
        pInfo->m_rectDraw.SetRect(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
        pDC->DPtoLP(&pInfo->m_rectDraw);
        if (!pTarget->StartPage(pDC)) {
            bAbort = TRUE;
            break;
        }
        // A printer resets the context's attributes at a new page.
        OnPrepareDC(pDC, pInfo);
        const int saved = pDC->SaveDC();
        OnPrint(pDC, pInfo);
        pDC->RestoreDC(saved);
        if (!pTarget->EndPage(pDC) || !alive())
            bAbort = TRUE;
    }
    if (bStarted)
        pTarget->EndDoc(pDC, bAbort);
    if (alive())
        OnEndPrinting(pDC, pInfo);
    return !bAbort;
}

void CView::OnFilePrint()
{
    CPrintInfo info;
    if (!OnPreparePrinting(&info) || m_hWnd == nullptr)
        return;
    CDC dc;
    if (!dc.Attach(info.m_pPD->m_pd.hDC))
        return;
    CPrinterTarget printer;
    PrintPages(&dc, &info, &printer);
    dc.Detach(); // the dialog deletes its DC
}

CSize CView::DefaultPreviewPage(int nDpi)
{
    // 210 x 297 mm.
    return CSize(::MulDiv(2100, nDpi, 254), ::MulDiv(2970, nDpi, 254));
}

void CView::OnFilePrintPreview()
{
    if (m_hWnd == nullptr)
        return;
    if (m_pPreview != nullptr) {
        ::SetActiveWindow(m_pPreview->m_hWnd);
        return;
    }
    CPrintInfo* pInfo = new CPrintInfo;
    pInfo->m_bPreview = TRUE;
    // The page: the printer's, scaled to the screen, else A4.
    HDC screen = ::GetDC(nullptr);
    const int nScreenDpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    CSize page = DefaultPreviewPage(nScreenDpi);
    const BOOL bPrinter = OnPreparePrinting(pInfo);
    if (bPrinter && pInfo->m_pPD->m_pd.hDC != nullptr) {
        HDC hPrinter = pInfo->m_pPD->m_pd.hDC;
        const int dpiX = std::max(::GetDeviceCaps(hPrinter, LOGPIXELSX), 1);
        const int dpiY = std::max(::GetDeviceCaps(hPrinter, LOGPIXELSY), 1);
        page = CSize(::MulDiv(::GetDeviceCaps(hPrinter, HORZRES), nScreenDpi, dpiX),
                     ::MulDiv(::GetDeviceCaps(hPrinter, VERTRES), nScreenDpi, dpiY));
    }
    if (m_hWnd == nullptr || page.cx <= 0 || page.cy <= 0) {
        delete pInfo;
        return;
    }
    CPrintPreviewWnd* pPreview = new CPrintPreviewWnd(this, pInfo, page, nScreenDpi);
    if (!pPreview->Open())
        return; // it deleted itself and the print info
    m_pPreview = pPreview;
    pPreview->GoToPage(1);
}

void CView::ClosePrintPreview()
{
    if (m_pPreview != nullptr)
        m_pPreview->Close();
}

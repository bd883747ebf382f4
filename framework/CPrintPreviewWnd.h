// The print preview of a view: a top-level window that shows one page at a
// time, rendered by the view's print protocol into a bitmap, with Previous,
// Next and Close (also Page Up, Page Down and Escape). The session runs from
// OnBeginPrinting when it opens to OnEndPrinting when it closes, whichever
// way it closes: its buttons, its window destroyed, or the view's window
// destroyed. The window deletes itself.
#pragma once
#include "framework/CPrintInfo.h"
#include "framework/CWnd.h"

class CView;

class MORVA_API CPrintPreviewWnd : public CWnd
{
    DECLARE_DYNAMIC(CPrintPreviewWnd)
public:
    // Control ids of the buttons.
    enum { kIdPrevious = 0xE150, kIdNext = 0xE151, kIdClose = 0xE152, kIdPageText = 0xE153 };
    // Height of the button bar, pixels.
    enum { kBarHeight = 30 };

    // Takes pInfo (owned from here on). cxPage, cyPage: the page in pixels at nDpi.
    CPrintPreviewWnd(CView* pView, CPrintInfo* pInfo, CSize page, int nDpi);

    // Creates the window and begins the session; FALSE (and the object is
    // deleted) when either fails.
    BOOL Open();
    // Ends the session and destroys the window (the object goes with it).
    void Close();

    // Renders page nPage (clamped to the pages there are) and shows it.
    void GoToPage(UINT nPage);
    UINT GetCurrentPage() const { return m_nPage; }
    // Pages of the document as the view counted them; 0xFFFF when unknown.
    UINT GetPageCount() const;
    // The page shown, as rendered (device pixels of the page).
    const CPageBitmapDC& GetPageDC() const { return m_dc; }
    CPrintInfo* GetPrintInfo() const { return m_pInfo; }

protected:
    ~CPrintPreviewWnd() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;
    void EndSession();
    void Layout();
    void Paint(HDC hdc);
    void UpdateControls();

    CView* m_pView;             // the view previewed (owns this window through m_pPreview)
    CPrintInfo* m_pInfo;        // the session's record (owned)
    CPageBitmapDC m_dc;         // the page being shown
    UINT m_nPage = 0;           // page shown (1-based); 0 before the first
    BOOL m_bSession = FALSE;    // OnBeginPrinting ran, OnEndPrinting not yet
    HWND m_hPrevious = nullptr; // buttons and the page text (children, destroyed with the window)
    HWND m_hNext = nullptr;
    HWND m_hClose = nullptr;
    HWND m_hPageText = nullptr;
};

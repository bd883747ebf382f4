// The print protocol's records: CPrintDialog (the platform's print dialog and
// the default printer), CPrintInfo (one print job or preview session), and
// CPrintTarget, where a job's pages go: the printer's spooler (CPrinterTarget)
// or bitmaps (CPageBitmapDC).
#pragma once
#include <windows.h>
#include <commdlg.h>
#include <vector>
#include "framework/AfxTypes.h"
#include "framework/CDC.h"
#include "framework/CString.h"

class CWnd;

// Standard command ids of printing.
#define ID_FILE_PRINT 0xE107
#define ID_FILE_PRINT_PREVIEW 0xE109
// Control id of a frame's first view.
#define AFX_IDW_PANE_FIRST 0xE900

class MORVA_API CPrintDialog
{
public:
    explicit CPrintDialog(BOOL bPrintSetupOnly,
                          DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                                          PD_NOSELECTION,
                          CWnd* pParentWnd = nullptr);
    // Frees the device records and the printer DC the dialog made.
    ~CPrintDialog();
    CPrintDialog(const CPrintDialog&) = delete;
    CPrintDialog& operator=(const CPrintDialog&) = delete;

    PRINTDLGW m_pd{}; // the platform's record

    // Shows the dialog: IDOK with m_pd.hDC set (PD_RETURNDC), IDCANCEL when
    // cancelled or when there is no printer.
    INT_PTR DoModal();
    // The default printer without a dialog, its DC in m_pd.hDC; FALSE when no
    // printer is installed.
    BOOL GetDefaults();
    HDC GetPrinterDC() const { return m_pd.hDC; }
};

class MORVA_API CPrintInfo
{
public:
    CPrintInfo();
    ~CPrintInfo();
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;

    CPrintDialog* m_pPD;               // the print dialog (owned)
    BOOL m_bDirect = FALSE;            // print without asking (the default printer)
    BOOL m_bPreview = FALSE;           // a preview session, not a job
    BOOL m_bContinuePrinting = TRUE;   // cleared by the view to end the job
    UINT m_nCurPage = 1;               // page being prepared or printed (1-based)
    UINT m_nNumPreviewPages = 1;       // pages shown at once in the preview
    CString m_strPageDesc;             // page number format of the preview
    LPVOID m_lpUserData = nullptr;     // the view's own
    CRect m_rectDraw;                  // usable area of the page, logical units

    void SetMinPage(UINT nMinPage) { m_pPD->m_pd.nMinPage = static_cast<WORD>(nMinPage); }
    void SetMaxPage(UINT nMaxPage) { m_pPD->m_pd.nMaxPage = static_cast<WORD>(nMaxPage); }
    UINT GetMinPage() const { return m_pPD->m_pd.nMinPage; }
    UINT GetMaxPage() const { return m_pPD->m_pd.nMaxPage; }
    // The range asked for in the dialog, else the whole document.
    UINT GetFromPage() const;
    UINT GetToPage() const;
};

// Where the pages of a print job go. FALSE from StartDoc, StartPage or
// EndPage ends the job (failed or cancelled); EndDoc then runs with bAbort.
class MORVA_API CPrintTarget
{
public:
    virtual ~CPrintTarget() = default;
    virtual BOOL StartDoc(CDC* pDC, LPCWSTR lpszTitle) = 0;
    virtual BOOL StartPage(CDC* pDC) = 0;
    virtual BOOL EndPage(CDC* pDC) = 0;
    virtual void EndDoc(CDC* pDC, BOOL bAbort) = 0;
};

// The printer's spooler: StartDoc, StartPage, EndPage, EndDoc or AbortDoc.
class MORVA_API CPrinterTarget : public CPrintTarget
{
public:
    BOOL StartDoc(CDC* pDC, LPCWSTR lpszTitle) override;
    BOOL StartPage(CDC* pDC) override;
    BOOL EndPage(CDC* pDC) override;
    void EndDoc(CDC* pDC, BOOL bAbort) override;
};

// A printing context that draws pages into bitmaps: a memory DC flagged as
// printing, whose device capabilities describe a page of the given size and
// resolution. Each page is drawn on white into the current bitmap; with
// bKeepPages, EndPage keeps a copy of it. Print preview shows the current
// bitmap; tests and page images read the kept ones.
class MORVA_API CPageBitmapDC : public CDC, public CPrintTarget
{
public:
    // cx, cy: page size in pixels; nDpi: its resolution (LOGPIXELSX/Y).
    CPageBitmapDC(int cx, int cy, int nDpi, BOOL bKeepPages);
    ~CPageBitmapDC() override;

    // FALSE when the context or its bitmap could not be made.
    BOOL IsValid() const { return m_hDC != nullptr && m_hPage != nullptr; }
    int GetDeviceCaps(int nIndex) const override;
    CSize GetPageSize() const { return CSize(m_cx, m_cy); }
    // The bitmap drawn into (selected in this DC).
    HBITMAP GetCurrentPage() const { return m_hPage; }
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    // A kept page (owned here); null outside the range.
    HBITMAP GetPage(int nPage) const;
    // Copies the current page to hTarget at (x, y), scaled to cx by cy.
    BOOL CopyPageTo(HDC hTarget, int x, int y, int cx, int cy) const;
    // A pixel of a kept page; CLR_INVALID outside.
    COLORREF GetPagePixel(int nPage, int x, int y) const;

    BOOL StartDoc(CDC* pDC, LPCWSTR lpszTitle) override;
    BOOL StartPage(CDC* pDC) override;
    BOOL EndPage(CDC* pDC) override;
    void EndDoc(CDC* pDC, BOOL bAbort) override;

private:
    int m_cx;                         // page width in pixels
    int m_cy;                         // page height in pixels
    int m_nDpi;                       // pixels per inch of the page
    BOOL m_bKeepPages;                // EndPage keeps a copy of each page
    HBITMAP m_hPage = nullptr;        // the bitmap drawn into (owned)
    HGDIOBJ m_hOldBitmap = nullptr;   // bitmap it displaced
    std::vector<HBITMAP> m_pages;     // kept pages (owned)
};

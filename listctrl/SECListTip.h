// SECListTip: the pop-up that shows the whole text of a clipped cell laid
// exactly over the cell, so that the text reads as if the cell had grown. It
// knows its list only through SECListClient, so one tip serves every hosting
// of the list and the tree. The list makes one at construction; its window is
// made on first use.
//
// While it shows, the list holds the mouse capture and a timer checks every
// 500 ms whether the cursor left the list. Mouse messages aimed at the tip go
// on to the list with their point translated, so a click on the tip acts on
// the cell below it.
#pragma once
#include "framework/Framework.h"
#include "listctrl/SECListClient.h"

class MORVA_API SECListTip : public CWnd
{
    DECLARE_DYNAMIC(SECListTip)
public:
    // Timer that hides the tip once the cursor left the list.
    enum { kTimerCheck = 0xF001, kCheckPeriod = 500 };
    // Row state bit that shows the text in bold.
    enum { kBoldState = 0x10 };

    explicit SECListTip(SECListClient* pClient) : m_pClient(pClient) {}
    ~SECListTip() override;

    // ---- Operations
    // Shows the cell's text when it is clipped (hit flags, row and column as
    // the list's HitTest answered); TRUE while the tip shows that cell.
    virtual BOOL ShowTip(UINT nHitFlags, int nItem, int nCol, CPoint point);
    // Hides the tip, repainting the list under it at once.
    virtual void HideTip();
    // Hides the tip without a repaint now (the rows under it are changing).
    void DropTip();
    BOOL IsTipVisible() const { return m_hWnd != nullptr && IsWindowVisible(); }
    int GetShownItem() const { return m_nItem; }
    int GetShownSubItem() const { return m_nSubItem; }
    const CString& GetTipText() const { return m_strText; }

    // Re-addresses mouse messages aimed at the tip to the list.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // ---- Implementation
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint();
    // Paints into the given DC (snapshots, WM_PRINT).
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    BOOL OnEraseBkgnd(CDC* pDC);
    void Paint(HDC hDC);
    void OnTimer(UINT_PTR nIDEvent);
    void OnDestroy();
    BOOL CreateTipWindow();
    // Sends a mouse message of the tip to the list; FALSE for other messages.
    BOOL ForwardMouseMessage(const MSG& msg);
    // Hides the window and forgets the cell; bRepaintNow repaints the list's
    // cell before it returns.
    void Reset(BOOL bRepaintNow);

    int m_nItem = -1;          // row shown, -1 for none
    int m_nSubItem = -1;       // sub-item shown, -1 for none
    SECListClient* m_pClient;  // the list, never null
    CString m_strText;         // text shown
    CRect m_rcTip;             // the cell in the list's client coordinates
    BOOL m_bTimer = FALSE;     // the check timer runs
    BOOL m_bCapture = FALSE;   // the tip made the list take the capture

    DECLARE_MESSAGE_MAP()
};

// CUrlCtrl: a static text that looks and acts as a link. Its text is drawn
// underlined, green until the link was opened and red after; the hand cursor
// shows over it; a click opens its target (a web address, a file, anything the
// shell opens). Bind it to a static control of a dialog template
// (DDX_Control or SubclassDlgItem); the control gets SS_NOTIFY on the way.
// With WS_TABSTOP it takes the focus, shows a dotted frame around its text
// then, and Space or Enter opens it as a click does.
#pragma once
#include <windows.h>
#include "framework/AfxControls.h"
#include "framework/AfxMsgMap.h"
#include "framework/CGdiObject.h"

class MORVA_API CUrlCtrl : public CStatic
{
    DECLARE_DYNAMIC(CUrlCtrl)
public:
    enum : COLORREF {
        kLinkColor = RGB(0, 128, 0),   // not yet opened
        kVisitedColor = RGB(255, 0, 0) // opened
    };

    CUrlCtrl();
    ~CUrlCtrl() override;

    // Attributes
    // What a click opens; empty means the window text (stored here at the click).
    const CString& GetTarget() const { return m_strTarget; }
    void SetTarget(LPCWSTR target) { m_strTarget = target; }
    bool IsVisited() const { return m_bVisited; }
    HCURSOR GetLinkCursor() const { return m_hCursor; }
    // The underlined font; null until the control was first coloured.
    CFont& GetLinkFont() { return m_linkFont; }

    // Overridables
    // Acts on a click: opens the target through the shell; a target the shell
    // cannot open leaves the link as it was, without a message.
    virtual void FollowLink();

    // Where the text is drawn, in client coordinates (the focus frame's inside).
    CRect GetTextRect();

protected:
    void PreSubclassWindow() override;
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    void OnClicked();
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnPaint();
    void OnPrintClient(CDC* pDC, UINT nFlags);
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // Implementation
    bool IsTextStatic() const;
    UINT DrawTextFlags() const;
    void Draw(HDC hDC);
    // Repaints the control over its parent's background: the text is drawn
    // transparently, so its old colour must go first.
    void RepaintWithBackground();

    HCURSOR m_hCursor = nullptr; // own copy of the system's hand cursor; null when it has none
    CFont m_linkFont;            // underlined copy of the control's font
    CString m_strTarget;         // what a click opens
    bool m_bVisited = false;     // the target was opened
};

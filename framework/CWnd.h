// CWnd: a C++ object attached to a window handle. Messages reach the object's
// message map (see AfxMsgMap.h); what the map does not handle goes to the
// window's original procedure. Notifications a child sends to its parent
// (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*, WM_DRAWITEM, scroll messages) are first
// offered to the child's own map as WM_REFLECT_BASE + message.
//
// The framework maps each attached window to its object, so any window, also a
// system control or a dialog, can be attached. Windows made through CreateEx are
// attached by a creation hook before their first message, so WM_NCCREATE and
// WM_CREATE reach the object.
#pragma once
#include <windows.h>
#include "framework/AfxTypes.h"
#include "framework/CObject.h"
#include "framework/CString.h"

class CDC;
class CScrollBar;
struct CCreateContext;

// Reflected child notifications arrive at the child as WM_REFLECT_BASE + message.
#define WM_REFLECT_BASE 0xBC00

class MORVA_API CWnd : public CObject
{
    DECLARE_DYNAMIC(CWnd)
public:
    CWnd();
    // Destroys the window if it still exists, so no window outlives its object.
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr; // the attached window, null when none

    // Handle mapping
    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }
    // Whether a window is attached and still exists. A window whose messages
    // come through this object clears m_hWnd on WM_NCDESTROY, so only other
    // windows are asked of the system (about 0.1 us a call under Wine, which
    // loops that check after every call out added up).
    BOOL HasLiveWindow() const { return m_hWnd != nullptr && (m_hWnd == m_hWndRouted || ::IsWindow(m_hWnd)); }
    // Whether the attached window's messages come through this object.
    BOOL IsRouted() const { return m_hWnd != nullptr && m_hWnd == m_hWndRouted; }
    // The object attached to the window, or a temporary wrapper the framework
    // keeps (and reuses) for windows without one. Null for a null handle.
    static CWnd* FromHandle(HWND hWnd);
    // The attached object only; null for windows without one.
    static CWnd* FromHandlePermanent(HWND hWnd);
    // Attaches without subclassing: messages keep going to the window's own procedure.
    BOOL Attach(HWND hWndNew);
    HWND Detach();
    // Attaches and routes the window's messages through this object.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();
    // Called once the object is attached to its window, by subclassing or by
    // creation, before the window's next message: a control adjusts the styles
    // it depends on here.
    virtual void PreSubclassWindow();

    // Creation
    virtual BOOL Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, int x, int y,
                          int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    virtual BOOL DestroyWindow();
    // Supplies the framework's window class when none is given.
    virtual BOOL PreCreateWindow(CREATESTRUCTW& cs);
    // Called after the window is gone (WM_NCDESTROY, or a creation that did not
    // happen); a self-deleting object deletes itself here.
    virtual void PostNcDestroy();

    // Message processing
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The message map; TRUE when the message was handled and *pResult holds its result.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A notification this window sent its parent, offered back to it first.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Called by message loops that run through the framework (AfxPreTranslateMessage).
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The original processing of the message being handled.
    LRESULT Default();
    // The message being handled on this thread.
    static const MSG* GetCurrentMessage();

    // Messages
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // Window state and geometry
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int nID);
    CWnd* GetDlgItem(int nID) const;
    CWnd* GetParent() const;
    CWnd* GetOwner() const;
    CWnd* GetTopLevelParent() const;
    // The top-level window that contains this one (the frame of a view or
    // control hosted in a dialog or main window).
    CWnd* GetParentFrame() const;
    void GetClientRect(LPRECT lpRect) const;
    void GetWindowRect(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL IsWindowEnabled() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsChild(const CWnd* pWnd) const;
    BOOL IsIconic() const;
    BOOL IsZoomed() const;
    BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const;
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl);
    void SetWindowText(LPCWSTR lpszString);
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;
    void SetFont(HFONT hFont, BOOL bRedraw = TRUE);
    HFONT GetFont() const;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    void CenterWindow(CWnd* pAlternateOwner = nullptr);

    // Painting
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void ValidateRect(LPCRECT lpRect);
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, HRGN hrgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    void SetRedraw(BOOL bRedraw = TRUE);
    BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE);

    // Input
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr);
    BOOL KillTimer(UINT_PTR nIDEvent);
    CWnd* SetCapture();
    static CWnd* GetCapture();
    CWnd* SetFocus();
    static CWnd* GetFocus();
    static CWnd* GetActiveWindow();
    int MessageBox(LPCWSTR lpszText, LPCWSTR lpszCaption = nullptr, UINT nType = MB_OK);

protected:
    // Default message handlers, called by the message map entries of AfxMsgMap.h;
    // each gives the message its original processing.
    int OnCreate(LPCREATESTRUCTW lpCreateStruct);
    void OnDestroy();
    void OnNcDestroy();
    void OnSize(UINT nType, int cx, int cy);
    void OnMove(int x, int y);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    UINT OnGetDlgCode();
    void OnEnable(BOOL bEnable);
    void OnCancelMode();
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnSysColorChange();
    void OnSettingChange(UINT uFlags, LPCWSTR lpszSection);
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    void OnRButtonDblClk(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnMouseLeave();
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnTimer(UINT_PTR nIDEvent);
    void OnCaptureChanged(CWnd* pWnd);
    void OnContextMenu(CWnd* pWnd, CPoint pos);
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    void OnClose();
    void OnShowWindow(BOOL bShow, UINT nStatus);
    LRESULT OnNcHitTest(CPoint point);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnSetFont(HFONT hFont, BOOL bRedraw);
    HFONT OnGetFont();
    HCURSOR OnQueryDragIcon();

    WNDPROC m_pfnSuper = nullptr; // the window's original procedure when subclassed

private:
    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK AfxCbtProc(int, WPARAM, LPARAM);
    friend LRESULT AfxCallWndProc(CWnd*, HWND, UINT, WPARAM, LPARAM);
    void AttachPermanent(HWND hWnd);
    void DetachPermanent();
    BOOL ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    BOOL m_bTemporary = FALSE; // a wrapper made by FromHandle, owned by the framework
    HWND m_hWndRouted = nullptr; // the attached window while its messages come through AfxWndProc
};

// The procedure that routes a subclassed window's messages to its object.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
// Runs pMsg through PreTranslateMessage of the attached windows from the
// message's window up through its parents; TRUE when one of them consumed it.
MORVA_API BOOL AfxPreTranslateMessage(MSG* pMsg);
// Frees the temporary wrappers of windows that no longer exist.
MORVA_API void AfxDeleteTempMap();
// Class name of the framework's default window class (double clicks, arrow cursor).
MORVA_API LPCWSTR AfxGetDefaultWndClass();
// Arms the creation hook: the next window this thread creates is attached to
// pWnd before its first message. AfxUnhookWindowCreate answers whether that
// happened and disarms the hook.
MORVA_API void AfxHookWindowCreate(CWnd* pWnd);
MORVA_API BOOL AfxUnhookWindowCreate();

// The window of a possibly null object.
inline HWND AfxSafeHwnd(const CWnd* pWnd)
{
    return pWnd != nullptr ? pWnd->m_hWnd : nullptr;
}

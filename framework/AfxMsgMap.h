// Message maps that compile to plain code. In the class:
//     DECLARE_MESSAGE_MAP()
// In the implementation file:
//     BEGIN_MESSAGE_MAP(CMyWnd, CWnd)
//         ON_WM_CREATE()
//         ON_WM_LBUTTONDOWN()
//         ON_NOTIFY_REFLECT(NM_CLICK, &CMyWnd::OnClick)
//     END_MESSAGE_MAP()
// Each entry calls a handler of a fixed signature (written above each macro);
// a handler with another signature does not compile. A message no entry takes
// goes on to the base class's map.
#pragma once
#include <windows.h>
#include "framework/CWnd.h"
#include "framework/CDC.h"

class CScrollBar;

#define DECLARE_MESSAGE_MAP()                                                                  \
protected:                                                                                     \
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                 \
    BOOL theClass::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)      \
    {                                                                                          \
        typedef theClass ThisClass;                                                            \
        typedef baseClass TheBaseClass;                                                        \
        (void)wParam;                                                                          \
        (void)lParam;

#define END_MESSAGE_MAP()                                                                      \
        return TheBaseClass::OnWndMsg(message, wParam, lParam, pResult);                       \
    }

// Internal: one entry calling a handler through a member pointer of the type
// given last (a type with commas, hence the variadic argument).
template <class T>
using AfxHandlerType = T;
#define AFX_MSG_ENTRY(msg, name, call, ...)                                                    \
    if (message == (msg)) {                                                                    \
        AfxHandlerType<__VA_ARGS__> pfn = &ThisClass::name;                                    \
        call;                                                                                  \
        return TRUE;                                                                           \
    }

#define AFX_MOUSE_ENTRY(msg, name)                                                             \
    AFX_MSG_ENTRY(msg, name,                                \
                  ((this->*pfn)(static_cast<UINT>(wParam), CPoint(lParam)), *pResult = 0), void (ThisClass::*)(UINT, CPoint))

#define AFX_KEY_ENTRY(msg, name)                                                               \
    AFX_MSG_ENTRY(msg, name,                            \
                  ((this->*pfn)(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)), *pResult = 0), void (ThisClass::*)(UINT, UINT, UINT))

#define AFX_VOID_ENTRY(msg, name)                                                              \
    AFX_MSG_ENTRY(msg, name, ((this->*pfn)(), *pResult = 0), void (ThisClass::*)())

// int OnCreate(LPCREATESTRUCTW lpCreateStruct)
#define ON_WM_CREATE()                                                                         \
    AFX_MSG_ENTRY(WM_CREATE, OnCreate,                    \
                  *pResult = (this->*pfn)(reinterpret_cast<LPCREATESTRUCTW>(lParam)), int (ThisClass::*)(LPCREATESTRUCTW))
// void OnDestroy()
#define ON_WM_DESTROY() AFX_VOID_ENTRY(WM_DESTROY, OnDestroy)
// void OnNcDestroy()
#define ON_WM_NCDESTROY() AFX_VOID_ENTRY(WM_NCDESTROY, OnNcDestroy)
// void OnSize(UINT nType, int cx, int cy)
#define ON_WM_SIZE()                                                                           \
    AFX_MSG_ENTRY(WM_SIZE, OnSize,                        \
                  ((this->*pfn)(static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)), \
                                static_cast<short>(HIWORD(lParam))), *pResult = 0), void (ThisClass::*)(UINT, int, int))
// void OnMove(int x, int y)
#define ON_WM_MOVE()                                                                           \
    AFX_MSG_ENTRY(WM_MOVE, OnMove,                              \
                  ((this->*pfn)(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))), *pResult = 0), void (ThisClass::*)(int, int))
// void OnPaint()
#define ON_WM_PAINT() AFX_VOID_ENTRY(WM_PAINT, OnPaint)
// BOOL OnEraseBkgnd(CDC* pDC)
#define ON_WM_ERASEBKGND()                                                                     \
    if (message == WM_ERASEBKGND) {                                                            \
        BOOL (ThisClass::*pfn)(CDC*) = &ThisClass::OnEraseBkgnd;                               \
        CDC dc;                                                                                \
        dc.Attach(reinterpret_cast<HDC>(wParam));                                              \
        *pResult = (this->*pfn)(&dc);                                                          \
        dc.Detach();                                                                           \
        return TRUE;                                                                           \
    }
// UINT OnGetDlgCode()
#define ON_WM_GETDLGCODE()                                                                     \
    AFX_MSG_ENTRY(WM_GETDLGCODE, OnGetDlgCode, *pResult = (this->*pfn)(), UINT (ThisClass::*)())
// void OnEnable(BOOL bEnable)
#define ON_WM_ENABLE()                                                                         \
    AFX_MSG_ENTRY(WM_ENABLE, OnEnable,                              \
                  ((this->*pfn)(static_cast<BOOL>(wParam)), *pResult = 0), void (ThisClass::*)(BOOL))
// void OnCancelMode()
#define ON_WM_CANCELMODE() AFX_VOID_ENTRY(WM_CANCELMODE, OnCancelMode)
// BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
#define ON_WM_SETCURSOR()                                                                      \
    AFX_MSG_ENTRY(WM_SETCURSOR, OnSetCursor,           \
                  *pResult = (this->*pfn)(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)),    \
                                          LOWORD(lParam), HIWORD(lParam)), BOOL (ThisClass::*)(CWnd*, UINT, UINT))
// void OnSysColorChange()
#define ON_WM_SYSCOLORCHANGE() AFX_VOID_ENTRY(WM_SYSCOLORCHANGE, OnSysColorChange)
// void OnSettingChange(UINT uFlags, LPCWSTR lpszSection)
#define ON_WM_SETTINGCHANGE()                                                                  \
    AFX_MSG_ENTRY(WM_SETTINGCHANGE, OnSettingChange,       \
                  ((this->*pfn)(static_cast<UINT>(wParam), reinterpret_cast<LPCWSTR>(lParam)), *pResult = 0), void (ThisClass::*)(UINT, LPCWSTR))
// void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
#define ON_WM_HSCROLL()                                                                        \
    AFX_MSG_ENTRY(WM_HSCROLL, OnHScroll,         \
                  ((this->*pfn)(LOWORD(wParam), HIWORD(wParam),                                \
                                reinterpret_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(lParam)))), \
                   *pResult = 0), void (ThisClass::*)(UINT, UINT, CScrollBar*))
// void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
#define ON_WM_VSCROLL()                                                                        \
    AFX_MSG_ENTRY(WM_VSCROLL, OnVScroll,         \
                  ((this->*pfn)(LOWORD(wParam), HIWORD(wParam),                                \
                                reinterpret_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(lParam)))), \
                   *pResult = 0), void (ThisClass::*)(UINT, UINT, CScrollBar*))
// BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)  (pt in screen coordinates)
#define ON_WM_MOUSEWHEEL()                                                                     \
    AFX_MSG_ENTRY(WM_MOUSEWHEEL, OnMouseWheel,       \
                  *pResult = (this->*pfn)(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), CPoint(lParam)), BOOL (ThisClass::*)(UINT, short, CPoint))
// void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
#define ON_WM_KEYDOWN() AFX_KEY_ENTRY(WM_KEYDOWN, OnKeyDown)
// void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
#define ON_WM_KEYUP() AFX_KEY_ENTRY(WM_KEYUP, OnKeyUp)
// void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
#define ON_WM_SYSKEYDOWN() AFX_KEY_ENTRY(WM_SYSKEYDOWN, OnSysKeyDown)
// void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
#define ON_WM_CHAR() AFX_KEY_ENTRY(WM_CHAR, OnChar)
// void OnLButtonDown(UINT nFlags, CPoint point), and likewise for the other buttons
#define ON_WM_LBUTTONDOWN() AFX_MOUSE_ENTRY(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_MOUSE_ENTRY(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_MOUSE_ENTRY(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_MOUSE_ENTRY(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_RBUTTONDBLCLK, OnRButtonDblClk)
// void OnMouseMove(UINT nFlags, CPoint point)
#define ON_WM_MOUSEMOVE() AFX_MOUSE_ENTRY(WM_MOUSEMOVE, OnMouseMove)
// void OnMouseLeave()
#define ON_WM_MOUSELEAVE() AFX_VOID_ENTRY(WM_MOUSELEAVE, OnMouseLeave)
// void OnSetFocus(CWnd* pOldWnd)
#define ON_WM_SETFOCUS()                                                                       \
    AFX_MSG_ENTRY(WM_SETFOCUS, OnSetFocus,                         \
                  ((this->*pfn)(CWnd::FromHandle(reinterpret_cast<HWND>(wParam))), *pResult = 0), void (ThisClass::*)(CWnd*))
// void OnKillFocus(CWnd* pNewWnd)
#define ON_WM_KILLFOCUS()                                                                      \
    AFX_MSG_ENTRY(WM_KILLFOCUS, OnKillFocus,                       \
                  ((this->*pfn)(CWnd::FromHandle(reinterpret_cast<HWND>(wParam))), *pResult = 0), void (ThisClass::*)(CWnd*))
// void OnTimer(UINT_PTR nIDEvent)
#define ON_WM_TIMER()                                                                          \
    AFX_MSG_ENTRY(WM_TIMER, OnTimer,                            \
                  ((this->*pfn)(static_cast<UINT_PTR>(wParam)), *pResult = 0), void (ThisClass::*)(UINT_PTR))
// void OnCaptureChanged(CWnd* pWnd)
#define ON_WM_CAPTURECHANGED()                                                                 \
    AFX_MSG_ENTRY(WM_CAPTURECHANGED, OnCaptureChanged,             \
                  ((this->*pfn)(CWnd::FromHandle(reinterpret_cast<HWND>(lParam))), *pResult = 0), void (ThisClass::*)(CWnd*))
// void OnContextMenu(CWnd* pWnd, CPoint pos)  (pos in screen coordinates, -1,-1 from the keyboard)
#define ON_WM_CONTEXTMENU()                                                                    \
    AFX_MSG_ENTRY(WM_CONTEXTMENU, OnContextMenu,           \
                  ((this->*pfn)(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), CPoint(lParam)), *pResult = 0), void (ThisClass::*)(CWnd*, CPoint))
// void OnGetMinMaxInfo(MINMAXINFO* lpMMI)
#define ON_WM_GETMINMAXINFO()                                                                  \
    AFX_MSG_ENTRY(WM_GETMINMAXINFO, OnGetMinMaxInfo,         \
                  ((this->*pfn)(reinterpret_cast<MINMAXINFO*>(lParam)), *pResult = 0), void (ThisClass::*)(MINMAXINFO*))
// void OnClose()
#define ON_WM_CLOSE() AFX_VOID_ENTRY(WM_CLOSE, OnClose)
// void OnShowWindow(BOOL bShow, UINT nStatus)
#define ON_WM_SHOWWINDOW()                                                                     \
    AFX_MSG_ENTRY(WM_SHOWWINDOW, OnShowWindow,                \
                  ((this->*pfn)(static_cast<BOOL>(wParam), static_cast<UINT>(lParam)), *pResult = 0), void (ThisClass::*)(BOOL, UINT))
// LRESULT OnNcHitTest(CPoint point)  (screen coordinates)
#define ON_WM_NCHITTEST()                                                                      \
    AFX_MSG_ENTRY(WM_NCHITTEST, OnNcHitTest, *pResult = (this->*pfn)(CPoint(lParam)), LRESULT (ThisClass::*)(CPoint))
// void OnSetFont(HFONT hFont, BOOL bRedraw)
#define ON_WM_SETFONT()                                                                        \
    AFX_MSG_ENTRY(WM_SETFONT, OnSetFont,                     \
                  ((this->*pfn)(reinterpret_cast<HFONT>(wParam), static_cast<BOOL>(LOWORD(lParam))), *pResult = 0), void (ThisClass::*)(HFONT, BOOL))
// HFONT OnGetFont()
#define ON_WM_GETFONT()                                                                        \
    AFX_MSG_ENTRY(WM_GETFONT, OnGetFont, *pResult = reinterpret_cast<LRESULT>((this->*pfn)()), HFONT (ThisClass::*)())
// void OnPrintClient(CDC* pDC, UINT nFlags)  -- draw the client area into a DC the caller gives
#define ON_WM_PRINTCLIENT()                                                                    \
    if (message == WM_PRINTCLIENT) {                                                           \
        void (ThisClass::*pfn)(CDC*, UINT) = &ThisClass::OnPrintClient;                        \
        CDC dc;                                                                                \
        dc.Attach(reinterpret_cast<HDC>(wParam));                                              \
        (this->*pfn)(&dc, static_cast<UINT>(lParam));                                          \
        dc.Detach();                                                                           \
        *pResult = 0;                                                                          \
        return TRUE;                                                                           \
    }
// HCURSOR OnQueryDragIcon()
#define ON_WM_QUERYDRAGICON()                                                                  \
    AFX_MSG_ENTRY(WM_QUERYDRAGICON, OnQueryDragIcon, *pResult = reinterpret_cast<LRESULT>((this->*pfn)()), HCURSOR (ThisClass::*)())
// HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)  (the WM_CTLCOLOR* family)
#define ON_WM_CTLCOLOR()                                                                       \
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {                        \
        HBRUSH (ThisClass::*pfn)(CDC*, CWnd*, UINT) = &ThisClass::OnCtlColor;                  \
        CDC dc;                                                                                \
        dc.Attach(reinterpret_cast<HDC>(wParam));                                              \
        *pResult = reinterpret_cast<LRESULT>((this->*pfn)(                                     \
            &dc, CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), message - WM_CTLCOLORMSGBOX)); \
        dc.Detach();                                                                           \
        return TRUE;                                                                           \
    }

// LRESULT memberFxn(WPARAM wParam, LPARAM lParam)
#define ON_MESSAGE(msg, memberFxn)                                                             \
    if (message == (msg)) {                                                                    \
        LRESULT (ThisClass::*pfn)(WPARAM, LPARAM) = memberFxn;                                 \
        *pResult = (this->*pfn)(wParam, lParam);                                               \
        return TRUE;                                                                           \
    }
// Same, for a message number registered at run time (a UINT variable).
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) ON_MESSAGE(nMessageVariable, memberFxn)

// void memberFxn()  -- WM_COMMAND from a menu, accelerator or button with that id
#define ON_COMMAND(id, memberFxn)                                                              \
    if (message == WM_COMMAND && LOWORD(wParam) == (id) && HIWORD(wParam) <= 1) {              \
        void (ThisClass::*pfn)() = memberFxn;                                                  \
        (this->*pfn)();                                                                        \
        *pResult = 0;                                                                          \
        return TRUE;                                                                           \
    }
// void memberFxn()  -- WM_COMMAND with the notification code from control id
#define ON_CONTROL(wNotifyCode, id, memberFxn)                                                 \
    if (message == WM_COMMAND && lParam != 0 && LOWORD(wParam) == (id) && HIWORD(wParam) == (wNotifyCode)) { \
        void (ThisClass::*pfn)() = memberFxn;                                                  \
        (this->*pfn)();                                                                        \
        *pResult = 0;                                                                          \
        return TRUE;                                                                           \
    }
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)

// void memberFxn(NMHDR* pNotifyStruct, LRESULT* pResult)  -- WM_NOTIFY from control id
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                                  \
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(wNotifyCode) && \
        reinterpret_cast<NMHDR*>(lParam)->idFrom == static_cast<UINT_PTR>(id)) {               \
        void (ThisClass::*pfn)(NMHDR*, LRESULT*) = memberFxn;                                  \
        *pResult = 0;                                                                          \
        (this->*pfn)(reinterpret_cast<NMHDR*>(lParam), pResult);                               \
        return TRUE;                                                                           \
    }

// Reflected notifications, handled by the control that sent them.
// void memberFxn(NMHDR* pNotifyStruct, LRESULT* pResult)
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                              \
    if (message == WM_REFLECT_BASE + WM_NOTIFY &&                                              \
        reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(wNotifyCode)) {            \
        void (ThisClass::*pfn)(NMHDR*, LRESULT*) = memberFxn;                                  \
        *pResult = 0;                                                                          \
        (this->*pfn)(reinterpret_cast<NMHDR*>(lParam), pResult);                               \
        return TRUE;                                                                           \
    }
// BOOL memberFxn(NMHDR* pNotifyStruct, LRESULT* pResult): FALSE lets the parent see it too
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn)                                           \
    if (message == WM_REFLECT_BASE + WM_NOTIFY &&                                              \
        reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(wNotifyCode)) {            \
        BOOL (ThisClass::*pfn)(NMHDR*, LRESULT*) = memberFxn;                                  \
        *pResult = 0;                                                                          \
        if ((this->*pfn)(reinterpret_cast<NMHDR*>(lParam), pResult))                           \
            return TRUE;                                                                       \
    }
// void memberFxn()  -- WM_COMMAND notification this control sent its parent
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn)                                             \
    if (message == WM_REFLECT_BASE + WM_COMMAND && HIWORD(wParam) == (wNotifyCode)) {          \
        void (ThisClass::*pfn)() = memberFxn;                                                  \
        (this->*pfn)();                                                                        \
        *pResult = 0;                                                                          \
        return TRUE;                                                                           \
    }
// HBRUSH CtlColor(CDC* pDC, UINT nCtlColor)  -- colours the parent asks this control for
#define ON_WM_CTLCOLOR_REFLECT()                                                               \
    if (message >= WM_REFLECT_BASE + WM_CTLCOLORMSGBOX && message <= WM_REFLECT_BASE + WM_CTLCOLORSTATIC) { \
        HBRUSH (ThisClass::*pfn)(CDC*, UINT) = &ThisClass::CtlColor;                           \
        CDC dc;                                                                                \
        dc.Attach(reinterpret_cast<HDC>(wParam));                                              \
        HBRUSH brush = (this->*pfn)(&dc, message - WM_REFLECT_BASE - WM_CTLCOLORMSGBOX);       \
        dc.Detach();                                                                           \
        if (brush != nullptr) {                                                                \
            *pResult = reinterpret_cast<LRESULT>(brush);                                       \
            return TRUE;                                                                       \
        }                                                                                      \
    }

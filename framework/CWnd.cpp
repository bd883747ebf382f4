#include "framework/CWnd.h"
#include "framework/CDC.h"
#include <map>
#include <unordered_map>

IMPLEMENT_DYNAMIC(CWnd, CObject)

namespace {

// The message being handled on this thread (for Default and GetCurrentMessage).
thread_local MSG t_lastSent{};
// The object the creation hook attaches to the next window created.
thread_local CWnd* t_pWndInit = nullptr;
// The creation hook while armed.
thread_local HHOOK t_hHookCreate = nullptr;
// Temporary wrappers of windows without an attached object.
thread_local std::map<HWND, CWnd*>* t_tempMap = nullptr;

// The attached objects by window handle. Every message of an attached window
// looks its object up here, so the lookup must not leave the process (a window
// property would cost a round trip to the window server under Wine). Windows
// and their objects belong to one thread; the lock covers hosts with several
// user-interface threads.
struct HandleMap
{
    CRITICAL_SECTION lock;                  // guards map
    std::unordered_map<HWND, CWnd*> map;    // attached object of each window
    HandleMap() { ::InitializeCriticalSection(&lock); }
};

HandleMap& Handles()
{
    static HandleMap* handles = new HandleMap; // lives as long as the process
    return *handles;
}

CWnd* PermanentOf(HWND hWnd)
{
    if (hWnd == nullptr)
        return nullptr;
    HandleMap& handles = Handles();
    ::EnterCriticalSection(&handles.lock);
    auto it = handles.map.find(hWnd);
    CWnd* pWnd = it != handles.map.end() ? it->second : nullptr;
    ::LeaveCriticalSection(&handles.lock);
    return pWnd;
}

void MapHandle(HWND hWnd, CWnd* pWnd)
{
    HandleMap& handles = Handles();
    ::EnterCriticalSection(&handles.lock);
    if (pWnd != nullptr)
        handles.map[hWnd] = pWnd;
    else
        handles.map.erase(hWnd);
    ::LeaveCriticalSection(&handles.lock);
}

// A notification from a child to its parent names the child this way.
HWND ChildOfNotification(UINT message, WPARAM wParam, LPARAM lParam, HWND hParent)
{
    switch (message) {
    case WM_COMMAND:
        return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY:
        return lParam ? reinterpret_cast<NMHDR*>(lParam)->hwndFrom : nullptr;
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<HWND>(lParam);
    case WM_DRAWITEM:
        return lParam && wParam ? reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    case WM_MEASUREITEM:
        return wParam ? ::GetDlgItem(hParent, static_cast<int>(wParam)) : nullptr;
    default:
        return nullptr;
    }
}
} // namespace

// ---------------------------------------------------------------------------
// Message routing

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const MSG saved = t_lastSent;
    t_lastSent = MSG{hWnd, message, wParam, lParam, 0, {0, 0}};
    const LRESULT lResult = pWnd->WindowProc(message, wParam, lParam);
    t_lastSent = saved;
    if (message == WM_NCDESTROY && pWnd->m_hWnd == hWnd) {
        pWnd->DetachPermanent();
        pWnd->PostNcDestroy();
    }
    return lResult;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = PermanentOf(hWnd);
    if (pWnd == nullptr)
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, message, wParam, lParam);
}

LRESULT CALLBACK AfxCbtProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_CREATEWND && t_pWndInit != nullptr) {
        CWnd* pWnd = t_pWndInit;
        t_pWndInit = nullptr;
        pWnd->AttachPermanent(reinterpret_cast<HWND>(wParam));
        WNDPROC old = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(pWnd->m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
        if (old != &AfxWndProc)
            pWnd->m_pfnSuper = old;
        pWnd->m_hWndRouted = pWnd->m_hWnd;
        pWnd->PreSubclassWindow();
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

void AfxHookWindowCreate(CWnd* pWnd)
{
    t_pWndInit = pWnd;
    if (t_hHookCreate == nullptr)
        t_hHookCreate = ::SetWindowsHookExW(WH_CBT, &AfxCbtProc, nullptr, ::GetCurrentThreadId());
}

BOOL AfxUnhookWindowCreate()
{
    if (t_hHookCreate != nullptr) {
        ::UnhookWindowsHookEx(t_hHookCreate);
        t_hHookCreate = nullptr;
    }
    const BOOL consumed = t_pWndInit == nullptr;
    t_pWndInit = nullptr;
    return consumed;
}

LPCWSTR AfxGetDefaultWndClass()
{
    static const wchar_t kClass[] = L"MorvaWnd";
    static ATOM atom = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
        wc.lpszClassName = kClass;
        return ::RegisterClassExW(&wc);
    }();
    return atom ? kClass : nullptr;
}

BOOL AfxPreTranslateMessage(MSG* pMsg)
{
    if (pMsg == nullptr)
        return FALSE;
    for (HWND h = pMsg->hwnd; h != nullptr; h = ::GetParent(h)) {
        CWnd* pWnd = PermanentOf(h);
        if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (!(::GetWindowLongW(h, GWL_STYLE) & WS_CHILD))
            break;
    }
    return FALSE;
}

void AfxDeleteTempMap()
{
    if (t_tempMap == nullptr)
        return;
    for (auto it = t_tempMap->begin(); it != t_tempMap->end();) {
        if (!::IsWindow(it->first)) {
            it->second->m_hWnd = nullptr;
            delete it->second;
            it = t_tempMap->erase(it);
        } else {
            ++it;
        }
    }
}

// ---------------------------------------------------------------------------
// Construction and handle mapping

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    if (m_hWnd != nullptr && !m_bTemporary && PermanentOf(m_hWnd) == this) {
        // The window must not outlive its object: destroy it, and detach first so
        // no message reaches a half-destroyed object.
        HWND h = m_hWnd;
        DetachPermanent();
        ::DestroyWindow(h);
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    return PermanentOf(hWnd);
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (hWnd == nullptr)
        return nullptr;
    if (CWnd* pWnd = PermanentOf(hWnd))
        return pWnd;
    if (t_tempMap == nullptr)
        t_tempMap = new std::map<HWND, CWnd*>;
    auto it = t_tempMap->find(hWnd);
    if (it != t_tempMap->end())
        return it->second;
    if (t_tempMap->size() >= 64)
        AfxDeleteTempMap();
    CWnd* pWnd = new CWnd;
    pWnd->m_hWnd = hWnd;
    pWnd->m_bTemporary = TRUE;
    (*t_tempMap)[hWnd] = pWnd;
    return pWnd;
}

void CWnd::AttachPermanent(HWND hWnd)
{
    m_hWnd = hWnd;
    MapHandle(hWnd, this);
}

void CWnd::DetachPermanent()
{
    if (m_hWnd == nullptr)
        return;
    if (m_pfnSuper != nullptr &&
        reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC)) == &AfxWndProc)
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    MapHandle(m_hWnd, nullptr);
    m_pfnSuper = nullptr;
    m_hWnd = nullptr;
    m_hWndRouted = nullptr;
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (m_hWnd != nullptr || hWndNew == nullptr || PermanentOf(hWndNew) != nullptr)
        return FALSE;
    AttachPermanent(hWndNew);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND h = m_hWnd;
    if (h != nullptr && PermanentOf(h) == this)
        MapHandle(h, nullptr);
    m_hWnd = nullptr;
    m_hWndRouted = nullptr;
    return h;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    WNDPROC old = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (old != &AfxWndProc)
        m_pfnSuper = old;
    m_hWndRouted = hWnd;
    PreSubclassWindow();
    return TRUE;
}

void CWnd::PreSubclassWindow()
{
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hControl = pParent ? ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID)) : nullptr;
    return hControl != nullptr && SubclassWindow(hControl);
}

HWND CWnd::UnsubclassWindow()
{
    HWND h = m_hWnd;
    DetachPermanent();
    return h;
}

// ---------------------------------------------------------------------------
// Creation

BOOL CWnd::Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, AfxSafeHwnd(pParentWnd),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd != nullptr)
        return FALSE;
    CREATESTRUCTW cs{};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = static_cast<LONG>(dwStyle);
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = ::GetModuleHandleW(nullptr);
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y,
                                  cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy(); // the hook never saw the window: nothing was attached
    return hWnd != nullptr && m_hWnd == hWnd;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTW& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = AfxGetDefaultWndClass();
    return cs.lpszClass != nullptr;
}

void CWnd::PostNcDestroy()
{
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    if (PermanentOf(m_hWnd) != this) {
        // Attached without subclassing, or a temporary wrapper: no WM_NCDESTROY
        // reaches this object, so forget the handle here.
        HWND h = Detach();
        return ::DestroyWindow(h);
    }
    return ::DestroyWindow(m_hWnd);
}

// ---------------------------------------------------------------------------
// Message processing

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (ReflectToChild(message, wParam, lParam, &lResult))
        return lResult;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != nullptr)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND) {
        if (OnCommand(wParam, lParam)) {
            *pResult = 0;
            return TRUE;
        }
    } else if (message == WM_NOTIFY && lParam != 0) {
        LRESULT result = 0;
        if (OnNotify(wParam, lParam, &result)) {
            *pResult = result;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CWnd::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    HWND hChild = ChildOfNotification(message, wParam, lParam, m_hWnd);
    if (hChild == nullptr || hChild == m_hWnd)
        return FALSE;
    CWnd* pChild = PermanentOf(hChild);
    return pChild != nullptr && pChild->OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT result = 0;
    if (!OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, &result))
        return FALSE;
    if (pResult != nullptr)
        *pResult = result;
    return TRUE;
}

BOOL CWnd::PreTranslateMessage(MSG* /*pMsg*/)
{
    return FALSE;
}

BOOL CWnd::OnCommand(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return FALSE;
}

BOOL CWnd::OnNotify(WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT* /*pResult*/)
{
    return FALSE;
}

LRESULT CWnd::Default()
{
    return DefWindowProc(t_lastSent.message, t_lastSent.wParam, t_lastSent.lParam);
}

const MSG* CWnd::GetCurrentMessage()
{
    return &t_lastSent;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageW(m_hWnd, message, wParam, lParam);
}

// ---------------------------------------------------------------------------
// Window state and geometry

DWORD CWnd::GetStyle() const
{
    return static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE));
}

DWORD CWnd::GetExStyle() const
{
    return static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_EXSTYLE));
}

namespace {
BOOL ModifyWindowLong(HWND hWnd, int nIndex, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    const DWORD style = static_cast<DWORD>(::GetWindowLongW(hWnd, nIndex));
    const DWORD newStyle = (style & ~dwRemove) | dwAdd;
    if (style == newStyle)
        return FALSE;
    ::SetWindowLongW(hWnd, nIndex, static_cast<LONG>(newStyle));
    if (nFlags != 0)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}
} // namespace

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyWindowLong(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyWindowLong(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
int CWnd::SetDlgCtrlID(int nID) { return static_cast<int>(::SetWindowLongPtrW(m_hWnd, GWLP_ID, nID)); }
CWnd* CWnd::GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
CWnd* CWnd::GetOwner() const { return FromHandle(::GetWindow(m_hWnd, GW_OWNER)); }
CWnd* CWnd::GetTopLevelParent() const { return FromHandle(::GetAncestor(m_hWnd, GA_ROOT)); }

CWnd* CWnd::GetParentFrame() const
{
    HWND root = ::GetAncestor(m_hWnd, GA_ROOT);
    return root != m_hWnd ? FromHandle(root) : nullptr;
}

void CWnd::GetClientRect(LPRECT lpRect) const
{
    if (!::GetClientRect(m_hWnd, lpRect))
        ::SetRectEmpty(lpRect);
}

void CWnd::GetWindowRect(LPRECT lpRect) const
{
    if (!::GetWindowRect(m_hWnd, lpRect))
        ::SetRectEmpty(lpRect);
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
void CWnd::ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
void CWnd::ClientToScreen(LPRECT lpRect) const { ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(lpRect), 2); }
void CWnd::ScreenToClient(LPRECT lpRect) const { ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(lpRect), 2); }

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    return ::SetWindowPos(m_hWnd, AfxSafeHwnd(pWndInsertAfter), x, y, cx, cy, nFlags);
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint);
}

BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL bEnable) { return ::EnableWindow(m_hWnd, bEnable); }
BOOL CWnd::IsChild(const CWnd* pWnd) const { return ::IsChild(m_hWnd, AfxSafeHwnd(pWnd)); }
BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }
BOOL CWnd::IsZoomed() const { return ::IsZoomed(m_hWnd); }

BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const
{
    lpwndpl->length = sizeof(WINDOWPLACEMENT);
    return ::GetWindowPlacement(m_hWnd, lpwndpl);
}

BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl)
{
    WINDOWPLACEMENT placement = *lpwndpl;
    placement.length = sizeof(WINDOWPLACEMENT);
    return ::SetWindowPlacement(m_hWnd, &placement);
}
void CWnd::SetWindowText(LPCWSTR lpszString) { ::SetWindowTextW(m_hWnd, lpszString); }
int CWnd::GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }

void CWnd::GetWindowText(CString& rString) const
{
    const int n = ::GetWindowTextLengthW(m_hWnd);
    ::GetWindowTextW(m_hWnd, rString.GetBuffer(n + 1), n + 1);
    rString.ReleaseBuffer();
}

void CWnd::SetFont(HFONT hFont, BOOL bRedraw) { SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(hFont), bRedraw); }
HFONT CWnd::GetFont() const { return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)); }

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    HWND hCenter = pAlternateOwner ? pAlternateOwner->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
    if (GetStyle() & WS_CHILD)
        hCenter = ::GetParent(m_hWnd);
    RECT area{};
    if (hCenter != nullptr && ::IsWindowVisible(hCenter) && !::IsIconic(hCenter))
        ::GetWindowRect(hCenter, &area);
    else
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    RECT r{};
    ::GetWindowRect(m_hWnd, &r);
    int x = (area.left + area.right) / 2 - (r.right - r.left) / 2;
    int y = (area.top + area.bottom) / 2 - (r.bottom - r.top) / 2;
    if (GetStyle() & WS_CHILD) {
        POINT p{x, y};
        ::ScreenToClient(::GetParent(m_hWnd), &p);
        x = p.x;
        y = p.y;
    }
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---------------------------------------------------------------------------
// Painting

void CWnd::Invalidate(BOOL bErase) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
void CWnd::ValidateRect(LPCRECT lpRect) { ::ValidateRect(m_hWnd, lpRect); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }
BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, HRGN hrgnUpdate, UINT flags) { return ::RedrawWindow(m_hWnd, lpRectUpdate, hrgnUpdate, flags); }
void CWnd::SetRedraw(BOOL bRedraw) { SendMessage(WM_SETREDRAW, bRedraw); }
BOOL CWnd::GetUpdateRect(LPRECT lpRect, BOOL bErase) { return ::GetUpdateRect(m_hWnd, lpRect, bErase); }

// ---------------------------------------------------------------------------
// Input

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer) { return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer); }
BOOL CWnd::KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }
CWnd* CWnd::SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
CWnd* CWnd::GetCapture() { return FromHandle(::GetCapture()); }
CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }
CWnd* CWnd::GetActiveWindow() { return FromHandle(::GetActiveWindow()); }

int CWnd::MessageBox(LPCWSTR lpszText, LPCWSTR lpszCaption, UINT nType)
{
    return ::MessageBoxW(m_hWnd, lpszText, lpszCaption, nType);
}

// ---------------------------------------------------------------------------
// Default handlers: the original processing of the current message.

int CWnd::OnCreate(LPCREATESTRUCTW) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnNcDestroy() { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
UINT CWnd::OnGetDlgCode() { return static_cast<UINT>(Default()); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnCancelMode() { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
void CWnd::OnSysColorChange() { Default(); }
void CWnd::OnSettingChange(UINT, LPCWSTR) { Default(); }
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnMouseLeave() { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
void CWnd::OnSetFont(HFONT, BOOL) { Default(); }
HFONT CWnd::OnGetFont() { return reinterpret_cast<HFONT>(Default()); }
HCURSOR CWnd::OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }

#include "listctrl/SECListTip.h"
#include "listctrl/SECListTipRules.h"
#include <windowsx.h>

IMPLEMENT_DYNAMIC(SECListTip, CWnd)

BEGIN_MESSAGE_MAP(SECListTip, CWnd)
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, &SECListTip::OnPrintClient)
    ON_WM_ERASEBKGND()
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {
const wchar_t kTipClass[] = L"SECListTip";
// CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC | CS_SAVEBITS.
const UINT kTipClassStyle = 0x082B;
// DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_NOPREFIX.
const UINT kTipTextFormat = 0x0864;
// The text starts this far into the tip's client area.
const int kTextIndent = 2;
// Hit-test codes of the list that may show a tip: on the label, or anywhere
// in a row for the cells of further columns.
const UINT kHitOnLabel = 0x0004;
const UINT kHitOnRow = 0x2000;
// A non-client button message plus this is the matching client message.
const UINT kNonClientToClient = WM_LBUTTONDOWN - WM_NCLBUTTONDOWN;

// Parts of SECListClient::GetCellRect.
const int kCellWhole = 0;
const int kCellLabel = 2;

LPCWSTR TipClass()
{
    static const ATOM atom = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.style = kTipClassStyle;
        wc.lpfnWndProc = &::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
        wc.lpszClassName = kTipClass;
        return ::RegisterClassExW(&wc);
    }();
    return atom != 0 ? kTipClass : nullptr;
}

BOOL IsClientMouseMessage(UINT message)
{
    return message >= WM_MOUSEFIRST && message <= WM_MOUSEWHEEL;
}

BOOL IsNonClientButtonMessage(UINT message)
{
    return message >= WM_NCLBUTTONDOWN && message <= WM_NCMBUTTONDBLCLK;
}

// Whether a window of this process is the active (foreground) window: tips
// show only in the application the user works in.
BOOL ApplicationIsActive()
{
    HWND hActive = ::GetForegroundWindow();
    DWORD process = 0;
    return hActive != nullptr && ::GetWindowThreadProcessId(hActive, &process) != 0 &&
           process == ::GetCurrentProcessId();
}
} // namespace

SECListTip::~SECListTip()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

// ---------------------------------------------------------------------------
// Showing and hiding

BOOL SECListTip::CreateTipWindow()
{
    if (m_hWnd != nullptr)
        return TRUE;
    LPCWSTR lpszClass = TipClass();
    HWND hOwner = m_pClient->GetOwnerWindow();
    if (lpszClass == nullptr || hOwner == nullptr)
        return FALSE;
    return CreateEx(0, lpszClass, L"", WS_POPUP | WS_BORDER, 0, 0, 0, 0, hOwner, nullptr);
}

BOOL SECListTip::ShowTip(UINT nHitFlags, int nItem, int nCol, CPoint /*point*/)
{
    if (!CreateTipWindow())
        return FALSE;
    const int nSubItem = m_pClient->GetColumnSubItem(nCol);
    const BOOL bWanted = ((nHitFlags & kHitOnLabel) || ((nHitFlags & kHitOnRow) && nSubItem > 0)) && nItem >= 0 &&
                         nSubItem >= 0 && ApplicationIsActive();
    CRect rcCell;
    CRect rcLabel;
    CRect rcInside;
    if (!bWanted || !m_pClient->GetCellRect(nItem, nCol, rcCell, kCellWhole) ||
        !m_pClient->GetCellRect(nItem, nCol, rcLabel, kCellLabel)) {
        HideTip();
        return FALSE;
    }
    m_pClient->GetInsideRect(rcInside);
    if (!SECListTipRules::IsClipped(rcCell, rcLabel, rcInside)) {
        HideTip();
        return FALSE;
    }
    if (nItem == m_nItem && nSubItem == m_nSubItem && IsTipVisible())
        return TRUE; // moving within the cell keeps the tip, without flicker
    HideTip();
    CString text;
    m_pClient->GetCellText(text, nItem, nSubItem);
    // The owner may have been asked for the text: the tip window may be gone.
    if (text.IsEmpty() || m_hWnd == nullptr || !::IsWindow(m_pClient->GetOwnerWindow()))
        return FALSE;
    m_nItem = nItem;
    m_nSubItem = nSubItem;
    m_strText = text;
    m_rcTip = rcCell;
    m_rcTip.right -= SECListTipRules::kCellRightMargin;
    CPoint topLeft = rcLabel.TopLeft();
    CPoint bottomRight = rcLabel.BottomRight();
    m_pClient->ClientToScreen(topLeft);
    m_pClient->ClientToScreen(bottomRight);
    const CRect placed = SECListTipRules::WindowRect(CRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y),
                                                     rcCell.Height());
    SetWindowPos(nullptr, placed.left, placed.top, placed.Width(), placed.Height(),
                 SWP_NOACTIVATE | SWP_NOZORDER);
    ShowWindow(SW_SHOWNOACTIVATE);
    m_bTimer = SetTimer(kTimerCheck, kCheckPeriod) != 0;
    m_pClient->SetOwnerCapture(TRUE);
    m_bCapture = ::GetCapture() == m_pClient->GetOwnerWindow();
    Invalidate();
    UpdateWindow();
    return TRUE;
}

void SECListTip::HideTip()
{
    Reset(TRUE);
}

void SECListTip::DropTip()
{
    Reset(FALSE);
}

void SECListTip::Reset(BOOL bRepaintNow)
{
    HWND hOwner = m_pClient->GetOwnerWindow();
    if (IsTipVisible()) {
        ShowWindow(SW_HIDE);
        if (hOwner != nullptr)
            ::RedrawWindow(hOwner, &m_rcTip, nullptr,
                           RDW_INVALIDATE | RDW_FRAME | (bRepaintNow ? RDW_UPDATENOW : 0u));
    }
    if (m_bTimer && m_hWnd != nullptr)
        KillTimer(kTimerCheck);
    m_bTimer = FALSE;
    m_nItem = -1;
    m_nSubItem = -1;
    m_rcTip.SetRectEmpty();
    // Only a capture the tip took goes; one the list holds for a drag stays.
    if (m_bCapture && hOwner != nullptr && ::GetCapture() == hOwner)
        ::ReleaseCapture();
    m_bCapture = FALSE;
}

// ---------------------------------------------------------------------------
// Mouse forwarding

BOOL SECListTip::PreTranslateMessage(MSG* pMsg)
{
    return pMsg != nullptr && m_hWnd != nullptr && pMsg->hwnd == m_hWnd && ForwardMouseMessage(*pMsg);
}

BOOL SECListTip::ForwardMouseMessage(const MSG& msg)
{
    const BOOL bClient = IsClientMouseMessage(msg.message);
    if (!bClient && !IsNonClientButtonMessage(msg.message))
        return FALSE;
    HWND hOwner = m_pClient->GetOwnerWindow();
    if (hOwner == nullptr || !::IsWindow(hOwner))
        return TRUE; // nothing below to act on; the message is still the tip's to swallow
    MSG forwarded = msg;
    forwarded.hwnd = hOwner;
    if (bClient) {
        // The wheel's point is in screen coordinates already.
        if (msg.message != WM_MOUSEWHEEL) {
            POINT point{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
            ::MapWindowPoints(m_hWnd, hOwner, &point, 1);
            forwarded.lParam = MAKELPARAM(point.x, point.y);
        }
    } else {
        forwarded.message = msg.message + kNonClientToClient;
        POINT point{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
        ::ScreenToClient(hOwner, &point);
        forwarded.lParam = MAKELPARAM(point.x, point.y);
        forwarded.wParam = msg.message == WM_NCLBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON;
    }
    ::DispatchMessageW(&forwarded);
    return TRUE;
}

LRESULT SECListTip::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_MOUSEACTIVATE)
        return MA_NOACTIVATE; // a click on the tip must not take the activation from the list's window
    // Mouse messages that came without the framework's message loop (a host
    // loop that does not pre-translate) are forwarded here instead.
    if (IsClientMouseMessage(message) || IsNonClientButtonMessage(message)) {
        MSG msg{m_hWnd, message, wParam, lParam, 0, {0, 0}};
        ForwardMouseMessage(msg);
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

// ---------------------------------------------------------------------------
// Message handlers

void SECListTip::OnPaint()
{
    PAINTSTRUCT ps;
    HDC hDC = ::BeginPaint(m_hWnd, &ps);
    if (hDC == nullptr)
        return;
    Paint(hDC);
    ::EndPaint(m_hWnd, &ps);
}

LRESULT SECListTip::OnPrintClient(WPARAM wParam, LPARAM /*lParam*/)
{
    Paint(reinterpret_cast<HDC>(wParam));
    return 0;
}

BOOL SECListTip::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE; // the paint fills everything
}

void SECListTip::Paint(HDC hDC)
{
    if (hDC != nullptr && m_nItem >= 0) {
        const BOOL bSelected = m_pClient->IsRowSelected(m_nItem);
        const COLORREF crText = bSelected ? m_pClient->GetSelectedTextColor() : m_pClient->GetTipTextColor();
        const COLORREF crBk = bSelected ? m_pClient->GetSelectedBkColor() : m_pClient->GetTipBkColor();
        CRect client;
        GetClientRect(&client);
        const COLORREF crOldBk = ::SetBkColor(hDC, crBk);
        ::ExtTextOutW(hDC, 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);
        HFONT hFont = m_pClient->GetOwnerFont();
        HFONT hBold = nullptr;
        if (m_pClient->GetRowState(m_nItem, kBoldState) & kBoldState) {
            LOGFONTW lf{};
            if (hFont != nullptr && ::GetObjectW(hFont, sizeof(lf), &lf) == sizeof(lf)) {
                lf.lfWeight = FW_BOLD;
                hBold = ::CreateFontIndirectW(&lf);
            }
        }
        HGDIOBJ hOldFont = ::SelectObject(hDC, hBold != nullptr ? hBold : hFont);
        const COLORREF crOldText = ::SetTextColor(hDC, crText);
        const int oldMode = ::SetBkMode(hDC, TRANSPARENT);
        CRect rcText = client;
        rcText.left += kTextIndent;
        const CString text = SECListTipRules::DisplayText(m_strText);
        ::DrawTextW(hDC, text.GetString(), text.GetLength(), &rcText, kTipTextFormat);
        ::SetBkMode(hDC, oldMode);
        ::SetTextColor(hDC, crOldText);
        ::SetBkColor(hDC, crOldBk);
        ::SelectObject(hDC, hOldFont);
        if (hBold != nullptr)
            ::DeleteObject(hBold);
    }
}

void SECListTip::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kTimerCheck) {
        Default();
        return;
    }
    HWND hOwner = m_pClient->GetOwnerWindow();
    POINT cursor{};
    CRect client;
    if (hOwner == nullptr || !::GetCursorPos(&cursor) || !::ScreenToClient(hOwner, &cursor) ||
        !::GetClientRect(hOwner, &client) || !client.PtInRect(cursor))
        HideTip();
}

void SECListTip::OnDestroy()
{
    if (m_bTimer)
        KillTimer(kTimerCheck);
    m_bTimer = FALSE;
    HWND hOwner = m_pClient->GetOwnerWindow();
    if (m_bCapture && hOwner != nullptr && ::GetCapture() == hOwner)
        ::ReleaseCapture();
    m_bCapture = FALSE;
    m_nItem = -1;
    m_nSubItem = -1;
    CWnd::OnDestroy();
}

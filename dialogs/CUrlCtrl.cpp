#include "dialogs/CUrlCtrl.h"
#include <shellapi.h>

IMPLEMENT_DYNAMIC(CUrlCtrl, CStatic)

BEGIN_MESSAGE_MAP(CUrlCtrl, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
    ON_CONTROL_REFLECT(STN_CLICKED, &CUrlCtrl::OnClicked)
    ON_WM_SETCURSOR()
    ON_WM_PAINT()
    ON_WM_PRINTCLIENT()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_KEYDOWN()
    ON_MESSAGE(WM_GETDLGCODE, &CUrlCtrl::OnGetDlgCode)
END_MESSAGE_MAP()

CUrlCtrl::CUrlCtrl()
{
    const HCURSOR hand = ::LoadCursorW(nullptr, IDC_HAND);
    m_hCursor = hand != nullptr ? static_cast<HCURSOR>(::CopyIcon(hand)) : nullptr;
}

CUrlCtrl::~CUrlCtrl()
{
    if (m_hCursor != nullptr)
        ::DestroyCursor(m_hCursor);
}

void CUrlCtrl::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    ModifyStyle(0, SS_NOTIFY);
}

HBRUSH CUrlCtrl::CtlColor(CDC* pDC, UINT nCtlColor)
{
    // Text statics only (SS_LEFT, SS_CENTER, SS_RIGHT); icons, frames and the
    // like keep the parent's colouring.
    if (nCtlColor != CTLCOLOR_STATIC || !IsTextStatic())
        return nullptr;
    if (m_linkFont.GetSafeHandle() == nullptr) {
        LOGFONTW font{};
        HFONT hFont = GetFont();
        if (hFont == nullptr)
            hFont = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
        ::GetObjectW(hFont, sizeof(font), &font);
        font.lfUnderline = TRUE;
        m_linkFont.CreateFontIndirect(&font);
    }
    pDC->SelectObject(&m_linkFont);
    pDC->SetTextColor(m_bVisited ? kVisitedColor : kLinkColor);
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

void CUrlCtrl::OnClicked()
{
    FollowLink();
}

void CUrlCtrl::FollowLink()
{
    if (m_strTarget.IsEmpty())
        GetWindowText(m_strTarget);
    if (m_strTarget.IsEmpty())
        return; // nothing to open: the shell would open the current folder
    const HINSTANCE result = ::ShellExecuteW(nullptr, L"open", m_strTarget, nullptr, nullptr, SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(result) <= 32)
        return;
    m_bVisited = true;
    if (m_hWnd != nullptr) // a control without a window has nothing to repaint
        RepaintWithBackground();
}

BOOL CUrlCtrl::OnSetCursor(CWnd* /*pWnd*/, UINT /*nHitTest*/, UINT /*message*/)
{
    if (m_hCursor == nullptr)
        return FALSE;
    ::SetCursor(m_hCursor);
    return TRUE;
}

bool CUrlCtrl::IsTextStatic() const
{
    return (GetStyle() & 0xFF) <= SS_RIGHT;
}

UINT CUrlCtrl::DrawTextFlags() const
{
    const DWORD style = GetStyle();
    UINT flags = DT_WORDBREAK | DT_EXPANDTABS;
    if ((style & 0xFF) == SS_CENTER)
        flags |= DT_CENTER;
    else if ((style & 0xFF) == SS_RIGHT)
        flags |= DT_RIGHT;
    if (style & SS_NOPREFIX)
        flags |= DT_NOPREFIX;
    return flags;
}

void CUrlCtrl::OnPaint()
{
    CPaintDC dc(this);
    Draw(dc.m_hDC);
}

void CUrlCtrl::OnPrintClient(CDC* pDC, UINT /*nFlags*/)
{
    Draw(pDC->m_hDC);
}

// The text is drawn here rather than by the static control: the control would
// select its own font after asking for the colours on some platforms, and the
// underline of the link font would be lost.
void CUrlCtrl::Draw(HDC hDC)
{
    if (!IsTextStatic()) {
        DefWindowProc(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hDC), PRF_CLIENT);
        return;
    }
    const int saved = ::SaveDC(hDC);
    HFONT hFont = GetFont();
    if (hFont != nullptr)
        ::SelectObject(hDC, hFont);
    // The colours come from the parent as the static control asks for them; a
    // framework parent hands the question back to CtlColor.
    const HWND hParent = ::GetParent(m_hWnd);
    HBRUSH hBrush = hParent != nullptr
                        ? reinterpret_cast<HBRUSH>(::SendMessageW(hParent, WM_CTLCOLORSTATIC,
                                                                  reinterpret_cast<WPARAM>(hDC),
                                                                  reinterpret_cast<LPARAM>(m_hWnd)))
                        : nullptr;
    if (m_hWnd == nullptr) { // the parent ended the control while answering
        ::RestoreDC(hDC, saved);
        return;
    }
    CRect client;
    GetClientRect(&client);
    if (hBrush != nullptr)
        ::FillRect(hDC, &client, hBrush);
    CString text;
    GetWindowText(text);
    CRect textRect = client;
    ::DrawTextW(hDC, text, text.GetLength(), &textRect, DrawTextFlags());
    if (::GetFocus() == m_hWnd && !text.IsEmpty()) {
        // A dotted frame in the text's colour, drawn (not inverted) so that a
        // repaint over a background that was not erased draws the same.
        const CRect frame = GetTextRect();
        LOGBRUSH lb{BS_SOLID, ::GetTextColor(hDC), 0};
        HPEN pen = ::ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &lb, 0, nullptr);
        ::SelectObject(hDC, pen);
        ::SelectObject(hDC, ::GetStockObject(NULL_BRUSH));
        ::Rectangle(hDC, frame.left, frame.top, frame.right, frame.bottom);
        ::RestoreDC(hDC, saved);
        ::DeleteObject(pen);
        return;
    }
    ::RestoreDC(hDC, saved);
}

CRect CUrlCtrl::GetTextRect()
{
    CRect client;
    if (m_hWnd == nullptr)
        return client;
    GetClientRect(&client);
    CString text;
    GetWindowText(text);
    HDC hDC = ::GetDC(m_hWnd);
    const HGDIOBJ old = ::SelectObject(hDC, m_linkFont.GetSafeHandle() != nullptr
                                                ? m_linkFont.GetSafeHandle()
                                                : static_cast<HGDIOBJ>(GetFont()));
    CRect measured = client;
    ::DrawTextW(hDC, text, text.GetLength(), &measured, DrawTextFlags() | DT_CALCRECT);
    ::SelectObject(hDC, old);
    ::ReleaseDC(m_hWnd, hDC);
    // Aligned as the text is, one pixel around it, inside the control.
    const int width = measured.Width();
    const UINT align = DrawTextFlags();
    int left = client.left;
    if (align & DT_CENTER)
        left = client.left + (client.Width() - width) / 2;
    else if (align & DT_RIGHT)
        left = client.right - width;
    CRect frame(left - 1, client.top, left + width + 1, client.top + measured.Height() + 1);
    frame.IntersectRect(frame, client);
    return frame;
}

void CUrlCtrl::RepaintWithBackground()
{
    CWnd* pParent = GetParent();
    if (pParent != nullptr) {
        CRect rect;
        GetWindowRect(&rect);
        pParent->ScreenToClient(&rect);
        pParent->InvalidateRect(&rect, TRUE);
    }
    Invalidate(TRUE);
}

void CUrlCtrl::OnSetFocus(CWnd* /*pOldWnd*/)
{
    Default();
    if (m_hWnd != nullptr)
        RepaintWithBackground();
}

void CUrlCtrl::OnKillFocus(CWnd* /*pNewWnd*/)
{
    Default();
    if (m_hWnd != nullptr)
        RepaintWithBackground();
}

void CUrlCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_SPACE || nChar == VK_RETURN)
        FollowLink();
    else
        CStatic::OnKeyDown(nChar, nRepCnt, nFlags);
}

LRESULT CUrlCtrl::OnGetDlgCode(WPARAM /*wParam*/, LPARAM lParam)
{
    // Enter opens the focused link instead of pressing the default button.
    const MSG* pMsg = reinterpret_cast<const MSG*>(lParam);
    LRESULT code = Default();
    if (pMsg != nullptr && pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_SPACE))
        code |= DLGC_WANTMESSAGE;
    return code;
}

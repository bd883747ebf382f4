#include "dialogs/LongTextField.h"

IMPLEMENT_DYNAMIC(CLongTextField, CEdit)

BEGIN_MESSAGE_MAP(CLongTextField, CEdit)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_PRINTCLIENT()
    ON_MESSAGE(WM_SETTEXT, &CLongTextField::OnSetText)
END_MESSAGE_MAP()

BOOL CLongTextField::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, GetBackgroundColor());
    return TRUE;
}

void CLongTextField::OnPaint()
{
    CPaintDC dc(this);
    Draw(dc.m_hDC);
}

void CLongTextField::OnPrintClient(CDC* pDC, UINT nFlags)
{
    if (nFlags & PRF_ERASEBKGND)
        OnEraseBkgnd(pDC);
    Draw(pDC->m_hDC);
}

LRESULT CLongTextField::OnSetText(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    Default();
    Invalidate(TRUE);
    return 0;
}

HFONT CLongTextField::GetFieldFont() const
{
    const HWND hParent = ::GetParent(m_hWnd);
    return hParent != nullptr ? reinterpret_cast<HFONT>(::SendMessageW(hParent, WM_GETFONT, 0, 0)) : nullptr;
}

void CLongTextField::Draw(HDC hDC)
{
    CRect client;
    GetClientRect(&client);
    CString text;
    GetWindowText(text);
    const HFONT hFont = GetFieldFont();
    const int saved = ::SaveDC(hDC);
    if (hFont != nullptr)
        ::SelectObject(hDC, hFont);
    ::SetTextColor(hDC, ::GetSysColor(COLOR_WINDOWTEXT));
    ::SetBkColor(hDC, GetBackgroundColor());
    ::SetBkMode(hDC, OPAQUE);
    PaintText(hDC, text, client);
    ::RestoreDC(hDC, saved);
}

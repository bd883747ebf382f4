#include "dialogs/CPallasEditLongPath.h"
#include "dialogs/PathEllipsis.h"

IMPLEMENT_DYNAMIC(CPallasEditLongPath, CLongTextField)

namespace {
CString Shorten(HDC hDC, const CString& text, int width)
{
    return EllipsizePath(text, width, [hDC](LPCWSTR s, int n) {
        SIZE size{0, 0};
        ::GetTextExtentPoint32W(hDC, s, n, &size);
        return static_cast<int>(size.cx);
    });
}
} // namespace

void CPallasEditLongPath::PaintText(HDC hDC, const CString& text, const RECT& client)
{
    RECT rect = client;
    rect.left += kLeftInset;
    CString shown = Shorten(hDC, text, rect.right - rect.left);
    // Shortened by the rule above rather than by DT_PATH_ELLIPSIS, so that what
    // is drawn is what the rule answers; no prefix processing, as paths may hold "&".
    const int length = shown.GetLength();
    ::DrawTextExW(hDC, shown.GetBuffer(length + 1), length, &rect, DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, nullptr);
    shown.ReleaseBuffer(length);
}

CString CPallasEditLongPath::GetDisplayedText() const
{
    CString text;
    if (m_hWnd == nullptr)
        return text;
    GetWindowText(text);
    CRect client;
    GetClientRect(&client);
    HDC hDC = ::GetDC(m_hWnd);
    const HWND hParent = ::GetParent(m_hWnd);
    const HFONT hFont = hParent != nullptr
                            ? reinterpret_cast<HFONT>(::SendMessageW(hParent, WM_GETFONT, 0, 0))
                            : nullptr;
    const HGDIOBJ old = hFont != nullptr ? ::SelectObject(hDC, hFont) : nullptr;
    const CString shown = Shorten(hDC, text, client.Width() - kLeftInset);
    if (old != nullptr)
        ::SelectObject(hDC, old);
    ::ReleaseDC(m_hWnd, hDC);
    return shown;
}

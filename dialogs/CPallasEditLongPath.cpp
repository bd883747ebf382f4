#include "dialogs/CPallasEditLongPath.h"
#include <vector>

IMPLEMENT_DYNAMIC(CPallasEditLongPath, CLongTextField)

namespace {
const UINT kPathFormat = DT_VCENTER | DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_MODIFYSTRING;

// Draws a copy of the text shortened by the platform's path ellipsis into the
// rectangle; answers the copy as drawn.
CString DrawShortened(HDC hDC, const CString& text, RECT rect)
{
    // DT_MODIFYSTRING writes the shortened text back: up to four characters
    // more than the original (the ellipsis) may land in the copy.
    const int length = text.GetLength();
    std::vector<WCHAR> buffer(static_cast<size_t>(length) + 5, L'\0');
    std::copy(static_cast<LPCWSTR>(text), static_cast<LPCWSTR>(text) + length, buffer.begin());
    ::DrawTextExW(hDC, buffer.data(), length, &rect, kPathFormat, nullptr);
    return CString(buffer.data());
}
} // namespace

void CPallasEditLongPath::PaintText(HDC hDC, const CString& text, const RECT& client)
{
    RECT rect = client;
    rect.left += kLeftInset;
    DrawShortened(hDC, text, rect);
}

CString CPallasEditLongPath::GetDisplayedText() const
{
    CString text;
    if (m_hWnd == nullptr)
        return text;
    GetWindowText(text);
    CRect client;
    GetClientRect(&client);
    client.left += kLeftInset;
    // Drawn into a memory DC of one pixel with the field's font, so that the
    // shortening is the painting's own and nothing shows.
    HDC hWindowDC = ::GetDC(m_hWnd);
    HDC hDC = ::CreateCompatibleDC(hWindowDC);
    ::ReleaseDC(m_hWnd, hWindowDC);
    if (hDC == nullptr)
        return text;
    const HFONT hFont = GetFieldFont();
    if (hFont != nullptr)
        ::SelectObject(hDC, hFont);
    const CString shown = DrawShortened(hDC, text, client);
    ::DeleteDC(hDC);
    return shown;
}

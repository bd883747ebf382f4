#include "dialogs/CPallasEditLong.h"
#include <vector>

IMPLEMENT_DYNAMIC(CPallasEditLong, CLongTextField)

void CPallasEditLong::PaintText(HDC hDC, const CString& text, const RECT& client)
{
    // DT_MODIFYSTRING may write into the text: a copy with room for it.
    std::vector<WCHAR> buffer(static_cast<size_t>(text.GetLength()) + 5, L'\0');
    std::copy(static_cast<LPCWSTR>(text), static_cast<LPCWSTR>(text) + text.GetLength(), buffer.begin());
    RECT rect = client;
    ::DrawTextExW(hDC, buffer.data(), text.GetLength(), &rect, DT_WORDBREAK | DT_MODIFYSTRING, nullptr);
}

#include "listctrl/SECListTextOut.h"

namespace {
// Flags that make DrawTextW do more than place one line.
const UINT kNeedsDrawText = DT_CALCRECT | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS | DT_MODIFYSTRING | DT_RTLREADING |
                            DT_TABSTOP | DT_EXTERNALLEADING | DT_INTERNAL | DT_EDITCONTROL | DT_HIDEPREFIX |
                            DT_PREFIXONLY | DT_BOTTOM;
} // namespace

int SECDrawCellText(HDC hDC, LPCWSTR pszText, RECT* pRect, UINT nFlags)
{
    if (pszText == nullptr || pRect == nullptr || !(nFlags & DT_SINGLELINE) || !(nFlags & DT_NOPREFIX) ||
        (nFlags & kNeedsDrawText) != 0 || ::GetTextAlign(hDC) != (TA_LEFT | TA_TOP | TA_NOUPDATECP))
        return ::DrawTextW(hDC, pszText, -1, pRect, nFlags);
    int length = 0;
    for (; pszText[length] != L'\0'; ++length) {
        if (pszText[length] < L' ')
            return ::DrawTextW(hDC, pszText, -1, pRect, nFlags); // tabs, line breaks, control characters
    }
    SIZE size{};
    if (length == 0 || !::GetTextExtentPoint32W(hDC, pszText, length, &size) ||
        size.cx > pRect->right - pRect->left)
        return ::DrawTextW(hDC, pszText, -1, pRect, nFlags); // empty, or it needs its ellipsis
    int x = pRect->left;
    if (nFlags & DT_CENTER)
        x = (pRect->left + pRect->right - size.cx) / 2;
    else if (nFlags & DT_RIGHT)
        x = pRect->right - size.cx;
    int y = pRect->top;
    if (nFlags & DT_VCENTER)
        y = pRect->top + (pRect->bottom - pRect->top) / 2 - size.cy / 2; // each half rounded as DrawTextW rounds it
    ::ExtTextOutW(hDC, x, y, (nFlags & DT_NOCLIP) ? 0 : ETO_CLIPPED, pRect, pszText, static_cast<UINT>(length),
                  nullptr);
    // As DrawTextW: with vertical centring, the offset of the text's bottom.
    return (nFlags & DT_VCENTER) ? y - pRect->top + size.cy : size.cy;
}

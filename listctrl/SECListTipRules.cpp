#include "listctrl/SECListTipRules.h"
#include <algorithm>

namespace SECListTipRules {

BOOL IsClipped(const CRect& rcCell, const CRect& rcLabel, const CRect& rcInside)
{
    const int limit = std::min<int>(rcCell.right - kCellRightMargin, rcInside.Width());
    if (rcLabel.right > limit)
        return TRUE;
    return rcLabel.left < rcInside.left && rcLabel.right > rcInside.left;
}

CRect WindowRect(const CRect& rcLabelScreen, int nCellHeight)
{
    CRect grown = rcLabelScreen;
    grown.InflateRect(kLabelGrowth, 0, kLabelGrowth, kLabelGrowth);
    return CRect(grown.left - 1, grown.top, grown.left - 1 + grown.Width() + 3, grown.top + nCellHeight);
}

CString DisplayText(const CString& strText)
{
    int length = strText.GetLength();
    const int lineFeed = strText.Find(L'\n');
    // A carriage return before the line feed would show as a box in the tip.
    if (lineFeed >= 0)
        length = lineFeed > 0 && strText[lineFeed - 1] == L'\r' ? lineFeed - 1 : lineFeed;
    return strText.Left(std::min(length, kMaxTipChars));
}

} // namespace SECListTipRules

#include "treectrl/SECTreeGeometry.h"
#include <commctrl.h>
#include <algorithm>

namespace SECTreeGeometry {

int RootShift(DWORD dwTreeStyle)
{
    return (dwTreeStyle & TVS_LINESATROOT) && (dwTreeStyle & (TVS_HASBUTTONS | TVS_HASLINES)) ? 1 : 0;
}

int LevelLeft(int nLevel, int nRootShift, int nIndent)
{
    const int level = std::clamp(nLevel, 0, kMaxLevel);
    const int indent = std::clamp(nIndent, 0, kMaxIndent);
    return std::max(level - 1 + nRootShift, 0) * indent;
}

int IndentForImages(int nIndent, int nImageWidth)
{
    const int even = std::min(nImageWidth, kMaxIndent) + (nImageWidth & 1);
    return std::max(nIndent, even);
}

int DotStart(int nStart, int nOffset)
{
    return ((nOffset + nStart) & 1) != 0 ? nStart - 1 : nStart;
}

POINT ButtonCentre(const ButtonInput& in, BOOL bRootShifted)
{
    const int level = std::clamp(in.nLevel, 0, kMaxLevel);
    const int indent = std::clamp(in.nIndent, 0, kMaxIndent);
    const int levelLeft = in.cell.left + (level - 2) * indent;
    int x;
    if (in.bImage)
        x = levelLeft + in.nImageWidth / 2;
    else if (in.bStateImage)
        x = levelLeft + in.nStateWidth / 2;
    else
        x = levelLeft + kPlainButtonSize;
    const int height = in.cell.bottom - in.cell.top;
    int y = in.cell.top + height / 2;
    if ((height / 2) & 1)
        ++y;
    if ((in.nHorzOffset + x) & 1)
        ++x;
    if (bRootShifted && in.nRootShift)
        x += indent;
    return POINT{x, y};
}

RECT ButtonRect(const ButtonInput& in)
{
    int size = kPlainButtonSize;
    if (in.bImage || in.bStateImage)
        size = std::clamp(static_cast<int>(in.nImageHeight / 1.65), 0, kMaxButtonSize);
    const POINT c = ButtonCentre(in, TRUE);
    RECT r{c.x - size / 2, c.y - size / 2, c.x - size / 2 + size, c.y - size / 2 + size};
    if ((size & 1) == 0) {
        ++r.right;
        ++r.bottom;
    }
    return r;
}

} // namespace SECTreeGeometry

#include "dialogs/ControlAnchoring.h"
#include <algorithm>

void ComputeAnchoredPlacements(const _dlgcontrolinfo* records, int count, const int* currentHeights,
                               SIZE initialClient, SIZE newClient, AnchorPlacement* out)
{
    const int dx = newClient.cx - initialClient.cx;
    const int dy = newClient.cy - initialClient.cy;
    const int dx1 = dx / 2; // truncated toward zero: -41 gives -20 and -21
    const int dy1 = dy / 2;
    const int dx2 = dx - dx1;
    const int dy2 = dy - dy1;

    // The split panes' present heights (a splitter may have changed them).
    int upperNow = 1;
    int lowerNow = 1;
    int storedSum = 0;
    int upperStored = 0;
    for (int i = 0; i < count; ++i) {
        const _dlgcontrolinfo& r = records[i];
        if (!(r.anchor & ANCHOR_SPLIT_Y) || currentHeights[i] < 0)
            continue;
        if (r.splitPart == SPLIT_UPPER) {
            upperNow = currentHeights[i];
            upperStored = r.height;
        } else if (r.splitPart == SPLIT_LOWER) {
            lowerNow = currentHeights[i];
        }
        storedSum += r.height;
    }
    int upperNew = 0;
    int lowerNew = 0;
    if (upperNow > 1 || lowerNow > 1) {
        const int total = storedSum + dy;
        lowerNew = static_cast<int>(static_cast<double>(lowerNow) / (upperNow + lowerNow) * total);
        lowerNew = std::max(lowerNew, kMinLowerPaneHeight);
        upperNew = total - lowerNew;
    }

    for (int i = 0; i < count; ++i) {
        const _dlgcontrolinfo& r = records[i];
        AnchorPlacement& p = out[i];
        p.bPlace = currentHeights[i] >= 0;
        p.bMoveOnly = r.width == 0;
        if (!p.bPlace) {
            p.rect = RECT{r.left, r.top, r.left + r.width, r.top + r.height};
            continue;
        }
        const bool split = (r.anchor & ANCHOR_SPLIT_Y) != 0;
        int width = r.width;
        int height = r.height;
        if (!p.bMoveOnly) {
            if (r.anchor & ANCHOR_SIZE_Y) {
                if (r.splitPart & SPLIT_UPPER)
                    height = split ? upperNew : height + dy1;
                else if (r.splitPart & SPLIT_LOWER)
                    height = split ? lowerNew : height + dy2;
                else
                    height += dy;
            }
            if (r.anchor & ANCHOR_SIZE_X) {
                if (r.splitPart & SPLIT_LEFT)
                    width += dx1;
                else if (r.splitPart & SPLIT_RIGHT)
                    width += dx2;
                else
                    width += dx;
            }
        }
        int left = r.left;
        int top = r.top;
        if (r.anchor & ANCHOR_MOVE_X) {
            if (r.splitPart & SPLIT_LEFT)
                left += dx1;
            else if (r.splitPart & SPLIT_RIGHT)
                left += dx2;
            else
                left += dx;
        }
        if ((r.anchor & ANCHOR_MOVE_Y) && !(r.splitPart & SPLIT_UPPER)) {
            if (r.splitPart & SPLIT_LOWER)
                top = split ? top - upperStored + upperNew : top + dy2;
            else
                top += dy;
        }
        width = std::max(width, 0);
        height = std::max(height, 0);
        p.rect = RECT{left, top, left + width, top + height};
    }
}

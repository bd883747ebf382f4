#include "listctrl/SECListPages.h"
#include <algorithm>

namespace SECListPages {

int LastRowOnPage(const SECListPageGeometry& page, int nTopRow)
{
    if (nTopRow < 0 || nTopRow >= page.nRowCount)
        return -1;
    int y = page.nTop;
    int last = nTopRow;
    for (int row = nTopRow; row < page.nRowCount; ++row) {
        const int height = page.rowHeight ? std::max(page.rowHeight(row), 0) : 0;
        // The first row goes on the page whatever its height.
        if (row > nTopRow && y + height > page.nBottom)
            break;
        last = row;
        y += height + page.nSpacing;
    }
    return last;
}

int NextPageTop(const SECListPageGeometry& page, int nTopRow)
{
    const int last = LastRowOnPage(page, nTopRow);
    return last < 0 || last >= page.nRowCount - 1 ? -1 : last + 1;
}

int PageTop(const SECListPageGeometry& page, int nPage, int* pReached)
{
    int top = 0;
    int reached = 1;
    for (; reached < nPage; ++reached) {
        const int next = NextPageTop(page, top);
        if (next < 0)
            break;
        top = next;
    }
    if (pReached != nullptr)
        *pReached = reached;
    return top;
}

int CountPages(const SECListPageGeometry& page)
{
    int pages = 1;
    for (int top = NextPageTop(page, 0); top >= 0; top = NextPageTop(page, top))
        ++pages;
    return pages;
}

} // namespace SECListPages

// How a list's rows fall onto printed pages: a page holds the rows from its
// top row down to the last one that fits, but always at least one, so a row
// taller than the page gets a page of its own and every page moves on. The
// rows are given by their heights only, so the arithmetic runs without a
// window or a printer.
#pragma once
#include <functional>
#include "framework/MorvaApi.h"

struct MORVA_API SECListPageGeometry
{
    int nRowCount = 0;   // rows of the list
    int nTop = 0;        // y of the first row on the page (below the header)
    int nBottom = 0;     // y the rows may reach
    int nSpacing = 0;    // extra pixels between rows
    std::function<int(int)> rowHeight; // height of row n (measured on demand)
};

namespace SECListPages {
// The last row of the page that starts at row nTopRow; -1 when there is no
// such row (no rows, or nTopRow outside them).
MORVA_API int LastRowOnPage(const SECListPageGeometry& page, int nTopRow);
// The top row of the page after the one starting at nTopRow; -1 when that
// page ends with the last row.
MORVA_API int NextPageTop(const SECListPageGeometry& page, int nTopRow);
// The top row of page nPage (1-based), stepping from row 0; stops early at
// the last page. *pReached gets the page actually reached.
MORVA_API int PageTop(const SECListPageGeometry& page, int nPage, int* pReached = nullptr);
// Pages needed for all rows; a list without rows still prints one page.
MORVA_API int CountPages(const SECListPageGeometry& page);
} // namespace SECListPages

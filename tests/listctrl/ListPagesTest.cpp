// How rows fall onto printed pages, from row heights alone.
#include <gtest/gtest.h>
#include <vector>
#include "listctrl/SECListPages.h"

namespace {
// A page whose rows area runs from y 20 to 120, over rows of the given heights.
SECListPageGeometry Page(std::vector<int> heights, int spacing = 0, int bottom = 120)
{
    SECListPageGeometry page;
    page.nRowCount = static_cast<int>(heights.size());
    page.nTop = 20;
    page.nBottom = bottom;
    page.nSpacing = spacing;
    page.rowHeight = [heights](int row) { return heights[static_cast<size_t>(row)]; };
    return page;
}
} // namespace

TEST(ListPages, UniformRowsFillEachPageAndTheRestGoesOn)
{
    const SECListPageGeometry page = Page(std::vector<int>(25, 20));
    // 20 + 5 * 20 = 120: the fifth row ends exactly at the bottom and fits.
    EXPECT_EQ(4, SECListPages::LastRowOnPage(page, 0));
    EXPECT_EQ(5, SECListPages::NextPageTop(page, 0));
    EXPECT_EQ(24, SECListPages::LastRowOnPage(page, 20));
    EXPECT_EQ(-1, SECListPages::NextPageTop(page, 20));
    EXPECT_EQ(5, SECListPages::CountPages(page));
}

TEST(ListPages, SpacingAndVariableHeightsCountBetweenRows)
{
    // 20 + 30 + 2 + 30 + 2 = 84; a third row of 40 would end at 124.
    const SECListPageGeometry page = Page({30, 30, 40, 10}, 2);
    EXPECT_EQ(1, SECListPages::LastRowOnPage(page, 0));
    EXPECT_EQ(3, SECListPages::LastRowOnPage(page, 2));
    EXPECT_EQ(2, SECListPages::CountPages(page));
}

TEST(ListPages, GoingToAPageStepsFromTheTopAndStopsAtTheLast)
{
    const SECListPageGeometry page = Page(std::vector<int>(12, 20));
    int reached = 0;
    EXPECT_EQ(10, SECListPages::PageTop(page, 3, &reached));
    EXPECT_EQ(3, reached);
    EXPECT_EQ(0, SECListPages::PageTop(page, 1, &reached));
    EXPECT_EQ(1, reached);
    // Page 7 of a 3-page list: the last page.
    EXPECT_EQ(10, SECListPages::PageTop(page, 7, &reached));
    EXPECT_EQ(3, reached);
}

TEST(ListPages, ARowTallerThanThePageGetsAPageOfItsOwn)
{
    const SECListPageGeometry page = Page({20, 500, 20, 20}, 0, 30);
    EXPECT_EQ(0, SECListPages::LastRowOnPage(page, 0));
    EXPECT_EQ(1, SECListPages::LastRowOnPage(page, 1));
    EXPECT_EQ(4, SECListPages::CountPages(page));
}

TEST(ListPages, NoRowsOrATopOutsideTheRowsIsNeutral)
{
    const SECListPageGeometry empty = Page({});
    EXPECT_EQ(-1, SECListPages::LastRowOnPage(empty, 0));
    EXPECT_EQ(-1, SECListPages::NextPageTop(empty, 0));
    EXPECT_EQ(1, SECListPages::CountPages(empty)); // the header alone
    EXPECT_EQ(0, SECListPages::PageTop(empty, 3));
    const SECListPageGeometry page = Page({20, 20});
    EXPECT_EQ(-1, SECListPages::LastRowOnPage(page, -1));
    EXPECT_EQ(-1, SECListPages::NextPageTop(page, 2));
    // Without a height function every row is empty and all fit on one page.
    SECListPageGeometry bare;
    bare.nRowCount = 3;
    bare.nBottom = 10;
    EXPECT_EQ(1, SECListPages::CountPages(bare));
}

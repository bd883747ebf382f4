// The window-free arithmetic of the dialogs, called directly: text helpers and
// the control anchoring cases a window test cannot reach (odd halves, squeezed
// and missing panes, many steps). The message dialog's sizing is checked on
// real dialogs.
#include <vector>
#include <gtest/gtest.h>
#include "dialogs/ControlAnchoring.h"
#include "dialogs/DialogHelpers.h"

namespace {
std::vector<int> Values(const CArray<int, int>& a)
{
    return std::vector<int>(a.GetData(), a.GetData() + a.GetSize());
}

void Fill(CArray<int, int>& a, std::vector<int> values)
{
    a.SetSize(static_cast<INT_PTR>(values.size()));
    for (size_t i = 0; i < values.size(); ++i)
        a[static_cast<INT_PTR>(i)] = values[i];
}

std::vector<int> Rect(const RECT& r)
{
    return {r.left, r.top, r.right, r.bottom};
}
} // namespace

TEST(DialogHelpers, PlaceholdersFillOneToNineOnly)
{
    EXPECT_STREQ(L"Network settings", FillPlaceholder(L"%1 settings", L"Network"));
    EXPECT_STREQ(L"a-a", FillPlaceholder(L"%1-%1", L"a"));

    CStringArray twelve;
    for (int i = 1; i <= 12; ++i) {
        CString s;
        s.Format(L"v%d", i);
        twelve.Add(s);
    }
    EXPECT_STREQ(L"v1 v2 v9 %0", FillPlaceholders(L"%1 %2 %9 %0", twelve));
    CStringArray two;
    two.Add(L"x");
    two.Add(L"y");
    EXPECT_STREQ(L"x y %3", FillPlaceholders(L"%1 %2 %3", two));
}

TEST(DialogHelpers, IntegerListsKeepWhatTheTextDoesNotGive)
{
    CArray<int, int> a;
    Fill(a, {1, 2, 3, 4});
    ParseIntList(L"120,,80", a);
    EXPECT_EQ((std::vector<int>{120, 2, 80, 4}), Values(a));
    ParseIntList(L"", a);
    EXPECT_EQ((std::vector<int>{120, 2, 80, 4}), Values(a));
    ParseIntList(L"5,6,7,8,9,10", a); // never grows
    EXPECT_EQ((std::vector<int>{5, 6, 7, 8}), Values(a));
}

TEST(ResizingArithmetic, HalvesOfOddGrowthAndShrinking)
{
    const _dlgcontrolinfo records[] = {
        {1, 10, 10, 100, 50, SPLIT_LEFT, ANCHOR_SIZE_X},
        {2, 120, 10, 100, 50, SPLIT_RIGHT, ANCHOR_MOVE_X | ANCHOR_SIZE_X},
        {3, 10, 70, 210, 100, 0, ANCHOR_SIZE_X | ANCHOR_SIZE_Y},
        {4, 200, 180, 50, 14, 0, ANCHOR_MOVE_X | ANCHOR_MOVE_Y},
    };
    const int heights[] = {50, 50, 100, 14};
    AnchorPlacement out[4];
    ComputeAnchoredPlacements(records, 4, heights, SIZE{300, 200}, SIZE{341, 230}, out);
    EXPECT_EQ((std::vector<int>{10, 10, 130, 60}), Rect(out[0].rect));   // grows by 20
    EXPECT_EQ((std::vector<int>{141, 10, 262, 60}), Rect(out[1].rect));  // moves and grows by 21
    EXPECT_EQ((std::vector<int>{10, 70, 261, 200}), Rect(out[2].rect));
    EXPECT_EQ((std::vector<int>{241, 210, 291, 224}), Rect(out[3].rect));
    EXPECT_FALSE(out[3].bMoveOnly); // registered with a size: sized to its own size

    ComputeAnchoredPlacements(records, 4, heights, SIZE{300, 200}, SIZE{259, 200}, out);
    EXPECT_EQ((std::vector<int>{10, 10, 90, 60}), Rect(out[0].rect));    // -20
    EXPECT_EQ((std::vector<int>{99, 10, 178, 60}), Rect(out[1].rect));   // -21

    // Far below the registered size: sizes stop at zero.
    ComputeAnchoredPlacements(records, 4, heights, SIZE{300, 200}, SIZE{0, 0}, out);
    EXPECT_EQ(out[2].rect.left, out[2].rect.right);
    EXPECT_EQ(out[2].rect.top, out[2].rect.bottom);
}

TEST(ResizingArithmetic, SplitPanesKeepTheirRatioAndTheLowerItsMinimum)
{
    const BYTE pane = ANCHOR_SIZE_Y | ANCHOR_SPLIT_Y;
    const _dlgcontrolinfo records[] = {
        {1, 0, 0, 200, 100, SPLIT_UPPER, pane},
        {2, 0, 110, 200, 300, SPLIT_LOWER, static_cast<BYTE>(pane | ANCHOR_MOVE_Y)},
    };
    AnchorPlacement out[2];
    // A splitter made the upper pane 300 and the lower 10; the total is now 200.
    const int squeezed[] = {300, 10};
    ComputeAnchoredPlacements(records, 2, squeezed, SIZE{200, 420}, SIZE{200, 220}, out);
    EXPECT_EQ(116, out[0].rect.bottom - out[0].rect.top);
    EXPECT_EQ(84, out[1].rect.bottom - out[1].rect.top);

    // A pane whose window is gone is not placed, and the other keeps the stored ratio inputs.
    const int gone[] = {100, -1};
    ComputeAnchoredPlacements(records, 2, gone, SIZE{200, 420}, SIZE{200, 520}, out);
    EXPECT_TRUE(out[0].bPlace);
    EXPECT_FALSE(out[1].bPlace);
}

TEST(ResizingArithmetic, StepsThroughOddSizesEndWhereOneStepDoes)
{
    const _dlgcontrolinfo records[] = {
        {1, 30, 40, 0, 0, 0, ANCHOR_MOVE_X | ANCHOR_MOVE_Y | ANCHOR_SIZE_X | ANCHOR_SIZE_Y},
        {2, 5, 5, 77, 33, SPLIT_RIGHT | SPLIT_LOWER, ANCHOR_MOVE_X | ANCHOR_MOVE_Y | ANCHOR_SIZE_X | ANCHOR_SIZE_Y},
    };
    const int heights[] = {0, 33};
    AnchorPlacement direct[2];
    AnchorPlacement stepped[2];
    ComputeAnchoredPlacements(records, 2, heights, SIZE{100, 100}, SIZE{157, 213}, direct);
    EXPECT_TRUE(direct[0].bMoveOnly); // registered without a size
    EXPECT_EQ(87, direct[0].rect.left);
    for (const SIZE s : {SIZE{131, 99}, SIZE{101, 333}, SIZE{157, 213}})
        ComputeAnchoredPlacements(records, 2, heights, SIZE{100, 100}, s, stepped);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(Rect(direct[i].rect), Rect(stepped[i].rect)) << i;
}

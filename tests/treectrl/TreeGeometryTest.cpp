// Arithmetic of the tree column without a window: indent per level, the indent
// an image list forces, the button's square and the dots' parity.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include "treectrl/SECTreeGeometry.h"

using namespace SECTreeGeometry;

TEST(TreeGeometry, LevelsIndentRootShiftAndDots)
{
    EXPECT_EQ(0, RootShift(TVS_LINESATROOT)) << "lines at root alone moves nothing";
    EXPECT_EQ(1, RootShift(TVS_LINESATROOT | TVS_HASBUTTONS));
    EXPECT_EQ(1, RootShift(TVS_LINESATROOT | TVS_HASLINES));
    EXPECT_EQ(0, RootShift(TVS_HASLINES | TVS_HASBUTTONS));
    EXPECT_EQ(0, LevelLeft(1, 0, 20)) << "top level without root lines: no indentation";
    EXPECT_EQ(20, LevelLeft(1, 1, 20));
    EXPECT_EQ(60, LevelLeft(3, 1, 20));
    EXPECT_EQ(0, LevelLeft(0, 0, 20)) << "never left of the cell";
    EXPECT_EQ((kMaxLevel - 1) * kMaxIndent, LevelLeft(1 << 20, 0, 1 << 30)) << "no overflow";
    // Image lists widen the indent to the image width, rounded up to even, never narrower.
    EXPECT_EQ(24, IndentForImages(20, 24));
    EXPECT_EQ(24, IndentForImages(24, 16));
    EXPECT_EQ(22, IndentForImages(20, 21));
    EXPECT_EQ(20, IndentForImages(20, -5));
    // Dots start on an even step of the scrolled grid.
    EXPECT_TRUE(DotStart(4, 0) == 4 && DotStart(5, 0) == 4 && DotStart(5, 1) == 5 && DotStart(4, 1) == 3);
    EXPECT_EQ(-2, DotStart(-1, 0));
}

TEST(TreeGeometry, ButtonSquareHasACentrePixelAndFollowsTheDots)
{
    ButtonInput in;
    in.cell = RECT{0, 0, 100, 18};
    in.nLevel = 1;
    in.nRootShift = 1;
    // No image: 8 plus one pixel, 8 right of the level's left edge (one indent in with root lines).
    POINT c = ButtonCentre(in, TRUE);
    EXPECT_EQ(8, c.x);
    EXPECT_EQ(10, c.y) << "half the height (9) is odd: one lower";
    RECT r = ButtonRect(in);
    EXPECT_EQ(9, r.right - r.left);
    EXPECT_EQ(9, r.bottom - r.top);
    EXPECT_EQ(c.x, (r.left + r.right - 1) / 2);
    EXPECT_EQ(-12, ButtonCentre(in, FALSE).x) << "before the root shift";
    // 16-pixel images: min(15, 16 / 1.65) = 9, odd, no extra pixel; centred on the image.
    in.bImage = TRUE;
    in.nImageWidth = 16;
    in.nImageHeight = 16;
    in.nLevel = 3;
    in.nRootShift = 0;
    in.cell = RECT{10, 20, 110, 40};
    r = ButtonRect(in);
    c = ButtonCentre(in, TRUE);
    EXPECT_EQ(10 + 20 + 8, c.x);
    EXPECT_EQ(30, c.y);
    EXPECT_EQ(9, r.right - r.left);
    EXPECT_TRUE(r.left == 34 && r.top == 26 && r.right == 43 && r.bottom == 35);
    // Scrolled by an odd offset the centre moves one right, so its dots stay on the grid.
    in.nHorzOffset = 1;
    EXPECT_EQ(39, ButtonCentre(in, TRUE).x);
    // Tall images: capped at 15.
    in.nImageHeight = 48;
    r = ButtonRect(in);
    EXPECT_EQ(15, r.right - r.left);
}

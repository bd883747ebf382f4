// The window-free arithmetic of the dialogs: text helpers, control anchoring
// and message dialog sizing, called directly.
#include <climits>
#include <vector>
#include <gtest/gtest.h>
#include "dialogs/ControlAnchoring.h"
#include "dialogs/DialogHelpers.h"
#include "dialogs/MessageDialogLayout.h"

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

    int x = 0;
    int y = 0;
    EXPECT_TRUE(ParseIntPair(L"10,20", x, y));
    EXPECT_EQ(10, x);
    EXPECT_EQ(20, y);
    EXPECT_TRUE(ParseIntPair(L",7", x, y));
    EXPECT_EQ(-1, x);
    EXPECT_EQ(7, y);
    EXPECT_FALSE(ParseIntPair(L"1020", x, y));
    EXPECT_EQ(-1, x);
    EXPECT_FALSE(ParseIntPair(L"", x, y));
}

TEST(DialogHelpers, LayoutKeyAndColumnWidths)
{
    EXPECT_STREQ(L"Layout\\Screen1920x1080\\Dlg204",
                 FormatLayoutSubKey(FormatScreenString(1920, 1080), L"Dlg204"));

    CArray<int, int> widths;
    ComputeDefaultColumnWidths(330, 4, widths);
    EXPECT_EQ((std::vector<int>{75, 75, 75, 75}), Values(widths));
    ComputeDefaultColumnWidths(331, 4, widths);
    EXPECT_EQ((std::vector<int>{76, 75, 75, 75}), Values(widths));
    Fill(widths, {9, 9, 9, 9, 9, 9});
    ComputeDefaultColumnWidths(130, 2, widths); // never shrinks
    EXPECT_EQ((std::vector<int>{50, 50, 9, 9, 9, 9}), Values(widths));
    ComputeDefaultColumnWidths(130, 0, widths);
    ComputeDefaultColumnWidths(130, -3, widths);
    EXPECT_EQ(6, widths.GetSize());
}

TEST(DialogHelpers, WindowsAreKeptInsideTheWorkArea)
{
    const RECT work{0, 0, 1024, 740};
    const auto fit = [&](RECT r) {
        const POINT p = FitIntoWorkArea(POINT{r.left, r.top}, SIZE{r.right - r.left, r.bottom - r.top}, work);
        return std::vector<int>{p.x, p.y};
    };
    EXPECT_EQ((std::vector<int>{10, 20}), fit({10, 20, 310, 220}));
    EXPECT_EQ((std::vector<int>{724, 540}), fit({5000, 4000, 5300, 4200}));     // a screen that is gone
    EXPECT_EQ((std::vector<int>{0, 0}), fit({-900, -900, -600, -700}));
    EXPECT_EQ((std::vector<int>{0, 0}), fit({50, 50, 2050, 1050}));              // larger than the screen
    const POINT distant = FitIntoWorkArea(POINT{INT_MAX, INT_MAX}, SIZE{300, 200}, work);
    EXPECT_EQ(724, distant.x);
    EXPECT_EQ(540, distant.y);
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
    const int now[] = {100, 300};
    ComputeAnchoredPlacements(records, 2, now, SIZE{200, 420}, SIZE{200, 520}, out);
    EXPECT_EQ((std::vector<int>{0, 0, 200, 125}), Rect(out[0].rect));
    EXPECT_EQ((std::vector<int>{0, 135, 200, 510}), Rect(out[1].rect)); // 375 high, 25 lower

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

TEST(ResizingArithmetic, MoveOnlyRecordsAndNoAccumulation)
{
    const _dlgcontrolinfo records[] = {
        {1, 30, 40, 0, 0, 0, ANCHOR_SIZE_X | ANCHOR_SIZE_Y},
        {2, 30, 40, 0, 0, 0, ANCHOR_MOVE_X | ANCHOR_MOVE_Y | ANCHOR_SIZE_X | ANCHOR_SIZE_Y},
        {3, 5, 5, 77, 33, SPLIT_RIGHT | SPLIT_LOWER, ANCHOR_MOVE_X | ANCHOR_MOVE_Y | ANCHOR_SIZE_X | ANCHOR_SIZE_Y},
    };
    const int heights[] = {0, 0, 33};
    AnchorPlacement direct[3];
    AnchorPlacement stepped[3];
    ComputeAnchoredPlacements(records, 3, heights, SIZE{100, 100}, SIZE{157, 213}, direct);
    EXPECT_TRUE(direct[0].bMoveOnly);
    EXPECT_EQ(30, direct[0].rect.left);
    EXPECT_EQ(40, direct[0].rect.top);
    EXPECT_TRUE(direct[1].bMoveOnly);
    EXPECT_EQ(87, direct[1].rect.left);
    EXPECT_EQ(153, direct[1].rect.top);
    // Through odd sizes and back: the same rectangles as one step.
    for (const SIZE s : {SIZE{131, 99}, SIZE{101, 333}, SIZE{157, 213}})
        ComputeAnchoredPlacements(records, 3, heights, SIZE{100, 100}, s, stepped);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Rect(direct[i].rect), Rect(stepped[i].rect)) << i;
}

namespace {
// The English template at 96 dpi, in screen pixels: text 36..256 x 7..27
// dialog units, third button ending at the text's right edge.
MessageDialogMeasures Template()
{
    MessageDialogMeasures m{};
    m.textRect = RECT{100, 100, 430, 133};
    m.measuredText = m.textRect;
    m.buttonRect = RECT{355, 155, 430, 178};
    m.window = SIZE{406, 120};
    m.captionWidth = 60;
    m.captionReserve = 2 * (4 + 18 + 1);
    m.maxWindow = SIZE{1024, 740};
    return m;
}
} // namespace

TEST(MessageDialogArithmetic, ShortTextShrinksToTheButtonsAndLongTextGrowsDown)
{
    MessageDialogMeasures m = Template();
    m.measuredText = RECT{100, 100, 180, 113}; // one short line
    m.buttonRect = RECT{282, 155, 357, 178};   // second button of two
    MessageDialogLayout l = ComputeMessageDialogLayout(m);
    EXPECT_EQ(406 - 73, l.window.cx);
    EXPECT_EQ(120, l.window.cy);
    EXPECT_EQ(257, l.text.cx);
    EXPECT_EQ(13, l.text.cy);
    EXPECT_EQ(0, l.buttonShift.cx); // the buttons already end where the text does
    EXPECT_EQ(0, l.buttonShift.cy);

    m = Template();
    m.measuredText = RECT{100, 100, 428, 178}; // six lines
    l = ComputeMessageDialogLayout(m);
    EXPECT_EQ(406, l.window.cx); // the third button sets the width
    EXPECT_EQ(120 + 45, l.window.cy);
    EXPECT_EQ(0, l.buttonShift.cx);
    EXPECT_EQ(45, l.buttonShift.cy);

    // The single OK button: the text ends at its right edge.
    m = Template();
    m.measuredText = RECT{100, 100, 130, 113};
    m.buttonRect = RECT{208, 155, 283, 178};
    l = ComputeMessageDialogLayout(m);
    EXPECT_EQ(183, l.text.cx);
    EXPECT_EQ(0, l.buttonShift.cx);

    // Without a known screen size a tall text is not cut (the window test
    // checks the cut at the real work area).
    m = Template();
    m.measuredText = RECT{100, 100, 430, 100 + 13 * 2000};
    m.maxWindow = SIZE{0, 0};
    EXPECT_EQ(120 + 26000 - 33, ComputeMessageDialogLayout(m).window.cy);
}

TEST(MessageDialogArithmetic, TheCaptionStopsShrinkingButNeverWidens)
{
    MessageDialogMeasures m = Template();
    m.measuredText = RECT{100, 100, 150, 113};
    m.buttonRect = RECT{208, 155, 283, 178}; // would shrink by 147
    m.captionWidth = 300;                    // needs 300 + 46 + 16 = 362 of 406: shrink by 44 only
    MessageDialogLayout l = ComputeMessageDialogLayout(m);
    EXPECT_EQ(406 - 44, l.window.cx);
    EXPECT_EQ(330 - 44, l.text.cx);
    EXPECT_EQ(430 - 44 - 283, l.buttonShift.cx); // the buttons end at the text's edge

    m.captionWidth = 900; // longer than the window: no widening
    l = ComputeMessageDialogLayout(m);
    EXPECT_EQ(406 - 147, l.window.cx);
}

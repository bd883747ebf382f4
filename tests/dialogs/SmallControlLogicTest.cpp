// The window-free rules of the small controls: which key press makes which
// hotkey and how it is named. (Combo entries and the shortened path:
// EditControlsTest.)
#include <gtest/gtest.h>
#include "DialogTestSupport.h"
#include "dialogs/VirtualKeyNames.h"

namespace {
// Key-name strings as "<number>", so a test sees which string was asked for.
CString FakeString(UINT id)
{
    CString s;
    s.Format(L"<%u>", id);
    return s;
}

// The chord's text after a press; "ignored" when the press changes nothing.
std::string Press(UINT code, UINT flags, bool control, bool shift, bool alt)
{
    HotkeyChord chord{VK_MENU, 0, 'Q'};
    if (!ClassifyHotkeyPress(code, flags, control, shift, alt, chord))
        return "ignored";
    return Narrow(HotkeyChordText(chord, FakeString));
}

std::string Name(UINT code)
{
    return Narrow(VirtualKeyName(code, FakeString));
}
} // namespace

TEST(HotkeyPress, AtMostTwoModifiersInControlShiftAltOrderKeypadDigitsAndIgnoredKeys)
{
    const char* expected[8] = {"A", "<1157> + A", "<1156> + A", "<1157> + <1156> + A",
                               "<1158> + A", "<1157> + <1158> + A", "<1156> + <1158> + A", "<1157> + <1156> + A"};
    for (int mask = 0; mask < 8; ++mask)
        EXPECT_EQ(expected[mask], Press('A', 0, mask & 1, mask & 2, mask & 4)) << mask;
    EXPECT_EQ("<1156>", Press(VK_SHIFT, 0, false, true, false)); // a modifier alone
    EXPECT_EQ("", Press(VK_BACK, 0, true, false, false));
    EXPECT_EQ("", Press(VK_DELETE, KF_EXTENDED, false, false, false));
    // The keypad with Num Lock off is its digit; other keys are ignored.
    EXPECT_EQ("7 (<1155>)", Press(VK_HOME, 0, false, false, false));
    EXPECT_EQ("0 (<1155>)", Press(VK_INSERT, 0, false, false, false));
    EXPECT_EQ("ignored", Press(VK_HOME, KF_EXTENDED, false, false, false)); // the cursor block's Home
    EXPECT_EQ("F24", Press(VK_F24, KF_EXTENDED, false, false, false));      // named keys take any flags
    for (UINT code : {0u, UINT(VK_TAB), UINT(VK_RETURN), UINT(VK_SPACE), UINT(VK_PAUSE), UINT(VK_LWIN), 0xFFu})
        EXPECT_EQ("ignored", Press(code, 0, true, false, false)) << code;
}

TEST(KeyNames, OtherCodesAreTheirCharacterAndEveryPartIsJoined)
{
    EXPECT_EQ("/", Name(L'/'));
    EXPECT_EQ("", Name(0));
    EXPECT_EQ(std::string(1, '\t'), Name(VK_TAB)); // any other code: its character, printable or not
    EXPECT_EQ("<1157> + A", Narrow(HotkeyChordText(HotkeyChord{VK_CONTROL, 0, 'A'}, FakeString)));
    // A missing string still takes its place in the chord.
    EXPECT_EQ(" +  + A", Narrow(HotkeyChordText(HotkeyChord{VK_CONTROL, VK_SHIFT, 'A'}, [](UINT) { return CString(); })));
    EXPECT_EQ("F2", Narrow(HotkeyChordText(HotkeyChord{0, 0, VK_F2}, KeyStringLoader())));
}

// The window-free rules of the small controls: which key press makes which
// hotkey and how it is named, how combo entries are normalised and matched,
// and how a path is shortened to a width.
#include <vector>
#include <gtest/gtest.h>
#include "DialogTestSupport.h"
#include "dialogs/ComboText.h"
#include "dialogs/PathEllipsis.h"
#include "dialogs/VirtualKeyNames.h"
#include "resources/MorvaResourceIds.h"

namespace {
// Key-name strings as "<number>", so a test sees which string was asked for.
CString FakeString(UINT id)
{
    CString s;
    s.Format(L"<%u>", id);
    return s;
}

HotkeyChord Press(UINT code, UINT flags, bool control, bool shift, bool alt, bool* taken = nullptr)
{
    HotkeyChord chord{7, 7, 7}; // what an ignored press must leave alone
    const bool result = ClassifyHotkeyPress(code, flags, control, shift, alt, chord);
    if (taken != nullptr)
        *taken = result;
    return chord;
}

std::string Text(const HotkeyChord& chord)
{
    return Narrow(HotkeyChordText(chord, FakeString));
}

// Every character 10 pixels wide.
int TenEach(LPCWSTR, int count)
{
    return 10 * count;
}
} // namespace

TEST(HotkeyPress, ModifiersFillTwoSlotsInControlShiftAltOrder)
{
    // Every combination of the three modifiers with a letter.
    for (int mask = 0; mask < 8; ++mask) {
        const bool control = mask & 1, shift = mask & 2, alt = mask & 4;
        const HotkeyChord chord = Press('A', 0, control, shift, alt);
        std::vector<UINT> expected;
        if (control) expected.push_back(VK_CONTROL);
        if (shift) expected.push_back(VK_SHIFT);
        if (alt) expected.push_back(VK_MENU);
        expected.resize(2, 0); // a third is dropped
        EXPECT_EQ(expected[0], chord.firstModifier) << mask;
        EXPECT_EQ(expected[1], chord.secondModifier) << mask;
        EXPECT_EQ(UINT('A'), chord.key) << mask;
    }
    EXPECT_EQ("<1157> + <1156> + A", Text(Press('A', 0, true, true, true)));
}

TEST(HotkeyPress, ModifierAloneClearKeysAndIgnoredKeys)
{
    const HotkeyChord shift = Press(VK_SHIFT, 0, false, true, false);
    EXPECT_EQ(UINT(VK_SHIFT), shift.firstModifier);
    EXPECT_EQ(0u, shift.key);
    EXPECT_EQ("<1156>", Text(shift));

    for (UINT clear : {VK_BACK, VK_DELETE}) {
        const HotkeyChord chord = Press(clear, 0, true, true, false);
        EXPECT_EQ(0u, chord.firstModifier + chord.secondModifier + chord.key);
        EXPECT_EQ("", Text(chord));
    }
    // Enter, Escape, Space, Tab, Pause, extended cursor keys, codes beyond the
    // keypad block: the combination stays as it was.
    for (UINT code : {UINT(VK_RETURN), UINT(VK_ESCAPE), UINT(VK_SPACE), UINT(VK_TAB), UINT(VK_PAUSE), UINT(VK_OEM_1),
                      UINT(VK_LWIN), 0u, 0xFFu}) {
        bool taken = true;
        const HotkeyChord chord = Press(code, 0, true, false, false, &taken);
        EXPECT_FALSE(taken) << code;
        EXPECT_EQ(7u, chord.key) << code;
    }
    bool taken = true;
    Press(VK_HOME, KF_EXTENDED, false, false, false, &taken);
    EXPECT_FALSE(taken); // the Home key of the cursor block
}

TEST(HotkeyPress, KeypadWithNumLockOffBecomesItsDigit)
{
    const UINT cursor[] = {VK_INSERT, VK_END, VK_DOWN, VK_NEXT, VK_LEFT, VK_CLEAR, VK_RIGHT, VK_HOME, VK_UP, VK_PRIOR};
    for (UINT digit = 0; digit < 10; ++digit)
        EXPECT_EQ(VK_NUMPAD0 + digit, Press(cursor[digit], 0, false, false, false).key) << digit;
    EXPECT_EQ("7 (<1155>)", Text(Press(VK_HOME, 0, false, false, false)));
    EXPECT_EQ(UINT(VK_F24), Press(VK_F24, KF_EXTENDED, false, false, false).key); // named keys take any flags
}

TEST(KeyNames, NamesByCode)
{
    EXPECT_EQ("F1", Narrow(VirtualKeyName(VK_F1, FakeString)));
    EXPECT_EQ("F13", Narrow(VirtualKeyName(VK_F13, FakeString)));
    EXPECT_EQ("0 (<1155>)", Narrow(VirtualKeyName(VK_NUMPAD0, FakeString)));
    EXPECT_EQ("9", Narrow(VirtualKeyName('9', FakeString)));
    EXPECT_EQ("Z", Narrow(VirtualKeyName('Z', FakeString)));
    EXPECT_EQ("<1157>", Narrow(VirtualKeyName(VK_CONTROL, FakeString)));
    EXPECT_EQ("<1158>", Narrow(VirtualKeyName(VK_MENU, FakeString)));
    for (UINT code = VK_LSHIFT; code <= VK_RMENU; ++code)
        EXPECT_EQ(Narrow(FakeString(IDS_KEY_LEFT_SHIFT + code - VK_LSHIFT)), Narrow(VirtualKeyName(code, FakeString)));
    EXPECT_EQ("/", Narrow(VirtualKeyName(L'/', FakeString))); // any other code: its character
}

TEST(KeyNames, KeysWithoutANameLeaveNoGapInTheText)
{
    // Control characters have no printable name; missing strings give none.
    for (UINT code : {0u, 9u, 13u, 0x90u, 0x10000u})
        EXPECT_EQ("", Narrow(VirtualKeyName(code, FakeString))) << code;
    EXPECT_EQ("<1157> + A", Text(HotkeyChord{VK_CONTROL, 9, 'A'}));
    const KeyStringLoader none = [](UINT) { return CString(); };
    EXPECT_EQ("A", Narrow(HotkeyChordText(HotkeyChord{VK_CONTROL, VK_SHIFT, 'A'}, none)));
    EXPECT_EQ("A", Narrow(HotkeyChordText(HotkeyChord{VK_CONTROL, 0, 'A'}, KeyStringLoader())));
}

TEST(ComboTextRules, NormalisedAndMatched)
{
    EXPECT_EQ("server", Narrow(NormaliseComboText(L"\\\\server")));
    EXPECT_EQ("server", Narrow(NormaliseComboText(L"\\server")));
    EXPECT_EQ("\\server", Narrow(NormaliseComboText(L"\\\\\\server"))); // two at most
    EXPECT_EQ("\\\\", Narrow(NormaliseComboText(L"\\\\")));              // not longer than 2
    EXPECT_EQ("\\a", Narrow(NormaliseComboText(L"\\a")));
    EXPECT_EQ("server", Narrow(NormaliseComboText(L"  \\\\server \t")));
    EXPECT_EQ("my server", Narrow(NormaliseComboText(L" my server ")));
    EXPECT_EQ("", Narrow(NormaliseComboText(L"   ")));
    EXPECT_EQ("", Narrow(NormaliseComboText(L"")));

    EXPECT_TRUE(ComboTextsMatch(L"Server", L"SERVER"));
    EXPECT_TRUE(ComboTextsMatch(L"\u00e4rger", L"\u00c4RGER"));
    EXPECT_FALSE(ComboTextsMatch(L"Server", L"Server2"));
    EXPECT_FALSE(ComboTextsMatch(L"my server", L"my  server"));
    EXPECT_TRUE(ComboTextsMatch(L"", L""));
}

TEST(PathEllipsisRule, KeepsTheLastPartAndAsMuchOfTheBeginningAsFits)
{
    const CString path = L"C:\\Program Files\\Morva\\bin\\MorvaCommonU.dll"; // 43 characters
    EXPECT_EQ(Narrow(path), Narrow(EllipsizePath(path, 430, TenEach)));
    // 30 characters fit: "\MorvaCommonU.dll" is 17, the ellipsis 3, so 10 of the beginning.
    EXPECT_EQ("C:\\Program...\\MorvaCommonU.dll", Narrow(EllipsizePath(path, 305, TenEach)));
    // The last part with the ellipsis needs 20: below that the middle is cut.
    EXPECT_EQ("...\\MorvaCommonU.dll", Narrow(EllipsizePath(path, 200, TenEach)));
    EXPECT_EQ("C:\\Prog...monU.dll", Narrow(EllipsizePath(path, 180, TenEach)));
}

TEST(PathEllipsisRule, TextsWithoutBackslashLongSegmentsAndTinyWidths)
{
    // Without a backslash: beginning and end around the ellipsis, the end the larger half.
    EXPECT_EQ("abc...hij", Narrow(EllipsizePath(L"abcdefghij_hij", 90, TenEach)));
    EXPECT_EQ("ab...ij", Narrow(EllipsizePath(L"abcdefghij", 70, TenEach)));
    // A path of one very long segment behind a short head.
    const CString longName = CString(L"C:\\") + CString(L'x', 10000) + L".txt";
    const CString shown = EllipsizePath(longName, 200, TenEach);
    EXPECT_EQ("C:\\xxxxx...xxxxx.txt", Narrow(shown));
    // Nothing but part of the ellipsis fits; or nothing at all.
    EXPECT_EQ("..", Narrow(EllipsizePath(L"abcdef", 25, TenEach)));
    EXPECT_EQ("", Narrow(EllipsizePath(L"abcdef", 5, TenEach)));
    EXPECT_EQ("", Narrow(EllipsizePath(L"abcdef", -40, TenEach)));
    EXPECT_EQ("", Narrow(EllipsizePath(L"", 0, TenEach)));
    EXPECT_EQ("abc", Narrow(EllipsizePath(L"abc", 0, TextMeasure()))); // nothing to measure with
    // A leading backslash only: its "last part" is the whole text.
    EXPECT_EQ("\\a...hij", Narrow(EllipsizePath(L"\\abcdefghij", 80, TenEach)));
}

TEST(PathEllipsisRule, FitsWithProportionalWidthsAtEveryWidth)
{
    // Wide capitals, narrow i: the result never overflows.
    const TextMeasure measure = [](LPCWSTR text, int count) {
        int width = 0;
        for (int i = 0; i < count; ++i)
            width += text[i] == L'W' ? 15 : text[i] == L'i' ? 3 : 8;
        return width;
    };
    const CString path = L"\\\\server\\WWWW\\iiii\\Windows Files\\file.txt";
    for (int width = 0; width <= 400; ++width) {
        const CString shown = EllipsizePath(path, width, measure);
        ASSERT_LE(measure(shown, shown.GetLength()), width) << width;
    }
    EXPECT_EQ(Narrow(path), Narrow(EllipsizePath(path, 400, measure)));
}

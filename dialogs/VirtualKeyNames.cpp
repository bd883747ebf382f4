#include "dialogs/VirtualKeyNames.h"
#include "resources/MorvaResourceIds.h"

namespace {
bool IsDigitOrLetter(UINT code) { return (code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z'); }
bool IsFunctionKey(UINT code) { return code >= VK_F1 && code <= VK_F24; }
bool IsNumpadDigit(UINT code) { return code >= VK_NUMPAD0 && code <= VK_NUMPAD9; }

// Keys of the numeric keypad with NumLock off send the codes of the cursor
// block; without KF_EXTENDED they are the keypad's and stand for its digits.
UINT NumpadDigitOf(UINT code)
{
    switch (code) {
    case VK_CLEAR: return VK_NUMPAD5;
    case VK_PRIOR: return VK_NUMPAD9;
    case VK_NEXT: return VK_NUMPAD3;
    case VK_END: return VK_NUMPAD1;
    case VK_HOME: return VK_NUMPAD7;
    case VK_LEFT: return VK_NUMPAD4;
    case VK_UP: return VK_NUMPAD8;
    case VK_RIGHT: return VK_NUMPAD6;
    case VK_DOWN: return VK_NUMPAD2;
    case VK_INSERT: return VK_NUMPAD0;
    default: return 0;
    }
}

CString Load(const KeyStringLoader& loadString, UINT id)
{
    return loadString ? loadString(id) : CString();
}
} // namespace

bool ClassifyHotkeyPress(UINT code, UINT flags, bool control, bool shift, bool alt, HotkeyChord& chord)
{
    UINT key = 0;
    if (code == VK_BACK || code == VK_DELETE) {
        chord = HotkeyChord{};
        return true;
    }
    if (code == VK_SHIFT || code == VK_CONTROL || code == VK_MENU) {
        key = 0;
    } else if (IsDigitOrLetter(code) || IsFunctionKey(code) || IsNumpadDigit(code)) {
        key = code;
    } else if ((flags & KF_EXTENDED) != 0 || code < VK_CLEAR || code > VK_INSERT) {
        return false;
    } else {
        key = NumpadDigitOf(code);
        if (key == 0)
            return false; // Enter, Escape, Space, Pause and the like
    }
    // Control, Shift, Alt fill the two slots in that order; a third is dropped.
    UINT slots[2] = {0, 0};
    int used = 0;
    const bool pressed[3] = {control, shift, alt};
    const UINT codes[3] = {VK_CONTROL, VK_SHIFT, VK_MENU};
    for (int i = 0; i < 3 && used < 2; ++i) {
        if (pressed[i])
            slots[used++] = codes[i];
    }
    chord.firstModifier = slots[0];
    chord.secondModifier = slots[1];
    chord.key = key;
    return true;
}

CString VirtualKeyName(UINT code, const KeyStringLoader& loadString)
{
    CString name;
    if (IsFunctionKey(code)) {
        name.Format(L"F%d", static_cast<int>(code - (VK_F1 - 1)));
    } else if (IsNumpadDigit(code)) {
        name.Format(L"%d (%s)", static_cast<int>(code - VK_NUMPAD0),
                    static_cast<LPCWSTR>(Load(loadString, IDS_KEY_NUMPAD)));
    } else if (code == VK_SHIFT) {
        name = Load(loadString, IDS_KEY_SHIFT);
    } else if (code == VK_CONTROL) {
        name = Load(loadString, IDS_KEY_CONTROL);
    } else if (code == VK_MENU) {
        name = Load(loadString, IDS_KEY_ALT);
    } else if (code >= VK_LSHIFT && code <= VK_RMENU) {
        name = Load(loadString, IDS_KEY_LEFT_SHIFT + (code - VK_LSHIFT));
    } else if (code != 0) {
        // Digits, letters and any other code: its character, as the platform's
        // key codes of printable keys are.
        const WCHAR text[2] = {static_cast<WCHAR>(code), 0};
        name = text;
    }
    return name;
}

CString HotkeyChordText(const HotkeyChord& chord, const KeyStringLoader& loadString)
{
    // Every part that is set is named, also with an empty name (a missing
    // string), so that the text shows how many parts the chord has.
    CString text;
    bool first = true;
    for (UINT code : {chord.firstModifier, chord.secondModifier, chord.key}) {
        if (code == 0)
            continue;
        if (!first)
            text += L" + ";
        text += VirtualKeyName(code, loadString);
        first = false;
    }
    return text;
}

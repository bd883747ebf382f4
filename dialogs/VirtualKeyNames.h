// The window-free part of the hotkey field: which key message changes the
// held combination and how, and the display name of a virtual-key code. The
// strings of the language resource library come in through a loader, so all
// of it runs without a window or a module.
#pragma once
#include <windows.h>
#include <functional>
#include "framework/CString.h"
#include "framework/MorvaApi.h"

// A key combination: up to two modifier keys and one key, 0 where none.
struct HotkeyChord
{
    UINT firstModifier = 0;
    UINT secondModifier = 0;
    UINT key = 0;
};

// What a key press (virtual-key code, flags word of the key message, modifier
// state at that moment) makes of the combination. False when the press is
// ignored and the combination stays as it was; otherwise chord is the new one.
MORVA_API bool ClassifyHotkeyPress(UINT code, UINT flags, bool control, bool shift, bool alt, HotkeyChord& chord);

// Loads a string of the language resource library by number; empty when missing.
using KeyStringLoader = std::function<CString(UINT)>;

// Display name of a virtual-key code: a named key's string (empty when the
// string is missing), else the code's character; empty for 0.
MORVA_API CString VirtualKeyName(UINT code, const KeyStringLoader& loadString);

// The names of the non-zero components, first modifier, second modifier,
// key, joined with " + ".
MORVA_API CString HotkeyChordText(const HotkeyChord& chord, const KeyStringLoader& loadString);

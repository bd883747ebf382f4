// The window-free part of the de-duplicating combo box: how an entry is
// normalised before it is stored or compared, and when two entries are the same.
#pragma once
#include "framework/CString.h"
#include "framework/MorvaApi.h"

// A text longer than 2 characters that
// begins with a backslash loses it, and a second one that follows directly
// (a server name typed as \\server is stored as server).
MORVA_API CString NormaliseComboText(const CString& text);

// Whether two entries are the same without regard to case (ordinal, so the
// answer does not change with the user's locale).
MORVA_API bool ComboTextsMatch(const CString& a, const CString& b);

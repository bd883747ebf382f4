// The window-free rule by which the path field shortens a path that is too
// wide for it: the beginning and the end stay, an ellipsis stands between.
// Widths come from a measuring function, so the rule runs without a DC.
#pragma once
#include <functional>
#include "framework/CString.h"
#include "framework/MorvaApi.h"

// Width in pixels of count characters of text.
using TextMeasure = std::function<int(LPCWSTR text, int count)>;

// The text as it is shown in maxWidth pixels:
// - a text that fits is unchanged;
// - a path keeps its last part whole (from its last backslash on) and as much
//   of its beginning as fits: "C:\Program Files\...\name.txt";
// - a text without a backslash, or whose last part alone does not fit with the
//   ellipsis, keeps as much of its beginning and its end as fits, the end
//   getting the larger half: "C:\Very long na...me.txt";
// - when not even the ellipsis fits, as much of it as does (possibly nothing).
// The result is never wider than maxWidth, unless measure says the ellipsis
// alone is narrower than it is when measured within the result.
MORVA_API CString EllipsizePath(const CString& text, int maxWidth, const TextMeasure& measure);

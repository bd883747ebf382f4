// The window-free arithmetic of the clipped-text tip: when a cell's text
// counts as clipped, where the tip window goes, and which part of the text
// it shows.
#pragma once
#include <windows.h>
#include "framework/AfxTypes.h"
#include "framework/MorvaApi.h"
#include "framework/CString.h"

namespace SECListTipRules {

// Pixels kept clear at the right end of a cell: a label that reaches into them
// counts as clipped, so that a text ending under the cell's margin gets a tip.
const int kCellRightMargin = 5;
// The label's rectangle grows this much left, right and down for the tip.
const int kLabelGrowth = 2;
// The longest text a tip shows; the rest is cut.
const int kMaxTipChars = 259;

// Whether the label (rcLabel) does not show whole: its right edge lies beyond
// the cell's right edge less the margin or beyond the visible width, or it
// starts left of the visible area (scrolled out) and reaches into it.
// rcCell is the whole cell, rcInside the list's inside rectangle.
MORVA_API BOOL IsClipped(const CRect& rcCell, const CRect& rcLabel, const CRect& rcInside);

// The tip window's rectangle in screen coordinates, from the label rectangle
// in screen coordinates (not yet grown) and the cell's height: one pixel left
// of the grown label, three pixels wider, as high as the cell.
MORVA_API CRect WindowRect(const CRect& rcLabelScreen, int nCellHeight);

// The text a tip shows: up to the first line feed, at most kMaxTipChars.
MORVA_API CString DisplayText(const CString& strText);

} // namespace SECListTipRules

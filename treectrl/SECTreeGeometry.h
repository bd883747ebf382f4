// Window-free arithmetic of the tree column: indentation, the expand button's
// square and the dot parity of tree lines. The renderer and the hit test both
// use it, so a click lands where the picture shows the button.
#pragma once
#include <windows.h>
#include "framework/MorvaApi.h"

namespace SECTreeGeometry {

// Pixels between the label and what stands left of it.
const int kLabelGap = 6;
// Largest button side, and the side without any image.
const int kMaxButtonSize = 15;
const int kPlainButtonSize = 8;
// Ceiling of indents and levels in the arithmetic: a caller's absurd indent or
// a very deep tree never overflows an int, its columns only scroll further.
const int kMaxIndent = 1 << 14;
const int kMaxLevel = 1 << 15;

// 1 when top-level items get lines and buttons too (lines at root together
// with buttons or lines), else 0.
MORVA_API int RootShift(DWORD dwTreeStyle);
// Left edge of a row's graphics relative to the cell: (level - 1 + shift) * indent.
MORVA_API int LevelLeft(int nLevel, int nRootShift, int nIndent);
// The indent after a normal image list with images nImageWidth wide was set:
// that width rounded up to even when larger; it never shrinks.
MORVA_API int IndentForImages(int nIndent, int nImageWidth);
// Moves the start of a dotted line back one pixel when (offset + start) is odd,
// so that dots line up across rows and horizontal scrolling.
MORVA_API int DotStart(int nStart, int nOffset);

// What the button's place depends on.
struct ButtonInput
{
    RECT cell{};             // the cell, in client coordinates
    int nLevel = 1;          // GetLevel of the node (top-level items: 1)
    int nIndent = 20;        // pixels per level
    int nRootShift = 0;      // RootShift of the tree style
    int nHorzOffset = 0;     // horizontal scroll position
    BOOL bImage = FALSE;     // a normal image list and an item image
    BOOL bStateImage = FALSE; // else a state image list and a state image index
    int nImageWidth = 0;     // the row's image rectangle width
    int nImageHeight = 0;    // the row's image rectangle height
    int nStateWidth = 0;     // the row's state rectangle width
};
// Centre of the button, before (bRootShifted FALSE) or after the root shift.
MORVA_API POINT ButtonCentre(const ButtonInput& in, BOOL bRootShifted);
// The button's square: odd sides, so the glyph has a centre pixel.
MORVA_API RECT ButtonRect(const ButtonInput& in);

} // namespace SECTreeGeometry

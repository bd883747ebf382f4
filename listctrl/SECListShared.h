// Process-wide state of the lists: the scroll-bar metrics read when the library
// loads, the shared colours and the GDI objects created on first use and kept
// until the process ends. Nothing here is locked: lists live on the UI thread.
#pragma once
#include <windows.h>
#include "framework/MorvaApi.h"

// Width of a vertical and height of a horizontal scroll bar.
MORVA_API int SECListVScrollWidth();
MORVA_API int SECListHScrollHeight();

// Message a list posts to itself to repaint its scroll bars once after a run
// of changes, registered when the library loads.
MORVA_API UINT SECListRepaintBarsMessage();

// Colours shared by every list: disabled background (COLOR_3DLIGHT), inactive
// selected text (COLOR_MENUTEXT) and header face (COLOR_BTNFACE).
MORVA_API COLORREF SECListDisabledBkColor();
MORVA_API COLORREF SECListInactiveSelTextColor();
MORVA_API COLORREF SECListHeaderFaceColor();
// Reads the three colours again (WM_SYSCOLORCHANGE); the brush and pens are
// made again on their next use when their colour changed.
MORVA_API void SECListRefreshSharedColors();

// Header face brush and the grid pens (COLOR_BTNSHADOW, solid, 1 pixel).
MORVA_API HBRUSH SECListHeaderBrush();
MORVA_API HPEN SECListHorzGridPen();
MORVA_API HPEN SECListVertGridPen();

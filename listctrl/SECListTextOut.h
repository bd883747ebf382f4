// Cell text output. Painting a page draws a few hundred cell texts, nearly all
// of them one line that fits its cell: those are written with one
// ExtTextOutW at the place DrawTextW would choose, without DrawTextW's line
// parsing. Everything else (line breaks, tabs, texts that need an ellipsis,
// several lines) goes to DrawTextW.
#pragma once
#include <windows.h>
#include "framework/MorvaApi.h"

// Draws as DrawTextW (hDC, pszText, -1, pRect, nFlags) does and answers what
// it answers (the text height); DT_CALCRECT is passed on unchanged.
MORVA_API int SECDrawCellText(HDC hDC, LPCWSTR pszText, RECT* pRect, UINT nFlags);

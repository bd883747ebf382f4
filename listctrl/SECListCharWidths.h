// SECListCharWidths: the advance widths of one font's common characters (space
// to U+00FF), read once, so that the labels of long single-line lists are
// measured without a GDI call per label. A text measures through the table
// only when every character of it is in the table; the answer is then the
// text extent GetTextExtentPoint32W gives on a screen context with the font
// selected (the table is accepted only when the font's extents add up so), and
// the caller measures any other text with GDI.
//
//     if (const SECListCharWidths* pWidths = SECListCharWidths::ForFont(hdc, hFont))
//         bKnown = pWidths->Measure(text, length, size);
//
// Tables are kept per thread and per font (by its LOGFONTW), a few at most.
#pragma once
#include <windows.h>
#include "framework/MorvaApi.h"

class MORVA_API SECListCharWidths
{
public:
    // Characters covered: kFirst up to kLast.
    enum : WCHAR { kFirst = 0x20, kLast = 0xFF };

    // Reads the widths of the font selected in hdc; IsUsable() tells whether
    // they can stand for GDI's extents.
    explicit SECListCharWidths(HDC hdc);

    // The table of hFont for the screen context hdc, read on first use with
    // hFont selected into hdc (and the old font put back); null when the font
    // cannot be read or its extents do not add up.
    static const SECListCharWidths* ForFont(HDC hdc, HFONT hFont);
    // Forgets this thread's tables (tests).
    static void ForgetAll();

    BOOL IsUsable() const { return m_bUsable; }
    // The extent of the text, when every character is covered and has a glyph
    // of the font; FALSE (and size untouched) otherwise.
    BOOL Measure(LPCWSTR pszText, int nLength, SIZE& size) const;
    // Width of one covered character; -1 when it is not covered or has no glyph.
    int GetWidth(WCHAR ch) const;

private:
    enum { kCount = kLast - kFirst + 1 };
    short m_widths[kCount]; // advance width per character; -1 for a character without a glyph
    int m_nHeight = 0;      // height of any text's extent (the font's cell height)
    BOOL m_bUsable = FALSE; // the widths add up to GDI's extents
};

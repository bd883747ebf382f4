// CPallasEditLongPath: a display field for a path on one line, on the button
// face colour; a path too wide for the field keeps its beginning and its end
// with an ellipsis between (the platform's path ellipsis). Only the drawing
// is shortened: the window text stays the whole path.
#pragma once
#include "dialogs/LongTextField.h"

class MORVA_API CPallasEditLongPath : public CLongTextField
{
    DECLARE_DYNAMIC(CPallasEditLongPath)
public:
    // The text starts this many pixels in from the left edge.
    enum { kLeftInset = 4 };

    COLORREF GetBackgroundColor() const override { return ::GetSysColor(COLOR_BTNFACE); }
    void PaintText(HDC hDC, const CString& text, const RECT& client) override;
    // The text as the field shows it now.
    CString GetDisplayedText() const;
};

// CPallasEditLong: a display field for a long text, word-wrapped on a light
// background. It draws no caret and no selection; whether the user may edit
// is the template's business (read-only style).
#pragma once
#include "dialogs/LongTextField.h"

class MORVA_API CPallasEditLong : public CLongTextField
{
    DECLARE_DYNAMIC(CPallasEditLong)
public:
    // The background.
    enum : COLORREF { kBackground = RGB(240, 255, 255) };

    COLORREF GetBackgroundColor() const override { return kBackground; }
    void PaintText(HDC hDC, const CString& text, const RECT& client) override;
};

// What the two display fields for long text share: the background filled in
// their colour, their text drawn by themselves (also into a DC handed over by
// WM_PRINTCLIENT) with the font of their dialog, and a repaint after every new
// text. The subclasses say how the text is laid out.
#pragma once
#include <windows.h>
#include "framework/AfxControls.h"
#include "framework/AfxMsgMap.h"

class MORVA_API CLongTextField : public CEdit
{
    DECLARE_DYNAMIC(CLongTextField)
public:
    // Overridables
    virtual COLORREF GetBackgroundColor() const = 0;
    // Draws the text into the client rectangle of dc, whose font, colours and
    // background are set.
    virtual void PaintText(HDC hDC, const CString& text, const RECT& client) = 0;

protected:
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnPaint();
    void OnPrintClient(CDC* pDC, UINT nFlags);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // The dialog's font, as the field's neighbours show it; null without a parent.
    HFONT GetFieldFont() const;

    // Implementation
    void Draw(HDC hDC);
};

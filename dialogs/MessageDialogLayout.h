// How a message dialog fits its text: from the measures of its template
// (text control, widest shown button, caption, window) and of the wrapped
// message, the new sizes of the window and the text control and the offset of
// the buttons. Window-free; the dialog measures and applies.
#pragma once
#include <windows.h>
#include "framework/MorvaApi.h"

struct MessageDialogMeasures
{
    RECT textRect;      // the text control's window rectangle, as in the template
    RECT measuredText;  // the message wrapped into textRect (DrawText with DT_CALCRECT)
    RECT buttonRect;    // the rightmost shown button, same coordinates as textRect
    SIZE window;        // the dialog's window size
    int captionWidth;   // width of the caption in the caption font
    int captionReserve; // room the frame and the caption buttons take: 2 x (SM_CXFRAME + SM_CXSIZE + SM_CXBORDER)
};

struct MessageDialogLayout
{
    SIZE window;      // new window size
    SIZE text;        // new size of the text control
    SIZE buttonShift; // every button moves by this
};

// Room kept beside the caption when the dialog shrinks to a short message.
const int kCaptionSpare = 16;

// The dialog narrows to the wider of text and buttons (a single word wider
// than the control widens it), but not so far that the caption is cut, and it
// never widens for the caption alone; it grows down by the extra text height
// (its top left corner stays where the template put it).
MORVA_API MessageDialogLayout ComputeMessageDialogLayout(const MessageDialogMeasures& m);

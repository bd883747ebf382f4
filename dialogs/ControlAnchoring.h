// How the controls of a resizing dialog follow its size: one record per
// control, holding the rectangle it had when it was registered and what it
// does as the dialog grows, and the arithmetic that places every control for
// a new client size. Every placement starts from the registered rectangles,
// so repeated resizing never accumulates rounding.
#pragma once
#include <windows.h>
#include "framework/MorvaApi.h"

// Anchor bits: what a control does when the dialog grows.
enum : BYTE
{
    ANCHOR_MOVE_X = 1,  // moves right with the growth
    ANCHOR_MOVE_Y = 2,  // moves down
    ANCHOR_SIZE_X = 4,  // widens
    ANCHOR_SIZE_Y = 8,  // grows taller
    ANCHOR_SPLIT_Y = 32, // one of two stacked panes whose current height ratio is kept
};

// Split parts: which share of the growth a control takes (tested in this order).
enum : BYTE
{
    SPLIT_LEFT = 1,  // first half of the horizontal growth
    SPLIT_RIGHT = 2, // second half of the horizontal growth
    SPLIT_UPPER = 4, // first half of the vertical growth; never moves vertically
    SPLIT_LOWER = 8, // second half of the vertical growth
};

// A registered control, in client coordinates of the dialog at registration.
struct _dlgcontrolinfo
{
    int nID;        // dialog control identifier
    int left;       // left edge at registration
    int top;        // top edge at registration
    int width;      // width at registration; 0: the control only ever moves
    int height;     // height at registration
    BYTE splitPart; // share of the growth (SPLIT_*), 0 for none
    BYTE anchor;    // ANCHOR_* bits
};

// Where one control goes.
struct AnchorPlacement
{
    bool bPlace;    // false: the control's window is gone, leave it
    bool bMoveOnly; // only the position changes (the record's width is 0)
    RECT rect;      // new rectangle in client coordinates (size unused when bMoveOnly)
};

// The lower of two split panes never gets fewer pixels than this.
const int kMinLowerPaneHeight = 84;

// Places count records for a client size that went from initialClient to
// newClient. currentHeights[i] is control i's present height, or -1 when its
// window is gone; the split panes keep the ratio of their present heights.
// Widths and heights below 0 become 0. out receives count placements.
MORVA_API void ComputeAnchoredPlacements(const _dlgcontrolinfo* records, int count, const int* currentHeights,
                                         SIZE initialClient, SIZE newClient, AnchorPlacement* out);

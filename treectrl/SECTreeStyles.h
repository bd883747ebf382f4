// Style words of the tree. The tree takes the platform's TVS_ values from the
// window style at creation and the extended tree style bits below from the
// extended window style.
//
// Resource scripts include this file (a dialog template names its placeholder's
// tree styles), so it holds plain #defines only: no C++, no integer suffixes.
#pragma once
#include <windows.h>
#include <commctrl.h>

// Tree style bits the control keeps itself (the platform's TVS_HASBUTTONS,
// TVS_HASLINES, TVS_LINESATROOT, TVS_DISABLEDRAGDROP and TVS_SINGLEEXPAND);
// TVS_EDITLABELS and TVS_SHOWSELALWAYS live in the list style.
#define SEC_TVS_STORED_MASK 0x00000417
// Window style bits taken as tree style at creation.
#define SEC_TVS_CREATE_MASK 0x0000043F
// Extended tree style bits.
#define SEC_TVSX_MULTISELECT  0x00100000 // several items can be selected; AddToSelection keeps the caret
#define SEC_TVSX_WRAPLABELS   0x00200000 // rows grow with their labels (no single-line rows)
#define SEC_TVSX_HEADER       0x00400000 // the column header is shown
#define SEC_TVSX_TIPS         0x00800000 // tips for clipped texts
#define SEC_TVSX_PROGRESSIVE  0x01000000 // expansions and collapses repaint row by row
#define SEC_TVSX_AUTOEXPAND   0x02000000 // a drop target that stays highlighted expands
#define SEC_TVSX_HEADERBTNS   0x04000000 // with the header: headings are buttons
#define SEC_TVSX_REORDER      0x08000000 // with header buttons: columns can be reordered
// Extended window style bits taken as extended tree style at creation.
#define SEC_TVSX_CREATE_MASK  0x03F00000

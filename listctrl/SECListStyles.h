// Style words of the list. The list style takes the platform's LVS_ values
// (LVS_REPORT, LVS_SINGLESEL, LVS_SHOWSELALWAYS, LVS_SHAREIMAGELISTS,
// LVS_NOLABELWRAP, LVS_EDITLABELS, LVS_NOSCROLL, LVS_NOCOLUMNHEADER,
// LVS_NOSORTHEADER) from the low word of the window style at creation; the
// extended list style takes the bits below from the extended window style.
//
// Resource scripts include this file (a dialog template names its placeholder's
// list styles), so it holds plain #defines only: no C++, no integer suffixes.
#pragma once
#include <windows.h>
#include <commctrl.h>

// Extended list style bits.
#define SEC_LVSX_REORDER_COLUMNS 0x00000010  // headings (but the main one) can be dragged to reorder
#define SEC_LVSX_TIPS            0x00100000  // tips for clipped cell text (single-line rows only)
#define SEC_LVSX_HGRID           0x00400000  // horizontal grid lines
#define SEC_LVSX_VGRID           0x00800000  // vertical grid lines
#define SEC_LVSX_FULLROWSELECT   0x02000000  // a click anywhere in a row selects it
#define SEC_LVSX_FITCOLUMNS      0x04000000  // columns are stretched to fill the width
#define SEC_LVSX_KEEPMAINWIDTH   0x08000000  // a deleted column's width stays away from the main column

// The bits of the creation styles that become list styles.
#define SEC_LVS_CREATE_MASK      0x0000F3FF  // window style bits taken as list style
#define SEC_LVS_WINDOW_MASK      0xFFFF0C00  // window style bits the window keeps
#define SEC_LVSX_CREATE_MASK     0x1FF00000  // extended window style bits taken as extended list style
#define SEC_LVSX_WINDOW_MASK     0xE00FFFFF  // extended window style bits the window keeps

// View modes (list style & LVS_TYPEMASK).
#define SEC_LVS_VIEW_ICON   0
#define SEC_LVS_VIEW_REPORT 1

// Hit-test area codes.
#define SEC_LVHT_NOWHERE       0x0001
#define SEC_LVHT_ONITEMICON    0x0002
#define SEC_LVHT_ONITEMLABEL   0x0004
#define SEC_LVHT_ONITEMSTATE   0x0008  // inside a row; outside the client area: above it
#define SEC_LVHT_ABOVE         0x0008
#define SEC_LVHT_BELOW         0x0010
#define SEC_LVHT_TORIGHT       0x0020
#define SEC_LVHT_TOLEFT        0x0040
#define SEC_LVHT_ONDIVIDER     0x0800
#define SEC_LVHT_ONHEADING     0x1000
#define SEC_LVHT_ONITEM        0x2000
#define SEC_LVHT_LEFTOFLABEL   0x4000
#define SEC_LVHT_RIGHTOFLABEL  0x8000

// Type-ahead flags.
#define SEC_TYPEAHEAD_ACTIVE  0x1  // a search is running
#define SEC_TYPEAHEAD_MATCHED 0x2  // a character was taken since the last timer tick
#define SEC_TYPEAHEAD_FAILED  0x4  // the search failed; characters are swallowed
#define SEC_TYPEAHEAD_OFF     0x8  // type-ahead is turned off

// Modifier flags of ProcessSelection (the mouse-message values).
#define SEC_KEY_SHIFT   MK_SHIFT
#define SEC_KEY_CONTROL MK_CONTROL
// Hit flags a keyboard step passes: like a click on the row's image and label.
#define SEC_HIT_KEYBOARD 0x46

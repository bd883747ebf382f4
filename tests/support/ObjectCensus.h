// A count of the GDI and USER objects the process holds, for tests that prove
// a control gives back everything it makes. GetGuiResources answers 0 under
// Wine, so the census counts in ways that work there and on Windows alike:
// - GDI handles: GetObjectType over every slot of the handle table (both
//   accept a bare slot number in place of the full handle);
// - the framework's own wrappers: live GDI objects and device contexts;
// - windows: those of this thread, top-level and child, by enumeration;
// - icons and cursors, menus: GetIconInfo and IsMenu over every slot of the
//   USER handle table (even values from 0x20; an odd value names its even
//   neighbour's object again).
#pragma once
#include <windows.h>
#include <string>

struct ObjectCensus
{
    int gdiHandles = 0;    // live GDI objects of the process (DCs, bitmaps, brushes, pens, fonts, regions)
    LONG gdiWrappers = 0;  // CGdiObject::GetLiveCount
    LONG dcWrappers = 0;   // CDC::GetLiveCount
    int windows = 0;       // windows of the calling thread
    int iconsCursors = 0;  // icons and cursors of the process
    int menus = 0;         // menus of the process

    static ObjectCensus Take();
    // Whether no count of later exceeds this one's.
    bool NoneGrewIn(const ObjectCensus& later) const;
    std::string Describe() const;
};

// Windows of the calling thread, top-level and child.
int CountThreadWindows();

#include "support/ObjectCensus.h"
#include <sstream>
#include "framework/CDC.h"
#include "framework/CGdiObject.h"

namespace {
const ULONG_PTR kSlotEnd = 0x10000;      // handle tables hold at most this many slots
const ULONG_PTR kFirstUserHandle = 0x20; // USER handles start here and step by 2

BOOL CALLBACK CountChild(HWND, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND hWnd, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    ::EnumChildWindows(hWnd, CountChild, count); // every descendant, not only the children
    return TRUE;
}
} // namespace

int CountThreadWindows()
{
    int count = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), CountTopLevel, reinterpret_cast<LPARAM>(&count));
    return count;
}

ObjectCensus ObjectCensus::Take()
{
    ObjectCensus c;
    for (ULONG_PTR slot = 1; slot < kSlotEnd; ++slot)
        c.gdiHandles += ::GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0;
    for (ULONG_PTR slot = kFirstUserHandle; slot < kSlotEnd; slot += 2) {
        ICONINFO info{};
        if (::GetIconInfo(reinterpret_cast<HICON>(slot), &info)) {
            ++c.iconsCursors;
            // The bitmaps are copies made for the caller.
            if (info.hbmMask != nullptr)
                ::DeleteObject(info.hbmMask);
            if (info.hbmColor != nullptr)
                ::DeleteObject(info.hbmColor);
        }
        c.menus += ::IsMenu(reinterpret_cast<HMENU>(slot)) != FALSE;
    }
    c.gdiWrappers = CGdiObject::GetLiveCount();
    c.dcWrappers = CDC::GetLiveCount();
    c.windows = CountThreadWindows();
    return c;
}

bool ObjectCensus::NoneGrewIn(const ObjectCensus& later) const
{
    return later.gdiHandles <= gdiHandles && later.gdiWrappers <= gdiWrappers && later.dcWrappers <= dcWrappers &&
           later.windows <= windows && later.iconsCursors <= iconsCursors && later.menus <= menus;
}

std::string ObjectCensus::Describe() const
{
    std::ostringstream out;
    out << "GDI handles " << gdiHandles << ", GDI wrappers " << gdiWrappers << ", DC wrappers " << dcWrappers
        << ", windows " << windows << ", icons and cursors " << iconsCursors << ", menus " << menus;
    return out.str();
}

#include "listctrl/SECListShared.h"

namespace {
struct SharedColors
{
    COLORREF disabledBk = ::GetSysColor(COLOR_3DLIGHT);       // background of a disabled list
    COLORREF inactiveSelText = ::GetSysColor(COLOR_MENUTEXT); // selected text without focus
    COLORREF headerFace = ::GetSysColor(COLOR_BTNFACE);       // header band
    COLORREF gridLine = ::GetSysColor(COLOR_BTNSHADOW);       // both grid pens
};

SharedColors& Colors()
{
    static SharedColors colors;
    return colors;
}

// Read when the library is loaded.
const int g_cxVScroll = ::GetSystemMetrics(SM_CXVSCROLL);
const int g_cyHScroll = ::GetSystemMetrics(SM_CYHSCROLL);
const UINT g_repaintBarsMessage = ::RegisterWindowMessageW(L"MorvaListRepaintScrollBars");

HBRUSH g_headerBrush = nullptr;
HPEN g_horzGridPen = nullptr;
HPEN g_vertGridPen = nullptr;

template <class THandle>
void DeleteShared(THandle& hObject)
{
    if (hObject != nullptr) {
        ::DeleteObject(hObject);
        hObject = nullptr;
    }
}
} // namespace

int SECListVScrollWidth() { return g_cxVScroll; }
int SECListHScrollHeight() { return g_cyHScroll; }
UINT SECListRepaintBarsMessage() { return g_repaintBarsMessage; }
COLORREF SECListDisabledBkColor() { return Colors().disabledBk; }
COLORREF SECListInactiveSelTextColor() { return Colors().inactiveSelText; }
COLORREF SECListHeaderFaceColor() { return Colors().headerFace; }

void SECListRefreshSharedColors()
{
    const SharedColors old = Colors();
    Colors() = SharedColors();
    // Every list reloads its colours when it is made: the GDI objects are made
    // again only when their colour really changed.
    if (old.headerFace != Colors().headerFace)
        DeleteShared(g_headerBrush);
    if (old.gridLine != Colors().gridLine) {
        DeleteShared(g_horzGridPen);
        DeleteShared(g_vertGridPen);
    }
}

HBRUSH SECListHeaderBrush()
{
    if (g_headerBrush == nullptr)
        g_headerBrush = ::CreateSolidBrush(Colors().headerFace);
    return g_headerBrush;
}

HPEN SECListHorzGridPen()
{
    if (g_horzGridPen == nullptr)
        g_horzGridPen = ::CreatePen(PS_SOLID, 1, Colors().gridLine);
    return g_horzGridPen;
}

HPEN SECListVertGridPen()
{
    if (g_vertGridPen == nullptr)
        g_vertGridPen = ::CreatePen(PS_SOLID, 1, Colors().gridLine);
    return g_vertGridPen;
}

#include "treectrl/SECTreePaintContext.h"
#include <cstring>
#include <mutex>

namespace {
std::mutex g_lock;                 // guards the shared resources below
HPEN g_hGlyphPen = nullptr;        // COLOR_WINDOWTEXT, 1 pixel
HPEN g_hFramePen = nullptr;        // COLOR_BTNSHADOW, 1 pixel
HFONT g_hBold = nullptr;           // bold copy of g_logRowFont
LOGFONTW g_logRowFont{};           // the row font g_hBold was made from

HPEN SharedPen(HPEN& hPen, int nColor)
{
    std::lock_guard<std::mutex> hold(g_lock);
    if (hPen == nullptr)
        hPen = ::CreatePen(PS_SOLID, 1, ::GetSysColor(nColor));
    return hPen;
}
} // namespace

HPEN SECTreeGlyphPen()
{
    return SharedPen(g_hGlyphPen, COLOR_WINDOWTEXT);
}

HPEN SECTreeButtonFramePen()
{
    return SharedPen(g_hFramePen, COLOR_BTNSHADOW);
}

HFONT SECTreeBoldFont(HFONT hRowFont)
{
    LOGFONTW log{};
    if (hRowFont == nullptr || ::GetObjectW(hRowFont, sizeof(log), &log) != sizeof(log))
        return hRowFont;
    log.lfWeight = FW_BOLD;
    std::lock_guard<std::mutex> hold(g_lock);
    // Comparing the descriptions, not the handles: a font deleted and another
    // made at its handle must not get the old bold copy.
    if (g_hBold != nullptr && std::memcmp(&log, &g_logRowFont, sizeof(log)) == 0)
        return g_hBold;
    if (g_hBold != nullptr)
        ::DeleteObject(g_hBold);
    g_hBold = ::CreateFontIndirectW(&log);
    g_logRowFont = log;
    return g_hBold != nullptr ? g_hBold : hRowFont;
}

#include "support/RandomInput.h"
#include <algorithm>
#include <cstdio>
#include <vector>
#include "support/OwnerWindow.h"

namespace {
std::string Hex(UINT_PTR value)
{
    char text[24];
    std::snprintf(text, sizeof(text), "0x%llx", static_cast<unsigned long long>(value));
    return text;
}

std::string At(CPoint p)
{
    return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
}

// The list whose divider loop the safety timer ends (see Press).
HWND g_hTracking = nullptr;

void CALLBACK EndTracking(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_hTracking != nullptr && ::IsWindow(g_hTracking))
        ::PostMessageW(g_hTracking, WM_CANCELMODE, 0, 0);
}

void Send(SECListBaseC& list, UINT message, WPARAM wParam, CPoint p)
{
    if (list.m_hWnd != nullptr)
        ::SendMessageW(list.m_hWnd, message, wParam, MAKELPARAM(p.x, p.y));
}
} // namespace

void RandomInput::DispatchPosted()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
    }
    for (int n = 0; n < 100 && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE); ++n) {
        if (msg.message != WM_TIMER && msg.message != WM_QUIT)
            ::DispatchMessageW(&msg);
    }
}

UINT RandomInput::AnyKeys(UINT buttons)
{
    return buttons | (Chance(30) ? MK_LBUTTON : 0u) | (Chance(8) ? MK_RBUTTON : 0u) | (Chance(25) ? MK_SHIFT : 0u) |
           (Chance(25) ? MK_CONTROL : 0u);
}

// Mostly on what a user aims at: labels, images and cells of the rows in
// sight, headings and dividers; sometimes anywhere around the list.
CPoint RandomInput::AnyPoint(SECListBaseC& list)
{
    CRect client;
    list.GetClientRect(&client);
    const int columns = list.GetColumnCount();
    const int rows = list.GetItemCount();
    const int kind = Pick(10);
    if (kind < 4 && rows > 0) {
        const int top = list.GetTopIndex();
        const int row = std::min(rows - 1, top + Pick(12));
        CRect cell;
        const int part = std::vector<int>{SECListBaseC::kCellLabel, SECListBaseC::kCellImage,
                                          SECListBaseC::kCellWhole}[Pick(3)];
        if (list.GetCellRect(row, columns > 0 ? Pick(columns) : 0, cell, part) && !cell.IsRectEmpty())
            return CPoint(cell.left + Pick(std::max(cell.Width(), 1)), cell.top + Pick(std::max(cell.Height(), 1)));
    }
    if (kind < 6 && columns > 0) {
        const int col = Pick(columns);
        const int y = Pick(std::max(list.GetHeaderHeight(), 1));
        return Chance(50) ? CPoint(list.GetColumnRight(col) + Pick(5) - 2, y)
                          : CPoint((list.GetColumnLeft(col) + list.GetColumnRight(col)) / 2, y);
    }
    return CPoint(Pick(client.Width() + 40) - 20, Pick(client.Height() + 40) - 20);
}

// A press on a divider runs the list's modal resize loop: give it its end first.
std::string RandomInput::Press(SECListBaseC& list, UINT message, CPoint point)
{
    UINT flags = 0;
    list.HitTest(point, &flags);
    std::string what = (message == WM_LBUTTONDBLCLK ? "double-click " : "press ") + At(point);
    if ((flags & SEC_LVHT_ONDIVIDER) != 0) {
        if (Chance(50))
            list.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(point.x + Pick(80) - 40, point.y));
        const UINT end = std::vector<UINT>{WM_LBUTTONUP, WM_KEYDOWN, WM_RBUTTONDOWN, WM_CANCELMODE}[Pick(4)];
        list.PostMessage(end, end == WM_KEYDOWN ? VK_ESCAPE : 0, MAKELPARAM(point.x + Pick(80) - 40, point.y));
        what += " on a divider, ended by " + Hex(end);
    }
    const UINT keys = AnyKeys(MK_LBUTTON);
    // Should the end posted above be taken by a loop the owner or a timer
    // started meanwhile, the divider loop would wait for input nobody sends:
    // a thread timer ends it then (the loop dispatches what it does not use).
    g_hTracking = list.m_hWnd;
    const UINT_PTR safety = ::SetTimer(nullptr, 0, 2000, EndTracking);
    Send(list, message, keys, point);
    ::KillTimer(nullptr, safety);
    g_hTracking = nullptr;
    return what + " keys " + Hex(keys);
}

std::string RandomInput::Key(SECListBaseC& list)
{
    static const UINT keys[] = {VK_UP,     VK_DOWN, VK_SPACE, VK_PRIOR, VK_NEXT,   VK_HOME,     VK_END,
                                VK_RETURN, VK_F2,   VK_LEFT,  VK_RIGHT, VK_BACK,   VK_MULTIPLY, VK_TAB,
                                VK_ESCAPE, VK_ADD,  VK_SUBTRACT, VK_OEM_PLUS, VK_OEM_MINUS, VK_DELETE, 'A'};
    if (Chance(30)) { // type-ahead, also of texts the owner supplies
        const WCHAR ch = Chance(85) ? L"rowcb 1*+-=_"[Pick(12)] : static_cast<WCHAR>(Pick(0x3000) + 1);
        if (list.m_hWnd != nullptr)
            list.SendMessage(WM_CHAR, ch, 1);
        return "character " + Hex(ch);
    }
    const bool shift = Chance(25), control = Chance(25);
    const UINT key = keys[Pick(static_cast<int>(sizeof(keys) / sizeof(keys[0])))];
    SetModifierKeys(shift, control);
    // A system key that opens the window menu (shift+Escape, F10, Alt) would
    // start the system's menu loop, which waits for input nobody sends here.
    const bool bMenuKey = key == VK_ESCAPE || key == VK_F10 || key == VK_MENU || key == VK_SPACE;
    if (list.m_hWnd != nullptr)
        list.SendMessage(Chance(5) && !bMenuKey ? WM_SYSKEYDOWN : WM_KEYDOWN, key,
                         Chance(10) ? UINT(Pick(0x10000)) : 1u);
    SetModifierKeys(false, false);
    return "key " + Hex(key) + (shift ? " shift" : "") + (control ? " control" : "");
}

std::string RandomInput::Mouse(SECListBaseC& list)
{
    const CPoint point = AnyPoint(list);
    switch (Pick(8)) {
    case 0:
    case 1: return Press(list, WM_LBUTTONDOWN, point);
    case 2: {
        const UINT keys = AnyKeys(0);
        Send(list, WM_LBUTTONUP, keys, point);
        return "release " + At(point) + " keys " + Hex(keys);
    }
    case 3: return Press(list, WM_LBUTTONDBLCLK, point);
    case 4:
    case 5: {
        const UINT keys = AnyKeys(0);
        Send(list, WM_MOUSEMOVE, keys, point);
        return "move " + At(point) + " keys " + Hex(keys);
    }
    case 6: { // inside the list only: elsewhere a right release opens the frame's menu loop
        CRect client;
        list.GetClientRect(&client);
        const CPoint inside(Pick(std::max(client.Width(), 1)), Pick(std::max(client.Height(), 1)));
        const bool down = Chance(50);
        Send(list, down ? WM_RBUTTONDOWN : WM_RBUTTONUP, AnyKeys(down ? MK_RBUTTON : 0), inside);
        return std::string(down ? "right press " : "right release ") + At(inside);
    }
    default: {
        const short delta = static_cast<short>((Pick(7) - 3) * (Chance(70) ? WHEEL_DELTA : 40));
        CPoint screen = point;
        if (list.m_hWnd != nullptr)
            ::ClientToScreen(list.m_hWnd, &screen);
        if (list.m_hWnd != nullptr)
            list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(AnyKeys(0), delta), MAKELPARAM(screen.x, screen.y));
        return "wheel " + std::to_string(delta);
    }
    }
}

std::string RandomInput::Scroll(SECListBaseC& list)
{
    const bool vertical = Chance(60);
    static const UINT codes[] = {SB_LINEUP, SB_LINEDOWN, SB_PAGEUP,  SB_PAGEDOWN, SB_THUMBTRACK,
                                 SB_THUMBPOSITION, SB_TOP, SB_BOTTOM, SB_ENDSCROLL};
    const UINT code = codes[Pick(9)];
    CScrollBar* pBar = list.GetScrollBarCtrl(vertical ? SB_VERT : SB_HORZ);
    HWND hBar = pBar != nullptr ? pBar->m_hWnd : nullptr;
    if ((code == SB_THUMBTRACK || code == SB_THUMBPOSITION) && hBar != nullptr) {
        // The list reads the track position from its bar, as the bar's own drag sets it.
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_RANGE | SIF_PAGE;
        ::GetScrollInfo(hBar, SB_CTL, &si);
        si.fMask = SIF_POS;
        si.nPos = si.nMin + Pick(std::max(si.nMax - si.nMin + 1, 1));
        ::SetScrollInfo(hBar, SB_CTL, &si, FALSE);
    }
    if (list.m_hWnd != nullptr)
        list.SendMessage(vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, Pick(100)),
                         reinterpret_cast<LPARAM>(hBar));
    return std::string(vertical ? "vertical" : "horizontal") + " scroll " + std::to_string(code);
}

std::string RandomInput::Paint(SECListBaseC& list)
{
    if (list.m_hWnd == nullptr)
        return "paint of no window";
    if (Chance(50)) {
        ::InvalidateRect(list.m_hWnd, nullptr, FALSE);
        ::UpdateWindow(list.m_hWnd);
        return "paint";
    }
    CRect client;
    list.GetClientRect(&client);
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, std::max(client.Width(), 1), std::max(client.Height(), 1));
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::ReleaseDC(nullptr, screen);
    list.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    return "print into a memory DC";
}

std::string RandomInput::Editor(SECListBaseC& list)
{
    SECListEdit* pEdit = list.GetEditControl();
    HWND hEdit = pEdit != nullptr ? pEdit->m_hWnd : nullptr;
    if (hEdit == nullptr)
        return Key(list);
    if (Chance(60)) {
        const WCHAR ch = L"xyz \r\t"[Pick(6)];
        ::SendMessageW(hEdit, WM_CHAR, ch, 1);
        return "editor character " + Hex(ch);
    }
    const UINT key = std::vector<UINT>{VK_RETURN, VK_ESCAPE, VK_TAB, VK_BACK}[Pick(4)];
    ::SendMessageW(hEdit, WM_KEYDOWN, key, 1);
    return "editor key " + Hex(key);
}

std::string RandomInput::Other(SECListBaseC& list)
{
    if (list.m_hWnd == nullptr)
        return "nothing";
    switch (Pick(7)) {
    case 0: {
        static const UINT_PTR ids[] = {SECListBaseC::kTimerAutoScroll, SECListBaseC::kTimerTypeAhead,
                                       SECListBaseC::kTimerPendingEdit, 77};
        const UINT_PTR id = m_extraTimer != 0 && Chance(30) ? m_extraTimer : ids[Pick(4)];
        list.SendMessage(WM_TIMER, id, 0);
        return "timer " + Hex(id);
    }
    case 1:
        ::SetFocus(Chance(50) ? list.m_hWnd : ::GetParent(list.m_hWnd));
        return "focus";
    case 2:
        if (Chance(50))
            ::SetCapture(Chance(50) ? list.m_hWnd : ::GetParent(list.m_hWnd));
        else
            ::ReleaseCapture();
        return "capture";
    case 3: list.SendMessage(WM_CANCELMODE); return "cancel mode";
    case 4: {
        const int cx = 60 + Pick(400), cy = 30 + Pick(300);
        ::SetWindowPos(list.m_hWnd, nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return "size " + std::to_string(cx) + "x" + std::to_string(cy);
    }
    case 5: list.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), TRUE);
        return "font";
    default: list.SendMessage(WM_SYSCOLORCHANGE); return "system colours";
    }
}

std::string RandomInput::Step(SECListBaseC& list)
{
    std::string what;
    switch (Pick(20)) {
    case 0: case 1: case 2: case 3: what = Key(list); break;
    case 4: case 5: case 6: case 7: case 8: case 9: what = Mouse(list); break;
    case 10: case 11: what = Scroll(list); break;
    case 12: case 13: what = Paint(list); break;
    case 14: case 15: what = Editor(list); break;
    default: what = Other(list); break;
    }
    DispatchPosted();
    return what;
}

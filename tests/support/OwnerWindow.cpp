#include "support/OwnerWindow.h"
#include <sstream>

OwnerWindow::OwnerWindow()
{
    CreateEx(0, nullptr, L"Owner", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 640, 480, nullptr, nullptr);
}

OwnerWindow::~OwnerWindow()
{
    DestroyWindow();
}

LRESULT OwnerWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY && lParam != 0) {
        NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
        RecordedMessage r;
        r.message = message;
        r.code = header->code;
        r.idFrom = header->idFrom;
        r.hwndFrom = header->hwndFrom;
        const UINT code = r.code;
        if (code == LVN_BEGINLABELEDITW || code == LVN_ENDLABELEDITW || code == LVN_GETDISPINFOW ||
            code == LVN_SETDISPINFOW) {
            const NMLVDISPINFOW* info = reinterpret_cast<NMLVDISPINFOW*>(lParam);
            r.item = info->item.iItem;
            r.subItem = info->item.iSubItem;
            r.mask = info->item.mask;
            r.lParam = info->item.lParam;
            r.hasText = info->item.pszText != nullptr && info->item.pszText != LPSTR_TEXTCALLBACKW;
            if (r.hasText && code == LVN_ENDLABELEDITW)
                r.text = info->item.pszText;
        } else if (code == LVN_COLUMNCLICK || code == LVN_DELETEITEM || code == LVN_INSERTITEM) {
            const NMLISTVIEW* info = reinterpret_cast<NMLISTVIEW*>(lParam);
            r.item = info->iItem;
            r.subItem = info->iSubItem;
        } else if (code == LVN_KEYDOWN) {
            r.key = reinterpret_cast<NMLVKEYDOWN*>(lParam)->wVKey;
        }
        messages.push_back(r);
        LRESULT result = 0;
        if (onNotify && onNotify(header, result))
            return result;
        auto it = answers.find(code);
        return it != answers.end() ? it->second : 0;
    }
    if (message >= 0xC000 && message <= 0xFFFF && onRegistered)
        onRegistered(message, wParam, lParam);
    if (message == WM_COMMAND) {
        RecordedMessage r;
        r.message = message;
        r.code = HIWORD(wParam);
        r.idFrom = LOWORD(wParam);
        r.hwndFrom = reinterpret_cast<HWND>(lParam);
        messages.push_back(r);
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

std::vector<UINT> OwnerWindow::NotifyCodes() const
{
    std::vector<UINT> codes;
    for (const RecordedMessage& r : messages) {
        if (r.message == WM_NOTIFY)
            codes.push_back(r.code);
    }
    return codes;
}

int OwnerWindow::Count(UINT code) const
{
    int n = 0;
    for (const RecordedMessage& r : messages)
        n += r.message == WM_NOTIFY && r.code == code;
    return n;
}

std::string NotifyName(UINT code)
{
    switch (code) {
    case NM_CLICK: return "NM_CLICK";
    case NM_DBLCLK: return "NM_DBLCLK";
    case NM_RETURN: return "NM_RETURN";
    case NM_RCLICK: return "NM_RCLICK";
    case NM_SETFOCUS: return "NM_SETFOCUS";
    case NM_KILLFOCUS: return "NM_KILLFOCUS";
    case LVN_BEGINLABELEDITW: return "LVN_BEGINLABELEDITW";
    case LVN_ENDLABELEDITW: return "LVN_ENDLABELEDITW";
    case LVN_GETDISPINFOW: return "LVN_GETDISPINFOW";
    case LVN_COLUMNCLICK: return "LVN_COLUMNCLICK";
    case LVN_DELETEITEM: return "LVN_DELETEITEM";
    case LVN_INSERTITEM: return "LVN_INSERTITEM";
    case LVN_KEYDOWN: return "LVN_KEYDOWN";
    case TVN_SELCHANGINGW: return "TVN_SELCHANGINGW";
    case TVN_SELCHANGEDW: return "TVN_SELCHANGEDW";
    case TVN_ITEMEXPANDINGW: return "TVN_ITEMEXPANDINGW";
    case TVN_ITEMEXPANDEDW: return "TVN_ITEMEXPANDEDW";
    case TVN_DELETEITEMW: return "TVN_DELETEITEMW";
    case TVN_GETDISPINFOW: return "TVN_GETDISPINFOW";
    case TVN_SETDISPINFOW: return "TVN_SETDISPINFOW";
    case TVN_BEGINLABELEDITW: return "TVN_BEGINLABELEDITW";
    case TVN_ENDLABELEDITW: return "TVN_ENDLABELEDITW";
    case TVN_KEYDOWN: return "TVN_KEYDOWN";
    case TVN_BEGINDRAGW: return "TVN_BEGINDRAGW";
    case TVN_BEGINRDRAGW: return "TVN_BEGINRDRAGW";
    default: return std::to_string(code);
    }
}

std::string OwnerWindow::Listing() const
{
    std::ostringstream out;
    for (const RecordedMessage& r : messages) {
        if (r.message == WM_NOTIFY)
            out << "  " << NotifyName(r.code) << " item=" << r.item << " sub=" << r.subItem << "\n";
        else
            out << "  WM_COMMAND id=" << r.idFrom << " code=" << r.code << "\n";
    }
    return out.str();
}

void SendClick(HWND hWnd, POINT point, UINT keys)
{
    const LPARAM lp = MAKELPARAM(point.x, point.y);
    SendMessageW(hWnd, WM_LBUTTONDOWN, MK_LBUTTON | keys, lp);
    SendMessageW(hWnd, WM_LBUTTONUP, keys, lp);
}

void SetModifierKeys(bool shift, bool control)
{
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_SHIFT] = shift ? 0x80 : 0;
    state[VK_LSHIFT] = shift ? 0x80 : 0;
    state[VK_CONTROL] = control ? 0x80 : 0;
    state[VK_LCONTROL] = control ? 0x80 : 0;
    SetKeyboardState(state);
}

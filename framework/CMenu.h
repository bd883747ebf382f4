// CMenu: an owned menu handle, for the context menus of the controls. A menu
// loaded here is destroyed with its object; a submenu handed out by
// GetSubMenu belongs to its menu and is only borrowed.
#pragma once
#include <windows.h>
#include "framework/CObject.h"

class CWnd;

class MORVA_API CMenu : public CObject
{
    DECLARE_DYNAMIC(CMenu)
public:
    CMenu() = default;
    ~CMenu() override;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr; // the menu, null when none

    // Loads a menu resource of the module; FALSE (and no menu) when it is missing.
    BOOL LoadMenu(HINSTANCE hModule, UINT nIDResource);
    // Loads from the first module of the resource chain that holds the menu.
    BOOL LoadMenu(UINT nIDResource);
    BOOL DestroyMenu();
    HMENU GetSafeHmenu() const { return m_hMenu; }
    operator HMENU() const { return m_hMenu; }

    // The submenu at a position, or null; it stays the menu's own.
    HMENU GetSubMenu(int nPos) const;
    int GetMenuItemCount() const;
    UINT GetMenuItemID(int nPos) const;
    // Shows a popup menu at a screen point; commands go to pWnd as WM_COMMAND.
    // Returns when the menu closes.
    static BOOL TrackPopupMenu(HMENU hMenu, UINT nFlags, int x, int y, CWnd* pWnd);
};

#include "framework/CMenu.h"
#include "framework/AfxResource.h"
#include "framework/CWnd.h"

IMPLEMENT_DYNAMIC(CMenu, CObject)

CMenu::~CMenu()
{
    DestroyMenu();
}

BOOL CMenu::LoadMenu(HINSTANCE hModule, UINT nIDResource)
{
    DestroyMenu();
    if (hModule == nullptr || nIDResource == 0)
        return FALSE;
    m_hMenu = ::LoadMenuW(hModule, MAKEINTRESOURCEW(nIDResource));
    return m_hMenu != nullptr;
}

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    return LoadMenu(AfxFindResourceHandle(MAKEINTRESOURCEW(nIDResource), RT_MENU), nIDResource);
}

BOOL CMenu::DestroyMenu()
{
    if (m_hMenu == nullptr)
        return FALSE;
    const BOOL destroyed = ::DestroyMenu(m_hMenu);
    m_hMenu = nullptr;
    return destroyed;
}

HMENU CMenu::GetSubMenu(int nPos) const
{
    return m_hMenu != nullptr ? ::GetSubMenu(m_hMenu, nPos) : nullptr;
}

int CMenu::GetMenuItemCount() const
{
    return m_hMenu != nullptr ? ::GetMenuItemCount(m_hMenu) : -1;
}

UINT CMenu::GetMenuItemID(int nPos) const
{
    return m_hMenu != nullptr ? ::GetMenuItemID(m_hMenu, nPos) : static_cast<UINT>(-1);
}

BOOL CMenu::TrackPopupMenu(HMENU hMenu, UINT nFlags, int x, int y, CWnd* pWnd)
{
    if (hMenu == nullptr || pWnd == nullptr || pWnd->m_hWnd == nullptr)
        return FALSE;
    return ::TrackPopupMenu(hMenu, nFlags, x, y, 0, pWnd->m_hWnd, nullptr);
}

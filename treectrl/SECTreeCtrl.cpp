#include "treectrl/SECTreeCtrl.h"

IMPLEMENT_DYNAMIC(SECTreeCtrl, SECListCtrl)

SECTreeCtrl::~SECTreeCtrl()
{
    // The items go first (with their notifications), while the frame theme
    // may still be used by a last paint.
    if (IsAlive())
        DestroyWindow();
    if (m_hFrameTheme != nullptr) {
        SECThemeApi::Get().CloseThemeData(m_hFrameTheme);
        m_hFrameTheme = nullptr;
    }
}

BEGIN_MESSAGE_MAP(SECTreeCtrl, SECTreeBaseC)
    ON_MESSAGE(WM_NCPAINT, &SECTreeCtrl::OnNcPaintMessage)
    SEC_TREE_MESSAGE_MAP_ENTRIES()
    SEC_LIST_MESSAGE_MAP_ENTRIES()
END_MESSAGE_MAP()

LRESULT SECTreeCtrl::OnNcPaintMessage(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    SECThemeApi& theme = SECThemeApi::Get();
    if (m_hFrameTheme == nullptr)
        m_hFrameTheme = theme.OpenThemeData(m_hWnd, L"TREEVIEW");
    if (m_hFrameTheme == nullptr)
        return 0;
    HDC hdc = ::GetWindowDC(m_hWnd);
    if (hdc == nullptr)
        return 0;
    int state = kFrameNormal;
    if (!::IsWindowEnabled(m_hWnd))
        state = kFrameDisabled;
    else if (::GetFocus() != nullptr && ::GetFocus() == ::GetParent(m_hWnd))
        state = kFrameFocusedParent;
    CRect window;
    ::GetWindowRect(m_hWnd, &window);
    CRect client;
    ::GetClientRect(m_hWnd, &client);
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(&client), 2);
    client.OffsetRect(-window.left, -window.top);
    ::ExcludeClipRect(hdc, client.left, client.top, client.right, client.bottom);
    const CRect whole(0, 0, window.Width(), window.Height());
    theme.DrawThemeBackground(m_hFrameTheme, hdc, kFramePart, state, &whole, nullptr);
    ::ReleaseDC(m_hWnd, hdc);
    return 0;
}

void SECTreeCtrl::OnThemeChanged()
{
    SECTreeBaseC::OnThemeChanged();
    // The next frame paint opens the new style's data.
    if (m_hFrameTheme != nullptr) {
        SECThemeApi::Get().CloseThemeData(m_hFrameTheme);
        m_hFrameTheme = nullptr;
    }
}

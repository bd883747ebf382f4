#include "dialogs/CResizingDlg.h"
#include "dialogs/DialogHelpers.h"
#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CResizingDlg, CBaseDlg)

namespace {
const WCHAR kSizeValue[] = L"WH";
const WCHAR kPlacementValue[] = L"WP";
const DWORD kPlacementNormal = 0;
const DWORD kPlacementMaximised = 2;
const DWORD kSizeGripStyle = 0x5400001C; // WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SBS_SIZEGRIP | SBS_SIZEBOX | SBS_SIZEBOXBOTTOMRIGHTALIGN
} // namespace

BEGIN_MESSAGE_MAP(CResizingDlg, CBaseDlg)
    ON_WM_SIZE()
    ON_WM_GETMINMAXINFO()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CResizingDlg::CResizingDlg(HINSTANCE hResource, UINT nTemplate, UINT nIcon, UINT nTitle, CWnd* pParentWnd)
    : CBaseDlg(hResource, nTemplate, nIcon, nTitle, true, pParentWnd)
{
}

bool CResizingDlg::RegisterControl(int nID, BYTE anchor, BYTE splitPart)
{
    const HWND hControl = ::GetDlgItem(m_hWnd, nID);
    if (hControl == nullptr || !::IsWindow(hControl))
        return false;
    CRect rect;
    ::GetWindowRect(hControl, &rect);
    ScreenToClient(&rect);
    _dlgcontrolinfo info{nID, rect.left, rect.top, 0, 0, splitPart, anchor};
    if (anchor & (ANCHOR_SIZE_X | ANCHOR_SIZE_Y)) {
        info.width = rect.Width();
        info.height = rect.Height();
    }
    m_arrControls.Add(info);
    return true;
}

BOOL CResizingDlg::OnInitDialog()
{
    CBaseDlg::OnInitDialog();
    CRect window;
    GetWindowRect(&window);
    m_minSize = window.Size();
    GetClientRect(&m_rcInitialClient);
    InitControlInfo();
    const CRect grip(m_rcInitialClient.right - ::GetSystemMetrics(SM_CXHSCROLL),
                     m_rcInitialClient.bottom - ::GetSystemMetrics(SM_CYVSCROLL), m_rcInitialClient.right,
                     m_rcInitialClient.bottom);
    m_wndSizeGrip.Create(L"SCROLLBAR", L"", kSizeGripStyle, grip, this, IDC_SIZE_GRIP);
    RestoreSize();
    return TRUE;
}

void CResizingDlg::OnControlsResized(int /*cx*/, int /*cy*/)
{
}

void CResizingDlg::SaveLayoutData(CRegistryKey& /*key*/)
{
}

bool CResizingDlg::ResizeControls(int cx, int cy)
{
    if (m_rcInitialClient.Width() == 0 && m_rcInitialClient.Height() == 0)
        return false; // not initialised
    const int count = static_cast<int>(m_arrControls.GetSize());
    if (count == 0)
        return false;
    std::vector<HWND> windows(static_cast<size_t>(count));
    std::vector<int> heights(static_cast<size_t>(count), -1);
    for (int i = 0; i < count; ++i) {
        const HWND hControl = ::GetDlgItem(m_hWnd, m_arrControls[i].nID);
        RECT rect;
        if (hControl != nullptr && ::GetWindowRect(hControl, &rect)) {
            windows[i] = hControl;
            heights[i] = rect.bottom - rect.top;
        }
    }
    std::vector<AnchorPlacement> placements(static_cast<size_t>(count));
    ComputeAnchoredPlacements(m_arrControls.GetData(), count, heights.data(), m_rcInitialClient.Size(),
                              CSize(cx, cy), placements.data());

    // One deferred batch: the controls move together, without a repaint between them.
    HDWP batch = ::BeginDeferWindowPos(count);
    bool placed = false;
    for (int i = 0; i < count; ++i) {
        const AnchorPlacement& p = placements[i];
        if (!p.bPlace)
            continue;
        const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (p.bMoveOnly ? SWP_NOSIZE : 0);
        const int width = p.rect.right - p.rect.left;
        const int height = p.rect.bottom - p.rect.top;
        if (batch != nullptr)
            batch = ::DeferWindowPos(batch, windows[i], nullptr, p.rect.left, p.rect.top, width, height, flags);
        if (batch == nullptr) // the batch failed (and is gone): place the rest one by one
            ::SetWindowPos(windows[i], nullptr, p.rect.left, p.rect.top, width, height, flags);
        placed = true;
    }
    if (batch != nullptr)
        ::EndDeferWindowPos(batch);
    return placed;
}

void CResizingDlg::OnSize(UINT nType, int cx, int cy)
{
    CBaseDlg::OnSize(nType, cx, cy);
    if (nType == SIZE_MINIMIZED)
        return;
    PositionSizeGrip();
    if (ResizeControls(cx, cy)) {
        InvalidateRect(nullptr, TRUE);
        UpdateWindow();
        OnControlsResized(cx, cy);
    }
}

void CResizingDlg::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    CBaseDlg::OnGetMinMaxInfo(lpMMI);
    // 0 by 0 before initialisation.
    lpMMI->ptMinTrackSize.x = m_minSize.cx;
    lpMMI->ptMinTrackSize.y = m_minSize.cy;
}

void CResizingDlg::OnPaint()
{
    CBaseDlg::OnPaint();
    if (m_hWnd != nullptr && !IsIconic())
        PositionSizeGrip();
}

void CResizingDlg::PositionSizeGrip()
{
    if (m_wndSizeGrip.m_hWnd == nullptr)
        return;
    // Flush with the corner at whatever size the platform gave the grip.
    CRect client;
    GetClientRect(&client);
    CRect grip;
    m_wndSizeGrip.GetWindowRect(&grip);
    m_wndSizeGrip.SetWindowPos(nullptr, client.right - grip.Width(), client.bottom - grip.Height(), 0, 0,
                               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CResizingDlg::RestoreSize()
{
    CRegistryKey key;
    if (OpenLayoutKey(key, true) != CRegistryKey::Success)
        return;
    const DWORD placement = key.QueryDword(kPlacementValue, kPlacementNormal);
    const CString size = key.QueryString(kSizeValue);
    key.Close();
    int width = -1;
    int height = -1;
    ParseIntPair(size, width, height);
    // The size goes back as it was saved; the window manager keeps a sizable
    // frame between the minimum tracking size (the template's, below) and
    // its maximum tracking size.
    if (width != -1 && height != -1)
        SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (placement == kPlacementMaximised) {
        WINDOWPLACEMENT wp{};
        GetWindowPlacement(&wp);
        wp.showCmd = SW_SHOWMAXIMIZED;
        SetWindowPlacement(&wp);
    }
}

void CResizingDlg::SaveLayout()
{
    CRegistryKey key;
    if (OpenLayoutKey(key, false) != CRegistryKey::Success)
        return;
    WINDOWPLACEMENT wp{};
    GetWindowPlacement(&wp);
    DWORD placement = kPlacementNormal;
    if (wp.showCmd == SW_SHOWMAXIMIZED) {
        placement = kPlacementMaximised; // "WH" keeps the size from before
    } else {
        // A minimised window's rectangle is its icon's: its size is the normal one.
        CRect window;
        if (IsIconic())
            window = wp.rcNormalPosition;
        else
            GetWindowRect(&window);
        CString text;
        text.Format(L"%d,%d", window.Width(), window.Height());
        key.SetString(kSizeValue, text);
    }
    key.SetDword(kPlacementValue, placement);
    SaveLayoutData(key);
    key.Close();
}

void CResizingDlg::OnOK()
{
    SaveLayout();
    CBaseDlg::OnOK();
}

void CResizingDlg::OnCancel()
{
    SaveLayout();
    CBaseDlg::OnCancel();
}

#include "dialogs/CBaseDlg.h"
#include "dialogs/DialogHelpers.h"
#include "framework/AfxResource.h"
#include <algorithm>
#include <climits>

IMPLEMENT_DYNAMIC(CBaseDlg, CDialog)

namespace {
const WCHAR kPositionValue[] = L"XY";

// The module's template, or null. A null module is no module here: the
// platform would take it for the executable.
LPCDLGTEMPLATEW FindTemplate(HINSTANCE hModule, UINT nTemplate)
{
    if (hModule == nullptr || nTemplate == 0)
        return nullptr;
    HRSRC res = ::FindResourceW(hModule, MAKEINTRESOURCEW(nTemplate), RT_DIALOG);
    HGLOBAL data = res != nullptr ? ::LoadResource(hModule, res) : nullptr;
    return data != nullptr ? static_cast<LPCDLGTEMPLATEW>(::LockResource(data)) : nullptr;
}

// A window placed at (x, y): the monitor it shows on, or null when it would
// show on none; with the nearest work area in nearWork.
HMONITOR MonitorOfPlacement(int x, int y, int width, int height, RECT& nearWork)
{
    const RECT probe{x, y, static_cast<LONG>(std::min<long long>(static_cast<long long>(x) + width, INT_MAX)),
                     static_cast<LONG>(std::min<long long>(static_cast<long long>(y) + height, INT_MAX))};
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!::GetMonitorInfoW(::MonitorFromRect(&probe, MONITOR_DEFAULTTONEAREST), &info))
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &info.rcWork, 0);
    nearWork = info.rcWork;
    return ::MonitorFromRect(&probe, MONITOR_DEFAULTTONULL);
}
} // namespace

BEGIN_MESSAGE_MAP(CBaseDlg, CDialog)
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
END_MESSAGE_MAP()

CBaseDlg::CBaseDlg(HINSTANCE hResource, UINT nTemplate, UINT nIcon, UINT nTitle, bool bRememberPosition,
                   CWnd* pParentWnd)
    : m_hResource(hResource), m_nTemplate(nTemplate), m_nTitle(nTitle), m_nIcon(nIcon),
      m_bRememberPosition(bRememberPosition), m_pParent(pParentWnd), m_bTopmostWithoutParent(pParentWnd == nullptr)
{
    m_hTemplateModule = hResource;
    // A missing template leaves none: DoModal then fails as CDialog reports it (-1).
    InitModalIndirect(FindTemplate(hResource, nTemplate), pParentWnd);
}

const CString& CBaseDlg::GetScreenString()
{
    static const CString screen =
        FormatScreenString(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    return screen;
}

INT_PTR CBaseDlg::DoModal()
{
    const HINSTANCE previous = AfxGetCurrentResourceModule();
    AfxSetResourceHandle(m_hResource);
    const INT_PTR result = CDialog::DoModal();
    // A host that had set no module of its own keeps the dialog's.
    if (previous != nullptr)
        AfxSetResourceHandle(previous);
    return result;
}

BOOL CBaseDlg::CreateModeless(CWnd* pParentWnd)
{
    if (m_lpDialogTemplate == nullptr)
        return FALSE;
    const HINSTANCE previous = AfxGetCurrentResourceModule();
    AfxSetResourceHandle(m_hResource);
    const BOOL created = CreateIndirect(m_lpDialogTemplate, pParentWnd, m_hResource);
    AfxSetResourceHandle(previous);
    return created;
}

DWORD CBaseDlg::OpenLayoutKey(CRegistryKey& key, bool bForReading)
{
    if (m_strLayoutName.IsEmpty())
        m_strLayoutName.Format(L"Dlg%d", m_nTemplate);
    const CString subKey = FormatLayoutSubKey(GetScreenString(), m_strLayoutName);
    return bForReading ? key.OpenForReading(subKey) : key.CreateForWriting(subKey);
}

BOOL CBaseDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_hIcon = m_hResource != nullptr && m_nIcon != 0
                  ? ::LoadIconW(m_hResource, MAKEINTRESOURCEW(static_cast<WORD>(m_nIcon)))
                  : nullptr;
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    if (m_nTitle != 0) {
        const CString title = LoadResourceString(m_hResource, m_nTitle);
        CString text;
        GetWindowText(text);
        SetWindowText(text.IsEmpty() ? title : ::FillPlaceholder(text, title));
    }
    if (m_bRememberPosition)
        RestorePosition();
    m_bInitialised = true;
    return TRUE;
}

void CBaseDlg::OnOK()
{
    if (m_bRememberPosition)
        SavePosition();
    CDialog::OnOK();
}

void CBaseDlg::OnCancel()
{
    if (m_bRememberPosition)
        SavePosition();
    CDialog::OnCancel();
}

void CBaseDlg::RestorePosition()
{
    CRegistryKey key;
    if (OpenLayoutKey(key, true) != CRegistryKey::Success)
        return;
    const CString position = key.QueryString(kPositionValue);
    key.Close();
    int x = -1;
    int y = -1;
    if (!ParseIntPair(position, x, y) || x < 0 || y < 0)
        return;
    // The position goes back as it was saved, also partly off the screen,
    // except where the dialog would show on no monitor at all (saved on a
    // screen that is gone): a modal dialog nobody can see or reach holds its
    // application, so it comes onto the nearest work area instead.
    CRect window;
    GetWindowRect(&window);
    RECT workArea;
    POINT p{x, y};
    if (MonitorOfPlacement(x, y, window.Width(), window.Height(), workArea) == nullptr)
        p = FitIntoWorkArea(p, window.Size(), workArea);
    SetWindowPos(nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CBaseDlg::SavePosition()
{
    CRegistryKey key;
    if (OpenLayoutKey(key, false) != CRegistryKey::Success)
        return;
    CRect window;
    GetWindowRect(&window);
    CString position;
    position.Format(L"%d,%d", window.left, window.top);
    key.SetString(kPositionValue, position);
    key.Close();
}

void CBaseDlg::FillPlaceholder(LPCWSTR text)
{
    CString title;
    GetWindowText(title);
    SetWindowText(::FillPlaceholder(title, text));
}

void CBaseDlg::FillPlaceholders(const CStringArray& strings)
{
    CString title;
    GetWindowText(title);
    SetWindowText(::FillPlaceholders(title, strings));
}

void CBaseDlg::ParseIntList(LPCWSTR text, CArray<int, int>& values)
{
    ::ParseIntList(text, values);
}

void CBaseDlg::DefaultColumnWidths(CWnd* pList, int count, CArray<int, int>& widths)
{
    CRect rect;
    if (pList != nullptr && pList->m_hWnd != nullptr)
        pList->GetWindowRect(&rect);
    ComputeDefaultColumnWidths(rect.Width(), count, widths);
}

void CBaseDlg::OnPaint()
{
    // Painting before initialisation does not happen in the platform's creation
    // order; should it, the dialog paints as any dialog.
    if (!m_bInitialised) {
        CDialog::OnPaint();
        return;
    }
    if (IsIconic()) {
        CPaintDC dc(this);
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC), 0);
        CRect client;
        GetClientRect(&client);
        const int x = (client.Width() - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
        const int y = (client.Height() - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
        dc.DrawIcon(x, y, m_hIcon);
    } else {
        CDialog::OnPaint();
    }
    if (m_hWnd != nullptr && !IsIconic() && m_bTopmostWithoutParent)
        ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

HCURSOR CBaseDlg::OnQueryDragIcon()
{
    return m_hIcon;
}

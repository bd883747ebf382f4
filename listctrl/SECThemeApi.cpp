#include "listctrl/SECThemeApi.h"
#include <commctrl.h>
#include <shlwapi.h>

namespace {
class RealThemeApi : public SECThemeApi
{
};

SECThemeApi* g_override = nullptr;
const DWORD kThemedControlsVersion = 600; // common controls 6.0
} // namespace

SECThemeApi& SECThemeApi::Get()
{
    static RealThemeApi real;
    return g_override != nullptr ? *g_override : real;
}

void SECThemeApi::SetForTesting(SECThemeApi* pApi)
{
    g_override = pApi;
}

FARPROC SECThemeApi::Function(const char* name)
{
    if (!m_bTriedLoad) {
        m_bTriedLoad = TRUE;
        ::InitCommonControls();
        m_hUxTheme = ::LoadLibraryW(L"UXTHEME.DLL");
    }
    return m_hUxTheme ? ::GetProcAddress(m_hUxTheme, name) : nullptr;
}

BOOL SECThemeApi::IsThemeActive()
{
    auto fn = Bind<BOOL(WINAPI*)()>("IsThemeActive");
    return fn ? fn() : FALSE;
}

BOOL SECThemeApi::IsAppThemed()
{
    auto fn = Bind<BOOL(WINAPI*)()>("IsAppThemed");
    return fn ? fn() : FALSE;
}

HTHEME_SEC SECThemeApi::OpenThemeData(HWND hWnd, LPCWSTR pszClassList)
{
    auto fn = Bind<HTHEME_SEC(WINAPI*)(HWND, LPCWSTR)>("OpenThemeData");
    return fn ? fn(hWnd, pszClassList) : nullptr;
}

HRESULT SECThemeApi::CloseThemeData(HTHEME_SEC hTheme)
{
    auto fn = Bind<HRESULT(WINAPI*)(HTHEME_SEC)>("CloseThemeData");
    return fn ? fn(hTheme) : E_FAIL;
}

HRESULT SECThemeApi::DrawThemeBackground(HTHEME_SEC hTheme, HDC hdc, int iPartId, int iStateId, const RECT* pRect,
                                         const RECT* pClipRect)
{
    auto fn = Bind<HRESULT(WINAPI*)(HTHEME_SEC, HDC, int, int, const RECT*, const RECT*)>("DrawThemeBackground");
    return fn ? fn(hTheme, hdc, iPartId, iStateId, pRect, pClipRect) : E_FAIL;
}

HRESULT SECThemeApi::DrawThemeText(HTHEME_SEC hTheme, HDC hdc, int iPartId, int iStateId, LPCWSTR pszText,
                                   int cchText, DWORD dwTextFlags, DWORD dwTextFlags2, const RECT* pRect)
{
    auto fn = Bind<HRESULT(WINAPI*)(HTHEME_SEC, HDC, int, int, LPCWSTR, int, DWORD, DWORD, const RECT*)>(
        "DrawThemeText");
    return fn ? fn(hTheme, hdc, iPartId, iStateId, pszText, cchText, dwTextFlags, dwTextFlags2, pRect) : E_FAIL;
}

HRESULT SECThemeApi::DrawThemeEdge(HTHEME_SEC hTheme, HDC hdc, int iPartId, int iStateId, const RECT* pDestRect,
                                   UINT uEdge, UINT uFlags, RECT* pContentRect)
{
    auto fn = Bind<HRESULT(WINAPI*)(HTHEME_SEC, HDC, int, int, const RECT*, UINT, UINT, RECT*)>("DrawThemeEdge");
    return fn ? fn(hTheme, hdc, iPartId, iStateId, pDestRect, uEdge, uFlags, pContentRect) : E_FAIL;
}

HRESULT SECThemeApi::GetThemeBackgroundContentRect(HTHEME_SEC hTheme, HDC hdc, int iPartId, int iStateId,
                                                   const RECT* pBoundingRect, RECT* pContentRect)
{
    auto fn = Bind<HRESULT(WINAPI*)(HTHEME_SEC, HDC, int, int, const RECT*, RECT*)>("GetThemeBackgroundContentRect");
    return fn ? fn(hTheme, hdc, iPartId, iStateId, pBoundingRect, pContentRect) : E_FAIL;
}

HRESULT SECThemeApi::GetThemePartSize(HTHEME_SEC hTheme, HDC hdc, int iPartId, int iStateId, const RECT* pRect,
                                      int eSize, SIZE* pSize)
{
    // THEMESIZE is an enum of int size in the platform's declaration.
    auto fn = Bind<HRESULT(WINAPI*)(HTHEME_SEC, HDC, int, int, const RECT*, int, SIZE*)>("GetThemePartSize");
    return fn ? fn(hTheme, hdc, iPartId, iStateId, pRect, eSize, pSize) : E_FAIL;
}

HRESULT SECThemeApi::GetThemeColor(HTHEME_SEC hTheme, int iPartId, int iStateId, int iPropId, COLORREF* pColor)
{
    auto fn = Bind<HRESULT(WINAPI*)(HTHEME_SEC, int, int, int, COLORREF*)>("GetThemeColor");
    return fn ? fn(hTheme, iPartId, iStateId, iPropId, pColor) : E_FAIL;
}

BOOL SECThemeApi::IsThemeBackgroundPartiallyTransparent(HTHEME_SEC hTheme, int iPartId, int iStateId)
{
    auto fn = Bind<BOOL(WINAPI*)(HTHEME_SEC, int, int)>("IsThemeBackgroundPartiallyTransparent");
    return fn ? fn(hTheme, iPartId, iStateId) : FALSE;
}

HRESULT SECThemeApi::DrawThemeParentBackground(HWND hWnd, HDC hdc, const RECT* pRect)
{
    auto fn = Bind<HRESULT(WINAPI*)(HWND, HDC, const RECT*)>("DrawThemeParentBackground");
    return fn ? fn(hWnd, hdc, pRect) : E_FAIL;
}

BOOL SECThemeApi::TrackMouseEvent(LPTRACKMOUSEEVENT pEventTrack)
{
    HMODULE hUser = ::GetModuleHandleW(L"USER32.DLL");
    auto fn = hUser ? reinterpret_cast<BOOL(WINAPI*)(LPTRACKMOUSEEVENT)>(
                          reinterpret_cast<void*>(::GetProcAddress(hUser, "TrackMouseEvent")))
                    : nullptr;
    return fn ? fn(pEventTrack) : FALSE;
}

DWORD SECThemeApi::GetCommonControlsVersion()
{
    // Asked on every mouse move over the header; a loaded library's version
    // cannot change, so a version once read is kept.
    if (m_dwComCtlVersion != 0)
        return m_dwComCtlVersion;
    HMODULE hComCtl = ::GetModuleHandleW(L"COMCTL32.DLL");
    auto fn = hComCtl ? reinterpret_cast<HRESULT(CALLBACK*)(DLLVERSIONINFO*)>(
                            reinterpret_cast<void*>(::GetProcAddress(hComCtl, "DllGetVersion")))
                      : nullptr;
    DLLVERSIONINFO info{};
    info.cbSize = sizeof(info);
    if (fn == nullptr || FAILED(fn(&info)))
        return 0;
    m_dwComCtlVersion = info.dwMajorVersion * 100 + info.dwMinorVersion;
    return m_dwComCtlVersion;
}

BOOL SECThemeApi::IsHeaderThemed()
{
    return IsAppThemed() && GetCommonControlsVersion() >= kThemedControlsVersion && IsThemeActive();
}

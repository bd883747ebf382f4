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
    auto fn = reinterpret_cast<BOOL(WINAPI*)()>(reinterpret_cast<void*>(Function("IsThemeActive")));
    return fn ? fn() : FALSE;
}

BOOL SECThemeApi::IsAppThemed()
{
    auto fn = reinterpret_cast<BOOL(WINAPI*)()>(reinterpret_cast<void*>(Function("IsAppThemed")));
    return fn ? fn() : FALSE;
}

HTHEME_SEC SECThemeApi::OpenThemeData(HWND hWnd, LPCWSTR pszClassList)
{
    auto fn = reinterpret_cast<HTHEME_SEC(WINAPI*)(HWND, LPCWSTR)>(reinterpret_cast<void*>(Function("OpenThemeData")));
    return fn ? fn(hWnd, pszClassList) : nullptr;
}

HRESULT SECThemeApi::CloseThemeData(HTHEME_SEC hTheme)
{
    auto fn = reinterpret_cast<HRESULT(WINAPI*)(HTHEME_SEC)>(reinterpret_cast<void*>(Function("CloseThemeData")));
    return fn ? fn(hTheme) : E_FAIL;
}

HRESULT SECThemeApi::DrawThemeBackground(HTHEME_SEC hTheme, HDC hdc, int iPartId, int iStateId, const RECT* pRect,
                                         const RECT* pClipRect)
{
    auto fn = reinterpret_cast<HRESULT(WINAPI*)(HTHEME_SEC, HDC, int, int, const RECT*, const RECT*)>(
        reinterpret_cast<void*>(Function("DrawThemeBackground")));
    return fn ? fn(hTheme, hdc, iPartId, iStateId, pRect, pClipRect) : E_FAIL;
}

DWORD SECThemeApi::GetCommonControlsVersion()
{
    HMODULE hComCtl = ::GetModuleHandleW(L"COMCTL32.DLL");
    auto fn = hComCtl ? reinterpret_cast<HRESULT(CALLBACK*)(DLLVERSIONINFO*)>(
                            reinterpret_cast<void*>(::GetProcAddress(hComCtl, "DllGetVersion")))
                      : nullptr;
    DLLVERSIONINFO info{};
    info.cbSize = sizeof(info);
    if (fn == nullptr || FAILED(fn(&info)))
        return 0;
    return info.dwMajorVersion * 100 + info.dwMinorVersion;
}

BOOL SECThemeApi::IsHeaderThemed()
{
    return IsAppThemed() && GetCommonControlsVersion() >= kThemedControlsVersion && IsThemeActive();
}

// The visual-style functions, bound by name at run time from "UXTHEME.DLL" so
// the library runs where that library is missing. Each wrapper answers E_FAIL,
// a null theme or FALSE when a function is missing. Tests replace the instance
// with SetForTesting to drive the themed drawing paths.
#pragma once
#include <windows.h>
#include "framework/MorvaApi.h"

typedef HANDLE HTHEME_SEC;

class MORVA_API SECThemeApi
{
public:
    virtual ~SECThemeApi() = default;

    // The process-wide instance (the real library unless a test set another).
    static SECThemeApi& Get();
    // Replaces the instance; null restores the real one. The caller keeps ownership.
    static void SetForTesting(SECThemeApi* pApi);

    virtual BOOL IsThemeActive();
    virtual BOOL IsAppThemed();
    virtual HTHEME_SEC OpenThemeData(HWND hWnd, LPCWSTR pszClassList);
    virtual HRESULT CloseThemeData(HTHEME_SEC hTheme);
    virtual HRESULT DrawThemeBackground(HTHEME_SEC hTheme, HDC hdc, int iPartId, int iStateId, const RECT* pRect,
                                        const RECT* pClipRect);
    virtual HRESULT DrawThemeText(HTHEME_SEC hTheme, HDC hdc, int iPartId, int iStateId, LPCWSTR pszText,
                                  int cchText, DWORD dwTextFlags, DWORD dwTextFlags2, const RECT* pRect);
    virtual HRESULT DrawThemeEdge(HTHEME_SEC hTheme, HDC hdc, int iPartId, int iStateId, const RECT* pDestRect,
                                  UINT uEdge, UINT uFlags, RECT* pContentRect);
    virtual HRESULT GetThemeBackgroundContentRect(HTHEME_SEC hTheme, HDC hdc, int iPartId, int iStateId,
                                                  const RECT* pBoundingRect, RECT* pContentRect);
    // eSize is a THEMESIZE value (0 minimum, 1 true, 2 draw).
    virtual HRESULT GetThemePartSize(HTHEME_SEC hTheme, HDC hdc, int iPartId, int iStateId, const RECT* pRect,
                                     int eSize, SIZE* pSize);
    virtual HRESULT GetThemeColor(HTHEME_SEC hTheme, int iPartId, int iStateId, int iPropId, COLORREF* pColor);
    virtual BOOL IsThemeBackgroundPartiallyTransparent(HTHEME_SEC hTheme, int iPartId, int iStateId);
    virtual HRESULT DrawThemeParentBackground(HWND hWnd, HDC hdc, const RECT* pRect);
    // Bound from "USER32.DLL" like the rest, so that the hot-heading tracking
    // shares the seam; FALSE when missing.
    virtual BOOL TrackMouseEvent(LPTRACKMOUSEEVENT pEventTrack);
    // Version of the loaded common controls library, as major * 100 + minor.
    virtual DWORD GetCommonControlsVersion();
    // Theming counts for the header only with an application theme, common
    // controls 6.0 or later and an active theme.
    BOOL IsHeaderThemed();

protected:
    SECThemeApi() = default;

private:
    FARPROC Function(const char* name);
    // The function of the theme library by name, as the type of its pointer.
    template <class TFunction>
    TFunction Bind(const char* name)
    {
        return reinterpret_cast<TFunction>(reinterpret_cast<void*>(Function(name)));
    }
    HMODULE m_hUxTheme = nullptr; // the theme library, loaded on first use
    BOOL m_bTriedLoad = FALSE;    // loading was attempted
    DWORD m_dwComCtlVersion = 0;  // common controls version once read, else 0
};

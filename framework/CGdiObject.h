// GDI object wrappers. Each owns its handle and deletes it with the object.
// The framework counts the handles its wrappers hold, because Wine's
// GetGuiResources answers 0: tests use the count to prove that painting leaks
// nothing.
#pragma once
#include <windows.h>
#include "framework/CObject.h"

class MORVA_API CGdiObject : public CObject
{
    DECLARE_DYNAMIC(CGdiObject)
public:
    CGdiObject() = default;
    ~CGdiObject() override;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    operator HGDIOBJ() const { return m_hObject; }
    // Takes ownership of a handle; FALSE (and no change) when one is held already.
    BOOL Attach(HGDIOBJ hObject);
    // Gives up ownership without deleting.
    HGDIOBJ Detach();
    BOOL DeleteObject();
    int GetObject(int nCount, LPVOID lpObject) const;

    // Handles currently held by wrappers in this process.
    static LONG GetLiveCount();

protected:
    HGDIOBJ m_hObject = nullptr; // the owned handle, null when none
};

class MORVA_API CPen : public CGdiObject
{
    DECLARE_DYNAMIC(CPen)
public:
    CPen() = default;
    CPen(int nPenStyle, int nWidth, COLORREF crColor) { CreatePen(nPenStyle, nWidth, crColor); }
    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
    BOOL CreatePenIndirect(const LOGPEN* lpLogPen);
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
};

class MORVA_API CBrush : public CGdiObject
{
    DECLARE_DYNAMIC(CBrush)
public:
    CBrush() = default;
    explicit CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }
    BOOL CreateSolidBrush(COLORREF crColor);
    BOOL CreateSysColorBrush(int nIndex);
    BOOL CreatePatternBrush(HBITMAP hBitmap);
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
};

class MORVA_API CFont : public CGdiObject
{
    DECLARE_DYNAMIC(CFont)
public:
    BOOL CreateFontIndirect(const LOGFONTW* lpLogFont);
    // nPointSize in tenths of a point, for the given device (the screen when null).
    BOOL CreatePointFont(int nPointSize, LPCWSTR lpszFaceName, HDC hDC = nullptr);
    int GetLogFont(LOGFONTW* pLogFont) const;
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
};

class MORVA_API CBitmap : public CGdiObject
{
    DECLARE_DYNAMIC(CBitmap)
public:
    BOOL CreateCompatibleBitmap(HDC hDC, int nWidth, int nHeight);
    BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits);
    BOOL LoadBitmap(UINT nIDResource);
    int GetBitmap(BITMAP* pBitMap) const { return GetObject(sizeof(BITMAP), pBitMap); }
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
};

class MORVA_API CRgn : public CGdiObject
{
    DECLARE_DYNAMIC(CRgn)
public:
    BOOL CreateRectRgn(int x1, int y1, int x2, int y2);
    BOOL CreateRectRgnIndirect(LPCRECT lpRect);
    operator HRGN() const { return static_cast<HRGN>(m_hObject); }
};

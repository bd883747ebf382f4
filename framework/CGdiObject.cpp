#include "framework/CGdiObject.h"
#include "framework/AfxResource.h"
#include <cstdlib>

namespace {
LONG g_liveGdiObjects = 0;
} // namespace

IMPLEMENT_DYNAMIC(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (m_hObject != nullptr || hObject == nullptr)
        return FALSE;
    m_hObject = hObject;
    InterlockedIncrement(&g_liveGdiObjects);
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ h = m_hObject;
    if (h != nullptr)
        InterlockedDecrement(&g_liveGdiObjects);
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject()
{
    HGDIOBJ h = Detach();
    return h != nullptr && ::DeleteObject(h);
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const
{
    return m_hObject ? ::GetObjectW(m_hObject, nCount, lpObject) : 0;
}

LONG CGdiObject::GetLiveCount()
{
    return g_liveGdiObjects;
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    return Attach(::CreatePen(nPenStyle, nWidth, crColor));
}

BOOL CPen::CreatePenIndirect(const LOGPEN* lpLogPen)
{
    return lpLogPen != nullptr && Attach(::CreatePenIndirect(lpLogPen));
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    return Attach(::CreateSolidBrush(crColor));
}

BOOL CBrush::CreateSysColorBrush(int nIndex)
{
    // A brush of its own rather than the shared system brush, so that deleting it is always right.
    return Attach(::CreateSolidBrush(::GetSysColor(nIndex)));
}

BOOL CBrush::CreatePatternBrush(HBITMAP hBitmap)
{
    return hBitmap != nullptr && Attach(::CreatePatternBrush(hBitmap));
}

BOOL CFont::CreateFontIndirect(const LOGFONTW* lpLogFont)
{
    return lpLogFont != nullptr && Attach(::CreateFontIndirectW(lpLogFont));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCWSTR lpszFaceName, HDC hDC)
{
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, lpszFaceName ? lpszFaceName : L"", LF_FACESIZE);
    HDC screen = hDC ? hDC : ::GetDC(nullptr);
    // Tenths of a point to device pixels, as a character height (negative).
    POINT pt{0, ::MulDiv(::GetDeviceCaps(screen, LOGPIXELSY), nPointSize, 720)};
    POINT origin{0, 0};
    if (hDC != nullptr) {
        ::DPtoLP(screen, &pt, 1);
        ::DPtoLP(screen, &origin, 1);
    }
    lf.lfHeight = -std::abs(pt.y - origin.y);
    if (hDC == nullptr)
        ::ReleaseDC(nullptr, screen);
    return CreateFontIndirect(&lf);
}

int CFont::GetLogFont(LOGFONTW* pLogFont) const
{
    return GetObject(sizeof(LOGFONTW), pLogFont);
}

BOOL CBitmap::CreateCompatibleBitmap(HDC hDC, int nWidth, int nHeight)
{
    return hDC != nullptr && Attach(::CreateCompatibleBitmap(hDC, nWidth, nHeight));
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits)
{
    return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCEW(nIDResource), MAKEINTRESOURCEW(2));
    return Attach(::LoadBitmapW(module, MAKEINTRESOURCEW(nIDResource)));
}

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2)
{
    return Attach(::CreateRectRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect)
{
    return lpRect != nullptr && Attach(::CreateRectRgnIndirect(lpRect));
}

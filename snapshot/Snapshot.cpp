#include "snapshot/Snapshot.h"
#include <objbase.h>
#include <algorithm>
#include <cstring>
#include <wincodec.h>
#include <vector>

#ifndef MORVA_SNAPSHOT_DIR
#define MORVA_SNAPSHOT_DIR L""
#endif

SnapshotBitmap::SnapshotBitmap(int width, int height, COLORREF fill)
{
    if (width < 1 || height < 1)
        return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_hBitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_hDC = CreateCompatibleDC(nullptr);
    if (m_hBitmap == nullptr || m_hDC == nullptr || bits == nullptr)
        return;
    m_hOldBitmap = SelectObject(m_hDC, m_hBitmap);
    m_pBits = static_cast<DWORD*>(bits);
    m_cx = width;
    m_cy = height;
    Fill(fill);
}

SnapshotBitmap::~SnapshotBitmap()
{
    if (m_hDC != nullptr) {
        if (m_hOldBitmap != nullptr)
            SelectObject(m_hDC, m_hOldBitmap);
        DeleteDC(m_hDC);
    }
    if (m_hBitmap != nullptr)
        DeleteObject(m_hBitmap);
}

COLORREF SnapshotBitmap::Pixel(int x, int y) const
{
    if (m_pBits == nullptr || x < 0 || y < 0 || x >= m_cx || y >= m_cy)
        return CLR_INVALID;
    GdiFlush();
    const DWORD bgr = m_pBits[y * m_cx + x];
    return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
}

int SnapshotBitmap::CountColor(const RECT& rect, COLORREF color) const
{
    int count = 0;
    for (int y = std::max<int>(rect.top, 0); y < std::min<int>(rect.bottom, m_cy); ++y) {
        for (int x = std::max<int>(rect.left, 0); x < std::min<int>(rect.right, m_cx); ++x) {
            if (Pixel(x, y) == color)
                ++count;
        }
    }
    return count;
}

void SnapshotBitmap::Fill(COLORREF color)
{
    if (m_pBits == nullptr)
        return;
    HBRUSH brush = CreateSolidBrush(color);
    RECT all = {0, 0, m_cx, m_cy};
    FillRect(m_hDC, &all, brush);
    DeleteObject(brush);
    GdiFlush();
}

const DWORD* SnapshotBitmap::Bits() const
{
    GdiFlush();
    return m_pBits;
}

namespace {
// The client area of one window. The scroll bar control answers WM_PAINT with
// a DC in wParam on every platform, but not WM_PRINTCLIENT everywhere.
void PrintClient(HWND hWnd, HDC hdc)
{
    SendMessageW(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0);
    WCHAR className[32] = L"";
    GetClassNameW(hWnd, className, 32);
    if (lstrcmpiW(className, L"ScrollBar") == 0)
        SendMessageW(hWnd, WM_PAINT, reinterpret_cast<WPARAM>(hdc), 0);
    else
        SendMessageW(hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hdc), PRF_CLIENT);
}

// The frame of one window, with the DC's origin at the window's top-left:
// what the screen shows, then whatever WM_PRINT draws (some platforms draw
// no frames for WM_PRINT, and a screen copy has no frame of a hidden window).
void PrintFrame(HWND hWnd, HDC hdc)
{
    RECT frame;
    GetWindowRect(hWnd, &frame);
    if (HDC window = GetWindowDC(hWnd)) {
        BitBlt(hdc, 0, 0, frame.right - frame.left, frame.bottom - frame.top, window, 0, 0, SRCCOPY);
        ReleaseDC(hWnd, window);
    }
    SendMessageW(hWnd, WM_PRINT, reinterpret_cast<WPARAM>(hdc), PRF_NONCLIENT);
}

// Draws hWnd's client area and then its children, with the DC's origin at the
// client's top-left.
void PaintClientTree(HWND hWnd, HDC hdc, bool withChildren, bool withFrames)
{
    PrintClient(hWnd, hdc);
    if (!withChildren)
        return;
    RECT client;
    GetClientRect(hWnd, &client);
    POINT origin = {0, 0};
    ClientToScreen(hWnd, &origin);
    // Bottom of the z-order first, so that the top child ends up on top.
    for (HWND child = GetWindow(GetWindow(hWnd, GW_CHILD), GW_HWNDLAST); child != nullptr;
         child = GetWindow(child, GW_HWNDPREV)) {
        if ((GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) == 0)
            continue;
        RECT frame;
        GetWindowRect(child, &frame);
        POINT childClient = {0, 0};
        ClientToScreen(child, &childClient);
        RECT childRect;
        GetClientRect(child, &childRect);
        const int saved = SaveDC(hdc);
        IntersectClipRect(hdc, client.left, client.top, client.right, client.bottom);
        POINT viewport;
        GetViewportOrgEx(hdc, &viewport);
        if (withFrames) {
            SetViewportOrgEx(hdc, viewport.x + frame.left - origin.x, viewport.y + frame.top - origin.y, nullptr);
            PrintFrame(child, hdc);
        }
        SetViewportOrgEx(hdc, viewport.x + childClient.x - origin.x, viewport.y + childClient.y - origin.y, nullptr);
        IntersectClipRect(hdc, 0, 0, childRect.right, childRect.bottom);
        PaintClientTree(child, hdc, true, withFrames);
        RestoreDC(hdc, saved);
    }
}
} // namespace

void RenderClient(HWND hWnd, SnapshotBitmap& bitmap, bool withChildren)
{
    if (!bitmap.IsValid() || !IsWindow(hWnd))
        return;
    const int saved = SaveDC(bitmap.GetDC());
    PaintClientTree(hWnd, bitmap.GetDC(), withChildren, false);
    RestoreDC(bitmap.GetDC(), saved);
    GdiFlush();
}

void RenderWindow(HWND hWnd, SnapshotBitmap& bitmap)
{
    if (!bitmap.IsValid() || !IsWindow(hWnd))
        return;
    // Brings what the screen shows of the frames up to date.
    RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    HDC hdc = bitmap.GetDC();
    RECT frame;
    GetWindowRect(hWnd, &frame);
    POINT client = {0, 0};
    ClientToScreen(hWnd, &client);
    const int saved = SaveDC(hdc);
    PrintFrame(hWnd, hdc);
    SetViewportOrgEx(hdc, client.x - frame.left, client.y - frame.top, nullptr);
    RECT rect;
    GetClientRect(hWnd, &rect);
    IntersectClipRect(hdc, 0, 0, rect.right, rect.bottom);
    PaintClientTree(hWnd, hdc, true, true);
    RestoreDC(hdc, saved);
    GdiFlush();
}

void RenderPopup(HWND hWnd, HWND hPopup, SnapshotBitmap& bitmap)
{
    if (!bitmap.IsValid() || !IsWindow(hWnd) || !IsWindow(hPopup) || !IsWindowVisible(hPopup))
        return;
    RECT window;
    RECT popup;
    GetWindowRect(hWnd, &window);
    GetWindowRect(hPopup, &popup);
    SnapshotBitmap picture(popup.right - popup.left, popup.bottom - popup.top);
    if (!picture.IsValid())
        return;
    RenderWindow(hPopup, picture);
    BitBlt(bitmap.GetDC(), popup.left - window.left, popup.top - window.top, picture.Width(), picture.Height(),
           picture.GetDC(), 0, 0, SRCCOPY);
    GdiFlush();
}

namespace {
// Releases a COM interface at the end of a scope.
template <class T>
struct ComRef
{
    T* p = nullptr; // the interface, null when none
    ~ComRef()
    {
        if (p != nullptr)
            p->Release();
    }
};
} // namespace

bool WritePng(const SnapshotBitmap& bitmap, const std::wstring& path)
{
    if (!bitmap.IsValid())
        return false;
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    bool written = false;
    {
        ComRef<IWICImagingFactory> factory;
        ComRef<IWICStream> stream;
        ComRef<IWICBitmapEncoder> encoder;
        ComRef<IWICBitmapFrameEncode> frame;
        ComRef<IPropertyBag2> options;
        // Opaque BGRA: GDI leaves the alpha byte 0.
        std::vector<BYTE> pixels(static_cast<size_t>(bitmap.Width()) * bitmap.Height() * 4);
        const DWORD* bits = bitmap.Bits();
        for (size_t i = 0; i < pixels.size() / 4; ++i) {
            const DWORD value = bits[i] | 0xFF000000u;
            std::memcpy(&pixels[i * 4], &value, 4);
        }
        WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
        written = SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                             IID_IWICImagingFactory, reinterpret_cast<void**>(&factory.p))) &&
                  SUCCEEDED(factory.p->CreateStream(&stream.p)) &&
                  SUCCEEDED(stream.p->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) &&
                  SUCCEEDED(factory.p->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder.p)) &&
                  SUCCEEDED(encoder.p->Initialize(stream.p, WICBitmapEncoderNoCache)) &&
                  SUCCEEDED(encoder.p->CreateNewFrame(&frame.p, &options.p)) &&
                  SUCCEEDED(frame.p->Initialize(options.p)) &&
                  SUCCEEDED(frame.p->SetSize(bitmap.Width(), bitmap.Height())) &&
                  SUCCEEDED(frame.p->SetPixelFormat(&format)) && IsEqualGUID(format, GUID_WICPixelFormat32bppBGRA) &&
                  SUCCEEDED(frame.p->WritePixels(bitmap.Height(), bitmap.Width() * 4,
                                                 static_cast<UINT>(pixels.size()), pixels.data())) &&
                  SUCCEEDED(frame.p->Commit()) && SUCCEEDED(encoder.p->Commit());
    }
    if (SUCCEEDED(init))
        CoUninitialize();
    return written;
}

std::wstring SnapshotFolder()
{
    std::wstring folder;
    WCHAR value[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"MORVA_SNAPSHOT_DIR", value, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        folder = value;
    else
        folder = MORVA_SNAPSHOT_DIR;
    if (folder.empty())
        return folder;
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

bool SaveWindowPng(HWND hWnd, const std::wstring& path, HWND hPopup)
{
    RECT frame;
    if (!GetWindowRect(hWnd, &frame))
        return false;
    SnapshotBitmap bitmap(frame.right - frame.left, frame.bottom - frame.top);
    if (!bitmap.IsValid())
        return false;
    RenderWindow(hWnd, bitmap);
    if (hPopup != nullptr)
        RenderPopup(hWnd, hPopup, bitmap);
    return WritePng(bitmap, path);
}

bool SaveSnapshot(HWND hWnd, const wchar_t* name)
{
    const std::wstring folder = SnapshotFolder();
    RECT frame;
    if (folder.empty() || !GetWindowRect(hWnd, &frame))
        return false;
    // Parts no window paints show as the dialog face, not as a test colour.
    SnapshotBitmap bitmap(frame.right - frame.left, frame.bottom - frame.top, GetSysColor(COLOR_BTNFACE));
    RenderWindow(hWnd, bitmap);
    return WritePng(bitmap, folder + L"\\" + name + L".png");
}

// Renders windows into 32-bit memory bitmaps, for pixel checks in paint tests
// and for PNG snapshots that people look at.
//
//     SnapshotBitmap bitmap(200, 100);
//     RenderClient(list.m_hWnd, bitmap);
//     EXPECT_EQ(RGB(255, 255, 255), bitmap.Pixel(10, 30));
//     SaveSnapshot(list.m_hWnd, L"list-report");
//
// Rendering asks each window to draw itself (WM_PRINT for the frame,
// WM_ERASEBKGND and WM_PRINTCLIENT for the client area), then its visible
// child windows over it, bottom of the z-order first, each clipped to its
// parent's client area. Nothing has to be on screen.
#pragma once
#include <windows.h>
#include <string>

class SnapshotBitmap
{
public:
    // A top-down 32-bit DIB section selected into a memory DC, filled with
    // fill. Invalid (IsValid false) for sizes below 1.
    SnapshotBitmap(int width, int height, COLORREF fill = RGB(255, 0, 255));
    ~SnapshotBitmap();
    SnapshotBitmap(const SnapshotBitmap&) = delete;
    SnapshotBitmap& operator=(const SnapshotBitmap&) = delete;

    bool IsValid() const { return m_pBits != nullptr; }
    HDC GetDC() const { return m_hDC; }
    int Width() const { return m_cx; }
    int Height() const { return m_cy; }
    // The pixel as a COLORREF; CLR_INVALID outside the bitmap.
    COLORREF Pixel(int x, int y) const;
    // The pixel at a point, for positions computed from rectangles.
    COLORREF Pixel(POINT p) const { return Pixel(p.x, p.y); }
    // Number of pixels of the colour inside the rectangle (clipped to the bitmap).
    int CountColor(const RECT& rect, COLORREF color) const;
    void Fill(COLORREF color);
    // Rows of BGRX pixels, top row first, Width() pixels each.
    const DWORD* Bits() const;

private:
    HDC m_hDC = nullptr;          // memory DC holding the bitmap
    HBITMAP m_hBitmap = nullptr;  // the DIB section
    HGDIOBJ m_hOldBitmap = nullptr; // bitmap displaced in m_hDC
    DWORD* m_pBits = nullptr;     // the DIB section's pixels
    int m_cx = 0;                 // width in pixels
    int m_cy = 0;                 // height in pixels
};

// The whole window (frame, client, children); bitmap origin = window's top-left.
void RenderWindow(HWND hWnd, SnapshotBitmap& bitmap);
// A popup window of hWnd (a drop-down list, a menu) drawn over a bitmap of
// hWnd's whole window, where the screen shows it; the part outside is cut off.
void RenderPopup(HWND hWnd, HWND hPopup, SnapshotBitmap& bitmap);
// The client area only; bitmap origin = client's top-left. Children are drawn
// over it unless withChildren is false.
void RenderClient(HWND hWnd, SnapshotBitmap& bitmap, bool withChildren = true);

// Writes the bitmap as a PNG file through the Windows Imaging Component.
bool WritePng(const SnapshotBitmap& bitmap, const std::wstring& path);
// Folder of the snapshots: the environment variable MORVA_SNAPSHOT_DIR, else
// the folder the build names; created when missing.
std::wstring SnapshotFolder();
// Renders the whole window (with hPopup drawn over it, when given) and writes
// it to path as PNG; false on failure.
bool SaveWindowPng(HWND hWnd, const std::wstring& path, HWND hPopup = nullptr);
// Renders the whole window and writes <folder>\<name>.png; false on failure.
bool SaveSnapshot(HWND hWnd, const wchar_t* name);

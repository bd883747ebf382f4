#include "GalleryIcons.h"
#include "GallerySamples.h"

namespace {
const int kSize = 16;
const COLORREF kMask = RGB(255, 0, 255);

void Fill(HDC hDC, int left, int top, int right, int bottom, COLORREF color)
{
    const RECT rect{left, top, right, bottom};
    HBRUSH brush = ::CreateSolidBrush(color);
    ::FillRect(hDC, &rect, brush);
    ::DeleteObject(brush);
}

// A rectangle of colour with a one-pixel border.
void Box(HDC hDC, int left, int top, int right, int bottom, COLORREF fill, COLORREF border)
{
    Fill(hDC, left, top, right, bottom, border);
    Fill(hDC, left + 1, top + 1, right - 1, bottom - 1, fill);
}

// A sheet of paper with a folded corner's shade, the base of the file images.
void Page(HDC hDC, int x)
{
    Box(hDC, x + 2, 0, x + 14, 16, RGB(255, 255, 255), RGB(128, 128, 128));
    Fill(hDC, x + 10, 1, x + 13, 4, RGB(220, 220, 220));
}

void Draw(HDC hDC, int image)
{
    const int x = image * kSize;
    switch (image) {
    case kImageFolder:
        Box(hDC, x + 1, 2, x + 8, 5, RGB(232, 184, 64), RGB(176, 128, 32));
        Box(hDC, x + 1, 4, x + 15, 14, RGB(248, 208, 96), RGB(176, 128, 32));
        Fill(hDC, x + 2, 5, x + 14, 6, RGB(255, 232, 160));
        break;
    case kImageText:
        Page(hDC, x);
        for (int y = 4; y <= 12; y += 2)
            Fill(hDC, x + 4, y, x + (y == 12 ? 9 : 12), y + 1, RGB(120, 120, 120));
        break;
    case kImageDocument:
        Page(hDC, x);
        Fill(hDC, x + 3, 1, x + 10, 4, RGB(43, 87, 170));
        for (int y = 6; y <= 12; y += 2)
            Fill(hDC, x + 4, y, x + 12, y + 1, RGB(80, 120, 200));
        break;
    case kImageSheet:
        Page(hDC, x);
        for (int y = 4; y <= 13; y += 3)
            Fill(hDC, x + 4, y, x + 13, y + 1, RGB(33, 115, 70));
        for (int cx = 4; cx <= 12; cx += 4)
            Fill(hDC, x + cx, 4, x + cx + 1, 14, RGB(33, 115, 70));
        break;
    case kImagePicture:
        Box(hDC, x + 0, 2, x + 16, 14, RGB(120, 180, 235), RGB(90, 90, 90));
        Fill(hDC, x + 10, 4, x + 13, 7, RGB(255, 214, 64));
        for (int i = 0; i < 6; ++i)
            Fill(hDC, x + 1 + i, 12 - i, x + 13 - i, 13, RGB(60, 150, 70));
        break;
    case kImageAudio:
        Fill(hDC, x + 9, 2, x + 11, 12, RGB(110, 50, 150));
        Fill(hDC, x + 11, 2, x + 14, 4, RGB(110, 50, 150));
        Box(hDC, x + 4, 10, x + 11, 15, RGB(150, 80, 190), RGB(110, 50, 150));
        break;
    case kImageArchive:
        Box(hDC, x + 1, 3, x + 15, 15, RGB(196, 150, 100), RGB(120, 84, 48));
        Fill(hDC, x + 1, 6, x + 15, 7, RGB(120, 84, 48));
        for (int y = 4; y < 15; y += 2)
            Fill(hDC, x + 7, y, x + 9, y + 1, RGB(60, 60, 60));
        break;
    default:
        break;
    }
}
} // namespace

bool CreateGalleryIcons(CImageList& images)
{
    if (!images.Create(kSize, kSize, ILC_COLOR24 | ILC_MASK, kImageCount, 0))
        return false;
    HDC hScreen = ::GetDC(nullptr);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    HBITMAP hStrip = ::CreateCompatibleBitmap(hScreen, kSize * kImageCount, kSize);
    ::ReleaseDC(nullptr, hScreen);
    bool ok = false;
    if (hDC != nullptr && hStrip != nullptr) {
        HGDIOBJ hOld = ::SelectObject(hDC, hStrip);
        Fill(hDC, 0, 0, kSize * kImageCount, kSize, kMask);
        for (int i = 0; i < kImageCount; ++i)
            Draw(hDC, i);
        ::SelectObject(hDC, hOld);
        ok = images.Add(hStrip, kMask) >= 0 && images.GetImageCount() == kImageCount;
    }
    if (hStrip != nullptr)
        ::DeleteObject(hStrip);
    if (hDC != nullptr)
        ::DeleteDC(hDC);
    return ok;
}

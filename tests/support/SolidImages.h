// Image lists whose images are each one solid colour, so that pixel checks
// can find them; magenta is the mask colour, as in the bitmaps tests render into.
#pragma once
#include <windows.h>
#include <initializer_list>
#include <vector>
#include "framework/CImageList.h"

inline void AddSolidImages(CImageList& images, std::initializer_list<COLORREF> colors, int size = 16)
{
    images.Create(size, size, ILC_COLOR24 | ILC_MASK, 2, 0);
    for (COLORREF color : colors) {
        const std::vector<DWORD> pixels(static_cast<size_t>(size * size),
                                        (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color));
        HBITMAP bitmap = ::CreateBitmap(size, size, 1, 32, pixels.data());
        images.Add(bitmap, RGB(255, 0, 255));
        ::DeleteObject(bitmap);
    }
}

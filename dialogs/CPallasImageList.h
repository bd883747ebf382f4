// CPallasImageList: an image list with the library's two creation presets and
// loading of bitmaps and icons from a resource module.
#pragma once
#include <windows.h>
#include "framework/CImageList.h"

class MORVA_API CPallasImageList : public CImageList
{
    DECLARE_DYNAMIC(CPallasImageList)
public:
    // 16 x 16 images with an alpha channel, on the window colour.
    BOOL CreateSmall(int nInitial, int nGrow);
    // Images width x 16 pixels, 24 bits (strips of toolbar buttons).
    BOOL CreateStrip(int nInitial, int nGrow, int width);
    // Adds the images of a bitmap resource, black transparent; answers 0, also
    // when the bitmap is missing (then nothing is added).
    int AddBitmap(HINSTANCE hResource, UINT nBitmap);
    // Appends an icon resource; the index of the new image, or -1.
    int AddIcon(HINSTANCE hResource, UINT nIcon);
};

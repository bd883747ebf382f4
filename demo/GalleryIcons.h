// The gallery's small images (16 x 16): a folder and one picture per kind of
// file (see SampleImage), drawn here so that the demo needs no icon files.
#pragma once
#include "framework/CImageList.h"

// Fills images with kImageCount images; false when the list cannot be made.
bool CreateGalleryIcons(CImageList& images);

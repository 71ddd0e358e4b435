#pragma once
// Writing floating pixels into an image: selected pixels moved or copied by an offset, and a
// floating picture merged with a transparency.
#include "image/Bitmap.h"
#include "image/Region.h"

namespace kalvo {

// A copy of the image (same depth, palette copied) with the region's pixels moved by (dx, dy):
// unless copy, the region is first filled with the background colour (the nearest entry on
// palette images); then the unchanged image is drawn at (dx, dy) clipped to the moved region.
TBitmap MoveSelectedPixels(const TBitmap& image, const TRegion& region, int dx, int dy, bool copy, TColor background);

// Merges picture into target at (fx, fy): both are taken at 24 bits (target is converted in
// place), a = alpha limited to 0..100, and every merged pixel channel becomes
// (a * target + (100 - a) * picture) div 100. The merge area is the paste region moved by
// (fx, fy), or the picture's rectangle there when it has none, intersected with the selection
// when there is one; nothing outside it changes. Returns true.
bool MergeFloating(TBitmap& target, const TRegionRef& selection, const TBitmap& picture, int alpha, int fy, int fx,
                   const TRegionRef& pasteRegion);

} // namespace kalvo

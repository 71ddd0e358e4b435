#pragma once
// Empty palette bitmaps: a bitmap of the depth a palette needs, every pixel index 0.
#include "image/Bitmap.h"

#include <vector>

namespace kalvo {

// The depth for a palette of `entries` entries (only the first 256 count): 0 -> 24, 1..2 -> 1,
// 3..16 -> 4, 17..256 -> 8.
int PaletteBitCount(std::size_t entries);

// Loads bitmap with an image of width x |height| (a negative height means top-down rows, which
// gives the same bitmap) at PaletteBitCount of the palette, carrying the palette's first 256
// entries; every pixel is index 0. Returns true. Throws EPxImageError
// "pxImageCommon.CreatePaletteBitmap: Invalid Parameters" for width <= 0 or height 0, and
// EInvalidGraphic when the size exceeds the bitmap's bounds.
bool CreatePaletteBitmap(int width, int height, const std::vector<TColor>& palette, TBitmap& bitmap);

} // namespace kalvo

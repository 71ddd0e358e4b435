#pragma once
// Depth-generic pixel copies and fills: a bitmap drawn 1:1 into another at an offset, clipped to
// a region, and a region filled with one stored pixel value.
#include "image/Bitmap.h"
#include "image/Region.h"

#include <cstdint>

namespace kalvo {

// Draws source 1:1 with its top-left corner at (x, y) into target, clipped to the target and,
// when given, to clip (target coordinates). Both bitmaps must have the same depth, or the target
// 24 bits (the source's colours are written); anything else raises EPxImageError. Palettes are
// not touched: indices are copied as they are.
void DrawBitmapAt(TBitmap& target, const TBitmap& source, int x, int y, const TRegion* clip = nullptr);

// Writes one stored value into every pixel of the region that lies on the bitmap: an index at
// 1, 4 and 8 bits, a 5-5-5 word at 16, a colour (blue in the low byte) at 24 and 32.
void FillRegionValue(TBitmap& bitmap, const TRegion& region, std::uint32_t value);

} // namespace kalvo

#pragma once
// 1- and 4-bit pictures as one palette index per byte, so that the byte-wise permutations serve
// every depth.
#include "image/Bitmap.h"

namespace kalvo {

// An 8-bit bitmap of the same size whose pixel (x, y) is the index of source pixel (x, y).
TBitmap UnpackIndices(const TBitmap& source);

// Writes the indices of an 8-bit bitmap into target (same size, 1 or 4 bits), masked to its depth.
void PackIndices(const TBitmap& indices, TBitmap& target);

} // namespace kalvo

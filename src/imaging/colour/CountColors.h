#pragma once
// The number of distinct colours in an image.
#include "image/Bitmap.h"

namespace kalvo {

// Counts distinct pixel values in a set of 2^24 bits: for 1-, 4- and 8-bit images the colour of
// each pixel's palette entry (entries of equal colour count once; indices beyond the palette read
// as black), for 24-bit images the colour of the three bytes, for 16- and 32-bit images the raw
// stored value. Returns -1 when a value does not fit the set (a 32-bit pixel with a non-zero high
// byte) or the depth is not supported.
int CountColors(const TBitmap& bitmap);

} // namespace kalvo

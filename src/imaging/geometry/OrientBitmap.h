#pragma once
// Quarter turns and mirrors of a whole bitmap: exact permutations of the pixels at every depth.
#include "image/Bitmap.h"
#include "imaging/geometry/Orientation.h"

namespace kalvo {

// A new bitmap holding the source transformed (sides exchanged for quarter turns), with the
// source's depth, palette and transparency. The stored values are moved as they are, so indices
// and 16- and 32-bit words are kept bit for bit. Throws EPxImageError for an empty source.
TBitmap OrientBitmap(const TBitmap& source, TOrientation orientation);

} // namespace kalvo

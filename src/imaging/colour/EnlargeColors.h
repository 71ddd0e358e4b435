#pragma once
// Raising the colour depth of a palette image.
#include "image/Bitmap.h"

#include <optional>

namespace kalvo {

// For a 1-, 4- or 8-bit bitmap with fewer bits than `bits`: to 4 or 8 bits a bitmap of that
// depth whose palette of 16 or 256 entries starts with the source palette and is black after it,
// every pixel keeping its index; to 24 bits every index replaced by its colour. Anything else
// (another target, a deeper source) gives nothing.
std::optional<TBitmap> EnlargeColors(const TBitmap& bitmap, int bits);

} // namespace kalvo

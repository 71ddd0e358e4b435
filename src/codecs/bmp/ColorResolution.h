#pragma once
// The colour-resolution change of the image: through the DIB container to 1, 4, 8 or 24 bits.
#include "image/Bitmap.h"

#include <optional>

namespace kalvo {

// The image with its palette at the given depth, or nothing for a depth other than 1, 4, 8, 24.
std::optional<TBitmap> ChangeColorResolution(const TBitmap& image, int bits);

} // namespace kalvo

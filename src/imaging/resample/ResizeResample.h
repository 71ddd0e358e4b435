#pragma once
// Smooth resizing: each destination pixel is the integral of the bilinear reconstruction of the
// source over the area it covers, divided by that area and rounded (ties to even).
#include "image/Bitmap.h"

namespace kalvo {

// A new 24-bit bitmap of the new size, from a source of any depth. Throws EPxImageError for an
// empty source or a size below 1, EInvalidGraphic for a size beyond the bitmap bounds. Uses two
// threads for large images; the result does not depend on it.
TBitmap ResizeResample(const TBitmap& source, int newWidth, int newHeight);

} // namespace kalvo

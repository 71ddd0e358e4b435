#pragma once
// Resizing by point sampling at any depth: the pixel format and the palette are kept.
#include "image/Bitmap.h"

namespace kalvo {

// Destination pixel (x, y) takes source pixel (x * srcW div newW, y * srcH div newH).
// Throws as TransformBitmap.
TBitmap ResizeNearest(const TBitmap& source, int newWidth, int newHeight);

} // namespace kalvo

#pragma once
// The colour-range fill of the magic wand and the paint tool.
#include "image/Bitmap.h"

#include <optional>

namespace kalvo {

// A 1-bit mask (mono palette) of the image's size with bit 1 on the 4-connected area around the
// seed whose hue, lightness and saturation each lie within e = Trunc(t * 6 / 5 + 0.5) of the
// seed's (tolerance t clamped to 0..200; the hue has no wrap-around). None when the seed lies
// outside the image. Works at every depth through the pixels' colours.
std::optional<TBitmap> FloodMask(const TBitmap& bitmap, int x, int y, int tolerance);

} // namespace kalvo

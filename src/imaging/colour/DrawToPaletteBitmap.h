#pragma once
// Drawing an image into a palette bitmap: each pixel takes the target palette entry nearest to
// its colour (squared RGB distance, the first minimum wins), so colours that are entries keep
// their own index.
#include "image/Bitmap.h"

namespace kalvo {

// Draws all of source (any depth) into target (1, 4 or 8 bits) with its top-left corner at
// (x, y); pixels falling outside target are clipped. A target without palette entries gets index
// 0. Throws EPxImageError for a target of more than 8 bits.
void DrawToPaletteBitmap(TBitmap& target, const TBitmap& source, int x, int y);

} // namespace kalvo

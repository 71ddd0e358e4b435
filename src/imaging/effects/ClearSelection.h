#pragma once
// Clearing the selection to the background colour through a feathered selection mask.
#include "image/Bitmap.h"

namespace kalvo {

// Every pixel of a 24-bit bitmap becomes (a * old + (255 - a) * background) div 255 per channel,
// a = the mask value (pixels outside the mask keep their value). Returns false, changing nothing,
// unless the bitmap is 24-bit and the mask 8-bit.
bool ClearThroughMask(TBitmap& bitmap, const TBitmap& mask, TColor background);

} // namespace kalvo

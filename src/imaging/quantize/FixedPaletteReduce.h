#pragma once
// Colour reductions to the fixed palettes with error diffusion.
#include "image/Bitmap.h"
#include "imaging/ProgressCallback.h"

namespace kalvo {

// Each diffuses the error of the 24-bit source over the fixed palette (progress per row) and
// returns a bitmap of the source's size: 8-bit with the web-safe palette, 4-bit with the 16
// standard colours, 1-bit black and white. Throws as BitmapFilter for a source that is not 24-bit.
TBitmap ReduceToWebPaletteDither(const TBitmap& source, const TProgressCallback& progress = {});
TBitmap ReduceTo16ColorsDither(const TBitmap& source, const TProgressCallback& progress = {});
TBitmap ReduceTo2ColorsDither(const TBitmap& source, const TProgressCallback& progress = {});

} // namespace kalvo

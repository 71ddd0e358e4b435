#pragma once
// Floyd-Steinberg error diffusion.
#include "image/Bitmap.h"
#include "imaging/ProgressCallback.h"
#include "imaging/quantize/QuantizeColor.h"

namespace kalvo {

// Returns a new 24-bit bitmap whose every pixel is a colour produced by quantiser. Pixels are
// visited left to right, top to bottom; the difference between the chosen and the current colour
// of each channel is taken from the neighbours in their working copies, clamped to 0..255 after
// each change: (d*7)/16 right, (d*3)/16 below-left, (d*5)/16 below, (d*1)/16 below-right, with
// integer division truncating toward zero. Throws as BitmapFilter for a source that is not 24-bit.
TBitmap ErrorDiffusion(const TBitmap& source, const TQuantizeColor& quantiser, const TProgressCallback& progress = {});

} // namespace kalvo

#pragma once
// Colour reduction to an optimised palette of at most 2^depth colours by the median cut.
#include "image/Bitmap.h"
#include "imaging/ProgressCallback.h"

namespace kalvo {

// A new 8-bit bitmap: the palette built from the histogram of the pixels that occur, every pixel
// mapped to its cell's entry. depth 0..8 and a 24-bit source are required (std::logic_error
// naming pxMedianCut otherwise). The progress callback is not called.
TBitmap MedianCutReduce(const TBitmap& source, int depth, const TProgressCallback& progress = {});

// The same with Floyd-Steinberg error diffusion (progress reported per row). Every histogram cell
// takes part in the split, so the palette can also hold entries made from empty cells; each
// pixel's index is that of the cell its dithered colour falls into.
TBitmap MedianCutReduceDither(const TBitmap& source, int depth, const TProgressCallback& progress = {});

// The driver: converts a source of another depth to 24 bits, runs one of the two above, and for
// depth <= 4 repacks the result at the depth its palette needs (1 bit for up to 2 entries, 4 bits
// for up to 16).
TBitmap ReduceColorsMedianCut(const TBitmap& source, int depth, bool dither, const TProgressCallback& progress = {});

} // namespace kalvo

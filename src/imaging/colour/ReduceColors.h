#pragma once
// The reductions of the three reduce commands (256, 16 and 2 colours), each choosing its path
// from the palette option and the method.
#include "image/Bitmap.h"
#include "imaging/ProgressCallback.h"

namespace kalvo {

enum class TReducePalette {
    Optimized, // the median cut
    Fixed,     // web-safe for 256 colours, the 16 standard colours for 16, black and white for 2
};

// Whether the reduce command to `colors` (256, 16 or 2) is offered for an image of bitCount
// bits: 256 for true colour, 16 for 8 bits and more, 2 for 4 bits and more.
bool CanReduceColors(int bitCount, int colors);

// A new bitmap of 8, 4 or 1 bits (an optimised palette of 16 or 2 colours may need fewer bits).
// The image is worked on as a 24-bit copy when it has another depth; it is never changed.
// dither selects error diffusion (progress per row), otherwise each pixel takes the nearest colour.
// Throws std::invalid_argument when CanReduceColors is false.
TBitmap ReduceColors(const TBitmap& image, int colors, TReducePalette palette, bool dither,
                     const TProgressCallback& progress = {});

} // namespace kalvo

#pragma once
// The optimised colour map of a GIF frame.
#include "image/Bitmap.h"

#include <array>
#include <cstdint>
#include <vector>

namespace kalvo {

struct TGifColorMap {
    std::vector<TColor> colors;
    std::array<std::uint8_t, 256> remap{}; // bitmap index -> map index
};

// The colours the pixels of a 1-, 4- or 8-bit bitmap use, in palette order, each colour once
// (indices beyond the palette read as black).
TGifColorMap OptimizeColorMap(const TBitmap& indexed);

// The map index of colour, appended when missing; EGifError when the map already holds 256.
int TransparentIndex(TGifColorMap& map, TColor colour);

// The colours padded with black to the power of two (at least 2) a GIF colour table needs.
std::vector<TColor> PaddedColorTable(const std::vector<TColor>& colors);

// Row y of a 1-, 4- or 8-bit bitmap, one index per byte.
void UnpackRow(const TBitmap& indexed, int y, std::uint8_t* out);

} // namespace kalvo

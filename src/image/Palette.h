#pragma once
// Palettes and colour tables: a palette is the bitmap's list of up to 256 colours; a colour table
// is the same indexed by palette index over all 256 entries (missing entries black); RGB quads
// are the four-byte blue, green, red, 0 entries of a DIB colour table.
#include "image/Bitmap.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace kalvo {

using TColorTable = std::array<TColor, 256>;

struct TRGBQuad {
    std::uint8_t rgbBlue = 0;
    std::uint8_t rgbGreen = 0;
    std::uint8_t rgbRed = 0;
    std::uint8_t rgbReserved = 0;
    bool operator==(const TRGBQuad&) const = default;
};

// Fills the table with the bitmap's palette (entries beyond it 0); returns the entries read.
int PaletteToColorTable(const TBitmap& bitmap, TColorTable& table);
// Writes min(entries, maxIndex + 1, destination size) palette entries as RGB quads; returns the
// number written (0 for an empty palette).
int PaletteToRGBQuads(const std::vector<TColor>& palette, std::span<TRGBQuad> destination, int maxIndex);
// A palette of the first count quads (count limited to the quads given).
std::vector<TColor> RGBQuadsToPalette(std::span<const TRGBQuad> entries, int count);
// 256 entries, entry i = (i, i, i).
std::vector<TColor> CreateGreyPalette();
// Two entries: 0 = black, 1 = white.
std::vector<TColor> CreateMonoPalette();

} // namespace kalvo

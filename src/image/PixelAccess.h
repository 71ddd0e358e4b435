#pragma once
// Single-pixel access by bit depth on one row, and row tables for fast pixel loops.
// Row tables: entry y addresses the first byte of image row y; a table is valid only while its
// bitmap is neither resized nor reallocated.
#include "image/Bitmap.h"
#include "image/Palette.h"

#include <cstdint>
#include <vector>

namespace kalvo {

// One 24-bit pixel as stored: blue, green, red.
struct TRGBTriple {
    std::uint8_t rgbtBlue;
    std::uint8_t rgbtGreen;
    std::uint8_t rgbtRed;
};
static_assert(sizeof(TRGBTriple) == 3);

using TPixelTable = std::vector<std::uint8_t*>;
using TConstPixelTable = std::vector<const std::uint8_t*>;
using TPixelTable24 = std::vector<TRGBTriple*>;

void BuildPixelTable(TPixelTable& table, TBitmap& bitmap);
void BuildPixelTable(TConstPixelTable& table, const TBitmap& bitmap);
// Raises EPxImageError when the bitmap is not 24 bits per pixel.
void BuildPixelTable24(TPixelTable24& table, TBitmap& bitmap);

// The colour of pixel x of a row: palette depths through the colour table, 24 bits as a colour,
// 16 and 32 bits the stored word unconverted. Other depths raise EPxImageError.
TColor GetPixelRGB(int x, const std::uint8_t* row, int bitsPerPixel, const TColorTable& colorTable);
// Writes a palette index at 1, 4 or 8 bits (not masked to the depth); other depths raise.
void PutPixelIndex(int x, std::uint8_t* row, int bitsPerPixel, std::uint32_t index);
// Writes an index (1, 4, 8 bits) or a colour (24, 32 bits); other depths, 16 included, raise.
void PutPixel(int x, std::uint8_t* row, int bitsPerPixel, std::uint32_t value);
int GetBitCount(const TBitmap& bitmap);

} // namespace kalvo

#pragma once
// The Windows DIB layout the container keeps its pixels in.
#include "image/BitmapInfoHeader.h"
#include "image/Palette.h" // TRGBQuad

#include <array>
#include <cstddef>
#include <cstdint>

namespace kalvo {

// Room for 256 palette entries plus the three bit-field masks read ahead of them.
using TDibColors = std::array<TRGBQuad, 259>;

enum TLvPixelFormat : int {
    lvPf1Bit = 0,
    lvPf4Bit = 1,
    lvPf4BitRLE = 2,
    lvPf8Bit = 3,
    lvPf8BitRLE = 4,
    lvPf24Bit = 5,
};

constexpr std::uint32_t BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3;

inline std::size_t DibStride(long width, int bitCount)
{
    return ((std::size_t(width) * std::size_t(bitCount) + 31) / 32) * 4;
}

} // namespace kalvo

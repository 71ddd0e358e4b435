#pragma once
// Inline reading and writing of palette indices in a row of a 1-, 4- or 8-bit bitmap (1-bit most
// significant bit first, 4-bit high nibble first), for pixel loops. The caller keeps x inside
// the row. (PutPixelIndex in image/PixelAccess.h is the checked single-pixel form.)
#include <cstdint>

namespace kalvo {

inline unsigned IndexAt(const std::uint8_t* row, int x, int bitCount)
{
    switch (bitCount) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1u;
    case 4: return (x & 1) ? (row[x >> 1] & 0x0Fu) : (row[x >> 1] >> 4);
    default: return row[x];
    }
}

// Writes index at x, masked to the depth.
inline void SetIndexAt(std::uint8_t* row, int x, int bitCount, unsigned index)
{
    switch (bitCount) {
    case 1: {
        const unsigned shift = 7u - unsigned(x & 7);
        row[x >> 3] = std::uint8_t((row[x >> 3] & ~(1u << shift)) | ((index & 1u) << shift));
        break;
    }
    case 4: {
        const unsigned shift = (x & 1) ? 0u : 4u;
        row[x >> 1] = std::uint8_t((row[x >> 1] & ~(0x0Fu << shift)) | ((index & 0x0Fu) << shift));
        break;
    }
    default: row[x] = std::uint8_t(index);
    }
}

} // namespace kalvo

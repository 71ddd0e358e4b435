#pragma once
// Reading a palette index from a row of a 1-, 4- or 8-bit bitmap (1-bit most significant bit
// first, 4-bit high nibble first); PutPixelIndex (image/PixelAccess.h) writes one. The caller
// keeps x inside the row.
#include <cstdint>

namespace kalvo {

inline unsigned IndexAt(const std::uint8_t* row, int x, int bitCount)
{
    switch (bitCount) {
    case 1:
        return (row[x >> 3] >> (7 - (x & 7))) & 1u;
    case 4:
        return (x & 1) ? (row[x >> 1] & 0x0Fu) : (row[x >> 1] >> 4);
    default:
        return row[x];
    }
}

} // namespace kalvo

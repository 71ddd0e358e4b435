#pragma once
// Writing a row of byte-sized palette indices into a 1-, 4- or 8-bit bitmap row.
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace kalvo {

// Writes indices[0 .. width) into row at bitCount 1 (most significant bit first), 4 (high nibble
// first) or 8, each index masked to the depth. Bits after the last pixel of the row's last byte
// become zero.
inline void PackIndices(const std::uint8_t* indices, int width, std::uint8_t* row, int bitCount)
{
    if (bitCount == 8) {
        std::memcpy(row, indices, std::size_t(width));
        return;
    }
    const int perByte = 8 / bitCount;
    const unsigned mask = (1u << bitCount) - 1;
    for (int x = 0; x < width; x += perByte) {
        unsigned byte = 0;
        for (int k = 0; k < perByte; ++k)
            byte = (byte << bitCount) | (x + k < width ? indices[x + k] & mask : 0u);
        row[x / perByte] = std::uint8_t(byte);
    }
}

} // namespace kalvo

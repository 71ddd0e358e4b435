#pragma once
// Runs of set bits in 1-bit rows (most significant bit first).
#include <bit>
#include <cstddef>
#include <cstdint>

namespace kalvo {

inline bool TestBit(const std::uint8_t* row, int x)
{
    return (row[x >> 3] >> (7 - (x & 7))) & 1;
}

// The first column in [x, width) whose bit equals value; width when there is none. Whole bytes
// of the other value are skipped at once.
inline int FindBit(const std::uint8_t* row, int x, int width, bool value)
{
    const std::uint8_t skip = value ? 0x00 : 0xFF;
    while (x < width) {
        if ((x & 7) == 0 && row[x >> 3] == skip) {
            x += 8;
            continue;
        }
        if (TestBit(row, x) == value)
            return x;
        ++x;
    }
    return width;
}

// Sets the bits of columns [from, to) to 1.
inline void SetBitRun(std::uint8_t* row, int from, int to)
{
    for (int x = from; x < to; ++x) {
        if ((x & 7) == 0 && to - x >= 8) {
            row[x >> 3] = 0xFF;
            x += 7;
            continue;
        }
        row[x >> 3] = std::uint8_t(row[x >> 3] | (0x80 >> (x & 7)));
    }
}

// The number of runs of set bits among columns [0, width) of a row.
inline std::size_t CountBitRuns(const std::uint8_t* row, int width)
{
    std::size_t runs = 0;
    unsigned previous = 0;
    const int bytes = (width + 7) / 8;
    for (int i = 0; i < bytes; ++i) {
        unsigned b = row[i];
        if (i == bytes - 1 && (width & 7))
            b &= 0xFFu << (8 - (width & 7)) & 0xFF;
        runs += std::size_t(std::popcount(b & ~((b >> 1) | (previous << 7)) & 0xFF));
        previous = b & 1;
    }
    return runs;
}

} // namespace kalvo

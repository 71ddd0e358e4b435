#pragma once
// Rows of 1-bit pictures as 64-column words, the leftmost column in the top bit, for the outline
// and region routines that work on 64 columns at a time.
#include "image/Bitmap.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

namespace kalvo {

using TWordRow = std::vector<std::uint64_t>;

// The words of a row of columns 0..width (one past the last column, which is always clear).
inline std::size_t WordsFor(int width)
{
    return std::size_t(width) / 64 + 1;
}

// Row y of a 1-bit bitmap (most significant bit first) into cleared words; the padding bits
// past the width stay clear.
inline void LoadBwWords(const TBitmap& bitmap, int y, std::uint64_t* words)
{
    const int w = bitmap.width();
    const std::size_t bytes = std::size_t(w + 7) / 8;
    auto* out = reinterpret_cast<std::uint8_t*>(words);
    std::memcpy(out, bitmap.scanLine(y), bytes);
    if (w & 7)
        out[bytes - 1] = std::uint8_t(out[bytes - 1] & (0xFF << (8 - (w & 7))));
    if constexpr (std::endian::native == std::endian::little) {
        for (std::size_t k = 0; k < (bytes + 7) / 8; ++k)
            words[k] = __builtin_bswap64(words[k]);
    }
}

// Sets columns [from, to) of a word row.
inline void SetWordColumns(std::uint64_t* words, int from, int to)
{
    while (from < to) {
        const int first = from & 63;
        const int count = std::min(64 - first, to - from);
        const std::uint64_t ones = count == 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << count) - 1;
        words[from >> 6] |= ones << (64 - first - count);
        from += count;
    }
}

// The columns of a word whose bit differs from the column before. left holds the previous
// word's last column in the top bit's place (0 before the first word) and moves on.
inline std::uint64_t WordEdges(std::uint64_t bits, std::uint64_t& left)
{
    const std::uint64_t edges = bits ^ ((bits >> 1) | left);
    left = bits << 63;
    return edges;
}

// The number of set bits (inline, also where the processor has no population count).
inline int CountBits(std::uint64_t v)
{
    v -= (v >> 1) & 0x5555555555555555u;
    v = (v & 0x3333333333333333u) + ((v >> 2) & 0x3333333333333333u);
    v = (v + (v >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
    return int((v * 0x0101010101010101u) >> 56);
}

} // namespace kalvo

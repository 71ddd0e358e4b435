#pragma once
// Builders of BMP files and DIB records for the DIB container tests.
#include "codecs/bmp/LvDIB.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace kalvo::test {

inline void Put16(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x)
{
    v[at] = std::uint8_t(x);
    v[at + 1] = std::uint8_t(x >> 8);
}
inline void Put32(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x)
{
    for (int i = 0; i < 4; ++i)
        v[at + i] = std::uint8_t(x >> (8 * i));
}

// A packed DIB: 40-byte header, `tableBytes` bytes of colour table (or masks), pixels.
inline std::vector<std::uint8_t> PackedDib(int w, int h, int bits, std::uint32_t compression, std::uint32_t clrUsed,
                                           const std::vector<std::uint8_t>& table,
                                           const std::vector<std::uint8_t>& pixels)
{
    std::vector<std::uint8_t> v(40, 0);
    Put32(v, 0, 40);
    Put32(v, 4, std::uint32_t(w));
    Put32(v, 8, std::uint32_t(h));
    Put16(v, 12, 1);
    Put16(v, 14, std::uint32_t(bits));
    Put32(v, 16, compression);
    Put32(v, 32, clrUsed);
    v.resize(40 + table.size() + pixels.size());
    std::copy(table.begin(), table.end(), v.begin() + 40);
    std::copy(pixels.begin(), pixels.end(), v.begin() + 40 + long(table.size()));
    return v;
}

// A BMP file around a packed DIB, with the given pixel offset (0: right after the table).
inline std::vector<std::uint8_t> BmpFile(const std::vector<std::uint8_t>& packed, std::size_t tableBytes,
                                         std::uint32_t offBits = 0)
{
    std::vector<std::uint8_t> v(14, 0);
    v[0] = 'B';
    v[1] = 'M';
    Put32(v, 2, std::uint32_t(14 + packed.size()));
    Put32(v, 10, offBits ? offBits : std::uint32_t(14 + 40 + tableBytes));
    v.resize(14 + packed.size());
    std::copy(packed.begin(), packed.end(), v.begin() + 14);
    return v;
}

} // namespace kalvo::test

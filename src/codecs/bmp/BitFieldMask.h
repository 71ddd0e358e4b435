#pragma once
// Colour channels of 16- and 32-bit bit-field pixels. A mask is normalised to 128..255, so that
// ((v & mask) >> shift) * 255 / scale maps its field onto 0..255.
#include <algorithm>
#include <cstdint>

namespace kalvo {

struct TMaskScale {
    std::uint32_t mask;
    int shift;
    std::uint32_t scale;
};

// The shift and scale of mask, which must not be zero.
inline TMaskScale MaskScaleOf(std::uint32_t mask)
{
    int s = 0;
    std::uint32_t m = mask;
    while (m >= 256) {
        m >>= 1;
        ++s;
    }
    while (m < 128) {
        m <<= 1;
        --s;
    }
    return {mask, s, s >= 0 ? (mask >> s) : (mask << -s)};
}

// The field of m in pixel value v, scaled to 0..255.
inline std::uint8_t MaskChannel(std::uint32_t v, const TMaskScale& m)
{
    const std::uint32_t f = v & m.mask;
    const std::uint32_t n = m.shift >= 0 ? (f >> m.shift) : (f << -m.shift);
    return std::uint8_t(std::min<std::uint32_t>(255, n * 255 / m.scale));
}

} // namespace kalvo

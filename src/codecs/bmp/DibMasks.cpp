#include "codecs/bmp/DibMasks.h"

#include "codecs/bmp/DibReader.h"
#include "codecs/bmp/LvDIBErrors.h"

namespace kalvo {

namespace {

struct MaskShift {
    std::uint32_t mask;
    int shift;
    std::uint32_t scale; // the mask normalised to 128..255
};

MaskShift maskShift(std::uint32_t mask)
{
    if (mask == 0)
        throw ELvDIBInvalidDIB("TLvInternalDIB.LoadFromStream: Invalid Masks");
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

inline std::uint8_t channel(std::uint32_t v, const MaskShift& m)
{
    const std::uint32_t f = v & m.mask;
    const std::uint32_t n = m.shift >= 0 ? (f >> m.shift) : (f << -m.shift);
    return std::uint8_t(n * 255 / m.scale);
}

} // namespace

void DefaultMasks(int sourceBits, std::uint32_t masks[3])
{
    if (sourceBits == 16) {
        masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
    } else {
        masks[0] = 0xFF0000, masks[1] = 0x00FF00, masks[2] = 0x0000FF;
    }
}

void ReadBitFieldRows(TDibReader& reader, int sourceBits, const std::uint32_t masks[3], TDibRecord& rec)
{
    const MaskShift r = maskShift(masks[0]), g = maskShift(masks[1]), b = maskShift(masks[2]);
    const long width = rec.Width();
    const std::size_t srcRow = sourceBits == 16 ? std::size_t((width * 2 + 3) / 4 * 4) : std::size_t(width) * 4;
    if (srcRow * std::size_t(rec.AbsHeight()) > reader.Left())
        throw EReadError();
    const int bytes = sourceBits / 8;
    for (long y = 0; y < rec.AbsHeight(); ++y) {
        const std::uint8_t* s = reader.Take(srcRow);
        std::uint8_t* d = rec.Row(y);
        for (long x = 0; x < width; ++x, s += bytes, d += 3) {
            std::uint32_t v = s[0] | (std::uint32_t(s[1]) << 8);
            if (bytes == 4)
                v |= (std::uint32_t(s[2]) << 16) | (std::uint32_t(s[3]) << 24);
            d[0] = channel(v, b);
            d[1] = channel(v, g);
            d[2] = channel(v, r);
        }
    }
}

} // namespace kalvo

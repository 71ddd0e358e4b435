#include "codecs/bmp/DibMasks.h"

#include "codecs/bmp/BitFieldMask.h"
#include "codecs/bmp/DibReader.h"
#include "codecs/bmp/LvDIBErrors.h"

#include <cstring>

namespace kalvo {

namespace {

TMaskScale maskScale(std::uint32_t mask)
{
    if (mask == 0)
        throw ELvDIBInvalidDIB("TLvInternalDIB.LoadFromStream: Invalid Masks");
    return MaskScaleOf(mask);
}

// The masks in the colour table of a bit-field DIB, otherwise the default 5-5-5 (16 bits) or
// 8-8-8 (32 bits) ones.
void readMasks(const TDibRecord& rec, int sourceBits, std::uint32_t masks[3])
{
    if (rec.Header.biCompression == BI_BITFIELDS)
        std::memcpy(masks, rec.Colors.data(), 3 * sizeof masks[0]);
    else if (sourceBits == 16)
        masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
    else
        masks[0] = 0xFF0000, masks[1] = 0x00FF00, masks[2] = 0x0000FF;
}

// Converts the source rows into rec's 24-bit rows.
void convertRows(TDibReader& reader, int sourceBits, std::size_t srcRow, const std::uint32_t masks[3], TDibRecord& rec)
{
    const TMaskScale r = maskScale(masks[0]), g = maskScale(masks[1]), b = maskScale(masks[2]);
    const long width = rec.Width();
    const int bytes = sourceBits / 8;
    for (long y = 0; y < rec.AbsHeight(); ++y) {
        const std::uint8_t* s = reader.Take(srcRow);
        std::uint8_t* d = rec.Row(y);
        for (long x = 0; x < width; ++x, s += bytes, d += 3) {
            std::uint32_t v = s[0] | (std::uint32_t(s[1]) << 8);
            if (bytes == 4)
                v |= (std::uint32_t(s[2]) << 16) | (std::uint32_t(s[3]) << 24);
            d[0] = MaskChannel(v, b);
            d[1] = MaskChannel(v, g);
            d[2] = MaskChannel(v, r);
        }
    }
}

} // namespace

void ReadBitFieldPixels(TDibReader& reader, TDibRecord& rec, bool useFMO)
{
    const int bits = rec.Header.biBitCount;
    std::uint32_t masks[3];
    readMasks(rec, bits, masks);
    const std::size_t srcRow = bits == 16 ? std::size_t((rec.Width() * 2 + 3) / 4 * 4) : std::size_t(rec.Width()) * 4;
    if (srcRow * std::size_t(rec.AbsHeight()) > reader.Left())
        throw EReadError(); // checked before the memory is obtained
    rec.Header.biBitCount = 24;
    rec.Size = rec.Stride() * std::size_t(rec.AbsHeight());
    rec.Memory = TDibMemory(rec.Size, useFMO);
    convertRows(reader, bits, srcRow, masks, rec);
    if (rec.Header.biCompression == BI_BITFIELDS)
        std::memmove(rec.Colors.data(), rec.Colors.data() + 3, 256 * sizeof(TRGBQuad));
    rec.Header.biCompression = BI_RGB;
    rec.Header.biSizeImage = 0;
}

} // namespace kalvo

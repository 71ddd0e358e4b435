#include "imaging/geometry/PackedRows.h"

#include "imaging/colour/PixelIndex.h"
#include "imaging/quantize/PackIndices.h"

namespace kalvo {

TBitmap UnpackIndices(const TBitmap& source)
{
    TBitmap indices(source.width(), source.height(), 8);
    const int bits = source.bitCount();
    for (int y = 0; y < source.height(); ++y) {
        const std::uint8_t* in = source.scanLine(y);
        std::uint8_t* out = indices.scanLine(y);
        for (int x = 0; x < source.width(); ++x)
            out[x] = std::uint8_t(IndexAt(in, x, bits));
    }
    return indices;
}

void PackIndices(const TBitmap& indices, TBitmap& target)
{
    for (int y = 0; y < target.height(); ++y)
        PackIndices(indices.scanLine(y), target.width(), target.scanLine(y), target.bitCount());
}

} // namespace kalvo

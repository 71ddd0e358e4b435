#include "imaging/resample/TransformBitmap.h"

#include "image/ImageErrors.h"

#include <cstring>

namespace kalvo {

namespace {

unsigned GetBits(const std::uint8_t* row, int x, int bitCount)
{
    switch (bitCount) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4: return (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
    default: return row[x];
    }
}

// Writes a 1- or 4-bit value, keeping the other bits of the byte.
void PutBits(std::uint8_t* row, int x, int bitCount, unsigned value)
{
    if (bitCount == 1) {
        const int bit = 7 - (x & 7);
        row[x >> 3] = std::uint8_t((row[x >> 3] & ~(1u << bit)) | ((value & 1u) << bit));
    } else {
        const int shift = (x & 1) ? 0 : 4;
        row[x >> 1] = std::uint8_t((row[x >> 1] & ~(0x0Fu << shift)) | ((value & 0x0Fu) << shift));
    }
}

void CopyPixel(const TBitmap& source, QPoint from, std::uint8_t* dstRow, int x)
{
    const std::uint8_t* srcRow = source.scanLine(from.y());
    const int bits = source.bitCount();
    if (bits < 8) {
        PutBits(dstRow, x, bits, GetBits(srcRow, from.x(), bits));
        return;
    }
    const int bytes = bits / 8;
    std::memcpy(dstRow + std::size_t(x) * bytes, srcRow + std::size_t(from.x()) * bytes, std::size_t(bytes));
}

} // namespace

TBitmap TransformBitmap(const TBitmap& source, int newWidth, int newHeight, const TResizeContext& context,
                        TMapPointFunc mapPoint)
{
    if (source.empty())
        throw EPxImageError("pxBitmapUtils.TransformBitmap: The source image is empty.");
    if (newWidth < 1 || newHeight < 1)
        throw EPxImageError("pxBitmapUtils.TransformBitmap: Invalid size.");
    TBitmap result(newWidth, newHeight, source.bitCount());
    result.setPalette(source.palette());
    result.setTransparent(source.transparent());
    result.setTransparentColor(source.transparentColor());
    for (int y = 0; y < newHeight; ++y) {
        std::uint8_t* row = result.scanLine(y);
        for (int x = 0; x < newWidth; ++x) {
            const QPoint from = mapPoint(QPoint(x, y), context);
            if (from.x() >= 0 && from.y() >= 0 && from.x() < source.width() && from.y() < source.height())
                CopyPixel(source, from, row, x);
        }
    }
    return result;
}

} // namespace kalvo

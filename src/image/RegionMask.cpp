// Regions from and to 1-bit bitmaps and 8-bit selection masks. The rectangles are produced row
// by row in banded order and assembled in one linear pass.
#include "image/BitRuns.h"
#include "image/ImageErrors.h"
#include "image/Palette.h"
#include "image/RegionBuilder.h"
#include "image/RegionConvert.h"

#include <algorithm>
#include <cstring>

namespace kalvo {

TRegion MonoBitmapToRegion(const TBitmap& bitmap)
{
    if (bitmap.empty())
        return TRegion();
    if (bitmap.bitCount() != 1)
        throw EPxImageError("PxImage.MonoBitmapToRegion: Bitmap is not monochrome.");
    TRegionBuilder builder;
    const int w = bitmap.width();
    std::size_t runs = 0;
    for (int y = 0; y < bitmap.height(); ++y)
        runs += CountBitRuns(bitmap.scanLine(y), w);
    builder.reserve(runs);
    for (int y = 0; y < bitmap.height(); ++y) {
        const std::uint8_t* row = bitmap.scanLine(y);
        for (int a = FindBit(row, 0, w, true); a < w;) {
            const int b = FindBit(row, a + 1, w, false);
            builder.add(a, y, b, y + 1);
            a = FindBit(row, b, w, true);
        }
    }
    return builder.finish();
}

TRegionRef MaskToRegion(const TBitmap& mask)
{
    if (mask.bitCount() != 8)
        return std::nullopt;
    TBitmap bw(mask.width(), mask.height(), 1);
    bw.setPalette(CreateMonoPalette());
    for (int y = 0; y < mask.height(); ++y) {
        const std::uint8_t* in = mask.scanLine(y);
        std::uint8_t* out = bw.scanLine(y);
        for (int x = 0; x < mask.width(); ++x) {
            if (in[x] != 255)
                out[x >> 3] = std::uint8_t(out[x >> 3] | (0x80 >> (x & 7)));
        }
    }
    return MonoBitmapToRegion(bw);
}

TBitmap RegionToMask(const TRegionRef& region, int width, int height)
{
    TBitmap mask(width, height, 8);
    mask.setPalette(CreateGreyPalette());
    if (!region || mask.empty())
        return mask;
    std::memset(mask.bits(), 255, mask.byteSize());
    for (const QRect& q : region->qregion()) {
        const int left = std::max(q.left(), 0);
        const int right = std::min(q.right() + 1, width);
        if (left >= right)
            continue;
        const int bottom = std::min(q.bottom() + 1, height);
        for (int y = std::max(q.top(), 0); y < bottom; ++y)
            std::memset(mask.scanLine(y) + left, 0, std::size_t(right - left));
    }
    return mask;
}

} // namespace kalvo

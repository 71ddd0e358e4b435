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
    TRegionBuilder builder;
    const int w = mask.width();
    for (int y = 0; y < mask.height(); ++y) {
        const std::uint8_t* row = mask.scanLine(y);
        int x = 0;
        while (x < w) {
            while (x < w && row[x] == 255)
                ++x;
            const int a = x;
            while (x < w && row[x] != 255)
                ++x;
            if (a < x)
                builder.add(a, y, x, y + 1);
        }
    }
    return builder.finish();
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

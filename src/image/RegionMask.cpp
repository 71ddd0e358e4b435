// Regions from and to 1-bit bitmaps and 8-bit selection masks. The rectangles are produced row
// by row in banded order and assembled in one linear pass.
#include "image/ImageErrors.h"
#include "image/Palette.h"
#include "image/RegionBuilder.h"
#include "image/RegionConvert.h"
#include "image/WordRows.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace kalvo {

TRegion MonoBitmapToRegion(const TBitmap& bitmap)
{
    if (bitmap.empty())
        return TRegion();
    if (bitmap.bitCount() != 1)
        throw EPxImageError("PxImage.MonoBitmapToRegion: Bitmap is not monochrome.");
    // The runs of a row begin and end at the columns whose bit differs from the one before.
    const int w = bitmap.width();
    TWordRow row(WordsFor(w));
    const auto load = [&](int y) {
        std::fill(row.begin(), row.end(), 0);
        LoadBwWords(bitmap, y, row.data());
    };
    std::size_t runs = 0;
    for (int y = 0; y < bitmap.height(); ++y) {
        load(y);
        std::uint64_t left = 0;
        for (const std::uint64_t bits : row)
            runs += std::size_t(CountBits(bits & WordEdges(bits, left)));
    }
    TRegionBuilder builder;
    builder.reserve(runs);
    for (int y = 0; y < bitmap.height(); ++y) {
        load(y);
        std::uint64_t left = 0;
        int start = -1;
        for (std::size_t k = 0; k < row.size(); ++k) {
            for (std::uint64_t edges = WordEdges(row[k], left); edges;) {
                const int i = std::countl_zero(edges);
                const int x = int(k * 64) + i;
                if (start < 0) {
                    start = x;
                } else {
                    builder.add(start, y, x, y + 1);
                    start = -1;
                }
                edges ^= std::uint64_t(1) << (63 - i);
            }
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
    for (const pixman_box32_t& b : region->boxes()) {
        const int left = std::max(b.x1, 0);
        const int right = std::min(b.x2, width);
        if (left >= right)
            continue;
        const int bottom = std::min(b.y2, height);
        for (int y = std::max(b.y1, 0); y < bottom; ++y)
            std::memset(mask.scanLine(y) + left, 0, std::size_t(right - left));
    }
    return mask;
}

} // namespace kalvo

#include "imaging/geometry/OrientBitmap.h"

#include "image/ImageErrors.h"
#include "imaging/geometry/PackedRows.h"
#include "imaging/raster/RowDriver.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace kalvo {

namespace {

// Where destination pixel (0, 0) comes from and how far the source address moves for one step
// right and one step down in the destination.
struct TWalk {
    std::ptrdiff_t origin = 0;
    std::ptrdiff_t stepX = 0;
    std::ptrdiff_t stepY = 0;
};

TWalk WalkFor(const TBitmap& source, TOrientation orientation, int bytesPerPixel)
{
    const TOrientation back = InverseOrientation(orientation);
    const int outWidth = SwapsSides(orientation) ? source.height() : source.width();
    const int outHeight = SwapsSides(orientation) ? source.width() : source.height();
    const auto address = [&](int x, int y) {
        OrientPoint(back, outWidth, outHeight, x, y);
        return std::ptrdiff_t(y) * std::ptrdiff_t(source.stride()) + std::ptrdiff_t(x) * bytesPerPixel;
    };
    const std::ptrdiff_t origin = address(0, 0);
    return {origin, address(1, 0) - origin, address(0, 1) - origin};
}

// Destination rows [begin, end): plain row walks when the source row runs along the destination
// row, square tiles otherwise so that the column walks stay in the cache.
template <int Bytes>
void Permute(const std::uint8_t* src, const std::uint8_t* srcEnd, const TWalk& walk, TBitmap& out, int begin, int end)
{
    const int width = out.width();
    if (walk.stepX == Bytes || walk.stepX == -Bytes) {
        for (int y = begin; y < end; ++y) {
            const std::uint8_t* s = src + walk.origin + std::ptrdiff_t(y) * walk.stepY;
            std::uint8_t* d = out.scanLine(y);
            if (walk.stepX == Bytes) {
                std::memcpy(d, s, std::size_t(width) * Bytes);
                continue;
            }
            for (int x = 0; x < width; ++x, d += Bytes, s -= Bytes)
                std::memcpy(d, s, Bytes);
        }
        return;
    }
    constexpr int kTile = 32;
    for (int ty = begin; ty < end; ty += kTile) {
        const int tyEnd = std::min(end, ty + kTile);
        for (int tx = 0; tx < width; tx += kTile) {
            const int txEnd = std::min(width, tx + kTile);
            for (int y = ty; y < tyEnd; ++y) {
                const std::uint8_t* s = src + walk.origin + std::ptrdiff_t(y) * walk.stepY
                    + std::ptrdiff_t(tx) * walk.stepX;
                std::uint8_t* d = out.scanLine(y) + std::size_t(tx) * Bytes;
                int x = tx;
                if constexpr (Bytes == 3) {
                    // Whole words: each store's fourth byte is the next pixel's first, written
                    // right after, so the row's last pixel is left to the byte copy below, and so
                    // are runs whose word would read past the source's last byte.
                    const int wordEnd = txEnd == width ? txEnd - 1 : txEnd;
                    const std::uint8_t* last = s + std::ptrdiff_t(wordEnd - 1 - tx) * walk.stepX;
                    if (wordEnd > tx && srcEnd - std::max(s, last) >= 4)
                        for (; x < wordEnd; ++x, d += 3, s += walk.stepX) {
                            std::uint32_t v;
                            std::memcpy(&v, s, 4);
                            std::memcpy(d, &v, 4);
                        }
                }
                for (; x < txEnd; ++x, d += Bytes, s += walk.stepX)
                    std::memcpy(d, s, Bytes);
            }
        }
    }
}

// The permutation of a bitmap whose pixels are whole bytes.
void PermuteBytes(const TBitmap& source, TOrientation orientation, TBitmap& out)
{
    const int bytes = source.bitCount() / 8;
    const TWalk walk = WalkFor(source, orientation, bytes);
    DriveRows(out.height(), out.width(), [&](int begin, int end) {
        const std::uint8_t* src = source.bits();
        const std::uint8_t* srcEnd = src + source.byteSize();
        switch (bytes) {
        case 1: Permute<1>(src, srcEnd, walk, out, begin, end); break;
        case 2: Permute<2>(src, srcEnd, walk, out, begin, end); break;
        case 3: Permute<3>(src, srcEnd, walk, out, begin, end); break;
        default: Permute<4>(src, srcEnd, walk, out, begin, end); break;
        }
    });
}

} // namespace

TBitmap OrientBitmap(const TBitmap& source, TOrientation orientation)
{
    if (source.empty())
        throw EPxImageError("OrientBitmap: The source image is empty.");
    const bool swap = SwapsSides(orientation);
    const int width = swap ? source.height() : source.width();
    const int height = swap ? source.width() : source.height();
    TBitmap result(width, height, source.bitCount());
    if (source.bitCount() >= 8) {
        PermuteBytes(source, orientation, result);
    } else {
        // 1- and 4-bit pictures go through one index per byte.
        TBitmap turned(width, height, 8);
        PermuteBytes(UnpackIndices(source), orientation, turned);
        PackIndices(turned, result);
    }
    result.setPalette(source.palette());
    result.setTransparent(source.transparent());
    result.setTransparentColor(source.transparentColor());
    return result;
}

} // namespace kalvo

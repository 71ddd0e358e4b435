#pragma once
// Helpers for the region tests: little-endian stream building and reference regions.
#include "image/Region.h"

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace kalvo::test {

inline void AppendLE32(std::vector<std::uint8_t>& v, std::uint32_t x)
{
    for (int i = 0; i < 4; ++i)
        v.push_back(std::uint8_t(x >> (8 * i)));
}

// A region stream with the given header fields and rectangles.
inline std::vector<std::uint8_t> MakeRegionStream(std::uint32_t count,
                                                  const std::vector<TRect>& rects,
                                                  std::uint32_t headerSize = 32,
                                                  std::uint32_t type = 1,
                                                  std::uint32_t sizeField = 0)
{
    std::vector<std::uint8_t> v;
    for (std::uint32_t x : {headerSize, type, count, sizeField, 0u, 0u, 0u, 0u})
        AppendLE32(v, x);
    for (const TRect& r : rects) {
        for (int x : {r.left, r.top, r.right, r.bottom})
            AppendLE32(v, std::uint32_t(x));
    }
    return v;
}

// The union of the rectangles, built by Qt one rectangle at a time.
inline TRegion UnionOf(const std::vector<TRect>& rects)
{
    QRegion q;
    for (const TRect& r : rects)
        q = q.united(QRect(r.left, r.top, r.width(), r.height()));
    return TRegion::fromQRegion(q);
}

// A checkerboard of single pixels over width x height, pixel (0, 0) set.
inline std::vector<TRect> CheckerRects(int width, int height)
{
    std::vector<TRect> rects;
    for (int y = 0; y < height; ++y) {
        for (int x = y % 2; x < width; x += 2)
            rects.push_back(TRect{x, y, x + 1, y + 1});
    }
    return rects;
}

} // namespace kalvo::test

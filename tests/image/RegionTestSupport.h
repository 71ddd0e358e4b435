#pragma once
// Helpers for the region tests: little-endian stream building and reference regions.
#include "image/Region.h"
#include "image/RegionBuilder.h"

#include <QRegion>

#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <vector>

namespace kalvo::test {

inline void AppendLE32(std::vector<std::uint8_t>& v, std::uint32_t x)
{
    for (int i = 0; i < 4; ++i)
        v.push_back(std::uint8_t(x >> (8 * i)));
}

// A region stream with the given header fields and rectangles.
inline std::vector<std::uint8_t> MakeRegionStream(std::uint32_t count, const std::vector<TRect>& rects,
                                                  std::uint32_t headerSize = 32, std::uint32_t type = 1,
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

// Qt's rectangle list of a region, as half-open rectangles.
inline std::vector<TRect> RectsOf(const QRegion& q)
{
    std::vector<TRect> rects;
    for (const QRect& r : q)
        rects.push_back(TRect{r.left(), r.top(), r.right() + 1, r.bottom() + 1});
    return rects;
}

// A region with Qt's rectangles, taken over as they are.
inline TRegion FromQRegion(const QRegion& q)
{
    TRegionBuilder builder;
    for (const TRect& r : RectsOf(q))
        builder.add(r);
    return builder.finish();
}

// The union of the rectangles, built by Qt one rectangle at a time.
inline TRegion UnionOf(const std::vector<TRect>& rects)
{
    QRegion q;
    for (const TRect& r : rects)
        q = q.united(QRect(r.left, r.top, r.width(), r.height()));
    return FromQRegion(q);
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

namespace kalvo {
inline void PrintTo(const TRect& r, std::ostream* os)
{
    *os << "[" << r.left << "," << r.top << " - " << r.right << "," << r.bottom << ")";
}
} // namespace kalvo

// The word-at-a-time outline tracers and the 1-bit region conversion against plain per-pixel
// walks on random pictures of odd sizes (word edges, padding bits, walks from inside a word).
#include "image/Outline.h"
#include "image/PixelAccess.h"
#include "image/RegionBuilder.h"
#include "image/RegionConvert.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

using namespace kalvo;

namespace {

using Inside = std::function<bool(int x, int y)>;

// The documented walk, one pixel at a time: rows y0..h, columns x0..w, a vertical segment where
// the inside state changes along the row (starting outside at x0), then a horizontal one where
// the pixel differs from the one above.
TPoints ReferenceWalk(int w, int h, int x0, int y0, int dx, int dy, const Inside& inside)
{
    TPoints points;
    const auto in = [&](int x, int y) { return x >= 0 && x < w && y >= 0 && y < h && inside(x, y); };
    for (int y = std::max(y0, 0); y <= h; ++y) {
        bool state = false;
        for (int x = std::max(x0, 0); x <= w; ++x) {
            const bool c = in(x, y);
            if (c != state) {
                points.emplace_back(x + dx, y + dy);
                points.emplace_back(x + dx, y + 1 + dy);
                state = c;
            }
            if (c != in(x, y - 1)) {
                points.emplace_back(x + dx, y + dy);
                points.emplace_back(x + 1 + dx, y + dy);
            }
        }
    }
    return points;
}

// Rows of random runs: long and short runs in and out, so that runs cross word edges.
std::vector<std::vector<bool>> RandomPicture(std::mt19937& rng, int w, int h)
{
    std::vector<std::vector<bool>> rows(std::size_t(h), std::vector<bool>(std::size_t(w), false));
    const int longest = std::uniform_int_distribution<int>(1, 150)(rng);
    for (auto& row : rows) {
        bool on = rng() & 1;
        for (int x = 0; x < w;) {
            const int run = std::uniform_int_distribution<int>(1, longest)(rng);
            for (int i = x; i < std::min(w, x + run); ++i)
                row[std::size_t(i)] = on;
            x += run;
            on = !on;
        }
    }
    // Sometimes repeat rows so that bands of several rows appear.
    for (std::size_t y = 1; y < rows.size(); ++y)
        if (rng() % 3 == 0)
            rows[y] = rows[y - 1];
    return rows;
}

TBitmap BwOf(const std::vector<std::vector<bool>>& rows, int w, std::mt19937& rng)
{
    TBitmap bw(w, int(rows.size()), 1);
    for (int y = 0; y < bw.height(); ++y) {
        std::uint8_t* line = bw.scanLine(y);
        // Garbage in the padding bits past the width must not count.
        for (std::size_t i = 0; i < bw.stride(); ++i)
            line[i] = std::uint8_t(rng());
        for (int x = 0; x < w; ++x)
            PutPixel(x, line, 1, rows[std::size_t(y)][std::size_t(x)] ? 1 : 0);
    }
    return bw;
}

const int kWidths[] = {1, 2, 7, 8, 9, 63, 64, 65, 100, 127, 128, 129, 191, 192, 193, 300};
const int kHeights[] = {1, 2, 3, 9};

} // namespace

TEST(OutlineWords, BwTracerMatchesThePixelWalkFromAnyStart)
{
    std::mt19937 rng(17);
    for (int w : kWidths) {
        for (int h : kHeights) {
            const auto rows = RandomPicture(rng, w, h);
            const TBitmap bw = BwOf(rows, w, rng);
            const Inside inside = [&](int x, int y) { return bool(rows[std::size_t(y)][std::size_t(x)]); };
            TPoints points;
            BwBitmapToPoints(bw, points, nullptr, 5, -7);
            ASSERT_EQ(points, ReferenceWalk(w, h, 0, 0, -7, 5, inside)) << w << " x " << h;
            for (const TRect from :
                 {TRect{1, 1, 0, 0}, TRect{w / 2, h / 2, 0, 0}, TRect{63, 0, 0, 0}, TRect{64, 2, 0, 0},
                  TRect{65, 1, 0, 0}, TRect{-3, -2, 0, 0}, TRect{w, h, 0, 0}, TRect{w + 1, 0, 0, 0}}) {
                BwBitmapToPoints(bw, points, &from, -1, 3);
                ASSERT_EQ(points, ReferenceWalk(w, h, from.left, from.top, 3, -1, inside))
                    << w << " x " << h << " from " << from.left << ", " << from.top;
            }
        }
    }
}

TEST(OutlineWords, MaskTracerMatchesThePixelWalk)
{
    std::mt19937 rng(20);
    for (int w : kWidths) {
        for (int h : kHeights) {
            const auto rows = RandomPicture(rng, w, h);
            TBitmap mask(w, h, 8);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    mask.scanLine(y)[x] = rows[std::size_t(y)][std::size_t(x)] ? std::uint8_t(rng() % 255) : 255;
            TPoints points;
            Bitmap8ToPoints(&mask, points);
            ASSERT_EQ(points,
                      ReferenceWalk(w, h, 0, 0, 0, 0,
                                    [&](int x, int y) { return bool(rows[std::size_t(y)][std::size_t(x)]); }))
                << w << " x " << h;
        }
    }
}

TEST(OutlineWords, RegionConversionAndTracerMatchThePixelForms)
{
    std::mt19937 rng(24);
    for (int w : kWidths) {
        for (int h : kHeights) {
            const auto rows = RandomPicture(rng, w, h);
            const TBitmap bw = BwOf(rows, w, rng);
            // The region: every row's runs found pixel by pixel, in banded order.
            TRegionBuilder builder;
            for (int y = 0; y < h; ++y) {
                const auto& row = rows[std::size_t(y)];
                for (int x = 0; x < w;) {
                    int end = x;
                    while (end < w && row[std::size_t(end)])
                        ++end;
                    if (end > x)
                        builder.add(x, y, end, y + 1);
                    x = end + 1;
                }
            }
            TRegion region = MonoBitmapToRegion(bw);
            ASSERT_EQ(region.rects(), builder.finish().rects()) << w << " x " << h;

            // The outline of the region, placed anywhere, is the walk over its bounding box.
            const int dx = int(rng() % 301) - 150, dy = int(rng() % 41) - 20;
            region.offset(dx, dy);
            const TRect box = region.boundingRect();
            TPoints points;
            RegionToPoints(region, points);
            ASSERT_EQ(points,
                      ReferenceWalk(box.width(), box.height(), 0, 0, box.left, box.top,
                                    [&](int x, int y) { return region.contains(x + box.left, y + box.top); }))
                << w << " x " << h;
        }
    }
}

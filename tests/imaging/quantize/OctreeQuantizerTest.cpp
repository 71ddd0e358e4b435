#include "imaging/quantize/OctreeQuantizer.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

using namespace kalvo;

namespace {

TBitmap fromColors(int width, int height, const std::vector<TColor>& colors)
{
    TBitmap bitmap(width, height, 24);
    for (int i = 0; i < width * height; ++i) {
        const TColor c = colors[std::size_t(i) % colors.size()];
        std::uint8_t* p = bitmap.scanLine(i / width) + 3 * (i % width);
        p[0] = std::uint8_t(GetBValue(c));
        p[1] = std::uint8_t(GetGValue(c));
        p[2] = std::uint8_t(GetRValue(c));
    }
    return bitmap;
}

int distance(TColor a, TColor b)
{
    const int dr = GetRValue(a) - GetRValue(b), dg = GetGValue(a) - GetGValue(b), db = GetBValue(a) - GetBValue(b);
    return dr * dr + dg * dg + db * db;
}

} // namespace

TEST(OctreeQuantizer, FewColoursAreKeptExactlyInTheOrderSeen)
{
    // Colours 1 apart fall into the same octree leaf; with few colours they still stay apart.
    const std::vector<TColor> colors = {RGB(9, 9, 9), RGB(8, 9, 9), RGB(200, 1, 1), RGB(8, 9, 9), RGB(0, 0, 255)};
    const TBitmap source = fromColors(7, 3, colors);
    EXPECT_EQ(OctreePalette(source), (std::vector<TColor>{RGB(9, 9, 9), RGB(8, 9, 9), RGB(200, 1, 1), RGB(0, 0, 255)}));
    const TBitmap reduced = OctreeQuantize(source);
    EXPECT_EQ(reduced.bitCount(), 8);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x)
            ASSERT_EQ(reduced.pixelColor(x, y), source.pixelColor(x, y));
}

TEST(OctreeQuantizer, ClustersMergeIntoTheirMeans)
{
    // Two tight clusters far apart, three pixels each: two colours leave one mean per cluster.
    const std::vector<TColor> colors = {RGB(10, 10, 10),    RGB(12, 10, 10),    RGB(14, 13, 10),
                                        RGB(240, 200, 100), RGB(244, 200, 100), RGB(242, 203, 100)};
    const std::vector<TColor> palette = OctreePalette(fromColors(6, 1, colors), 2);
    EXPECT_EQ(palette, (std::vector<TColor>{RGB(12, 11, 10), RGB(242, 201, 100)}));
}

TEST(OctreeQuantizer, ManyColoursBecomeAtMostTheLimitWithNearestMapping)
{
    TBitmap source(64, 64, 32);
    std::mt19937 random(3);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            std::uint8_t* p = source.scanLine(y) + 4 * x;
            p[0] = std::uint8_t(random());
            p[1] = std::uint8_t(x * 4);
            p[2] = std::uint8_t(y * 4 + random() % 3);
        }
    for (const int limit : {256, 16, 1}) {
        const TBitmap reduced = OctreeQuantize(source, limit);
        const std::vector<TColor>& palette = reduced.palette();
        ASSERT_FALSE(palette.empty());
        EXPECT_LE(palette.size(), std::size_t(limit));
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                const TColor original = source.pixelColor(x, y);
                const int index = reduced.scanLine(y)[x];
                for (int k = 0; k < int(palette.size()); ++k) {
                    const int d = distance(palette[std::size_t(k)], original);
                    const int chosen = distance(palette[std::size_t(index)], original);
                    // Nearest, and the first of equally near entries.
                    ASSERT_TRUE(d > chosen || (d == chosen && k >= index)) << x << "," << y;
                }
            }
    }
}

TEST(OctreeQuantizer, PaletteBitmapsAndEmptyBitmaps)
{
    TBitmap indexed(3, 1, 4);
    indexed.setPalette({RGB(1, 1, 1), RGB(2, 2, 2)});
    indexed.scanLine(0)[0] = 0x10;
    EXPECT_EQ(OctreePalette(indexed), (std::vector<TColor>{RGB(2, 2, 2), RGB(1, 1, 1)}));
    EXPECT_TRUE(OctreePalette(TBitmap()).empty());
    EXPECT_TRUE(OctreeQuantize(TBitmap()).empty());
}

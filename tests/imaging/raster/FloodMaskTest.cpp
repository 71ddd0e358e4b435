#include "imaging/raster/FloodMask.h"
#include "image/Hls.h"
#include "image/PixelAccess.h"

#include <gtest/gtest.h>

#include <queue>
#include <random>

using namespace kalvo;

namespace {

TBitmap rowOf(const std::vector<TColor>& colors)
{
    TBitmap b(int(colors.size()), 1, 24);
    for (std::size_t x = 0; x < colors.size(); ++x)
        PutPixel(int(x), b.scanLine(0), 24, colors[x]);
    return b;
}

std::vector<int> selected(const TBitmap& mask)
{
    std::vector<int> bits;
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            bits.push_back((mask.scanLine(y)[x / 8] >> (7 - x % 8)) & 1);
    return bits;
}

// Plain 4-connected breadth-first fill over exact colour equality.
std::vector<int> referenceFill(const TBitmap& img, int sx, int sy)
{
    const int w = img.width(), h = img.height();
    std::vector<int> out(std::size_t(w * h), 0);
    const TColor seed = img.pixelColor(sx, sy);
    std::queue<std::pair<int, int>> q;
    q.emplace(sx, sy);
    out[std::size_t(sy * w + sx)] = 1;
    while (!q.empty()) {
        auto [x, y] = q.front();
        q.pop();
        const int nx[4] = {x - 1, x + 1, x, x}, ny[4] = {y, y, y - 1, y + 1};
        for (int i = 0; i < 4; ++i) {
            if (nx[i] < 0 || ny[i] < 0 || nx[i] >= w || ny[i] >= h)
                continue;
            int& o = out[std::size_t(ny[i] * w + nx[i])];
            if (!o && img.pixelColor(nx[i], ny[i]) == seed) {
                o = 1;
                q.emplace(nx[i], ny[i]);
            }
        }
    }
    return out;
}

} // namespace

TEST(Hls, GreysAndSaturatedColoursRoundTiesToEven)
{
    EXPECT_EQ(RGBToHLS(RGB(0, 0, 0)), (THLS{160, 0, 0}));         // L = 0.5
    EXPECT_EQ(RGBToHLS(RGB(255, 255, 255)), (THLS{160, 240, 0})); // L = 240.5
    EXPECT_EQ(RGBToHLS(RGB(17, 17, 17)), (THLS{160, 16, 0}));     // L = 16.5
    EXPECT_EQ(RGBToHLS(RGB(51, 51, 51)), (THLS{160, 48, 0}));     // L = 48.5
    EXPECT_EQ(RGBToHLS(RGB(128, 128, 128)), (THLS{160, 121, 0}));
    EXPECT_EQ(RGBToHLS(RGB(255, 0, 0)), (THLS{0, 120, 240})); // L = 120.5, S = 240.5
    EXPECT_EQ(RGBToHLS(RGB(0, 255, 0)), (THLS{80, 120, 240}));
    EXPECT_EQ(RGBToHLS(RGB(0, 0, 255)), (THLS{160, 120, 240}));
    EXPECT_EQ(RGBToHLS(RGB(128, 0, 0)), (THLS{0, 61, 240}));      // S = 240.5 on the dark side
    EXPECT_EQ(RGBToHLS(RGB(200, 100, 50)), (THLS{13, 118, 144})); // S = 144.5
    EXPECT_EQ(RGBToHLS(RGB(255, 0, 1)).hue, 240);                 // -0.16 wraps to 239.84
    EXPECT_EQ(RGBToHLS(RGB(255, 1, 0)).hue, 0);
}

TEST(FloodMask, ToleranceZeroOnOneColourSelectsEverything)
{
    TBitmap img(13, 5, 24);
    img.fill(RGB(10, 200, 30));
    const auto mask = FloodMask(img, 12, 4, 0);
    ASSERT_TRUE(mask.has_value());
    EXPECT_EQ(mask->bitCount(), 1);
    EXPECT_EQ(mask->palette(), (std::vector<TColor>{clBlack, clWhite}));
    const auto bits = selected(*mask);
    EXPECT_EQ(std::count(bits.begin(), bits.end(), 1), 65);
    EXPECT_FALSE(FloodMask(img, 13, 0, 0).has_value());
    EXPECT_FALSE(FloodMask(img, 0, -1, 0).has_value());
}

TEST(FloodMask, GreyLightnessWithinTolerance)
{
    // Lightness 95 and 104: 9 apart. t = 7 gives e = 8, t = 8 gives e = 10.
    const TBitmap img = rowOf({RGB(100, 100, 100), RGB(110, 110, 110), RGB(100, 100, 100)});
    EXPECT_EQ(selected(*FloodMask(img, 0, 0, 7)), (std::vector<int>{1, 0, 0}));
    EXPECT_EQ(selected(*FloodMask(img, 0, 0, 8)), (std::vector<int>{1, 1, 1}));
}

TEST(FloodMask, RedHuesAtBothEndsDoNotMatch)
{
    const TBitmap img = rowOf({RGB(255, 0, 1), RGB(255, 1, 0), RGB(255, 0, 1)});
    EXPECT_EQ(selected(*FloodMask(img, 0, 0, 10)), (std::vector<int>{1, 0, 0}));
    EXPECT_EQ(selected(*FloodMask(img, 1, 0, 150)), (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(selected(*FloodMask(img, 1, 0, 200)), (std::vector<int>{1, 1, 1}));
}

TEST(FloodMask, FourConnectedAreaMatchesReferenceOnRandomImages)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 20; ++round) {
        TBitmap img(37, 23, 8);
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                img.scanLine(y)[x] = (rng() % 100) < 55 ? 0 : 255;
        const int sx = int(rng() % 37), sy = int(rng() % 23);
        EXPECT_EQ(selected(*FloodMask(img, sx, sy, 0)), referenceFill(img, sx, sy)) << round;
    }
}

TEST(FloodMask, PaletteImagesUseTheirColours)
{
    TBitmap img(4, 2, 4);
    img.setPalette({RGB(0, 0, 0), RGB(0, 0, 0), RGB(255, 0, 0)});
    PutPixelIndex(2, img.scanLine(0), 4, 2);
    PutPixelIndex(1, img.scanLine(1), 4, 1); // another index of the same colour
    EXPECT_EQ(selected(*FloodMask(img, 0, 0, 0)), (std::vector<int>{1, 1, 0, 1, 1, 1, 1, 1}));
}

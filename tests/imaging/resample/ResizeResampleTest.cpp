#include "imaging/resample/ResizeResample.h"
#include "image/ImageErrors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

using namespace kalvo;

namespace {

// The overlap of [a, b] with [j, j + 1]: width and centre relative to j.
void Overlap(double a, double b, int j, double& width, double& centre)
{
    if (j > a && j + 1 < b) {
        width = 1;
        centre = 0.5;
    } else if (j > a) {
        width = b - j;
        centre = (b - j) / 2;
    } else if (j + 1 >= b) {
        width = b - a;
        centre = ((b - j) + (a - j)) / 2;
    } else {
        width = 1 - (a - j);
        centre = ((a - j) + 1) / 2;
    }
}

// The resampler evaluated literally: the bilinear patch of every overlapped cell integrated over
// the overlap, per channel.
TBitmap DirectIntegral(const TBitmap& src, int nw, int nh)
{
    const int w = src.width(), h = src.height();
    const double sx = double(w) / nw, sy = double(h) / nh, area = double(w) * h / nw / nh;
    TBitmap out(nw, nh, 24);
    auto px = [&](int x, int y, int c) {
        return double(src.scanLine(std::clamp(y, 0, h - 1))[3 * std::clamp(x, 0, w - 1) + c]);
    };
    for (int y = 0; y < nh; ++y)
        for (int x = 0; x < nw; ++x) {
            const double xa = x * sx - 0.5, xb = (x + 1) * sx - 0.500001;
            const double ya = y * sy - 0.5, yb = (y + 1) * sy - 0.500001;
            double sum[3] = {0, 0, 0};
            for (int i = int(std::floor(ya)); i <= int(std::floor(yb)); ++i)
                for (int j = int(std::floor(xa)); j <= int(std::floor(xb)); ++j) {
                    double ws, s, ht, t;
                    Overlap(xa, xb, j, ws, s);
                    Overlap(ya, yb, i, ht, t);
                    for (int c = 0; c < 3; ++c) {
                        const double a = px(j, i, c), b = px(j + 1, i, c) - a, cc = px(j, i + 1, c) - a;
                        const double d = px(j + 1, i + 1, c) - px(j + 1, i, c) - px(j, i + 1, c) + a;
                        sum[c] += ws * ht * (b * s + d * s * t + cc * t + a);
                    }
                }
            for (int c = 0; c < 3; ++c)
                out.scanLine(y)[3 * x + c] = std::uint8_t(std::lrint(sum[c] / area));
        }
    return out;
}

TBitmap Random24(int w, int h, unsigned seed)
{
    std::mt19937 random(seed);
    TBitmap b(w, h, 24);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w * 3; ++x)
            b.scanLine(y)[x] = std::uint8_t(random());
    return b;
}

} // namespace

TEST(ResizeResample, TwoByTwoToOneIsTheIntegralOverTheWholeImage)
{
    TBitmap src(2, 2, 24);
    src.scanLine(0)[0] = 0;
    src.scanLine(0)[3] = 100;
    src.scanLine(1)[0] = 200;
    src.scanLine(1)[3] = 40;
    const TBitmap out = ResizeResample(src, 1, 1);
    // Per axis the weights are 1 and 0.999999: (0 + 0.999999 * 300 + 0.999998 * 40) / 4.
    EXPECT_EQ(out.scanLine(0)[0], 85);
    EXPECT_EQ(out, DirectIntegral(src, 1, 1));
    const TBitmap noisy = Random24(2, 2, 1);
    EXPECT_EQ(ResizeResample(noisy, 1, 1), DirectIntegral(noisy, 1, 1));
}

TEST(ResizeResample, OnePixelEnlargesToCopies)
{
    TBitmap src(1, 1, 24);
    src.fill(RGB(200, 7, 93));
    const TBitmap out = ResizeResample(src, 3, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(out.pixelColor(x, y), RGB(200, 7, 93));
}

TEST(ResizeResample, OddRatiosMatchTheDirectIntegral)
{
    const struct {
        int w, h, nw, nh;
    } cases[] = {{7, 5, 3, 4}, {5, 3, 8, 7}, {13, 11, 5, 4},  {3, 9, 7, 2},
                 {6, 6, 6, 6}, {1, 4, 5, 1}, {31, 17, 10, 23}};
    unsigned seed = 10;
    for (const auto& c : cases) {
        const TBitmap src = Random24(c.w, c.h, ++seed);
        EXPECT_EQ(ResizeResample(src, c.nw, c.nh), DirectIntegral(src, c.nw, c.nh))
            << c.w << "x" << c.h << " -> " << c.nw << "x" << c.nh;
    }
    // Large enough for two threads.
    const TBitmap big = Random24(301, 260, 99);
    EXPECT_EQ(ResizeResample(big, 129, 141), DirectIntegral(big, 129, 141));
}

TEST(ResizeResample, SameSizeSoftensAndPaletteSourcesGiveTrueColour)
{
    TBitmap line(5, 1, 24);
    line.scanLine(0)[6] = 240; // blue of pixel 2
    const TBitmap soft = ResizeResample(line, 5, 1);
    EXPECT_EQ(soft.scanLine(0)[3], 30);  // 1/8 of the neighbour
    EXPECT_EQ(soft.scanLine(0)[6], 180); // 3/4 of itself
    EXPECT_EQ(soft.scanLine(0)[9], 30);

    TBitmap indexed(2, 1, 1);
    indexed.scanLine(0)[0] = 0x40; // black, white
    const TBitmap out = ResizeResample(indexed, 4, 1);
    EXPECT_EQ(out.bitCount(), 24);
    EXPECT_EQ(out, DirectIntegral(indexed.toTrueColor(), 4, 1));
    EXPECT_THROW(ResizeResample(TBitmap(), 1, 1), EPxImageError);
    EXPECT_THROW(ResizeResample(line, 0, 1), EPxImageError);
}

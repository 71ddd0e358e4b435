// The Gaussian blur and the unsharp mask against a plain double-precision two-dimensional
// evaluation of their formulas (clamped coordinates), on pictures large enough for two bands.
#include "imaging/filter/GaussianBlur.h"
#include "imaging/filter/GaussianRows.h"
#include "imaging/filter/UnsharpMask.h"
#include "imaging/raster/PixelMath.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace kalvo;

namespace {

// B of channel c at (x, y), summed in double from the kernel's definition.
double ReferenceBlur(const TBitmap& image, int x, int y, int c, double sigma)
{
    const int radius = int(std::ceil(3 * sigma - 1e-9));
    double total = 0, sum = 0;
    for (int k = -radius; k <= radius; ++k)
        total += std::exp(-k * k / (2 * sigma * sigma));
    for (int j = -radius; j <= radius; ++j)
        for (int i = -radius; i <= radius; ++i) {
            const int sx = std::clamp(x + i, 0, image.width() - 1), sy = std::clamp(y + j, 0, image.height() - 1);
            sum += std::exp(-(i * i + j * j) / (2 * sigma * sigma)) * image.scanLine(sy)[3 * sx + c];
        }
    return sum / (total * total);
}

// Actual equals expected, or is one off where the exact value lies within 0.01 of a tie (the
// single-precision sums may round it either way).
void ExpectRounded(int actual, double exact, const std::string& where)
{
    const int expected = clamp255(Round(exact));
    if (std::fabs(exact - std::floor(exact) - 0.5) < 0.01)
        EXPECT_LE(std::abs(actual - expected), 1) << where;
    else
        EXPECT_EQ(actual, expected) << where << " exact " << exact;
}

// A picture with edges, a ramp and noise-like texture.
TBitmap TexturePicture(int width, int height)
{
    TBitmap image(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                image.scanLine(y)[3 * x + c] = std::uint8_t(x < width / 3 ? 240
                                                                          : ((x * 37 + y * 101 + c * 59) * 7919 % 256));
    return image;
}

} // namespace

TEST(GaussianBlur, KernelAndWorkedValues)
{
    EXPECT_EQ(GaussianRadius(0.1), 1);
    EXPECT_EQ(GaussianRadius(1), 3);
    EXPECT_EQ(GaussianRadius(5), 15);
    EXPECT_EQ(GaussianRadius(2.3), 7);
    const std::vector<double> w = GaussianWeights(1);
    ASSERT_EQ(w.size(), 4u);
    EXPECT_NEAR(w[0] + 2 * (w[1] + w[2] + w[3]), 1.0, 1e-15);
    EXPECT_NEAR(w[1] / w[0], std::exp(-0.5), 1e-15);

    // One white pixel in black: 255 w0^2 = 40.61, its neighbour 255 w0 w1 = 24.63.
    TBitmap dot(31, 31, 24);
    dot.scanLine(15)[3 * 15 + 1] = 255;
    ASSERT_TRUE(GaussianBlur(dot, TRegionRef{}, nullptr, 1.0));
    EXPECT_EQ(dot.pixelColor(15, 15), RGB(0, 41, 0));
    EXPECT_EQ(dot.pixelColor(16, 15), RGB(0, 25, 0));
    EXPECT_EQ(dot.pixelColor(19, 15), RGB(0, 0, 0));
    // A white left column: the edge repeats it, 255 (w0 + w1 + w2 + w3) = 178.38, next 76.62.
    TBitmap edge(10, 4, 24);
    for (int y = 0; y < 4; ++y)
        edge.scanLine(y)[2] = 255;
    ASSERT_TRUE(GaussianBlur(edge, TRegionRef{}, nullptr, 1.0));
    EXPECT_EQ(edge.pixelColor(0, 3), RGB(178, 0, 0));
    EXPECT_EQ(edge.pixelColor(1, 0), RGB(77, 0, 0));
    // A flat picture stays flat at any radius; palette pictures are refused.
    TBitmap flat = test::SolidBitmap(9, 7, RGB(200, 13, 77));
    const TBitmap before = flat;
    ASSERT_TRUE(GaussianBlur(flat, TRegionRef{}, nullptr, 40));
    EXPECT_EQ(flat, before);
    TBitmap indexed(4, 4, 8);
    EXPECT_FALSE(GaussianBlur(indexed, TRegionRef{}, nullptr, 2));
}

TEST(GaussianBlur, WholePictureAreaAndMaskEqualTheFormula)
{
    const TBitmap source = TexturePicture(230, 300); // two bands
    for (double sigma : {0.6, 3.0}) {
        TBitmap blurred = source;
        std::vector<int> progress;
        ASSERT_TRUE(GaussianBlurArea(blurred, std::nullopt, nullptr, sigma, [&](int p) { progress.push_back(p); }));
        ASSERT_EQ(progress.size(), 300u);
        EXPECT_EQ(progress.back(), 100);
        EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
        for (int y = 0; y < 300; y += 7)
            for (int x = 0; x < 230; x += 3)
                for (int c = 0; c < 3; ++c)
                    ExpectRounded(blurred.scanLine(y)[3 * x + c], ReferenceBlur(source, x, y, c, sigma),
                                  std::to_string(x) + "," + std::to_string(y));
    }
    // Inside an area through a mask: outside untouched, the gathering reaches outside.
    TBitmap mask(230, 300, 8);
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 230; ++x)
            mask.scanLine(y)[x] = std::uint8_t(x < 120 ? 0 : (x < 160 ? x : 255));
    TBitmap masked = source;
    ASSERT_TRUE(GaussianBlurArea(masked, QRect(50, 100, 150, 120), &mask, 2.0));
    for (int y = 90; y < 230; y += 3)
        for (int x = 40; x < 210; x += 3)
            for (int c = 0; c < 3; ++c) {
                const int d = source.scanLine(y)[3 * x + c];
                const bool inside = x >= 50 && x < 200 && y >= 100 && y < 220 && mask.scanLine(y)[x] != 255;
                const int actual = masked.scanLine(y)[3 * x + c];
                if (!inside) {
                    EXPECT_EQ(actual, d) << x << "," << y;
                    continue;
                }
                const int full = clamp255(Round(ReferenceBlur(source, x, y, c, 2.0)));
                EXPECT_LE(std::abs(actual - MaskBlend(d, full, mask.scanLine(y)[x])), 1) << x << "," << y;
            }
}

TEST(UnsharpMask, EqualsTheFormulaWithThreshold)
{
    const TBitmap source = TexturePicture(200, 330);
    for (const TUnsharpMask params : {TUnsharpMask{150, 1.5, 0}, TUnsharpMask{500, 0.8, 40}}) {
        TBitmap sharp = source;
        ASSERT_TRUE(UnsharpMask(sharp, TRegionRef{}, nullptr, params));
        for (int y = 0; y < 330; y += 5)
            for (int x = 0; x < 200; x += 3)
                for (int c = 0; c < 3; ++c) {
                    const int v = source.scanLine(y)[3 * x + c];
                    const double d = v - ReferenceBlur(source, x, y, c, params.Sigma);
                    const std::string where = std::to_string(x) + "," + std::to_string(y);
                    if (std::fabs(std::fabs(d) - params.Threshold) < 1e-3)
                        continue; // on the threshold itself single precision may decide either way
                    if (std::fabs(d) >= params.Threshold)
                        ExpectRounded(sharp.scanLine(y)[3 * x + c], v + params.Amount / 100.0 * d, where);
                    else
                        EXPECT_EQ(sharp.scanLine(y)[3 * x + c], v) << where;
                }
    }
    // A flat picture has nothing to sharpen.
    TBitmap flat = test::SolidBitmap(20, 20, RGB(1, 128, 254));
    const TBitmap before = flat;
    ASSERT_TRUE(UnsharpMask(flat, TRegionRef{}, nullptr, {500, 10.0, 0}));
    EXPECT_EQ(flat, before);
}

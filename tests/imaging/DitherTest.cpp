#include "image/Bitmap.h"
#include "image/ImageErrors.h"
#include "imaging/colour/PixelIndex.h"
#include "imaging/quantize/BitmapFilter.h"
#include "imaging/quantize/ErrorDiffusion.h"
#include "imaging/quantize/FixedPaletteReduce.h"
#include "imaging/quantize/FixedPalettes.h"
#include "imaging/quantize/StaticColorQuantizers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace kalvo {
namespace {

TRGBTriple map(const TQuantizeColor& q, int r, int g, int b)
{
    TRGBTriple out;
    q.MapColor(out, QuantizeKey(r, g, b));
    return out;
}

// A gradient with a little of everything: dark and bright ends, where diffusion clamps.
TBitmap gradient(int width, int height)
{
    TBitmap bmp(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = bmp.scanLine(y) + 3 * x;
            p[0] = std::uint8_t((x * 255) / std::max(1, width - 1));
            p[1] = std::uint8_t(250 - (y * 37) % 200);
            p[2] = std::uint8_t((x * 31 + y * 53) % 256);
        }
    return bmp;
}

// Floyd-Steinberg written out over the whole image, errors outside it dropped.
std::vector<TRGBTriple> referenceDiffusion(const TBitmap& image, const TQuantizeColor& q)
{
    const int w = image.width(), h = image.height();
    std::vector<int> v(std::size_t(w) * h * 3);
    for (int y = 0; y < h; ++y)
        for (int i = 0; i < 3 * w; ++i)
            v[std::size_t(y) * 3 * w + i] = image.scanLine(y)[i];
    std::vector<TRGBTriple> out;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int* p = &v[(std::size_t(y) * w + x) * 3];
            const TRGBTriple c = map(q, p[2], p[1], p[0]);
            out.push_back(c);
            const int d[3] = {c.rgbtBlue - p[0], c.rgbtGreen - p[1], c.rgbtRed - p[2]};
            const int nx[4] = {x + 1, x - 1, x, x + 1}, ny[4] = {y, y + 1, y + 1, y + 1}, wt[4] = {7, 3, 5, 1};
            for (int n = 0; n < 4; ++n) {
                if (nx[n] < 0 || nx[n] >= w || ny[n] >= h)
                    continue;
                int* t = &v[(std::size_t(ny[n]) * w + nx[n]) * 3];
                for (int c3 = 0; c3 < 3; ++c3) {
                    const int changed = t[c3] - d[c3] * wt[n] / 16;
                    t[c3] = std::clamp(changed, 0, 255);
                }
            }
        }
    return out;
}

void expectMatchesReference(const TBitmap& image, const TQuantizeColor& q)
{
    const TBitmap result = ErrorDiffusion(image, q);
    const std::vector<TRGBTriple> expected = referenceDiffusion(image, q);
    ASSERT_EQ(result.bitCount(), 24);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const std::uint8_t* p = result.scanLine(y) + 3 * x;
            const TRGBTriple& e = expected[std::size_t(y) * image.width() + x];
            ASSERT_TRUE(p[0] == e.rgbtBlue && p[1] == e.rgbtGreen && p[2] == e.rgbtRed) << "pixel " << x << "," << y;
        }
}

TEST(FixedQuantizers, WebSafeLevels)
{
    const TQuantizeToStaticColor q;
    EXPECT_EQ(map(q, 25, 26, 230).rgbtRed, 0);
    EXPECT_EQ(map(q, 25, 26, 230).rgbtGreen, 51);
    EXPECT_EQ(map(q, 25, 26, 230).rgbtBlue, 204);
    EXPECT_EQ(map(q, 231, 76, 77).rgbtRed, 255);
    EXPECT_EQ(map(q, 231, 76, 77).rgbtGreen, 51);
    EXPECT_EQ(map(q, 231, 76, 77).rgbtBlue, 102);
    EXPECT_EQ(WebLevelIndex(127), 2);
    EXPECT_EQ(WebLevelIndex(128), 3);
    EXPECT_EQ(WebLevelIndex(178), 3);
    EXPECT_EQ(WebLevelIndex(179), 4);
}

TEST(FixedQuantizers, BlackOrWhiteByRoundedLightness)
{
    const TQuantizeToStaticColor2 q;
    EXPECT_EQ(map(q, 128, 128, 128).rgbtRed, 255);
    EXPECT_EQ(map(q, 127, 127, 127).rgbtRed, 0);
    EXPECT_EQ(map(q, 255, 0, 0).rgbtGreen, 255); // 127.5 rounds to 128
    EXPECT_EQ(map(q, 0, 253, 0).rgbtBlue, 0);    // 126.5 rounds to 126
    EXPECT_EQ(map(q, 0, 0, 255).rgbtBlue, 255);
}

TEST(FixedQuantizers, NearestStandardColour)
{
    const TQuantizeToStaticColor16 q;
    const TRGBTriple silver = map(q, 200, 200, 200);
    EXPECT_EQ(silver.rgbtRed, 192);
    EXPECT_EQ(map(q, 100, 100, 100).rgbtGreen, 128);
    EXPECT_EQ(map(q, 60, 60, 60).rgbtGreen, 0);
    const TRGBTriple olive = map(q, 140, 120, 10);
    EXPECT_TRUE(olive.rgbtRed == 128 && olive.rgbtGreen == 128 && olive.rgbtBlue == 0);
    EXPECT_EQ(Standard16Palette()[7], RGB(192, 192, 192));
    EXPECT_EQ(Standard16Palette()[8], RGB(128, 128, 128));
}

TEST(ErrorDiffusion, MatchesReferencePixelByPixel)
{
    const TBitmap image = gradient(23, 9);
    expectMatchesReference(image, TQuantizeToStaticColor());
    expectMatchesReference(image, TQuantizeToStaticColor16());
    expectMatchesReference(image, TQuantizeToStaticColor2());
}

TEST(ErrorDiffusion, OnePixelWideImage)
{
    expectMatchesReference(gradient(1, 12), TQuantizeToStaticColor2());
    expectMatchesReference(gradient(2, 1), TQuantizeToStaticColor16());
}

TEST(ErrorDiffusion, FirstErrorsByHand)
{
    // Grey 100 to black and white: black, error -100 pushes +43 right (-700/16 = -43).
    TBitmap image(2, 2, 24);
    std::fill(image.scanLine(0), image.scanLine(0) + 6, 100);
    std::fill(image.scanLine(1), image.scanLine(1) + 6, 250);
    const TBitmap result = ErrorDiffusion(image, TQuantizeToStaticColor2());
    EXPECT_EQ(result.scanLine(0)[0], 0);
    EXPECT_EQ(result.scanLine(0)[3], 255); // 143 becomes white, error +112
    // below: 250 + 31 (500/16) clamps to 255 -> white; below-right gets more and stays white
    EXPECT_EQ(result.scanLine(1)[0], 255);
    EXPECT_EQ(result.scanLine(1)[3], 255);
}

TEST(ErrorDiffusion, PaletteColoursAreCopiedUnchanged)
{
    TBitmap image(6, 6, 24);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) {
            std::uint8_t* p = image.scanLine(y) + 3 * x;
            p[0] = std::uint8_t(kWebLevels[std::size_t(x)]);
            p[1] = std::uint8_t(kWebLevels[std::size_t(y)]);
            p[2] = std::uint8_t(kWebLevels[std::size_t((x + y) % 6)]);
        }
    const TBitmap reduced = ReduceToWebPaletteDither(image);
    ASSERT_EQ(reduced.bitCount(), 8);
    ASSERT_EQ(reduced.palette(), WebPalette());
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(reduced.scanLine(y)[x], ((x + y) % 6) * 36 + y * 6 + x);
}

TEST(ErrorDiffusion, FixedReductionsHaveTheirDepthAndPalette)
{
    const TBitmap image = gradient(17, 5);
    const TBitmap sixteen = ReduceTo16ColorsDither(image);
    EXPECT_EQ(sixteen.bitCount(), 4);
    EXPECT_EQ(sixteen.palette(), Standard16Palette());
    const TBitmap two = ReduceTo2ColorsDither(image);
    EXPECT_EQ(two.bitCount(), 1);
    EXPECT_EQ(two.palette(), BlackWhitePalette());
    const std::vector<TRGBTriple> expected = referenceDiffusion(image, TQuantizeToStaticColor2());
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 17; ++x)
            EXPECT_EQ(IndexAt(two.scanLine(y), x, 1), expected[std::size_t(y) * 17 + x].rgbtRed ? 1u : 0u);
}

TEST(BitmapFilter, ReportsRowsAndRejectsOtherDepths)
{
    std::vector<int> positions;
    const TBitmap image = gradient(4, 3);
    const TBitmap copy = BitmapFilter(
        image,
        [](int, int, const TFilterWindow& w, TRGBTriple& out) {
            out = TRGBTriple{w.at(0)[0], w.at(0)[1], w.at(0)[2]};
        },
        [&positions](int p) { positions.push_back(p); });
    EXPECT_EQ(positions, (std::vector<int>{1, 34, 67}));
    EXPECT_EQ(copy, image);
    try {
        ErrorDiffusion(TBitmap(2, 2, 8), TQuantizeToStaticColor2());
        FAIL();
    } catch (const EPxImageError& e) {
        EXPECT_STREQ(e.what(), "BitmapFiletr accepts only 24Bit DIB");
    }
}

TEST(BitmapFilter, WindowSeesRowsAboveAndBelowAndZeroOutside)
{
    const TBitmap image = gradient(3, 4);
    const TBitmap shifted = BitmapFilter(image, [](int, int, const TFilterWindow& w, TRGBTriple& out) {
        // The pixel two rows up and one to the left; zero beyond the image.
        const std::uint8_t* p = w.at(-2, -1);
        out = TRGBTriple{p[0], p[1], p[2]};
    });
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 3; ++x)
            for (int c = 0; c < 3; ++c) {
                const int expected = (y >= 2 && x >= 1) ? image.scanLine(y - 2)[3 * (x - 1) + c] : 0;
                EXPECT_EQ(shifted.scanLine(y)[3 * x + c], expected);
            }
}

} // namespace
} // namespace kalvo

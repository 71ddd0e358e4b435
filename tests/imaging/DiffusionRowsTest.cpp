#include "imaging/quantize/DiffusionRows.h"
#include "image/Bitmap.h"
#include "imaging/quantize/MedianCut.h"
#include "imaging/quantize/MedianCutQuantizeColor.h"
#include "imaging/quantize/StaticColorQuantizers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace kalvo {
namespace {

// Noise with many channels at or near 0 and 255, where the diffusion clamps.
TBitmap harshNoise(int width, int height, std::uint32_t seed)
{
    TBitmap bmp(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int i = 0; i < 3 * width; ++i) {
            seed = seed * 1664525u + 1013904223u;
            const int r = int(seed >> 24);
            bmp.scanLine(y)[i] = std::uint8_t(r < 60 ? 0 : (r > 200 ? 255 : r));
        }
    return bmp;
}

// Floyd-Steinberg over a whole-image copy, each neighbour clamped after its change, errors
// outside the image dropped; returns the chosen colours as 0x00RRGGBB.
template <class MapKey>
std::vector<std::uint32_t> reference(const TBitmap& image, MapKey mapKey)
{
    const int w = image.width(), h = image.height();
    std::vector<int> v;
    for (int y = 0; y < h; ++y)
        v.insert(v.end(), image.scanLine(y), image.scanLine(y) + 3 * w);
    std::vector<std::uint32_t> out;
    const int dx[4] = {1, -1, 0, 1}, dy[4] = {0, 1, 1, 1}, weight[4] = {7, 3, 5, 1};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int* p = &v[(std::size_t(y) * w + x) * 3];
            const std::uint32_t c = mapKey(QuantizeKey(p[2], p[1], p[0]));
            out.push_back(c);
            const int d[3] = {int(c & 0xFF) - p[0], int((c >> 8) & 0xFF) - p[1], int(c >> 16) - p[2]};
            for (int n = 0; n < 4; ++n) {
                const int nx = x + dx[n], ny = y + dy[n];
                if (nx < 0 || nx >= w || ny >= h)
                    continue;
                int* t = &v[(std::size_t(ny) * w + nx) * 3];
                for (int k = 0; k < 3; ++k)
                    t[k] = std::clamp(t[k] - d[k] * weight[n] / 16, 0, 255);
            }
        }
    return out;
}

template <template <class> class Step, class MapKey>
std::vector<std::uint32_t> diffuse(const TBitmap& image, MapKey mapKey, std::vector<int>& rowsDone)
{
    std::vector<std::uint32_t> out;
    auto choose = [&mapKey](std::uint32_t key, std::uint32_t& colour) { return colour = mapKey(key); };
    auto rowDone = [&](int y, const std::uint32_t* values) {
        rowsDone.push_back(y);
        out.insert(out.end(), values, values + image.width());
    };
    DiffuseRows<std::uint32_t, Step>(image, choose, rowDone);
    return out;
}

template <class MapKey>
void expectBothStepsMatchReference(const TBitmap& image, MapKey mapKey)
{
    const std::vector<std::uint32_t> expected = reference(image, mapKey);
    std::vector<int> rows, scalarRows, allRows;
    for (int y = 0; y < image.height(); ++y)
        allRows.push_back(y);
    EXPECT_EQ(diffuse<detail::TRowDiffusion>(image, mapKey, rows), expected) << image.width() << "x" << image.height();
    EXPECT_EQ(diffuse<detail::TRowDiffusionScalar>(image, mapKey, scalarRows), expected)
        << image.width() << "x" << image.height();
    EXPECT_EQ(rows, allRows);
    EXPECT_EQ(scalarRows, allRows);
}

TEST(DiffusionRows, BothStepsMatchWholeImageDiffusionAtOddSizes)
{
    const TQuantizeToStaticColor web;
    const TQuantizeToStaticColor2 blackWhite;
    auto viaQuantizer = [](const TQuantizeColor& q) {
        return [&q](std::uint32_t key) {
            TRGBTriple c;
            q.MapColor(c, key);
            return QuantizeKey(c.rgbtRed, c.rgbtGreen, c.rgbtBlue);
        };
    };
    std::uint32_t seed = 1;
    for (int width : {1, 2, 3, 4, 5, 17})
        for (int height : {1, 2, 3, 4, 7}) {
            const TBitmap image = harshNoise(width, height, seed++);
            expectBothStepsMatchReference(image, viaQuantizer(web));
            expectBothStepsMatchReference(image, viaQuantizer(blackWhite));
        }
}

TEST(DiffusionRows, BothStepsMatchWithAMedianCutPalette)
{
    const TBitmap image = harshNoise(61, 13, 99);
    TMedianCut medianCut;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const std::uint8_t* p = image.scanLine(y) + 3 * x;
            medianCut.AddColor(QuantizeKey(p[2], p[1], p[0]));
        }
    medianCut.Build(4, false);
    const TMedianCutQuantizeColor quantiser(medianCut);
    expectBothStepsMatchReference(image, [&quantiser](std::uint32_t key) {
        const TRGBTriple& c = quantiser.Colour(quantiser.MapIndex(key));
        return QuantizeKey(c.rgbtRed, c.rgbtGreen, c.rgbtBlue);
    });
}

} // namespace
} // namespace kalvo

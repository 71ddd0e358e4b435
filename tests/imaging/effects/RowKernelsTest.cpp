// The negative and the clear run as row kernels on two threads with fast paths for unmasked and
// fully selected rows; these tests hold them to straightforward per-pixel loops, byte for byte,
// on odd sizes, masks of every kind of row, areas and every accepted depth.
#include "image/NearestPaletteIndex.h"
#include "image/PixelAccess.h"
#include "image/RegionConvert.h"
#include "imaging/effects/ClearSelection.h"
#include "imaging/effects/NegativeImage.h"
#include "imaging/raster/BlendThroughMask.h"
#include "imaging/raster/FloodFill.h"
#include "imaging/raster/PixelMath.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

using namespace kalvo;

namespace {

// The negative as one loop over pixels with the formula evaluated per channel.
void ReferenceNegative(TBitmap& bitmap, const std::optional<QRect>& area, const TBitmap* mask,
                       std::vector<int>* progress)
{
    QRect box(0, 0, bitmap.width(), bitmap.height());
    if (area)
        box = box.intersected(*area);
    for (int y = box.top(); y < box.top() + box.height(); ++y) {
        if (progress)
            progress->push_back(RowPercent(y - box.top(), box.height()));
        const std::uint8_t* m = mask && y < mask->height() ? mask->scanLine(y) : nullptr;
        std::uint8_t* p = bitmap.scanLine(y);
        for (int x = box.left(); x < box.left() + box.width(); ++x) {
            const int value = mask ? (m && x < mask->width() ? m[x] : 255) : 0;
            if (value == 255)
                continue;
            const double c = value / 255.0;
            for (int ch = 0; ch < 3; ++ch) {
                const int d = p[3 * x + ch];
                p[3 * x + ch] = std::uint8_t(Round(d * c + (1 - c) * (255 - d)));
            }
        }
    }
}

void ReferenceClearThroughMask(TBitmap& bitmap, const TBitmap& mask, TColor background)
{
    const int bg[3] = {GetBValue(background), GetGValue(background), GetRValue(background)};
    for (int y = 0; y < std::min(bitmap.height(), mask.height()); ++y) {
        for (int x = 0; x < std::min(bitmap.width(), mask.width()); ++x) {
            const int a = mask.scanLine(y)[x];
            for (int c = 0; c < 3; ++c) {
                std::uint8_t& v = bitmap.scanLine(y)[3 * x + c];
                v = std::uint8_t((a * v + (255 - a) * bg[c]) / 255);
            }
        }
    }
}

TBitmap Noise(int width, int height, int bits, std::mt19937& random)
{
    TBitmap image(width, height, bits);
    for (int y = 0; y < height; ++y)
        for (std::size_t i = 0; i < image.stride(); ++i)
            image.scanLine(y)[i] = std::uint8_t(random());
    return image;
}

// A mask whose rows are by turns fully selected, unselected, feathered, and a mixture of the
// three values 0, 255 and in-between, so that every row path is taken.
TBitmap Mask(int width, int height, std::mt19937& random)
{
    TBitmap mask(width, height, 8);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* m = mask.scanLine(y);
        for (int x = 0; x < width; ++x) {
            switch (y % 5) {
            case 0: m[x] = 0; break;
            case 1: m[x] = 255; break;
            case 2: m[x] = std::uint8_t(random()); break;
            case 3: m[x] = x < width / 2 ? 0 : 255; break;
            default: m[x] = x == width / 3 ? 128 : 0; break;
            }
        }
    }
    return mask;
}

const std::vector<QSize>& Sizes()
{
    static const std::vector<QSize> sizes = {{1, 1},  {2, 1},  {1, 3},   {3, 2},    {5, 7},    {17, 3},
                                             {33, 9}, {64, 4}, {255, 2}, {1001, 7}, {7, 1001}, {331, 257}};
    return sizes;
}

} // namespace

TEST(RowKernels, NegativeEqualsThePerPixelLoop)
{
    std::mt19937 random(25);
    for (const QSize& size : Sizes()) {
        const int w = size.width(), h = size.height();
        const TBitmap image = Noise(w, h, 24, random);
        const TBitmap mask = Mask(w, h, random);
        const TBitmap smallMask = Mask(std::max(1, w - 2), std::max(1, h / 2), random);
        const std::vector<std::optional<QRect>> areas = {std::nullopt, QRect(1, 1, w - 1, h - 1),
                                                         QRect(w / 3, h / 4, w / 2 + 1, h / 2 + 1),
                                                         QRect(-3, -3, w + 9, h + 9), QRect(w, h, 4, 4)};
        for (const TBitmap* m : {static_cast<const TBitmap*>(nullptr), &mask, &smallMask}) {
            for (const auto& area : areas) {
                TBitmap expected = image, actual = image;
                std::vector<int> expectedProgress, actualProgress;
                ReferenceNegative(expected, area, m, &expectedProgress);
                ASSERT_TRUE(NegativeImageArea(actual, area, m, [&](int p) { actualProgress.push_back(p); }));
                ASSERT_EQ(actual, expected) << w << "x" << h << " mask " << (m ? m->width() : 0);
                ASSERT_EQ(actualProgress, expectedProgress);
            }
        }
        // Through a region (its own mask) as the editor and the command line call it.
        const TRegionRef region = MaskToRegion(mask);
        TBitmap expected = image, actual = image;
        const TBitmap regionMask = RegionToMask(region, w, h);
        if (region) {
            const TRect b = region->boundingRect();
            ReferenceNegative(expected, QRect(b.left, b.top, b.width(), b.height()), &regionMask, nullptr);
        } else {
            ReferenceNegative(expected, std::nullopt, nullptr, nullptr);
        }
        ASSERT_TRUE(NegativeImage(actual, region, nullptr));
        ASSERT_EQ(actual, expected) << w << "x" << h;
    }
}

TEST(RowKernels, ClearEqualsThePerPixelLoopThroughTheMask)
{
    std::mt19937 random(26);
    for (const QSize& size : Sizes()) {
        const int w = size.width(), h = size.height();
        const TBitmap image = Noise(w, h, 24, random);
        for (const TBitmap& mask :
             {Mask(w, h, random), Mask(w + 3, std::max(1, h - 1), random), Mask(std::max(1, w / 2), h + 2, random)}) {
            const TColor background = RGB(random() & 255, random() & 255, random() & 255);
            TBitmap expected = image, actual = image;
            ReferenceClearThroughMask(expected, mask, background);
            ASSERT_TRUE(ClearThroughMask(actual, mask, background));
            ASSERT_EQ(actual, expected) << w << "x" << h;
            const auto cleared = ClearSelection(image, MaskToRegion(mask), &mask, background);
            ASSERT_TRUE(cleared);
            ASSERT_EQ(*cleared, expected);
        }
    }
}

TEST(RowKernels, ClearFillsTheRegionAtEveryDepth)
{
    std::mt19937 random(27);
    const TColor background = RGB(0x12, 0x9a, 0xf7);
    for (const QSize& size : Sizes()) {
        const int w = size.width(), h = size.height();
        const TRegionRef region = MaskToRegion(Mask(w, h, random));
        if (!region)
            continue;
        for (int bits : {1, 4, 8, 16, 24, 32}) {
            const TBitmap image = Noise(w, h, bits, random);
            const auto cleared = ClearSelection(image, region, nullptr, background);
            ASSERT_TRUE(cleared);
            // The stored value of the background at this depth, written pixel by pixel as before.
            std::uint32_t value = background;
            if (bits <= 8) {
                std::vector<TColor> usable = image.palette();
                usable.resize(std::min(usable.size(), std::size_t(1) << bits));
                value = std::uint32_t(NearestPaletteIndex(usable, background));
            } else if (bits == 16) {
                value = 0x12 >> 3 << 10 | 0x9a >> 3 << 5 | 0xf7 >> 3;
            } else if (bits == 32) {
                value = 0x129af7;
            }
            TBitmap expected = image;
            for (const TRect& r : region->rects()) {
                for (int y = std::max(r.top, 0); y < std::min(r.bottom, h); ++y) {
                    std::uint8_t* row = expected.scanLine(y);
                    for (int x = std::max(r.left, 0); x < std::min(r.right, w); ++x) {
                        if (bits == 16) {
                            row[2 * x] = std::uint8_t(value);
                            row[2 * x + 1] = std::uint8_t(value >> 8);
                        } else {
                            PutPixel(x, row, bits, value);
                        }
                    }
                }
            }
            ASSERT_EQ(*cleared, expected) << bits << " bits, " << w << "x" << h;
        }
    }
}

TEST(RowKernels, BlendThroughMaskEqualsThePerPixelLoop)
{
    std::mt19937 random(28);
    for (const QSize& size : Sizes()) {
        const int w = size.width(), h = size.height();
        const TBitmap target = Noise(w, h, 24, random);
        for (const TBitmap& source : {Noise(w, h, 24, random), Noise(w + 2, std::max(1, h - 1), 24, random)}) {
            for (const TBitmap& mask : {Mask(w, h, random), Mask(std::max(1, w - 1), h + 1, random)}) {
                TBitmap expected = target, actual = target;
                const int cw = std::min({w, mask.width(), source.width()});
                const int ch = std::min({h, mask.height(), source.height()});
                for (int y = 0; y < ch; ++y) {
                    for (int x = 0; x < cw; ++x) {
                        const int l = mask.scanLine(y)[x];
                        if (l == 255)
                            continue;
                        for (int c = 3 * x; c < 3 * x + 3; ++c) {
                            std::uint8_t& v = expected.scanLine(y)[c];
                            v = std::uint8_t(((255 - l) * source.scanLine(y)[c] + l * v) / 255);
                        }
                    }
                }
                ASSERT_TRUE(BlendThroughMask(actual, mask, source));
                ASSERT_EQ(actual, expected) << w << "x" << h;
            }
        }
    }
}

TEST(RowKernels, FloodFillThroughTheMaskOnTwoThreadsEqualsThePerPixelFormula)
{
    // Two colour halves; the fill at tolerance 0 takes the left one, whose rows are split
    // between the threads (the image is large enough).
    std::mt19937 random(29);
    for (const QSize& size : {QSize(1001, 7), QSize(400, 301), QSize(3, 1)}) {
        const int w = size.width(), h = size.height();
        TBitmap image(w, h, 24);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                PutPixel(x, image.scanLine(y), 24, x <= w / 2 ? RGB(10, 200, 90) : RGB(250, 3, 77));
        const TBitmap mask = Mask(w, h, random);
        for (const TBitmap* m : {&mask, static_cast<const TBitmap*>(nullptr)}) {
            TFloodFillRequest request;
            request.Alpha = 30;
            request.Color = RGB(1, 128, 255);
            TBitmap expected = image, actual = image;
            const int add[3] = {70 * 255, 70 * 128, 70 * 1};
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x <= w / 2; ++x) {
                    const int l = m ? m->scanLine(y)[x] : 0;
                    if (l == 255)
                        continue;
                    for (int c = 0; c < 3; ++c) {
                        std::uint8_t& v = expected.scanLine(y)[3 * x + c];
                        const int filled = (30 * v + add[c]) / 100;
                        v = std::uint8_t(((255 - l) * filled + l * v) / 255);
                    }
                }
            }
            ASSERT_TRUE(FloodFill(actual, m, TRegionRef{}, request, [] {}));
            ASSERT_EQ(actual, expected) << w << "x" << h << (m ? " masked" : "");
        }
    }
}

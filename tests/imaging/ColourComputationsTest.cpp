#include "image/Bitmap.h"
#include "image/ImageErrors.h"
#include "imaging/colour/CountColors.h"
#include "imaging/colour/DrawToPaletteBitmap.h"
#include "imaging/colour/EnlargeColors.h"
#include "imaging/colour/NearestColorIndex.h"
#include "imaging/colour/PaletteBitmap.h"
#include "imaging/colour/PixelIndex.h"
#include "imaging/colour/ReduceColors.h"
#include "imaging/quantize/FixedPalettes.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

namespace kalvo {
namespace {

TEST(CreatePaletteBitmap, DepthFollowsTheEntryCount)
{
    TBitmap bmp;
    std::vector<TColor> palette(16, RGB(1, 2, 3));
    ASSERT_TRUE(CreatePaletteBitmap(5, 3, palette, bmp));
    EXPECT_EQ(bmp.bitCount(), 4);
    EXPECT_EQ(bmp.palette(), palette);
    EXPECT_EQ(bmp.width(), 5);
    EXPECT_EQ(bmp.height(), 3);
    CreatePaletteBitmap(5, -3, {}, bmp);
    EXPECT_EQ(bmp.bitCount(), 24);
    EXPECT_EQ(bmp.height(), 3);
    CreatePaletteBitmap(5, 3, {RGB(9, 9, 9)}, bmp);
    EXPECT_EQ(bmp.bitCount(), 1);
    CreatePaletteBitmap(5, 3, std::vector<TColor>(3), bmp);
    EXPECT_EQ(bmp.bitCount(), 4);
    EXPECT_EQ(bmp.palette().size(), 3u);
    CreatePaletteBitmap(5, 3, std::vector<TColor>(17), bmp);
    EXPECT_EQ(bmp.bitCount(), 8);
    CreatePaletteBitmap(5, 3, std::vector<TColor>(300), bmp);
    EXPECT_EQ(bmp.palette().size(), 256u);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(bmp.scanLine(y)[x], 0);
}

TEST(CreatePaletteBitmap, InvalidSizeIsRefusedAndLeavesTheBitmap)
{
    TBitmap bmp(2, 2, 8);
    for (auto [w, h] : {std::pair{0, 3}, std::pair{-1, 3}, std::pair{3, 0}}) {
        try {
            CreatePaletteBitmap(w, h, {RGB(0, 0, 0)}, bmp);
            FAIL();
        } catch (const EPxImageError& e) {
            EXPECT_STREQ(e.what(), "pxImageCommon.CreatePaletteBitmap: Invalid Parameters");
        }
    }
    EXPECT_EQ(bmp.width(), 2);
}

TEST(NearestColorIndex, AgreesWithAFullSearch)
{
    std::mt19937 random(7);
    for (int size : {1, 2, 16, 200, 256}) {
        std::vector<TColor> palette;
        for (int k = 0; k < size; ++k)
            palette.push_back(random() & 0xF0F0F0); // coarse values make ties and duplicates
        const TNearestColorIndex nearest(palette);
        for (int n = 0; n < 4000; ++n) {
            const TColor c = random() & 0xFFFFFF;
            int best = 0;
            long bestDistance = -1;
            for (int k = 0; k < size; ++k) {
                const long dr = GetRValue(palette[k]) - GetRValue(c), dg = GetGValue(palette[k]) - GetGValue(c),
                           db = GetBValue(palette[k]) - GetBValue(c);
                const long d = dr * dr + dg * dg + db * db;
                if (bestDistance < 0 || d < bestDistance) {
                    best = k;
                    bestDistance = d;
                }
            }
            ASSERT_EQ(nearest.indexOf(c), best) << "palette of " << size;
        }
    }
    EXPECT_EQ(TNearestColorIndex({}).indexOf(RGB(1, 2, 3)), 0);
}

TEST(DrawToPaletteBitmap, NearestEntriesAndClipping)
{
    TBitmap source(3, 2, 24);
    source.fill(RGB(250, 10, 10));
    source.scanLine(1)[0] = 255; // (0,1) becomes (250, 10, 255), nearest to magenta
    TBitmap target;
    CreatePaletteBitmap(4, 2, {RGB(0, 0, 0), RGB(255, 0, 0), RGB(255, 0, 255)}, target);
    DrawToPaletteBitmap(target, source, 2, 1);
    // Only source row 0 columns 0..1 land, at target row 1 columns 2..3.
    EXPECT_EQ(target.scanLine(0)[0], 0);
    EXPECT_EQ(target.scanLine(0)[1], 0);
    EXPECT_EQ(target.scanLine(1)[0], 0x00);
    EXPECT_EQ(target.scanLine(1)[1], 0x11);
    DrawToPaletteBitmap(target, source, -2, 0);
    EXPECT_EQ(IndexAt(target.scanLine(0), 0, 4), 1u);
    EXPECT_EQ(IndexAt(target.scanLine(1), 0, 4), 1u); // source (2,1) is still red
    DrawToPaletteBitmap(target, source, 0, 0);
    EXPECT_EQ(IndexAt(target.scanLine(1), 0, 4), 2u);
    EXPECT_THROW(DrawToPaletteBitmap(source, target, 0, 0), EPxImageError);
}

TEST(DrawToPaletteBitmap, PaletteSourceMapsEachEntry)
{
    TBitmap source(9, 1, 1);
    source.setPalette({RGB(255, 255, 255), RGB(20, 20, 20)});
    source.scanLine(0)[0] = 0b10100000;
    TBitmap target;
    CreatePaletteBitmap(9, 1, {RGB(0, 0, 0), RGB(0, 0, 0), RGB(240, 240, 240)}, target);
    DrawToPaletteBitmap(target, source, 0, 0);
    EXPECT_EQ(target.scanLine(0)[0], 0x02); // index 1 -> black (first of the two), index 0 -> 2
    EXPECT_EQ(target.scanLine(0)[1], 0x02);
    EXPECT_EQ(IndexAt(target.scanLine(0), 8, 4), 2u);
}

TEST(CountColors, ByDepth)
{
    TBitmap indexed(4, 2, 8);
    indexed.setPalette({RGB(1, 1, 1), RGB(2, 2, 2), RGB(1, 1, 1), RGB(9, 9, 9)});
    indexed.scanLine(0)[1] = 2; // the same colour as entry 0
    indexed.scanLine(1)[3] = 1;
    EXPECT_EQ(CountColors(indexed), 2);
    indexed.scanLine(1)[0] = 200; // beyond the palette: black
    EXPECT_EQ(CountColors(indexed), 3);

    TBitmap rgb(3, 1, 24);
    rgb.fill(RGB(5, 6, 7));
    rgb.scanLine(0)[8] = 8;
    EXPECT_EQ(CountColors(rgb), 2);

    TBitmap words(2, 1, 16);
    words.scanLine(0)[0] = 0xFF;
    words.scanLine(0)[1] = 0xFF; // raw 0xFFFF
    EXPECT_EQ(CountColors(words), 2);

    TBitmap quads(2, 1, 32);
    EXPECT_EQ(CountColors(quads), 1);
    quads.scanLine(0)[7] = 1; // a high byte that does not fit the set
    EXPECT_EQ(CountColors(quads), -1);
}

TEST(EnlargeColors, IndexLayouts)
{
    TBitmap mono(10, 2, 1);
    mono.setPalette({RGB(10, 20, 30), RGB(200, 100, 50)});
    mono.scanLine(0)[0] = 0b10000001;
    mono.scanLine(0)[1] = 0b01000000; // pixel 9
    mono.scanLine(1)[0] = 0b01000000;

    const auto four = EnlargeColors(mono, 4);
    ASSERT_TRUE(four);
    EXPECT_EQ(four->bitCount(), 4);
    ASSERT_EQ(four->palette().size(), 16u);
    EXPECT_EQ(four->palette()[1], RGB(200, 100, 50));
    EXPECT_EQ(four->palette()[2], RGB(0, 0, 0));
    EXPECT_EQ(four->palette()[15], RGB(0, 0, 0));
    EXPECT_EQ(four->scanLine(0)[0], 0x10);
    EXPECT_EQ(four->scanLine(0)[3], 0x01);
    EXPECT_EQ(four->scanLine(0)[4], 0x01);
    EXPECT_EQ(four->scanLine(1)[0], 0x01);

    const auto eight = EnlargeColors(*four, 8);
    ASSERT_TRUE(eight);
    EXPECT_EQ(eight->palette().size(), 256u);
    const std::vector<std::uint8_t> row0(eight->scanLine(0), eight->scanLine(0) + 10);
    EXPECT_EQ(row0, (std::vector<std::uint8_t>{1, 0, 0, 0, 0, 0, 0, 1, 0, 1}));
    EXPECT_EQ(*EnlargeColors(mono, 8), *eight);

    const auto full = EnlargeColors(mono, 24);
    ASSERT_TRUE(full);
    EXPECT_EQ(full->pixelColor(0, 0), RGB(200, 100, 50));
    EXPECT_EQ(full->pixelColor(1, 0), RGB(10, 20, 30));

    EXPECT_FALSE(EnlargeColors(*eight, 4));
    EXPECT_FALSE(EnlargeColors(*four, 4));
    EXPECT_FALSE(EnlargeColors(*full, 24));
    EXPECT_FALSE(EnlargeColors(mono, 16));
}

TEST(ReduceColors, PathsChosenByPaletteAndMethod)
{
    TBitmap image(2, 1, 24);
    image.fill(RGB(230, 25, 26));
    // Nearest colour to the web palette: 230 is nearer 255 than 204.
    const TBitmap nearest = ReduceColors(image, 256, TReducePalette::Fixed, false);
    ASSERT_EQ(nearest.bitCount(), 8);
    EXPECT_EQ(nearest.palette()[nearest.scanLine(0)[0]], RGB(255, 0, 51));
    // Error diffusion uses the level table, where 230 becomes 204.
    const TBitmap dithered = ReduceColors(image, 256, TReducePalette::Fixed, true);
    EXPECT_EQ(dithered.palette()[dithered.scanLine(0)[0]], RGB(204, 0, 51));

    const TBitmap optimised = ReduceColors(image, 16, TReducePalette::Optimized, false);
    EXPECT_EQ(optimised.bitCount(), 1);
    EXPECT_EQ(optimised.palette(), std::vector<TColor>{RGB(230, 25, 26)});

    const TBitmap standard = ReduceColors(image, 16, TReducePalette::Fixed, false);
    EXPECT_EQ(standard.bitCount(), 4);
    EXPECT_EQ(standard.palette()[IndexAt(standard.scanLine(0), 0, 4)], RGB(255, 0, 0));
    const TBitmap mono = ReduceColors(image, 2, TReducePalette::Fixed, false);
    EXPECT_EQ(mono.bitCount(), 1);
    EXPECT_EQ(mono.palette(), BlackWhitePalette());
}

TEST(ReduceColors, PaletteSourcesWorkOnACopy)
{
    TBitmap image(2, 1, 8);
    image.setPalette({RGB(0, 0, 0), RGB(255, 255, 255)});
    image.scanLine(0)[1] = 1;
    const TBitmap before = image;
    const TBitmap reduced = ReduceColors(image, 16, TReducePalette::Fixed, true);
    EXPECT_EQ(image, before);
    EXPECT_EQ(IndexAt(reduced.scanLine(0), 0, 4), 0u);
    EXPECT_EQ(IndexAt(reduced.scanLine(0), 1, 4), 15u);

    EXPECT_TRUE(CanReduceColors(24, 256));
    EXPECT_FALSE(CanReduceColors(8, 256));
    EXPECT_TRUE(CanReduceColors(8, 16));
    EXPECT_FALSE(CanReduceColors(4, 16));
    EXPECT_TRUE(CanReduceColors(4, 2));
    EXPECT_FALSE(CanReduceColors(1, 2));
    EXPECT_THROW(ReduceColors(image, 256, TReducePalette::Optimized, false), std::invalid_argument);
}

} // namespace
} // namespace kalvo

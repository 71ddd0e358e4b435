#include "imaging/raster/BrushStamp.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

using namespace kalvo;
using kalvo::test::SolidBitmap;

namespace {

TBitmap Mask(int w, int h, int value)
{
    TBitmap m(w, h, 8);
    for (int y = 0; y < h; ++y)
        std::fill_n(m.scanLine(y), w, std::uint8_t(value));
    return m;
}

// The pixels a stroke with a one-pixel tip changed on a black image.
std::set<std::pair<int, int>> Dabs(int x1, int y1, int x2, int y2, int step)
{
    TBitmap image = SolidBitmap(20, 20, clBlack);
    TpxPenBrush tip;
    BuildBrush(tip, 1, 100, TpxBrushStyle::pxsRound);
    TBrushTrail trail;
    StampBrush(image, nullptr, x1, y1, tip, clWhite, trail);
    StrokeBrushLine(image, nullptr, x1, y1, x2, y2, step, tip, clWhite, trail);
    std::set<std::pair<int, int>> dabs;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            if (image.pixelColor(x, y) != clBlack)
                dabs.insert({x, y});
    return dabs;
}

} // namespace

TEST(BrushStamp, FullWeightOverBlackGives254AndTheMaskWeightsTheDab)
{
    TBitmap image = SolidBitmap(5, 5, clBlack);
    TBitmap mask = Mask(5, 5, 0);
    mask.scanLine(2)[3] = 128; // feathered
    mask.scanLine(2)[1] = 255; // not selected
    TpxPenBrush tip;
    BuildBrush(tip, 3, 100, TpxBrushStyle::pxsSquare);
    TBrushTrail trail;
    StampBrush(image, &mask, 2, 2, tip, RGB(255, 255, 255), trail);
    EXPECT_EQ(image.pixelColor(2, 2), RGB(254, 254, 254));
    EXPECT_EQ(image.pixelColor(3, 2), RGB(126, 126, 126)); // a = 127 * 255 div 255
    EXPECT_EQ(image.pixelColor(1, 2), clBlack);
    EXPECT_EQ(image.pixelColor(0, 0), clBlack); // outside the 3 x 3 tip
    EXPECT_EQ(trail.LastX, 2);
    EXPECT_EQ(trail.LastY, 2);
}

TEST(BrushStamp, TipIsClippedAtTheImageEdges)
{
    TBitmap image = SolidBitmap(4, 4, clWhite);
    TpxPenBrush tip;
    BuildBrush(tip, 5, 100, TpxBrushStyle::pxsSquare);
    TBrushTrail trail;
    StampBrush(image, nullptr, 0, 3, tip, clBlack, trail); // covers x -2..2, y 1..5
    EXPECT_EQ(image.pixelColor(0, 3), clBlack);
    EXPECT_EQ(image.pixelColor(2, 1), clBlack);
    EXPECT_EQ(image.pixelColor(3, 3), clWhite);
    EXPECT_EQ(image.pixelColor(0, 0), clWhite);
}

TEST(BrushStamp, PaletteImagesTakeTheNearestIndexHard)
{
    TBitmap image(8, 2, 4); // the sixteen standard colours, every pixel index 0 (black)
    TBitmap mask = Mask(8, 2, 254);
    mask.scanLine(0)[3] = 255;
    TpxPenBrush tip;
    BuildBrush(tip, 5, 0, TpxBrushStyle::pxsRound); // soft tip: every non-zero weight paints
    TBrushTrail trail;
    StampBrush(image, &mask, 3, 0, tip, RGB(250, 5, 5), trail); // nearest: index 9, red
    // Row 0 is tip row 2 (all weights non-zero) over x = 1..5; x = 3 is not selected.
    EXPECT_EQ(image.scanLine(0)[0], 0x09);
    EXPECT_EQ(image.scanLine(0)[1], 0x90);
    EXPECT_EQ(image.scanLine(0)[2], 0x99);
    EXPECT_EQ(image.scanLine(0)[3], 0x00);
    // Row 1 is tip row 3: 27 111 153 111 27, all painted.
    EXPECT_EQ(image.scanLine(1)[0], 0x09);
    EXPECT_EQ(image.scanLine(1)[1], 0x99);
    EXPECT_EQ(image.scanLine(1)[2], 0x99);

    TBitmap noPalette(4, 4, 8);
    noPalette.setPalette({});
    const TBitmap before = noPalette;
    StampBrush(noPalette, nullptr, 1, 1, tip, clWhite, trail);
    EXPECT_EQ(noPalette, before);
}

TEST(BrushStroke, DabsKeepTheirSpacingAlongTheWalk)
{
    using Set = std::set<std::pair<int, int>>;
    EXPECT_EQ(Dabs(0, 0, 10, 0, 3), (Set{{0, 0}, {3, 0}, {6, 0}, {9, 0}}));
    // y-major: x advances 0.75 per row; (3, 4) and (6, 8) are exactly 5 from the last dab.
    EXPECT_EQ(Dabs(0, 0, 6, 8, 5), (Set{{0, 0}, {3, 4}, {6, 8}}));
    // A stroke to the left is walked from its new end: a dab lands at once at x = 0.
    EXPECT_EQ(Dabs(10, 0, 0, 0, 3), (Set{{10, 0}, {0, 0}, {3, 0}, {6, 0}, {9, 0}}));
    // Positions round to nearest with ties to even: (1, 0.5) gives (1, 0).
    EXPECT_EQ(Dabs(0, 0, 2, 1, 1), (Set{{0, 0}, {1, 0}, {2, 1}}));
    // A step of 0 spaces dabs by one pixel.
    EXPECT_EQ(Dabs(0, 0, 3, 0, 0), (Set{{0, 0}, {1, 0}, {2, 0}, {3, 0}}));
}

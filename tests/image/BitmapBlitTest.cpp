#include "image/BitmapBlit.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace kalvo {
namespace {

using test::PatternBitmap;

TEST(BitmapBlit, DrawsAtAnOffsetClippedToTargetAndRegionAtEveryDepth)
{
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        const TBitmap source = PatternBitmap(11, 7, bits);
        TBitmap target(13, 9, bits);
        target.setPalette(source.palette());
        const TBitmap blank = target;
        const TRegion clip = TRegion::fromQRegion(QRegion(QRect(0, 0, 13, 9)).subtracted(QRegion(5, 4, 2, 2)));
        DrawBitmapAt(target, source, 3, -2, &clip);
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 13; ++x) {
                const int sx = x - 3, sy = y + 2;
                const bool inside = sx >= 0 && sx < 11 && sy >= 0 && sy < 7 && clip.contains(x, y);
                const TColor expected = inside ? source.pixelColor(sx, sy) : blank.pixelColor(x, y);
                ASSERT_EQ(target.pixelColor(x, y), expected) << bits << " bits at " << x << ", " << y;
            }
    }
}

TEST(BitmapBlit, TrueColourTargetTakesColoursAndOtherMismatchesRaise)
{
    const TBitmap source = PatternBitmap(4, 3, 8);
    TBitmap target(4, 3, 24);
    DrawBitmapAt(target, source, 0, 0);
    EXPECT_EQ(target.pixelColor(3, 2), source.pixelColor(3, 2));
    TBitmap indexed(4, 3, 4);
    EXPECT_ANY_THROW(DrawBitmapAt(indexed, source, 0, 0));
}

TEST(BitmapBlit, FillRegionValueWritesOnlyTheRegionOnTheBitmap)
{
    TBitmap b(10, 4, 4);
    FillRegionValue(b, TRegion::rect({-5, 1, 3, 100}), 9);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(b.pixelColor(x, y), (x < 3 && y >= 1) ? b.palette()[9] : b.palette()[0]);
}

} // namespace
} // namespace kalvo

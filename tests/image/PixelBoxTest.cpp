#include "image/PixelBox.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace kalvo;
using namespace kalvo::test;

// At every depth: the box of a change holds every changed pixel, copying it from the picture
// before and exchanging it into the picture after gives back the picture before (and the box
// then holds the pixels after), and a second exchange undoes the first.
TEST(PixelBox, ChangedBoxCopyAndExchangeRestoreExactlyAtEveryDepth)
{
    for (int bits : {1, 4, 8, 16, 24}) {
        const TBitmap before = PatternBitmap(61, 11, bits);
        TBitmap after = before;
        EXPECT_TRUE(ChangedBox(before, after).isEmpty()) << bits;
        after.scanLine(3)[5] ^= 0x11;
        after.scanLine(7)[2] ^= 0x80;
        const TRect changed = ChangedBox(before, after);
        const int perByte = bits < 8 ? 8 / bits : 1;
        const int bytesPerPixel = bits < 8 ? 1 : bits / 8;
        EXPECT_EQ(changed.top, 3) << bits;
        EXPECT_EQ(changed.bottom, 8) << bits;
        EXPECT_EQ(changed.left, 2 / bytesPerPixel * perByte) << bits;
        EXPECT_EQ(changed.right, (5 / bytesPerPixel + 1) * perByte) << bits;

        const TRect box = ByteAlignedBox(after, changed);
        TBitmap held = CopyBox(before, box);
        EXPECT_EQ(held.width(), box.width());
        EXPECT_EQ(held.palette(), before.palette());
        const TBitmap afterCopy = after;
        ExchangeBox(after, held, box);
        EXPECT_EQ(after, before) << bits;
        EXPECT_EQ(held, CopyBox(afterCopy, box)) << bits;
        ExchangeBox(after, held, box);
        EXPECT_EQ(after, afterCopy) << bits;
    }
    // Alignment widens to whole bytes and clips to the picture.
    const TBitmap bilevel(21, 4, 1);
    EXPECT_EQ(ByteAlignedBox(bilevel, {3, -2, 17, 9}), (TRect{0, 0, 21, 4}));
    EXPECT_EQ(ByteAlignedBox(TBitmap(21, 4, 4), {3, 1, 6, 2}), (TRect{2, 1, 6, 2}));
    EXPECT_FALSE(ChangedArea(bilevel, TBitmap(21, 4, 4)));
}

#include "image/StrokeBackup.h"
#include "image/PixelBox.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace kalvo;
using namespace kalvo::test;

// At every depth, on a picture of several tiles with ragged right and bottom edges: areas saved
// before painting give back the picture before exactly (whole, or as the changed pieces of the
// tiles reached), their box is the one a comparison with the whole picture before finds, and only
// the tiles reached are kept.
TEST(StrokeBackup, GivesBackExactlyWhatWasPaintedOverAtEveryDepth)
{
    constexpr int k = TStrokeBackup::kTile;
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        const TBitmap before = PatternBitmap(2 * k + 37, k + 19, bits);
        TBitmap picture = before;
        TStrokeBackup backup;
        backup.Begin(picture);
        EXPECT_TRUE(backup.Change(picture).Pieces.empty());
        // A dab across the corner of four tiles and one at the bottom-right edge.
        const auto paint = [&](TRect area) {
            ASSERT_TRUE(backup.Save(picture, area));
            const TRect box = ByteAlignedBox(picture, area);
            for (int y = box.top; y < box.bottom; y += 3) {
                picture.scanLine(y)[box.left * bits / 8] ^= 0x5A;
                picture.scanLine(y)[(box.right * bits + 7) / 8 - 1] ^= 0x3C;
            }
        };
        paint({k - 5, k - 4, k + 6, k + 3});
        paint({2 * k + 30, k + 10, 2 * k + 60, k + 40});
        // Four whole tiles' rows of the first dab, the last tile column's of the second.
        const auto bytes = [&](int pixels) { return (std::size_t(pixels) * std::size_t(bits) + 7) / 8; };
        EXPECT_EQ(backup.Memory(), 2 * bytes(k) * (k + 19) + bytes(37) * 19) << bits;
        EXPECT_EQ(backup.OldPicture(picture), before) << bits;
        // The change: the changed part of each tile, their old pixels; exchanging them gives the
        // picture before, and exchanging again the picture after.
        TStrokeBackup::TChange change = backup.Change(picture);
        EXPECT_EQ(change.Box, ByteAlignedBox(picture, ChangedBox(before, picture))) << bits;
        EXPECT_EQ(change.Pieces.size(), 5u) << bits;
        const TBitmap after = picture;
        ExchangePieces(picture, change.Old, change.Pieces);
        EXPECT_EQ(picture, before) << bits;
        ExchangePieces(picture, change.Old, change.Pieces);
        EXPECT_EQ(picture, after) << bits;
    }
}

// A stroke over more tiles than one stack of their rows can hold: the pieces are found, their old
// pixels are not stacked, and the picture before is still there whole.
TEST(StrokeBackup, PiecesTallerThanABitmapAreNotStacked)
{
    constexpr int k = TStrokeBackup::kTile;
    const TBitmap before = PatternBitmap(4 * k, 129 * k, 8); // 516 tiles of 128 rows: 66048 rows
    TBitmap picture = before;
    TStrokeBackup backup;
    backup.Begin(picture);
    ASSERT_TRUE(backup.Save(picture, {0, 0, picture.width(), picture.height()}));
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); x += k)
            picture.scanLine(y)[x] ^= 1;
    const TStrokeBackup::TChange change = backup.Change(picture);
    EXPECT_EQ(change.Pieces.size(), 516u);
    EXPECT_TRUE(change.Old.empty());
    EXPECT_EQ(backup.OldPicture(picture), before);
}

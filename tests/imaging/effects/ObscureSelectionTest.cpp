#include "image/ImageErrors.h"
#include "image/Outline.h"
#include "image/RegionConvert.h"
#include "imaging/effects/ObscureSelection.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace kalvo;

namespace {

TBitmap SquareMask()
{
    TBitmap mask(30, 30, 8);
    std::memset(mask.bits(), 255, mask.byteSize());
    for (int y = 10; y < 20; ++y)
        std::memset(mask.scanLine(y) + 10, 0, 10);
    return mask;
}

TPoints OutlineOf(const TBitmap& mask)
{
    TPoints points;
    Bitmap8ToPoints(&mask, points);
    return points;
}

} // namespace

TEST(ObscureSelection, BorderRampsFromSelectedToUnselected)
{
    const TBitmap mask = SquareMask();
    const TObscuredSelection result = ObscureSelection(mask, OutlineOf(mask), 4);
    const std::uint8_t* row = result.Mask.scanLine(15);
    EXPECT_EQ(row[15], 0);
    EXPECT_EQ(row[0], 255);
    int partly = 0;
    for (int x = 15; x < 29; ++x) {
        EXPECT_LE(row[x], row[x + 1]) << x;
        partly += row[x] != 0 && row[x] != 255;
    }
    EXPECT_GE(partly, 2);
    EXPECT_GT(row[21], 0); // just outside the old border: widened but soft
    EXPECT_LT(row[21], 255);
    EXPECT_EQ(result.Outline, OutlineOf(result.Mask));
    EXPECT_EQ(result.Region, *MaskToRegion(result.Mask));
}

TEST(ObscureSelection, OnePixelWidensAndNarrowsBackWithoutARamp)
{
    const TBitmap mask = SquareMask();
    const TObscuredSelection result = ObscureSelection(mask, OutlineOf(mask), 1);
    EXPECT_EQ(result.Mask, mask);
    EXPECT_EQ(result.Outline, OutlineOf(mask));
    EXPECT_THROW(ObscureSelection(TBitmap(4, 4, 24), {}, 3), EPxImageError);
}

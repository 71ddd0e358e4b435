#include "imaging/effects/ObscureSelection.h"
#include "SelectionMaskSupport.h"
#include "image/ImageErrors.h"
#include "image/RegionConvert.h"

#include <gtest/gtest.h>

using namespace kalvo;
using kalvo::test::OutlineOf;

TEST(ObscureSelection, BorderRampsFromSelectedToUnselected)
{
    const TBitmap mask = test::SquareSelectionMask(30);
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
    const TBitmap mask = test::SquareSelectionMask(30);
    const TObscuredSelection result = ObscureSelection(mask, OutlineOf(mask), 1);
    EXPECT_EQ(result.Mask, mask);
    EXPECT_EQ(result.Outline, OutlineOf(mask));
    EXPECT_THROW(ObscureSelection(TBitmap(4, 4, 24), {}, 3), EPxImageError);
}

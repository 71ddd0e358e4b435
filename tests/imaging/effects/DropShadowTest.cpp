#include "imaging/effects/DropShadow.h"
#include "SelectionMaskSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace kalvo;
using kalvo::test::OutlineOf;

namespace {

TBitmap White()
{
    TBitmap image(40, 40, 24);
    image.fill(clWhite);
    return image;
}

} // namespace

TEST(DropShadow, HardShadowIsTheShiftedSelectionOutsideTheObject)
{
    const TBitmap mask = test::SquareSelectionMask(40);
    std::vector<int> progress;
    const auto result = DropShadow(White(), mask, OutlineOf(mask), {4, 4, 0, 0, RGB(0, 0, 80)},
                                   [&](int p) { progress.push_back(p); });
    ASSERT_TRUE(result);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool object = x >= 10 && x < 20 && y >= 10 && y < 20;
            // Narrowed and widened again by a pixel: [14, 25) x [14, 25).
            const bool shadow = !object && x >= 14 && x < 25 && y >= 14 && y < 25;
            ASSERT_EQ(result->pixelColor(x, y), shadow ? RGB(0, 0, 80) : clWhite) << x << "," << y;
        }
    ASSERT_EQ(progress.size(), 40u);
    EXPECT_EQ(progress.front(), 0);
    EXPECT_EQ(progress.back(), 100);
}

TEST(DropShadow, SoftShadowFadesOutsideAndThroughTheObjectsSoftEdge)
{
    TBitmap mask(50, 50, 8);
    std::memset(mask.bits(), 255, mask.byteSize());
    for (int y = 10; y < 30; ++y)
        std::memset(mask.scanLine(y) + 10, 0, 20);
    mask.scanLine(25)[29] = 128; // a partly selected pixel of the object's edge
    TBitmap white(50, 50, 24);
    white.fill(clWhite);
    const auto result = DropShadow(white, mask, OutlineOf(mask), {8, 8, 4, 0, clBlack});
    ASSERT_TRUE(result);
    for (int y = 10; y < 30; ++y)
        for (int x = 10; x < 30; ++x) {
            if (x != 29 || y != 25) {
                ASSERT_EQ(result->pixelColor(x, y), clWhite) << x << "," << y;
            }
        }
    EXPECT_EQ(result->pixelColor(29, 25), RGB(127, 127, 127)); // w = 255 - 128 + 0
    EXPECT_EQ(result->pixelColor(32, 25), clBlack);            // the shadow's core
    // Beyond the core the shadow fades out along the row.
    int previous = 0, partly = 0;
    for (int x = 30; x < 50; ++x) {
        const int v = GetRValue(result->pixelColor(x, 25));
        EXPECT_GE(v, previous) << x;
        partly += v != 0 && v != 255;
        previous = v;
    }
    EXPECT_EQ(previous, 255);
    EXPECT_GE(partly, 3);
}

TEST(DropShadow, FullTransparencyAndMissingInputsChangeNothing)
{
    const TBitmap mask = test::SquareSelectionMask(40);
    const auto clear = DropShadow(White(), mask, OutlineOf(mask), {4, 4, 5, 100, clBlack});
    ASSERT_TRUE(clear);
    EXPECT_EQ(*clear, White());
    EXPECT_FALSE(DropShadow(White(), mask, {}, {}));
    EXPECT_FALSE(DropShadow(TBitmap(40, 40, 8), mask, OutlineOf(mask), {}));
    EXPECT_FALSE(DropShadow(White(), TBitmap(40, 40, 24), OutlineOf(mask), {}));
}

// The drop shadow's blend runs through the row driver (two threads, unchanged rows skipped);
// its pictures must equal the earlier serial loop's byte for byte: hashes recorded from it on a
// noisy picture with a feathered selection, three offset, blur, transparency and colour cases.
#include "SelectionMaskSupport.h"
#include "imaging/effects/DropShadow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

using namespace kalvo;

namespace {

// A 401 x 301 noisy picture and a feathered rectangular selection: 0 inside, a 12-pixel ramp,
// 255 outside.
TBitmap ShadowPicture()
{
    TBitmap image(401, 301, 24);
    for (int y = 0; y < image.height(); ++y)
        for (std::size_t i = 0; i < image.stride(); ++i)
            image.scanLine(y)[i] = std::uint8_t(i * 13 + std::size_t(y) * 7 + (i * i >> 5));
    return image;
}

TBitmap ShadowMask()
{
    TBitmap mask(401, 301, 8);
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x) {
            const int d = std::max({90 - x, x - 300, 60 - y, y - 220, 0});
            mask.scanLine(y)[x] = std::uint8_t(std::min(255, d * 21));
        }
    return mask;
}

std::uint64_t Fnv(const TBitmap& bitmap)
{
    std::uint64_t h = 1469598103934665603ull;
    for (std::size_t i = 0; i < bitmap.byteSize(); ++i) {
        h ^= bitmap.bits()[i];
        h *= 1099511628211ull;
    }
    return h;
}

} // namespace

TEST(DropShadowGolden, PicturesAndProgressEqualTheSerialLoop)
{
    const TBitmap image = ShadowPicture(), mask = ShadowMask();
    const TDropShadowParams cases[] = {
        {2, 2, 5, 50, RGB(0, 0, 0)}, {-7, 11, 0, 0, RGB(200, 30, 90)}, {15, -4, 20, 80, RGB(9, 99, 199)}};
    const std::uint64_t hashes[] = {0xb2e6c9b532c377d4ull, 0xe86385d0b20bab62ull, 0x79699ac37a7ec133ull};
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y)
        rows.push_back(y * 100 / (image.height() - 1));
    for (int i = 0; i < 3; ++i) {
        std::vector<int> progress;
        const auto result = DropShadow(image, mask, test::OutlineOf(mask), cases[i],
                                       [&](int p) { progress.push_back(p); });
        ASSERT_TRUE(result);
        EXPECT_EQ(Fnv(*result), hashes[i]) << "case " << i;
        EXPECT_EQ(progress, rows);
        const auto quiet = DropShadow(image, mask, test::OutlineOf(mask), cases[i]);
        ASSERT_TRUE(quiet);
        EXPECT_EQ(*quiet, *result);
    }
}

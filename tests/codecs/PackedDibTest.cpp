// The packed DIB written straight from an image bitmap, against the DIB container's own.
#include "codecs/bmp/LvDIB.h"
#include "codecs/bmp/PackedDib.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace kalvo {
namespace {

TEST(PackedDib, SameBytesAsTheContainerAtEveryDepthAndOddSizes)
{
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        for (auto [w, h] : {std::pair{1, 1}, {17, 5}, {1001, 7}, {3, 1001}, {31, 2}}) {
            const TBitmap picture = test::PatternBitmap(w, h, bits);
            TLvDIB dib;
            dib.Assign(picture);
            const std::vector<std::uint8_t> expected = dib.SaveToClipboardFormat();
            ASSERT_EQ(PackedDibSize(picture), expected.size()) << bits << " " << w << "x" << h;
            // Garbage first, so that every byte must be written.
            std::vector<std::uint8_t> written(expected.size(), 0xA5);
            WritePackedDib(picture, written);
            EXPECT_EQ(written, expected) << bits << " " << w << "x" << h;
        }
    }
}

TEST(PackedDib, RefusesABufferOfTheWrongSize)
{
    const TBitmap picture = test::PatternBitmap(5, 3, 24);
    std::vector<std::uint8_t> small(PackedDibSize(picture) - 1);
    EXPECT_THROW(WritePackedDib(picture, small), std::length_error);
    std::vector<std::uint8_t> large(PackedDibSize(picture) + 1);
    EXPECT_THROW(WritePackedDib(picture, large), std::length_error);
}

} // namespace
} // namespace kalvo

// The packed DIB written straight from an image bitmap, against the DIB container's own.
#include "codecs/bmp/PackedDib.h"
#include "codecs/bmp/LvDIB.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>

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

// The container's reading of a packed DIB.
TBitmap ThroughContainer(const std::vector<std::uint8_t>& packed)
{
    TLvDIB dib;
    dib.LoadFromClipboardFormat(TLvDIB::ClipboardFormat, &packed);
    return dib.ToBitmap();
}

void ExpectSamePicture(const TBitmap& a, const TBitmap& b, const std::string& what)
{
    ASSERT_EQ(a.width(), b.width()) << what;
    ASSERT_EQ(a.height(), b.height()) << what;
    ASSERT_EQ(a.bitCount(), b.bitCount()) << what;
    EXPECT_EQ(a.palette(), b.palette()) << what;
    for (int y = 0; y < a.height(); ++y)
        ASSERT_EQ(0, std::memcmp(a.scanLine(y), b.scanLine(y), a.stride())) << what << " row " << y;
}

TEST(PackedDib, PlainRowsReadStraightGiveTheContainersPicture)
{
    for (int bits : {1, 4, 8, 24}) {
        for (auto [w, h] : {std::pair{1, 1}, {17, 5}, {1001, 7}, {3, 1001}}) {
            const std::string what = std::to_string(bits) + " " + std::to_string(w) + "x" + std::to_string(h);
            TLvDIB dib;
            dib.Assign(test::PatternBitmap(w, h, bits));
            std::vector<std::uint8_t> packed = dib.SaveToClipboardFormat();
            const std::optional<TBitmap> plain = UnpackPlainDib(packed);
            ASSERT_TRUE(plain) << what;
            ExpectSamePicture(*plain, ThroughContainer(packed), what);
            // Top-down rows (negative height) the same way.
            const std::int32_t height = -h;
            std::memcpy(packed.data() + 8, &height, 4);
            const std::optional<TBitmap> topDown = UnpackPlainDib(packed);
            ASSERT_TRUE(topDown) << what;
            ExpectSamePicture(*topDown, ThroughContainer(packed), what + " top-down");
        }
    }
}

TEST(PackedDib, OtherKindsAreLeftToTheContainerAndBadHeadersFailAlike)
{
    TLvDIB dib;
    dib.Assign(test::PatternBitmap(9, 4, 24));
    std::vector<std::uint8_t> packed = dib.SaveToClipboardFormat();
    // Rows cut short: the container pads them with zeros.
    EXPECT_FALSE(UnpackPlainDib(std::span(packed).first(packed.size() - 1)));
    // 32 bits per pixel.
    std::vector<std::uint8_t> deep = packed;
    deep[14] = 32;
    EXPECT_FALSE(UnpackPlainDib(deep));
    // RLE compression.
    std::vector<std::uint8_t> rle = packed;
    rle[16] = 1;
    EXPECT_FALSE(UnpackPlainDib(rle));
    // A header the container refuses is refused with its message.
    std::vector<std::uint8_t> bad = packed;
    bad[14] = 7;
    std::string direct, container;
    try {
        (void)UnpackPlainDib(bad);
    } catch (const std::exception& e) {
        direct = e.what();
    }
    try {
        (void)ThroughContainer(bad);
    } catch (const std::exception& e) {
        container = e.what();
    }
    EXPECT_FALSE(direct.empty());
    EXPECT_EQ(direct, container);
    EXPECT_ANY_THROW(UnpackPlainDib(std::span(packed).first(20)));
}

} // namespace
} // namespace kalvo

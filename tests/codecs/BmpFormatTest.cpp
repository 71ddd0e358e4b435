#include "codecs/bmp/BmpFormat.h"
#include "image/ImageErrors.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace kalvo;
using kalvo::test::PatternBitmap;

namespace {

void put16(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x)
{
    v[at] = std::uint8_t(x);
    v[at + 1] = std::uint8_t(x >> 8);
}
void put32(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x)
{
    for (int i = 0; i < 4; ++i)
        v[at + i] = std::uint8_t(x >> (8 * i));
}

// A BMP file with a 40-byte header, the given colour table and pixel bytes.
std::vector<std::uint8_t> makeBmp(int width, int height, int bits, std::uint32_t compression,
                                  const std::vector<TColor>& table, const std::vector<std::uint8_t>& pixels,
                                  const std::vector<std::uint32_t>& masks = {})
{
    const std::size_t off = 54 + masks.size() * 4 + table.size() * 4;
    std::vector<std::uint8_t> v(off, 0);
    v[0] = 'B';
    v[1] = 'M';
    put32(v, 2, std::uint32_t(off + pixels.size()));
    put32(v, 10, std::uint32_t(off));
    put32(v, 14, 40);
    put32(v, 18, std::uint32_t(width));
    put32(v, 22, std::uint32_t(height));
    put16(v, 26, 1);
    put16(v, 28, std::uint32_t(bits));
    put32(v, 30, compression);
    put32(v, 46, std::uint32_t(table.size()));
    std::size_t at = 54;
    for (auto m : masks) {
        put32(v, at, m);
        at += 4;
    }
    for (auto c : table) {
        v[at] = std::uint8_t(GetBValue(c));
        v[at + 1] = std::uint8_t(GetGValue(c));
        v[at + 2] = std::uint8_t(GetRValue(c));
        at += 4;
    }
    v.insert(v.end(), pixels.begin(), pixels.end());
    return v;
}

} // namespace

TEST(BmpFormat, RoundTripEveryDepthKeepsPixelsAndPalette)
{
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        for (int width : {1, 3, 7, 8, 13}) {
            const TBitmap original = PatternBitmap(width, 5, bits);
            const TBitmap back = ReadBmp(BmpBytes(original));
            ASSERT_EQ(back.width(), width);
            ASSERT_EQ(back.height(), 5);
            if (bits == 16 || bits == 32) {
                // 16- and 32-bit files are held at 24 bits with the same colours.
                ASSERT_EQ(back.bitCount(), 24);
                for (int y = 0; y < 5; ++y)
                    for (int x = 0; x < width; ++x)
                        ASSERT_EQ(back.pixelColor(x, y), original.pixelColor(x, y)) << bits << " bits";
                continue;
            }
            EXPECT_EQ(back.bitCount(), bits);
            EXPECT_EQ(back.palette(), original.palette());
            for (int y = 0; y < 5; ++y)
                ASSERT_TRUE(
                    std::equal(original.scanLine(y), original.scanLine(y) + original.stride(), back.scanLine(y)))
                    << bits << " bits, width " << width << ", row " << y;
        }
    }
}

TEST(BmpFormat, WriterLayoutOfOnePixel24Bit)
{
    TBitmap bmp(1, 1, 24);
    bmp.scanLine(0)[0] = 1;
    bmp.scanLine(0)[1] = 2;
    bmp.scanLine(0)[2] = 3;
    const auto bytes = BmpBytes(bmp);
    ASSERT_EQ(bytes.size(), 58u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(bytes[2], 58);  // bfSize
    EXPECT_EQ(bytes[10], 54); // bfOffBits
    EXPECT_EQ(bytes[14], 40); // biSize
    EXPECT_EQ(bytes[28], 24); // biBitCount
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 54, bytes.end()), (std::vector<std::uint8_t>{1, 2, 3, 0}));
}

TEST(BmpFormat, WriterStoresRowsBottomUpAndPaletteSize)
{
    TBitmap bmp(2, 2, 8);
    bmp.setPalette({RGB(10, 20, 30), RGB(40, 50, 60), RGB(70, 80, 90)});
    bmp.scanLine(0)[0] = 1; // top row
    bmp.scanLine(1)[0] = 2; // bottom row
    const auto bytes = BmpBytes(bmp);
    EXPECT_EQ(bytes[46], 3);  // biClrUsed
    EXPECT_EQ(bytes[54], 30); // first entry: blue, green, red, 0
    EXPECT_EQ(bytes[55], 20);
    EXPECT_EQ(bytes[56], 10);
    const std::size_t pixels = 54 + 3 * 4;
    EXPECT_EQ(bytes[10], pixels);
    EXPECT_EQ(bytes[pixels], 2); // bottom row first
    EXPECT_EQ(bytes[pixels + 4], 1);
}

TEST(BmpFormat, TopDownFileShowsUpright)
{
    // 1 x 2, 24 bits, negative height: first row in the file is the top row.
    auto file = makeBmp(1, -2, 24, 0, {}, {1, 2, 3, 0, 4, 5, 6, 0});
    const TBitmap bmp = ReadBmp(file);
    EXPECT_EQ(bmp.pixelColor(0, 0), RGB(3, 2, 1));
    EXPECT_EQ(bmp.pixelColor(0, 1), RGB(6, 5, 4));
}

TEST(BmpFormat, SixteenBitDefaultAndFieldMasks)
{
    auto plain = makeBmp(2, 1, 16, 0, {}, {0xFF, 0x7F, 0x21, 0x04});
    TBitmap a = ReadBmp(plain);
    EXPECT_EQ(a.bitCount(), 24);
    EXPECT_EQ(a.pixelColor(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(a.pixelColor(1, 0), RGB(8, 8, 8));

    auto fields = makeBmp(1, 1, 16, 3, {}, {0xFF, 0xFF, 0, 0}, {0xF800, 0x07E0, 0x001F});
    EXPECT_EQ(ReadBmp(fields).pixelColor(0, 0), RGB(255, 255, 255));

    auto zeroMask = makeBmp(1, 1, 32, 3, {}, {0, 0, 0, 0}, {0xFF0000, 0, 0xFF});
    EXPECT_THROW(ReadBmp(zeroMask), EInvalidGraphic);
}

TEST(BmpFormat, CoreHeaderWithTriples)
{
    // 12-byte header, 4 bits, 16 triples, one row of 2 pixels.
    std::vector<std::uint8_t> v(14 + 12 + 16 * 3, 0);
    v[0] = 'B';
    v[1] = 'M';
    put32(v, 10, std::uint32_t(v.size()));
    put32(v, 14, 12);
    put16(v, 18, 2);
    put16(v, 20, 1);
    put16(v, 22, 1);
    put16(v, 24, 4);
    v[26 + 3 * 5 + 2] = 200; // entry 5: red 200
    v.insert(v.end(), {0x50, 0, 0, 0});
    const TBitmap bmp = ReadBmp(v);
    EXPECT_EQ(bmp.bitCount(), 4);
    EXPECT_EQ(bmp.palette().size(), 16u);
    EXPECT_EQ(bmp.pixelColor(0, 0), RGB(200, 0, 0));
    EXPECT_EQ(bmp.pixelColor(1, 0), RGB(0, 0, 0));
}

TEST(BmpFormat, Rle8ShorterThanPlainRowsDecodes)
{
    // 4 x 2: bottom row run of 4 x index 1, end of line, top row absolute 2,3,2 then end.
    std::vector<std::uint8_t> rle = {4, 1, 0, 0, 0, 3, 2, 3, 2, 0, 0, 1};
    auto file = makeBmp(4, 2, 8, 1, {RGB(0, 0, 0), RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)}, rle);
    const TBitmap bmp = ReadBmp(file);
    EXPECT_EQ(bmp.bitCount(), 8);
    EXPECT_EQ(std::vector<int>(bmp.scanLine(1), bmp.scanLine(1) + 4), (std::vector<int>{1, 1, 1, 1}));
    EXPECT_EQ(std::vector<int>(bmp.scanLine(0), bmp.scanLine(0) + 4), (std::vector<int>{2, 3, 2, 0}));
}

TEST(BmpFormat, Rle4OddWidthAndDelta)
{
    // 3 x 2: bottom row run of 3 alternating 1,2; delta to (1, 1); absolute 2 nibbles? use run.
    std::vector<std::uint8_t> rle = {3, 0x12, 0, 0, 0, 2, 1, 0, 2, 0x33, 0, 1};
    auto file = makeBmp(3, 2, 4, 2, std::vector<TColor>(16, 0), rle);
    const TBitmap bmp = ReadBmp(file);
    EXPECT_EQ(bmp.scanLine(1)[0], 0x12);
    EXPECT_EQ(bmp.scanLine(1)[1], 0x10);
    EXPECT_EQ(bmp.scanLine(0)[0], 0x03); // column 1 ORed into the low nibble
    EXPECT_EQ(bmp.scanLine(0)[1], 0x30);
}

TEST(BmpFormat, RleErrorsCarryTheDecoderMessage)
{
    std::vector<std::uint8_t> runTooLong = {5, 1, 0, 1};
    try {
        ReadBmp(makeBmp(4, 1, 8, 1, std::vector<TColor>(2, 0), runTooLong));
        FAIL();
    } catch (const ERleDecodeError& e) {
        EXPECT_STREQ(e.what(), "Convert8BitRLETo8BitRGB: Bad RLE Data 4");
    }
    std::vector<std::uint8_t> deltaOut = {0, 2, 9, 0};
    EXPECT_THROW(ReadBmp(makeBmp(4, 1, 8, 1, std::vector<TColor>(2, 0), deltaOut)), ERleDecodeError);
    // Data that ends without an end-of-bitmap code, even mid-way through absolute data, stops.
    std::vector<std::uint8_t> cut = {0, 4, 7, 7};
    const TBitmap bmp = ReadBmp(makeBmp(4, 1, 8, 1, std::vector<TColor>(8, 0), cut));
    EXPECT_EQ(bmp.scanLine(0)[0], 7);
    EXPECT_EQ(bmp.scanLine(0)[2], 0);
    // Compressed data is read from bfOffBits on; an offset at or past the end leaves none.
    auto noData = makeBmp(4, 1, 8, 1, std::vector<TColor>(2, 0), {4, 1, 0, 1});
    put32(noData, 10, std::uint32_t(noData.size()));
    EXPECT_THROW(ReadBmp(noData), EInvalidGraphic);
}

TEST(BmpFormat, BadInputIsRefusedWithoutHugeAllocation)
{
    EXPECT_THROW(ReadBmp({}), EInvalidGraphic);
    EXPECT_THROW(ReadBmp(std::vector<std::uint8_t>{'B', 'M', 0, 0}), EInvalidGraphic);
    auto good = BmpBytes(PatternBitmap(16, 16, 24));
    for (std::size_t cut : {std::size_t(10), std::size_t(30), std::size_t(54), good.size() - 20}) {
        std::vector<std::uint8_t> truncated(good.begin(), good.begin() + long(cut));
        EXPECT_THROW(ReadBmp(truncated), EInvalidGraphic) << cut;
    }
    auto notBm = good;
    notBm[0] = 'X';
    EXPECT_THROW(ReadBmp(notBm), EInvalidGraphic);
    // A header claiming 60000 x 60000 pixels with a few bytes of data.
    auto huge = makeBmp(60000, 60000, 24, 0, {}, {1, 2, 3, 4});
    EXPECT_THROW(ReadBmp(huge), EInvalidGraphic);
    auto hugeRle = makeBmp(60000, 17000, 8, 1, std::vector<TColor>(2, 0), {0, 1});
    EXPECT_THROW(ReadBmp(hugeRle), EInvalidGraphic);
    auto twoBit = makeBmp(4, 1, 2, 0, {}, {0, 0, 0, 0});
    EXPECT_THROW(ReadBmp(twoBit), EInvalidGraphic);
    auto zeroWidth = makeBmp(0, 1, 24, 0, {}, {0, 0, 0, 0});
    EXPECT_THROW(ReadBmp(zeroWidth), EInvalidGraphic);
}

TEST(BmpFormat, PaletteOfMoreThan256EntriesKeeps256)
{
    std::vector<TColor> table(300, RGB(1, 2, 3));
    table[255] = RGB(9, 9, 9);
    const TBitmap bmp = ReadBmp(makeBmp(1, 1, 8, 0, table, {255, 0, 0, 0}));
    EXPECT_EQ(bmp.palette().size(), 256u);
    EXPECT_EQ(bmp.pixelColor(0, 0), RGB(9, 9, 9));
}

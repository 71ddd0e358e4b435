#include "DibTestSupport.h"
#include "codecs/bmp/BmpFormat.h"
#include "codecs/bmp/ColorResolution.h"
#include "codecs/bmp/LvDIBErrors.h"
#include "image/BlockMemory.h"
#include "image/ImageErrors.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace kalvo;
using namespace kalvo::test;

namespace {

template <class E>
std::string messageOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const E& e) {
        return e.what();
    }
    return "(no exception)";
}

std::vector<std::uint8_t> saved(const TLvDIB& dib)
{
    std::ostringstream out;
    dib.SaveToStream(out);
    const std::string s = out.str();
    return {s.begin(), s.end()};
}

} // namespace

TEST(LvDIB, PixelOffsetRules)
{
    const std::vector<std::uint8_t> table(2 * 4, 0);
    const auto packed = PackedDib(1, 1, 8, 0, 2, table, {5, 0, 0, 0});
    TLvDIB dib;
    dib.LoadFromStream(BmpFile(packed, 8)); // exactly 54 + 4 * 2
    EXPECT_EQ(dib.ToBitmap().scanLine(0)[0], 5);

    auto gap = PackedDib(1, 1, 8, 0, 2, table, {9, 9, 9, 9, 7, 0, 0, 0});
    dib.LoadFromStream(BmpFile(gap, 8, 14 + 40 + 8 + 4)); // a four-byte gap is skipped
    EXPECT_EQ(dib.ToBitmap().scanLine(0)[0], 7);

    EXPECT_EQ(messageOf<ELvDIBInvalidDIB>([&] { dib.LoadFromStream(BmpFile(packed, 8, 14 + 40 + 7)); }),
              "TLvInternalDIB.LoadFromFile: bfOffBits is too small");
    EXPECT_EQ(dib.ToBitmap().scanLine(0)[0], 7); // the failed load kept the previous content
}

TEST(LvDIB, ColourTableCounts)
{
    TLvDIB dib;
    std::vector<std::uint8_t> table(256 * 4, 0);
    table[4 * 255 + 2] = 200;
    dib.LoadFromStream(BmpFile(PackedDib(1, 1, 8, 0, 0, table, {255, 0, 0, 0}), table.size()));
    EXPECT_EQ(dib.InternalDIB().Rec.Header.biClrUsed, 256u);
    EXPECT_EQ(dib.ToBitmap().pixelColor(0, 0), RGB(200, 0, 0));

    std::vector<std::uint8_t> big(300 * 4, 0);
    big[4 * 3] = 77; // entry 3: blue 77
    dib.LoadFromStream(BmpFile(PackedDib(1, 1, 8, 0, 300, big, {3, 0, 0, 0}), big.size()));
    EXPECT_EQ(dib.InternalDIB().Rec.Header.biClrUsed, 256u);
    EXPECT_EQ(dib.ToBitmap().pixelColor(0, 0), RGB(0, 0, 77));

    // A 24-bit file with a colour table keeps it.
    std::vector<std::uint8_t> two = {1, 2, 3, 0, 4, 5, 6, 0};
    dib.LoadFromStream(BmpFile(PackedDib(1, 1, 24, 0, 2, two, {10, 20, 30, 0}), two.size()));
    EXPECT_EQ(dib.InternalDIB().Rec.Header.biClrUsed, 2u);
    EXPECT_EQ(dib.InternalDIB().Rec.Colors[1], (TRGBQuad{4, 5, 6, 0}));
}

TEST(LvDIB, TopDownAndBitFields)
{
    TLvDIB dib;
    dib.LoadFromStream(BmpFile(PackedDib(1, -2, 24, 0, 0, {}, {1, 2, 3, 0, 4, 5, 6, 0}), 0));
    EXPECT_LT(dib.InternalDIB().Rec.Header.biHeight, 0);
    const TBitmap upright = dib.ToBitmap();
    EXPECT_EQ(upright.pixelColor(0, 0), RGB(3, 2, 1));
    EXPECT_EQ(upright.pixelColor(0, 1), RGB(6, 5, 4));

    dib.LoadFromStream(BmpFile(PackedDib(2, 1, 16, 0, 0, {}, {0xFF, 0x7F, 0x21, 0x04}), 0));
    EXPECT_EQ(dib.BitCount(), 24);
    EXPECT_EQ(dib.ToBitmap().pixelColor(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(dib.ToBitmap().pixelColor(1, 0), RGB(8, 8, 8));

    std::vector<std::uint8_t> masks565(12, 0);
    Put32(masks565, 0, 0xF800);
    Put32(masks565, 4, 0x07E0);
    Put32(masks565, 8, 0x001F);
    dib.LoadFromStream(BmpFile(PackedDib(1, 1, 16, 3, 0, masks565, {0xFF, 0xFF, 0, 0}), 12));
    EXPECT_EQ(dib.ToBitmap().pixelColor(0, 0), RGB(255, 255, 255));

    std::vector<std::uint8_t> zeroGreen(12, 0);
    Put32(zeroGreen, 0, 0xFF0000);
    Put32(zeroGreen, 8, 0xFF);
    EXPECT_EQ(messageOf<ELvDIBInvalidDIB>([&] {
                  dib.LoadFromStream(BmpFile(PackedDib(1, 1, 32, 3, 0, zeroGreen, {0, 0, 0, 0}), 12));
              }),
              "TLvInternalDIB.LoadFromStream: Invalid Masks");
}

TEST(LvDIB, HeaderErrors)
{
    TLvDIB dib;
    EXPECT_EQ(messageOf<ELvDIBInvalidDIB>([&] {
                  dib.LoadFromStream(BmpFile(PackedDib(4, 1, 2, 0, 0, {}, {0, 0, 0, 0}), 0));
              }),
              "TLvInternalDIB.LoadFromStream: Invalid BitCout");
    auto notBm = BmpFile(PackedDib(1, 1, 24, 0, 0, {}, {0, 0, 0, 0}), 0);
    notBm[0] = 'X';
    EXPECT_EQ(messageOf<ELvDIBInvalidDIBFile>([&] { dib.LoadFromStream(notBm); }),
              "TLvInternalDIB.LoadFromFile: File type is invalid");
    auto badSize = BmpFile(PackedDib(1, 1, 24, 0, 0, {}, {0, 0, 0, 0}), 0);
    Put32(badSize, 14, 64);
    EXPECT_EQ(messageOf<ELvDIBInvalidDIB>([&] { dib.LoadFromStream(badSize); }),
              "TLvInternalDIB.LoadFromStream: Invalid Bitmap Header Size");
    EXPECT_EQ(messageOf<ELvDIBInvalidDIB>([&] {
                  dib.LoadFromStream(BmpFile(PackedDib(0, 1, 24, 0, 0, {}, {0, 0, 0, 0}), 0));
              }),
              "TLvInternalDIB.LoadFromStream: Invalid Width or Height");
    // Core header: 16 bits are not allowed there.
    std::vector<std::uint8_t> core(14 + 12, 0);
    core[0] = 'B', core[1] = 'M';
    Put32(core, 10, 26);
    Put32(core, 14, 12);
    Put16(core, 18, 1), Put16(core, 20, 1), Put16(core, 22, 1), Put16(core, 24, 16);
    EXPECT_EQ(messageOf<ELvDIBInvalidDIB>([&] { dib.LoadFromStream(core); }),
              "TLvInternalDIB.LoadFromStream: Invalid BitCount");
    // Truncated pixel data and a huge claim are the stream's read error, before any allocation.
    EXPECT_THROW(dib.LoadFromStream(BmpFile(PackedDib(4, 4, 24, 0, 0, {}, {1, 2, 3}), 0)), EReadError);
    EXPECT_THROW(dib.LoadFromStream(BmpFile(PackedDib(30000, 30000, 8, 0, 2, std::vector<std::uint8_t>(8), {}), 8)),
                 std::exception);
}

TEST(LvDIB, CoreHeaderFourBit)
{
    std::vector<std::uint8_t> v(14 + 12 + 16 * 3, 0);
    v[0] = 'B', v[1] = 'M';
    Put32(v, 10, std::uint32_t(v.size()));
    Put32(v, 14, 12);
    Put16(v, 18, 2), Put16(v, 20, 1), Put16(v, 22, 1), Put16(v, 24, 4);
    v[26 + 3 * 2 + 1] = 99; // entry 2: green 99
    v.insert(v.end(), {0x20, 0, 0, 0});
    TLvDIB dib;
    dib.LoadFromStream(v);
    EXPECT_EQ(dib.PixelFormat(), lvPf4Bit);
    EXPECT_GT(dib.InternalDIB().Rec.Header.biHeight, 0);
    EXPECT_EQ(dib.InternalDIB().Rec.Header.biClrUsed, 16u);
    EXPECT_EQ(dib.ToBitmap().pixelColor(0, 0), RGB(0, 99, 0));
}

TEST(LvDIB, ShortRleFileFailsButLoadsFromTheClipboard)
{
    // 4 x 2 RLE8: far shorter than the 8 bytes of plain rows.
    const std::vector<std::uint8_t> rle = {4, 1, 0, 0, 0, 1};
    const auto packed = PackedDib(4, 2, 8, 1, 2, std::vector<std::uint8_t>(8, 0), rle);
    TLvDIB dib;
    EXPECT_THROW(dib.LoadFromStream(BmpFile(packed, 8)), EReadError);
    dib.LoadFromClipboardFormat(8, &packed);
    EXPECT_EQ(dib.PixelFormat(), lvPf8BitRLE);
    const TBitmap bmp = dib.ToBitmap();
    EXPECT_EQ(bmp.scanLine(1)[0], 1); // bottom row
    EXPECT_EQ(bmp.scanLine(0)[0], 0); // never set: index 0
    EXPECT_THROW(dib.LoadFromClipboardFormat(2, &packed), EInvalidGraphic);
    EXPECT_THROW(dib.LoadFromClipboardFormat(8, nullptr), EInvalidGraphic);
    auto badHeader = packed;
    Put32(badHeader, 0, 20);
    EXPECT_EQ(messageOf<ELvDIBInvalidDIB>([&] { dib.LoadFromClipboardFormat(8, &badHeader); }),
              "TLvDIB.LoadFromClipboardFormat: Invalid Clipboard Data");
}

TEST(LvDIB, ClipboardBitFieldsBecomeTrueColour)
{
    std::vector<std::uint8_t> masks565(12, 0);
    Put32(masks565, 0, 0xF800);
    Put32(masks565, 4, 0x07E0);
    Put32(masks565, 8, 0x001F);
    // Two pixels: white, then pure green (0x07E0).
    const auto packed = PackedDib(2, 1, 16, 3, 0, masks565, {0xFF, 0xFF, 0xE0, 0x07});
    TLvDIB dib;
    dib.LoadFromClipboardFormat(8, &packed);
    EXPECT_EQ(dib.BitCount(), 24);
    EXPECT_EQ(dib.InternalDIB().Rec.Header.biCompression, 0u);
    EXPECT_EQ(dib.ToBitmap().pixelColor(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(dib.ToBitmap().pixelColor(1, 0), RGB(0, 255, 0));
    auto cut = packed;
    cut.resize(cut.size() - 1);
    EXPECT_THROW(dib.LoadFromClipboardFormat(8, &cut), EReadError);
}

TEST(LvDIB, ClipboardRoundTripAndShortPlainData)
{
    TLvDIB dib;
    const TBitmap original = PatternBitmap(5, 3, 24);
    dib.Assign(original);
    const auto block = dib.SaveToClipboardFormat();
    EXPECT_EQ(block.size(), 40u + 16 * 3);
    TLvDIB back;
    back.LoadFromClipboardFormat(8, &block);
    EXPECT_EQ(back.ToBitmap(), original);
    auto cut = block;
    cut.resize(40 + 20);
    back.LoadFromClipboardFormat(8, &cut); // accepted; the missing rows read as zeros
    EXPECT_EQ(back.ToBitmap().pixelColor(0, 0), RGB(0, 0, 0));
}

TEST(LvDIB, SavingOnePixelWritesFiftyEightBytes)
{
    TLvDIB dib;
    TBitmap one(1, 1, 24);
    dib.Assign(one);
    const auto bytes = saved(dib);
    ASSERT_EQ(bytes.size(), 58u);
    EXPECT_EQ(bytes[2], 58);
    EXPECT_EQ(bytes[10], 54);
}

TEST(LvDIB, SharingIsCopyOnWrite)
{
    TLvDIB a;
    a.Assign(PatternBitmap(4, 4, 8));
    TLvDIB b;
    b.Assign(a);
    EXPECT_EQ(a.RefCount(), 2);
    const auto before = b.Palette();
    a.SetPalette(std::vector<TColor>(256, RGB(1, 2, 3)));
    EXPECT_EQ(a.RefCount(), 1);
    EXPECT_EQ(b.RefCount(), 1);
    EXPECT_EQ(b.Palette(), before);
    EXPECT_EQ((*a.Palette())[7], RGB(1, 2, 3));
    EXPECT_THROW(a.SetPalette(std::vector<TColor>{}), ELvDIBInvalidPalette);
}

TEST(LvDIB, SizeChanges)
{
    TLvDIB dib;
    dib.Assign(PatternBitmap(4, 3, 24));
    const TBitmap before = dib.ToBitmap();
    dib.SetWidth(4);
    EXPECT_EQ(dib.ToBitmap(), before);
    dib.SetWidth(6);
    EXPECT_EQ(dib.Width(), 6);
    EXPECT_EQ(dib.ToBitmap().pixelColor(0, 0), RGB(0, 0, 0));
    EXPECT_THROW(dib.SetWidth(0), ELvDIBInvalidDIBPara);
    EXPECT_THROW(dib.SetHeight(0), ELvDIBInvalidDIBPara);
    EXPECT_THROW(dib.SetBitCount(16), ELvDIBInvalidDIBPara);
}

TEST(LvDIB, ColourResolutionExpandsEveryDepthToTrueColour)
{
    for (int bits : {1, 4, 8}) {
        const TBitmap src = PatternBitmap(9, 4, bits);
        const auto out = ChangeColorResolution(src, 24);
        ASSERT_TRUE(out);
        ASSERT_EQ(out->bitCount(), 24);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 9; ++x)
                ASSERT_EQ(out->pixelColor(x, y), src.pixelColor(x, y)) << bits;
    }
    EXPECT_FALSE(ChangeColorResolution(PatternBitmap(2, 2, 8), 16));
}

TEST(LvDIB, BmpFileLoadTriesTheContainerFirst)
{
    TempDir dir;
    // 40-byte header file the container reads; a V5 header only the general reader accepts.
    const TBitmap bmp = PatternBitmap(6, 2, 4);
    WriteAll(dir.file("a.bmp"), BmpBytes(bmp));
    TLvDIB dib;
    dib.LoadFromFile(dir.file("a.bmp"));
    EXPECT_EQ(dib.ToBitmap(), bmp);
}

TEST(LvDIB, LargePictureIsReadWholeIntoAReusedBlock)
{
    // A picture over the mapped-block size, read into the spare block full of other pixels:
    // every byte comes from the file.
    TempDir dir;
    const TBitmap bmp = PatternBitmap(1203, 1201, 24);
    WriteAll(dir.file("big.bmp"), BmpBytes(bmp));
    std::uint8_t* old = AllocateBlockForOverwrite(bmp.byteSize());
    std::fill_n(old, bmp.byteSize(), std::uint8_t(0xA5));
    ReleaseBlock(old, bmp.byteSize());
    ASSERT_EQ(SpareBlockSize(), bmp.byteSize());
    TLvDIB dib;
    dib.LoadFromFile(dir.file("big.bmp"));
    const TBitmap read = dib.ToBitmap();
    EXPECT_EQ(SpareBlockSize(), 0u); // the picture took it
    EXPECT_EQ(read, bmp);
    ReleaseSpareBlock();
}

#include "codecs/bmp/DibConvert.h"
#include "DibTestSupport.h"
#include "codecs/bmp/LvDIBErrors.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace kalvo;
using namespace kalvo::test;

namespace {

// An 8-bit DIB from rows given top row first.
TLvDIB dib8(const std::vector<std::vector<std::uint8_t>>& rows)
{
    TBitmap bmp(int(rows[0].size()), int(rows.size()), 8);
    for (std::size_t y = 0; y < rows.size(); ++y)
        std::copy(rows[y].begin(), rows[y].end(), bmp.scanLine(int(y)));
    TLvDIB dib;
    dib.Assign(bmp);
    return dib;
}

std::vector<std::uint8_t> storeBytes(const TLvDIB& dib)
{
    const auto& rec = dib.InternalDIB().Rec;
    return {rec.Bits(), rec.Bits() + rec.Size};
}

} // namespace

TEST(DibRle, EncodesTheWorkedExampleInTwentyTwoBytes)
{
    // Bottom row 1, 2, 3, 3, 3; the other rows one colour.
    TLvDIB dib = dib8({{7, 7, 7, 7, 7}, {7, 7, 7, 7, 7}, {7, 7, 7, 7, 7}, {1, 2, 3, 3, 3}});
    dib.SetPixelFormat(lvPf8BitRLE);
    const std::vector<std::uint8_t> expected = {1, 1, 1, 2, 3, 3, 0, 0, 5, 7, 0, 0, 5, 7, 0, 0, 5, 7, 0, 0, 0, 1};
    EXPECT_EQ(storeBytes(dib), expected);
    EXPECT_EQ(dib.InternalDIB().Rec.Header.biSizeImage, 22u);
    dib.SetPixelFormat(lvPf8Bit);
    EXPECT_EQ(dib.ToBitmap().scanLine(3)[1], 2);
}

TEST(DibRle, LongRunsAndImagesThatCannotBeEncoded)
{
    TLvDIB wide = dib8({std::vector<std::uint8_t>(300, 4)});
    wide.SetPixelFormat(lvPf8BitRLE);
    EXPECT_EQ(storeBytes(wide), (std::vector<std::uint8_t>{255, 4, 45, 4, 0, 0, 0, 1}));

    TLvDIB one = dib8({{9}});
    try {
        one.SetPixelFormat(lvPf8BitRLE);
        FAIL();
    } catch (const ELvDIBCompressionFailed& e) {
        EXPECT_STREQ(e.what(), "Convert8BitRGBTo8BitRLE: Compression Failed");
    }
    EXPECT_EQ(one.PixelFormat(), lvPf8Bit);
    EXPECT_EQ(one.ToBitmap().scanLine(0)[0], 9);

    TLvDIB fiveByOne = dib8({{1, 2, 3, 3, 3}});
    EXPECT_THROW(fiveByOne.SetPixelFormat(lvPf8BitRLE), ELvDIBCompressionFailed);
}

TEST(DibRle, TopDownSourceBecomesBottomUp)
{
    // Runs of one index, so that the picture compresses.
    TBitmap picture(20, 6, 8);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 20; ++x)
            picture.scanLine(y)[x] = std::uint8_t(x < 7 + y ? y + 1 : 40);
    TLvDIB dib;
    dib.Assign(picture);
    // Reload the same picture as a top-down DIB from the clipboard form.
    auto block = dib.SaveToClipboardFormat();
    Put32(block, 8, std::uint32_t(-6));
    std::vector<std::uint8_t> flipped(block.begin(), block.begin() + 40 + 1024);
    const std::size_t stride = 20;
    for (int r = 5; r >= 0; --r)
        flipped.insert(flipped.end(), block.begin() + long(40 + 1024 + r * stride),
                       block.begin() + long(40 + 1024 + (r + 1) * stride));
    TLvDIB top;
    top.LoadFromClipboardFormat(8, &flipped);
    EXPECT_EQ(top.ToBitmap(), picture);
    top.SetPixelFormat(lvPf8BitRLE);
    EXPECT_GT(top.InternalDIB().Rec.Header.biHeight, 0);
    EXPECT_EQ(top.ToBitmap().width(), 20);
    for (int y = 0; y < 6; ++y)
        EXPECT_TRUE(std::equal(picture.scanLine(y), picture.scanLine(y) + 20, top.ToBitmap().scanLine(y))) << y;
}

TEST(DibRle, DecoderChecksRowsAndRuns)
{
    auto load = [](int w, int h, std::uint32_t compression, int bits, const std::vector<std::uint8_t>& data) {
        const auto packed = PackedDib(w, h, bits, compression, 2, std::vector<std::uint8_t>(8, 0), data);
        TLvDIB dib;
        dib.LoadFromClipboardFormat(8, &packed);
        return dib;
    };
    auto message = [](TLvDIB& dib, TLvPixelFormat to) -> std::string {
        try {
            dib.SetPixelFormat(to);
        } catch (const ELvDIBInvalidDIB& e) {
            return e.what();
        }
        return "";
    };
    TLvDIB exact = load(4, 1, 1, 8, {4, 2, 0, 0, 0, 1});
    EXPECT_EQ(message(exact, lvPf8Bit), "");
    TLvDIB over = load(4, 1, 1, 8, {5, 2, 0, 1});
    EXPECT_EQ(message(over, lvPf8Bit), "Convert8BitRLETo8BitRGB: Bad RLE Data 4");
    EXPECT_EQ(over.PixelFormat(), lvPf8BitRLE); // kept
    TLvDIB pastLast = load(4, 1, 1, 8, {0, 0, 0, 0, 0, 1});
    EXPECT_EQ(message(pastLast, lvPf8Bit), "Convert8BitRLETo8BitRGB: Bad RLE Data 1");
    // RLE4 of odd width may fill the padding nibble; one pixel more fails.
    TLvDIB odd = load(3, 1, 2, 4, {4, 0x12, 0, 1});
    EXPECT_EQ(message(odd, lvPf4Bit), "");
    EXPECT_EQ(odd.ToBitmap().scanLine(0)[1], 0x12);
    TLvDIB odd2 = load(3, 1, 2, 4, {5, 0x12, 0, 1});
    EXPECT_EQ(message(odd2, lvPf4Bit), "Convert4BitRLETo4BitRGB: Bad RLE Data 8");
}

TEST(DibConvert, EveryTransitionKeepsThePicture)
{
    // A picture whose colours survive every reduction exactly (black and white) and that
    // compresses (runs), 37 pixels wide so that rows end inside a byte.
    TBitmap bw(37, 5, 1);
    bw.setPalette({RGB(0, 0, 0), RGB(255, 255, 255)});
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 37; ++x)
            if (x >= 5 * y && x < 5 * y + 17)
                bw.scanLine(y)[x >> 3] = std::uint8_t(bw.scanLine(y)[x >> 3] | (0x80 >> (x & 7)));
    const TLvPixelFormat all[] = {lvPf1Bit, lvPf4Bit, lvPf4BitRLE, lvPf8Bit, lvPf8BitRLE, lvPf24Bit};
    for (auto from : all)
        for (auto to : all) {
            TLvDIB dib;
            dib.Assign(bw);
            if (from != lvPf1Bit)
                dib.SetPixelFormat(from);
            dib.SetPixelFormat(to);
            EXPECT_EQ(dib.PixelFormat(), to);
            const TBitmap out = dib.ToBitmap();
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < 37; ++x)
                    ASSERT_EQ(out.pixelColor(x, y), bw.pixelColor(x, y))
                        << from << " -> " << to << " at " << x << "," << y;
        }
}

TEST(DibConvert, UnpackingKeepsTheColourTable)
{
    TLvDIB dib;
    dib.Assign(PatternBitmap(7, 2, 4));
    dib.SetPixelFormat(lvPf8Bit);
    EXPECT_EQ(dib.InternalDIB().Rec.Header.biClrUsed, 16u);
    const TBitmap out = dib.ToBitmap();
    const TBitmap src = PatternBitmap(7, 2, 4);
    for (int x = 0; x < 7; ++x)
        EXPECT_EQ(out.scanLine(1)[x], (x & 1) ? (src.scanLine(1)[x >> 1] & 15) : (src.scanLine(1)[x >> 1] >> 4));
    TDibRecord wrong = DeriveRecord(dib.InternalDIB().Rec, 16, false, 8, 0);
    try {
        Convert1BitRGBTo8BitRGB(wrong, false);
        FAIL();
    } catch (const ELvDIBBadDIBType& e) {
        EXPECT_STREQ(e.what(), "Convert1BitRGBTo8BitRGB: Invalid Bitcount & Compression Combination");
    }
}

TEST(DibReduce, OneColourGivesOneEntryAndFullProgress)
{
    TBitmap flat(10, 10, 24);
    flat.fill(RGB(10, 200, 30));
    TLvDIB dib;
    dib.Assign(flat);
    int steps = 0, starts = 0, ends = 0;
    dib.OnProgress = [&](TProgressStage stage, int, bool, const std::string& text) {
        EXPECT_EQ(text, "PixelFormat 24Bit -> 8Bit");
        starts += stage == TProgressStage::Starting;
        ends += stage == TProgressStage::Ending;
    };
    dib.SetPixelFormat(lvPf8Bit);
    steps = dib.ProgressCount;
    EXPECT_EQ(steps, 256);
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(dib.InternalDIB().Rec.Header.biClrUsed, 1u);
    EXPECT_EQ(dib.ToBitmap().pixelColor(9, 9), RGB(10, 200, 30));
}

TEST(DibReduce, EightToFourUsesOnlyTheEntriesInUse)
{
    TBitmap bmp(10, 1, 8);
    std::vector<TColor> palette(256, 0);
    for (int i = 0; i < 10; ++i) {
        palette[i * 20] = RGB(i * 25, 255 - i * 20, i * 7);
        bmp.scanLine(0)[i] = std::uint8_t(i * 20);
    }
    bmp.setPalette(palette);
    TLvDIB dib;
    dib.Assign(bmp);
    dib.SetPixelFormat(lvPf4Bit);
    EXPECT_LE(dib.InternalDIB().Rec.Header.biClrUsed, 10u);
    EXPECT_EQ(dib.ProgressCount, 16);
}

TEST(DibReduce, PreciseSplitOfTwoColoursKeepsThemExactly)
{
    TBitmap bmp(8, 8, 24);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            std::uint8_t* p = bmp.scanLine(y) + 3 * x;
            const bool a = (x + y) % 3 == 0;
            p[0] = a ? 10 : 200, p[1] = a ? 20 : 100, p[2] = a ? 30 : 50;
        }
    TLvDIB dib;
    dib.ConvertMode = 1;
    dib.Assign(bmp);
    dib.SetPixelFormat(lvPf4Bit);
    EXPECT_EQ(dib.InternalDIB().Rec.Header.biClrUsed, 2u);
    EXPECT_EQ(dib.ProgressCount, 16);
    EXPECT_EQ(dib.ToBitmap().toTrueColor(), bmp);
}

TEST(DibReduce, OneBitKeepsOnlyTheExactReferenceColour)
{
    TBitmap bmp(3, 1, 24);
    std::uint8_t* p = bmp.scanLine(0);
    p[0] = p[1] = p[2] = 255;      // white
    p[3] = p[4] = 255, p[5] = 254; // almost white
    p[6] = p[7] = p[8] = 0;        // black
    TLvDIB dib;
    dib.Assign(bmp);
    dib.SetPixelFormat(lvPf1Bit);
    const TBitmap out = dib.ToBitmap();
    EXPECT_EQ(out.pixelColor(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(out.pixelColor(1, 0), RGB(0, 0, 0));
    EXPECT_EQ(out.pixelColor(2, 0), RGB(0, 0, 0));
}

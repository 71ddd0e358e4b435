// RLE bitmaps as other programs write them, opened through the format dispatch: the container's
// strict first attempt and the general reader's second.
#include "DibTestSupport.h"
#include "FileBytes.h"
#include "codecs/FormatDispatch.h"
#include "codecs/bmp/LvDIBErrors.h"
#include "image/ImageErrors.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace kalvo;
using namespace kalvo::test;

namespace {

// A picture of noise (a fixed linear congruential sequence) in a palette of distinct colours.
TBitmap noise(int width, int height, int bits)
{
    TBitmap bmp(width, height, bits);
    std::vector<TColor> palette;
    for (int i = 0; i < (1 << bits); ++i)
        palette.push_back(RGB(i, 255 - i, (i * 37) & 255));
    bmp.setPalette(palette);
    std::uint32_t seed = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            seed = seed * 1103515245u + 12345u;
            const unsigned v = (seed >> 16) & ((1u << bits) - 1);
            std::uint8_t* row = bmp.scanLine(y);
            if (bits == 8)
                row[x] = std::uint8_t(v);
            else
                row[x / 2] = std::uint8_t(row[x / 2] | (x % 2 ? v : v << 4));
        }
    return bmp;
}

// Compressed data as a plain encoder writes noise: every row one absolute run (its pixels,
// padded to a word), an end of line, and the end of bitmap after the last row.
std::vector<std::uint8_t> absoluteRows(const TBitmap& bmp)
{
    const int bits = bmp.bitCount();
    const std::size_t rowBytes = bits == 8 ? std::size_t(bmp.width()) : std::size_t(bmp.width() + 1) / 2;
    std::vector<std::uint8_t> out;
    for (int y = bmp.height() - 1; y >= 0; --y) {
        out.push_back(0);
        out.push_back(std::uint8_t(bmp.width()));
        out.insert(out.end(), bmp.scanLine(y), bmp.scanLine(y) + rowBytes);
        if (rowBytes % 2)
            out.push_back(0);
        out.push_back(0);
        out.push_back(0);
    }
    out.push_back(0);
    out.push_back(1);
    return out;
}

std::vector<std::uint8_t> colourTable(const TBitmap& bmp)
{
    std::vector<std::uint8_t> table;
    for (TColor c : bmp.palette())
        table.insert(table.end(),
                     {std::uint8_t(GetBValue(c)), std::uint8_t(GetGValue(c)), std::uint8_t(GetRValue(c)), 0});
    return table;
}

std::vector<std::uint8_t> rleFile(int w, int h, int bits, const std::vector<std::uint8_t>& table,
                                  const std::vector<std::uint8_t>& data)
{
    const std::uint32_t compression = bits == 8 ? 1 : 2;
    return BmpFile(PackedDib(w, h, bits, compression, std::uint32_t(table.size() / 4), table, data), table.size());
}

std::string containerFailure(const std::vector<std::uint8_t>& file)
{
    try {
        TLvDIB dib;
        dib.LoadFromStream(file);
        dib.ToBitmap();
    } catch (const ELvDIBInvalidDIB& e) {
        return e.what();
    }
    return "(no ELvDIBInvalidDIB)";
}

std::string loadFailure(const TempDir& dir, const std::vector<std::uint8_t>& file, int& result)
{
    TpxImageInfo info;
    info.FileName = dir.file("bad.bmp");
    WriteAll(info.FileName, file);
    try {
        LoadImageFile(info);
    } catch (const std::exception& e) {
        result = info.Result;
        return e.what();
    }
    result = info.Result;
    return "(no exception)";
}

} // namespace

TEST(BmpRleFile, NoisyPicturesWhoseDataIsLongerThanThePlainRowsOpenExactly)
{
    TempDir dir;
    for (int bits : {8, 4}) {
        // 17 x 13 at 8 bits: 288 bytes of compressed data against 260 of plain rows.
        const TBitmap picture = noise(17, 13, bits);
        const auto data = absoluteRows(picture);
        ASSERT_GT(data.size(), DibStride(17, bits) * 13);
        const auto file = rleFile(17, 13, bits, colourTable(picture), data);
        // The container reads only the plain size and finds no end of bitmap in it.
        EXPECT_EQ(containerFailure(file),
                  bits == 8 ? "Convert8BitRLETo8BitRGB: Truncated RLE Data"
                            : "Convert4BitRLETo4BitRGB: Truncated RLE Data");
        const TLoadedFile loaded = LoadFileBytes(dir, file, "noise.bmp");
        ASSERT_TRUE(loaded.bitmap) << bits;
        EXPECT_EQ(loaded.info.Result, 0);
        EXPECT_EQ(*loaded.bitmap, picture) << bits << " bits";
    }
}

TEST(BmpRleFile, ImageMagickRle8WithRunsIntoThePaddingOpensExactly)
{
    // convert noisy.png -type Palette -compress RLE BMP3:..., 37 pixels wide: every row is
    // encoded with its three padding bytes. The plain file is the same picture uncompressed.
    TpxImageInfo info;
    info.FileName = std::string(KALVO_TEST_DATA) + "/bmp/imagemagick-rle8-w37.bmp";
    const auto rle = LoadImageFile(info);
    ASSERT_TRUE(rle);
    EXPECT_EQ(info.Result, 0);
    info.FileName = std::string(KALVO_TEST_DATA) + "/bmp/imagemagick-rle8-w37-plain.bmp";
    const auto plain = LoadImageFile(info);
    ASSERT_TRUE(plain);
    ASSERT_EQ(rle->width(), 37);
    ASSERT_EQ(rle->height(), plain->height());
    EXPECT_EQ(rle->bitCount(), 8);
    for (int y = 0; y < rle->height(); ++y) {
        for (int x = 0; x < 37; ++x)
            ASSERT_EQ(rle->pixelColor(x, y), plain->pixelColor(x, y)) << x << "," << y;
        // The padding runs are dropped, not kept in the row's padding.
        EXPECT_EQ(std::vector<int>(rle->scanLine(y) + 37, rle->scanLine(y) + 40), std::vector<int>(3, 0));
    }
}

TEST(BmpRleFile, BadDataBeyondThePlainSizeStillFails)
{
    TempDir dir;
    const std::vector<std::uint8_t> table(8 * 4, 0);
    // 4 x 2 in absolute rows (16 bytes against 8 plain), then an end of line past the last row.
    std::vector<std::uint8_t> pastLast = {0, 4, 1, 2, 3, 4, 0, 0, 0, 4, 5, 6, 7, 1, 0, 0, 0, 0, 0, 1};
    int result = 0;
    EXPECT_EQ(loadFailure(dir, rleFile(4, 2, 8, table, pastLast), result), "Convert8BitRLETo8BitRGB: Bad RLE Data 1");
    EXPECT_EQ(result, -1);
    // 37 pixels wide: a run to the end of the padded row (40) opens, one pixel more fails.
    std::vector<std::uint8_t> padded = {0, 0, 40, 3, 0, 0, 0, 1};
    const TLoadedFile ok = LoadFileBytes(dir, rleFile(37, 2, 8, table, padded), "padded.bmp");
    ASSERT_TRUE(ok.bitmap);
    EXPECT_EQ(ok.bitmap->scanLine(0)[36], 3);
    EXPECT_EQ(ok.bitmap->scanLine(0)[37], 0);
    EXPECT_EQ(ok.bitmap->scanLine(1)[0], 0);
    padded[2] = 41;
    EXPECT_EQ(loadFailure(dir, rleFile(37, 2, 8, table, padded), result), "Convert8BitRLETo8BitRGB: Bad RLE Data 4");
    // RLE4 at 37 pixels: the padded row holds 40 pixels; an absolute run of 41 fails.
    std::vector<std::uint8_t> absolute4 = {0,    40,   0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11,
                                           0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0,    1};
    const TLoadedFile ok4 = LoadFileBytes(dir, rleFile(37, 1, 4, std::vector<std::uint8_t>(64, 0), absolute4),
                                          "a4.bmp");
    ASSERT_TRUE(ok4.bitmap);
    EXPECT_EQ(ok4.bitmap->scanLine(0)[17], 0x11);
    EXPECT_EQ(ok4.bitmap->scanLine(0)[18], 0x10); // pixel 36; the pad nibble is dropped
    EXPECT_EQ(ok4.bitmap->scanLine(0)[19], 0);
    absolute4[1] = 41;
    EXPECT_EQ(loadFailure(dir, rleFile(37, 1, 4, std::vector<std::uint8_t>(64, 0), absolute4), result),
              "Convert4BitRLETo4BitRGB: Bad RLE Data 7");
}

TEST(BmpRleFile, TheContainerKeepsItsOwnChecks)
{
    auto failure = [](int w, int bits, const std::vector<std::uint8_t>& data) -> std::string {
        const auto packed = PackedDib(w, 1, bits, bits == 8 ? 1 : 2, 2, std::vector<std::uint8_t>(8, 0), data);
        TLvDIB dib;
        dib.LoadFromClipboardFormat(8, &packed);
        try {
            dib.SetPixelFormat(bits == 8 ? lvPf8Bit : lvPf4Bit);
        } catch (const ELvDIBInvalidDIB& e) {
            EXPECT_EQ(dib.PixelFormat(), bits == 8 ? lvPf8BitRLE : lvPf4BitRLE);
            return e.what();
        }
        return "";
    };
    // Runs end at the width, even where the general reader accepts the padding.
    EXPECT_EQ(failure(3, 8, {3, 1, 0, 1}), "");
    EXPECT_EQ(failure(3, 8, {4, 1, 0, 1}), "Convert8BitRLETo8BitRGB: Bad RLE Data 4");
    EXPECT_EQ(failure(3, 8, {0, 4, 1, 1, 1, 1, 0, 1}), "Convert8BitRLETo8BitRGB: Bad RLE Data 3");
    EXPECT_EQ(failure(3, 4, {4, 0x11, 0, 1}), "");
    EXPECT_EQ(failure(3, 4, {5, 0x11, 0, 1}), "Convert4BitRLETo4BitRGB: Bad RLE Data 8");
    EXPECT_EQ(failure(3, 8, {0, 2, 4, 0, 0, 1}), "Convert8BitRLETo8BitRGB: Bad RLE Data 2");
    EXPECT_EQ(failure(3, 4, {0, 0, 0, 0, 0, 1}), "Convert4BitRLETo4BitRGB: Bad RLE Data 5");
    // Data that ends before an end-of-bitmap code: after a run, inside a delta, inside absolute data.
    for (const std::vector<std::uint8_t>& cut :
         std::vector<std::vector<std::uint8_t>>{{3, 1}, {3, 1, 0, 0}, {0, 2, 1}, {0, 3, 1, 1}, {3}, {}}) {
        EXPECT_EQ(failure(3, 8, cut), "Convert8BitRLETo8BitRGB: Truncated RLE Data") << cut.size();
        EXPECT_EQ(failure(3, 4, cut), "Convert4BitRLETo4BitRGB: Truncated RLE Data") << cut.size();
    }
}

#include "PngTestFiles.h"

#include "FileBytes.h"
#include "codecs/FormatDispatch.h"
#include "codecs/png/PngCodec.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <random>

using namespace kalvo;
using namespace kalvo::test;

namespace {

// Samples packed most significant bits first, as PNG rows store them.
std::vector<std::uint8_t> packRow(const std::vector<int>& samples, int depth)
{
    if (depth == 16) {
        std::vector<std::uint8_t> row;
        for (int s : samples) {
            row.push_back(std::uint8_t(s >> 8));
            row.push_back(std::uint8_t(s));
        }
        return row;
    }
    std::vector<std::uint8_t> row((samples.size() * std::size_t(depth) + 7) / 8, 0);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const std::size_t bit = i * std::size_t(depth);
        row[bit / 8] = std::uint8_t(row[bit / 8] | (samples[i] << (8 - depth - int(bit % 8))));
    }
    return row;
}

using TLoaded = TLoadedFile;

TLoaded loadBytes(const TempDir& dir, const std::vector<std::uint8_t>& bytes, const std::string& name = "in.png")
{
    return LoadFileBytes(dir, bytes, name);
}

std::vector<std::uint8_t> saveBytes(const TempDir& dir, const TBitmap& bitmap, const TpxImageInfo& info)
{
    return SaveFileBytes(dir, bitmap, info, "out.png");
}

TRawPng rgbImage(int width, int height, std::uint32_t seed)
{
    TRawPng raw;
    raw.width = width;
    raw.height = height;
    std::mt19937 random(seed);
    for (int y = 0; y < height; ++y) {
        std::vector<std::uint8_t> row;
        for (int x = 0; x < 3 * width; ++x)
            row.push_back(std::uint8_t(random() % 4 * 60 + x % 7));
        raw.rows.push_back(row);
    }
    return raw;
}

TColor rawRgb(const TRawPng& raw, int x, int y)
{
    const std::uint8_t* p = raw.rows[std::size_t(y)].data()
        + std::size_t(x) * (raw.colorType == PNG_COLOR_TYPE_RGBA ? 4 : 3);
    return RGB(p[0], p[1], p[2]);
}

} // namespace

TEST(PngLoad, GreyRampsAtDepths1248)
{
    TempDir dir;
    for (const int depth : {1, 2, 4, 8}) {
        const int n = 1 << depth;
        TRawPng raw;
        raw.width = n + 3;
        raw.height = 2;
        raw.colorType = PNG_COLOR_TYPE_GRAY;
        raw.bitDepth = depth;
        for (int y = 0; y < raw.height; ++y) {
            std::vector<int> samples;
            for (int x = 0; x < raw.width; ++x)
                samples.push_back((x + y) % n);
            raw.rows.push_back(packRow(samples, depth));
        }
        const TLoaded loaded = loadBytes(dir, EncodeRawPng(raw));
        ASSERT_TRUE(loaded.bitmap) << depth;
        const TBitmap& bmp = *loaded.bitmap;
        EXPECT_EQ(bmp.bitCount(), depth == 1 ? 1 : depth == 8 ? 8 : 4);
        ASSERT_EQ(bmp.palette().size(), std::size_t(n));
        for (int i = 0; i < n; ++i) {
            const int v = i * 255 / (n - 1);
            EXPECT_EQ(bmp.palette()[std::size_t(i)], RGB(v, v, v)) << depth << " entry " << i;
        }
        for (int y = 0; y < raw.height; ++y)
            for (int x = 0; x < raw.width; ++x)
                ASSERT_EQ(bmp.pixelColor(x, y), bmp.palette()[std::size_t((x + y) % n)]) << depth;
        EXPECT_FALSE(loaded.info.Transparent);
        EXPECT_FALSE(loaded.info.Interlaced);
        EXPECT_EQ(loaded.info.Width, raw.width);
        EXPECT_EQ(loaded.info.Height, 2);
    }
}

TEST(PngLoad, SixteenBitSamplesScaleToEightBits)
{
    TempDir dir;
    const std::vector<int> samples = {0, 0x0100, 0x8080, 0x7F7F, 0xFFFF};
    const std::vector<int> expected = {0, 1, 128, 127, 255};
    TRawPng grey;
    grey.width = 5;
    grey.height = 1;
    grey.colorType = PNG_COLOR_TYPE_GRAY;
    grey.bitDepth = 16;
    grey.rows.push_back(packRow(samples, 16));
    TLoaded loaded = loadBytes(dir, EncodeRawPng(grey));
    ASSERT_TRUE(loaded.bitmap);
    EXPECT_EQ(loaded.bitmap->bitCount(), 8);
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(loaded.bitmap->pixelColor(x, 0), RGB(expected[x], expected[x], expected[x]));

    TRawPng rgb = grey;
    rgb.colorType = PNG_COLOR_TYPE_RGB;
    rgb.rows = {packRow(
        {0, 0x0100, 0xFFFF, 0x8080, 0x7F7F, 0, 0xFFFF, 0xFFFF, 0xFFFF, 0, 0, 0x0100, 0x8080, 0x8080, 0x8080}, 16)};
    loaded = loadBytes(dir, EncodeRawPng(rgb));
    ASSERT_TRUE(loaded.bitmap);
    EXPECT_EQ(loaded.bitmap->bitCount(), 24);
    EXPECT_EQ(loaded.bitmap->pixelColor(0, 0), RGB(0, 1, 255));
    EXPECT_EQ(loaded.bitmap->pixelColor(1, 0), RGB(128, 127, 0));
    EXPECT_EQ(loaded.bitmap->pixelColor(3, 0), RGB(0, 0, 1));
    EXPECT_EQ(loaded.bitmap->pixelColor(4, 0), RGB(128, 128, 128));
}

TEST(PngLoad, PaletteImagesStayIndexed)
{
    TempDir dir;
    for (const int depth : {1, 2, 4, 8}) {
        const int n = std::min(1 << depth, 40);
        TRawPng raw;
        raw.width = 19;
        raw.height = 3;
        raw.colorType = PNG_COLOR_TYPE_PALETTE;
        raw.bitDepth = depth;
        for (int i = 0; i < n; ++i)
            raw.palette.push_back(png_color{png_byte(i * 6), png_byte(200 - i), png_byte(i * 3 + 1)});
        for (int y = 0; y < raw.height; ++y) {
            std::vector<int> samples;
            for (int x = 0; x < raw.width; ++x)
                samples.push_back((x * 3 + y) % n);
            raw.rows.push_back(packRow(samples, depth));
        }
        const TLoaded loaded = loadBytes(dir, EncodeRawPng(raw));
        ASSERT_TRUE(loaded.bitmap) << depth;
        EXPECT_EQ(loaded.bitmap->bitCount(), depth == 1 ? 1 : depth == 8 ? 8 : 4);
        ASSERT_EQ(loaded.bitmap->palette().size(), std::size_t(n));
        for (int y = 0; y < raw.height; ++y)
            for (int x = 0; x < raw.width; ++x) {
                const png_color c = raw.palette[std::size_t((x * 3 + y) % n)];
                ASSERT_EQ(loaded.bitmap->pixelColor(x, y), RGB(c.red, c.green, c.blue)) << depth;
            }
    }
}

TEST(PngTransparency, IndexedTrnsRoundTrip)
{
    TempDir dir;
    TRawPng raw;
    raw.width = 4;
    raw.height = 1;
    raw.colorType = PNG_COLOR_TYPE_PALETTE;
    raw.palette = {{1, 2, 3}, {200, 100, 50}, {9, 9, 9}, {200, 100, 50}};
    raw.trnsAlpha = {255, 0, 255, 0};
    raw.rows = {{0, 1, 2, 3}};
    const TLoaded loaded = loadBytes(dir, EncodeRawPng(raw));
    ASSERT_TRUE(loaded.bitmap);
    EXPECT_TRUE(loaded.info.Transparent);
    EXPECT_EQ(loaded.info.TransparentColor, RGB(200, 100, 50));
    EXPECT_TRUE(loaded.bitmap->transparent());
    EXPECT_EQ(loaded.bitmap->transparentColor(), RGB(200, 100, 50));

    // Saved again, the first palette entry of that colour is the transparent one.
    const TRawPng saved = DecodeRawPng(saveBytes(dir, *loaded.bitmap, loaded.info));
    EXPECT_EQ(saved.colorType, PNG_COLOR_TYPE_PALETTE);
    EXPECT_EQ(saved.bitDepth, 8);
    EXPECT_EQ(saved.trnsAlpha, (std::vector<std::uint8_t>{255, 0}));
    EXPECT_EQ(saved.rows[0], raw.rows[0]);
    const TLoaded again = loadBytes(dir, saveBytes(dir, *loaded.bitmap, loaded.info), "again.png");
    EXPECT_TRUE(again.info.Transparent);
    EXPECT_EQ(again.info.TransparentColor, RGB(200, 100, 50));

    // Without transparency the tRNS chunk goes.
    TpxImageInfo opaque = loaded.info;
    opaque.Transparent = false;
    EXPECT_TRUE(DecodeRawPng(saveBytes(dir, *loaded.bitmap, opaque)).trnsAlpha.empty());
}

TEST(PngTransparency, PartialTrnsIsTransparentButDoesNotMarkTheBitmap)
{
    TempDir dir;
    TRawPng raw;
    raw.width = 3;
    raw.height = 1;
    raw.colorType = PNG_COLOR_TYPE_PALETTE;
    raw.palette = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
    raw.trnsAlpha = {255, 128, 0};
    raw.rows = {{0, 1, 2}};
    const TLoaded loaded = loadBytes(dir, EncodeRawPng(raw));
    ASSERT_TRUE(loaded.bitmap);
    EXPECT_TRUE(loaded.info.Transparent);
    EXPECT_EQ(loaded.info.TransparentColor, RGB(7, 8, 9));
    EXPECT_FALSE(loaded.bitmap->transparent());
}

TEST(PngTransparency, TruecolourTrnsBecomesAlphaZeroOnExactlyThatColour)
{
    TempDir dir;
    TRawPng raw;
    raw.width = 4;
    raw.height = 2;
    raw.rows = {{10, 20, 30, 10, 20, 31, 0, 0, 0, 10, 20, 30}, {255, 255, 255, 11, 20, 30, 10, 20, 30, 9, 20, 30}};
    raw.trnsColor = png_color_16{0, 10, 20, 30, 0};
    const TLoaded loaded = loadBytes(dir, EncodeRawPng(raw));
    ASSERT_TRUE(loaded.bitmap);
    EXPECT_TRUE(loaded.info.Transparent);
    EXPECT_EQ(loaded.info.TransparentColor, RGB(10, 20, 30));
    EXPECT_TRUE(loaded.bitmap->transparent());

    const TRawPng saved = DecodeRawPng(saveBytes(dir, *loaded.bitmap, loaded.info));
    ASSERT_EQ(saved.colorType, PNG_COLOR_TYPE_RGBA);
    EXPECT_FALSE(saved.trnsColor);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(rawRgb(saved, x, y), rawRgb(raw, x, y));
            const bool match = rawRgb(raw, x, y) == RGB(10, 20, 30);
            EXPECT_EQ(saved.rows[std::size_t(y)][std::size_t(4 * x + 3)], match ? 0 : 255) << x << "," << y;
        }
}

TEST(PngTransparency, GreyTrnsNamesItsRampColour)
{
    TempDir dir;
    TRawPng raw;
    raw.width = 16;
    raw.height = 1;
    raw.colorType = PNG_COLOR_TYPE_GRAY;
    raw.bitDepth = 4;
    std::vector<int> samples(16);
    for (int i = 0; i < 16; ++i)
        samples[std::size_t(i)] = i;
    raw.rows = {packRow(samples, 4)};
    raw.trnsColor = png_color_16{0, 0, 0, 0, 5};
    const TLoaded loaded = loadBytes(dir, EncodeRawPng(raw));
    ASSERT_TRUE(loaded.bitmap);
    EXPECT_TRUE(loaded.info.Transparent);
    EXPECT_EQ(loaded.info.TransparentColor, RGB(85, 85, 85));
    // The bitmap is indexed, so the save marks ramp entry 5 in a tRNS chunk.
    const TRawPng saved = DecodeRawPng(saveBytes(dir, *loaded.bitmap, loaded.info));
    EXPECT_EQ(saved.colorType, PNG_COLOR_TYPE_PALETTE);
    EXPECT_EQ(saved.trnsAlpha, (std::vector<std::uint8_t>{255, 255, 255, 255, 255, 0}));
}

TEST(PngTransparency, AlphaChannelSavesOnlyPureBlackTransparent)
{
    TempDir dir;
    TRawPng raw;
    raw.width = 5;
    raw.height = 1;
    raw.colorType = PNG_COLOR_TYPE_RGBA;
    raw.rows = {{0, 0, 0, 255, 1, 0, 0, 0, 0, 0, 0, 0, 50, 60, 70, 0, 0, 0, 1, 128}};
    const TLoaded loaded = loadBytes(dir, EncodeRawPng(raw));
    ASSERT_TRUE(loaded.bitmap);
    EXPECT_TRUE(loaded.info.Transparent);
    EXPECT_EQ(loaded.info.TransparentColor, 0u);
    EXPECT_FALSE(loaded.bitmap->transparent());
    // The alpha channel is not applied to the colours.
    EXPECT_EQ(loaded.bitmap->pixelColor(3, 0), RGB(50, 60, 70));
    EXPECT_EQ(loaded.bitmap->pixelColor(1, 0), RGB(1, 0, 0));

    const TRawPng saved = DecodeRawPng(saveBytes(dir, *loaded.bitmap, loaded.info));
    ASSERT_EQ(saved.colorType, PNG_COLOR_TYPE_RGBA);
    const std::vector<int> alpha = {0, 255, 0, 255, 255};
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(rawRgb(saved, x, 0), rawRgb(raw, x, 0));
        EXPECT_EQ(saved.rows[0][std::size_t(4 * x + 3)], alpha[std::size_t(x)]) << x;
    }
}

TEST(PngInterlace, Adam7LoadsAndIsWrittenAgain)
{
    TempDir dir;
    TRawPng raw = rgbImage(13, 11, 7);
    const TLoaded plain = loadBytes(dir, EncodeRawPng(raw), "plain.png");
    raw.interlaced = true;
    const TLoaded interlaced = loadBytes(dir, EncodeRawPng(raw), "adam7.png");
    ASSERT_TRUE(plain.bitmap && interlaced.bitmap);
    EXPECT_TRUE(interlaced.info.Interlaced);
    EXPECT_FALSE(plain.info.Interlaced);
    EXPECT_EQ(*interlaced.bitmap, *plain.bitmap);

    const TRawPng saved = DecodeRawPng(saveBytes(dir, *interlaced.bitmap, interlaced.info));
    EXPECT_TRUE(saved.interlaced);
    EXPECT_EQ(saved.rows, raw.rows);
    EXPECT_FALSE(DecodeRawPng(saveBytes(dir, *plain.bitmap, plain.info)).interlaced);
}

TEST(PngInterlace, InterlacedPngSavedAsJpegIsProgressive)
{
    TempDir dir;
    TRawPng raw = rgbImage(32, 24, 3);
    raw.interlaced = true;
    TLoaded loaded = loadBytes(dir, EncodeRawPng(raw));
    ASSERT_TRUE(loaded.bitmap);
    loaded.info.FileName = dir.file("out.jpg");
    SaveImageFile(*loaded.bitmap, loaded.info);
    if (loaded.info.Result != 0)
        GTEST_SKIP() << "the JPEG save is not available in this build";
    const std::vector<std::uint8_t> jpeg = ReadAll(loaded.info.FileName);
    bool progressive = false;
    for (std::size_t i = 0; i + 1 < jpeg.size(); ++i)
        progressive = progressive || (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC2);
    EXPECT_TRUE(progressive);
}

TEST(PngSave, WriterSettings)
{
    TempDir dir;
    TBitmap bitmap(300, 200, 24);
    std::mt19937 random(11);
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < 3 * bitmap.width(); ++x)
            bitmap.scanLine(y)[x] = std::uint8_t(random());
    const std::vector<std::uint8_t> bytes = saveBytes(dir, bitmap, TpxImageInfo{});
    int idats = 0;
    for (const TChunk& chunk : ListChunks(bytes)) {
        if (chunk.type == "IDAT") {
            ++idats;
            EXPECT_LE(chunk.data.size(), 65535u);
            if (idats == 1) {
                EXPECT_EQ(chunk.data[1] >> 6, 3) << "zlib level field of compression level 7";
            }
        }
    }
    EXPECT_GT(idats, 1);
    const std::vector<std::uint8_t> data = InflatedImageData(bytes);
    const std::size_t rowBytes = 1 + 3 * 300;
    ASSERT_EQ(data.size(), rowBytes * 200);
    for (std::size_t y = 0; y < 200; ++y)
        ASSERT_EQ(data[y * rowBytes], 1) << "row " << y << " is not filtered with Sub";
    const TRawPng raw = DecodeRawPng(bytes);
    EXPECT_EQ(raw.colorType, PNG_COLOR_TYPE_RGB);
    EXPECT_FALSE(raw.interlaced);
    for (int y = 0; y < 200; y += 37)
        for (int x = 0; x < 300; x += 23)
            ASSERT_EQ(rawRgb(raw, x, y), bitmap.pixelColor(x, y));
}

TEST(PngSave, ColourTypeFollowsTheDepth)
{
    TempDir dir;
    for (const bool interlaced : {false, true}) {
        for (const int depth : {1, 4, 8, 16, 24, 32}) {
            const TBitmap bitmap = PatternBitmap(21, 9, depth);
            TpxImageInfo info;
            info.Interlaced = interlaced;
            const std::vector<std::uint8_t> bytes = saveBytes(dir, bitmap, info);
            const TRawPng raw = DecodeRawPng(bytes);
            EXPECT_EQ(raw.colorType, depth < 16 ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB) << depth;
            EXPECT_EQ(raw.bitDepth, depth < 16 ? depth : 8) << depth;
            EXPECT_EQ(raw.interlaced, interlaced);
            const TLoaded loaded = loadBytes(dir, bytes);
            ASSERT_TRUE(loaded.bitmap);
            if (depth <= 8 || depth == 24) {
                EXPECT_EQ(*loaded.bitmap, bitmap) << depth;
            }
            for (int y = 0; y < 9; ++y)
                for (int x = 0; x < 21; ++x)
                    ASSERT_EQ(loaded.bitmap->pixelColor(x, y), bitmap.pixelColor(x, y)) << depth;
        }
    }
}

TEST(PngSave, ShortPaletteIsPaddedToTheIndicesUsed)
{
    TempDir dir;
    TBitmap bitmap(3, 1, 8);
    bitmap.setPalette({RGB(1, 2, 3), RGB(4, 5, 6)});
    bitmap.scanLine(0)[2] = 5;
    const TRawPng raw = DecodeRawPng(saveBytes(dir, bitmap, TpxImageInfo{}));
    ASSERT_EQ(raw.palette.size(), 6u);
    EXPECT_EQ(raw.palette[5].red + raw.palette[5].green + raw.palette[5].blue, 0);
    EXPECT_EQ(raw.rows[0], (std::vector<std::uint8_t>{0, 0, 5}));
}

TEST(PngSave, FailureReportsMinusOneAndLeavesNoFile)
{
    TempDir dir;
    TBitmap bitmap = PatternBitmap(4, 4, 24);
    TpxImageInfo info;
    info.FileName = dir.file("missing/out.png");
    SaveImageFile(bitmap, info);
    EXPECT_EQ(info.Result, -1);
    TBitmap empty;
    info.FileName = dir.file("empty.png");
    SaveImageFile(empty, info);
    EXPECT_EQ(info.Result, -1);
    EXPECT_TRUE(ListDir(dir.path()).empty());
}

namespace {

void expectRefused(const TempDir& dir, const std::vector<std::uint8_t>& bytes, const std::string& what)
{
    const TLoaded loaded = loadBytes(dir, bytes);
    EXPECT_FALSE(loaded.bitmap) << what;
    EXPECT_EQ(loaded.info.Result, -1) << what;
    EXPECT_THROW(ReadPng(bytes), EPngError) << what;
}

std::vector<std::uint8_t> smallPng()
{
    TRawPng raw = rgbImage(6, 5, 1);
    std::vector<TChunk> chunks = ListChunks(EncodeRawPng(raw));
    chunks.insert(chunks.begin() + 1, TChunk{"tEXt", {'a', 0, 'b'}, 0});
    return BuildPng(chunks);
}

} // namespace

TEST(PngBadInput, TruncatedFilesFail)
{
    TempDir dir;
    const std::vector<std::uint8_t> bytes = smallPng();
    ASSERT_TRUE(loadBytes(dir, bytes).bitmap);
    for (std::size_t length = 0; length < bytes.size(); ++length)
        expectRefused(dir, std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + long(length)),
                      "prefix of " + std::to_string(length));
}

TEST(PngBadInput, CrcErrorsInAnyChunkFail)
{
    TempDir dir;
    const std::vector<TChunk> chunks = ListChunks(smallPng());
    std::size_t pos = 8;
    for (const TChunk& chunk : chunks) {
        std::vector<std::uint8_t> bytes = smallPng();
        bytes[pos + 8 + chunk.data.size() + 3] ^= 0x01; // the stored CRC
        expectRefused(dir, bytes, "CRC error in " + chunk.type);
        pos += 12 + chunk.data.size();
    }
}

TEST(PngBadInput, UnknownCriticalChunkFailsUnknownAncillaryChunkDoesNot)
{
    TempDir dir;
    std::vector<TChunk> chunks = ListChunks(smallPng());
    chunks.insert(chunks.begin() + 1, TChunk{"abXy", {1, 2, 3}, 0});
    EXPECT_TRUE(loadBytes(dir, BuildPng(chunks)).bitmap);
    chunks.insert(chunks.begin() + 1, TChunk{"ABXY", {1, 2, 3}, 0});
    expectRefused(dir, BuildPng(chunks), "unknown critical chunk");
}

TEST(PngBadInput, HugeDeclaredSizesAreRefusedBeforeAllocating)
{
    TempDir dir;
    std::vector<TChunk> chunks = ListChunks(smallPng());
    auto setSize = [&](std::uint32_t width, std::uint32_t height, std::uint8_t colourType) {
        std::vector<std::uint8_t>& ihdr = chunks[0].data;
        for (int i = 0; i < 4; ++i) {
            ihdr[std::size_t(i)] = std::uint8_t(width >> (24 - 8 * i));
            ihdr[std::size_t(4 + i)] = std::uint8_t(height >> (24 - 8 * i));
        }
        ihdr[9] = colourType;
    };
    setSize(100000, 100000, PNG_COLOR_TYPE_RGB);
    expectRefused(dir, BuildPng(chunks), "100000 x 100000");
    setSize(65535, 65535, PNG_COLOR_TYPE_RGB);
    expectRefused(dir, BuildPng(chunks), "beyond the bitmap's bounds");
    // Within the bounds, but a few bytes of image data cannot inflate to 900 MB.
    setSize(30000, 30000, PNG_COLOR_TYPE_GRAY);
    expectRefused(dir, BuildPng(chunks), "decompression bomb");
    try {
        ReadPng(BuildPng(chunks));
        ADD_FAILURE() << "a 900 MB image from a few bytes was accepted";
    } catch (const EPngError& e) {
        EXPECT_STREQ(e.what(), "PNG: Not enough image data");
    }
}

TEST(PngBadInput, NotAPngEmptyOrMissingFails)
{
    TempDir dir;
    expectRefused(dir, {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "BMP bytes");
    expectRefused(dir, {}, "empty file");
    std::vector<TChunk> chunks = ListChunks(smallPng());
    chunks[0].data[9] = PNG_COLOR_TYPE_PALETTE; // palette image without PLTE
    expectRefused(dir, BuildPng(chunks), "missing PLTE");
    TpxImageInfo info;
    info.FileName = dir.file("none.png");
    EXPECT_FALSE(LoadImageFile(info));
    EXPECT_EQ(info.Result, -1);
}

// The JPEG adapter: decoding and encoding through the IJG interface, the format routines, and
// clean failures on bad input.
#include "codecs/FormatDispatch.h"
#include "codecs/FormatRoutines.h"
#include "codecs/JpegTestSupport.h"
#include "codecs/jpeg/JpegBitmap.h"
#include "image/ImageErrors.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>

using namespace kalvo;
using namespace kalvo::test;

namespace {

// Left half pure red, right half pure blue, in 8-pixel-aligned halves where possible.
TBitmap TwoHalves(int width, int height)
{
    TBitmap bmp(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = bmp.scanLine(y) + 3 * x;
            const bool left = x < width / 2;
            p[0] = left ? 0 : 255;
            p[2] = left ? 255 : 0;
        }
    return bmp;
}

std::vector<std::uint8_t> JpegHeaderOnly(int width, int height)
{
    // SOI, a baseline SOF0 for one 8-bit component, EOI.
    return {0xFF,
            0xD8,
            0xFF,
            0xC0,
            0,
            11,
            8,
            std::uint8_t(height >> 8),
            std::uint8_t(height),
            std::uint8_t(width >> 8),
            std::uint8_t(width),
            1,
            1,
            0x11,
            0,
            0xFF,
            0xD9};
}

// The component count of the first frame header.
int FrameComponents(const std::vector<std::uint8_t>& bytes)
{
    for (std::size_t i = 0; i + 9 < bytes.size(); ++i)
        if (bytes[i] == 0xFF && (bytes[i + 1] == 0xC0 || bytes[i + 1] == 0xC2))
            return bytes[i + 9];
    return -1;
}

TpxImageInfo InfoFor(const std::string& fileName)
{
    TpxImageInfo info;
    info.FileName = fileName;
    return info;
}

} // namespace

TEST(JpegAdapter, ColourFileOpensAt24BitsWithItsSizeAndColours)
{
    TempDir dir;
    // 37 is not a multiple of 4: rows are padded in the bitmap only, so no skew may appear.
    WriteAll(dir.file("a.jpg"), EncodeJpeg(TwoHalves(37, 21), {.quality = 100}));
    TpxImageInfo info = InfoFor(dir.file("a.jpg"));
    info.Interlaced = true;
    info.Transparent = true;
    auto bmp = LoadImageFile(info);
    ASSERT_TRUE(bmp);
    EXPECT_EQ(info.Result, 0);
    EXPECT_EQ(bmp->bitCount(), 24);
    EXPECT_EQ(info.Width, 37);
    EXPECT_EQ(info.Height, 21);
    EXPECT_FALSE(info.Interlaced);
    EXPECT_FALSE(info.Transparent);
    for (int y : {0, 10, 20}) {
        const TColor l = bmp->pixelColor(2, y), r = bmp->pixelColor(34, y);
        EXPECT_GE(GetRValue(l), 245) << y;
        EXPECT_LE(GetBValue(l), 10) << y;
        EXPECT_GE(GetBValue(r), 245) << y;
        EXPECT_LE(GetRValue(r), 10) << y;
    }
}

TEST(JpegAdapter, GreyFileOpensAsEightBitsWithGreyPalette)
{
    TBitmap grey(16, 8, 24);
    grey.fill(RGB(100, 100, 100));
    const auto bytes = EncodeJpeg(grey, {.quality = 100, .gray = true});
    EXPECT_EQ(FrameComponents(bytes), 1);
    const TBitmap bmp = DecodeJpeg(bytes);
    ASSERT_EQ(bmp.bitCount(), 8);
    ASSERT_EQ(bmp.palette().size(), 256u);
    EXPECT_EQ(bmp.palette()[77], RGB(77, 77, 77));
    EXPECT_NEAR(bmp.scanLine(4)[7], 100, 1);
}

TEST(JpegAdapter, ProgressiveFlagTravelsFromLoadToSave)
{
    TempDir dir;
    WriteAll(dir.file("p.jpg"), EncodeJpeg(PhotoLike(40, 30), {.progressive = true}));
    TpxImageInfo info = InfoFor(dir.file("p.jpg"));
    auto bmp = LoadImageFile(info);
    ASSERT_TRUE(bmp);
    EXPECT_TRUE(info.Interlaced);
    info.FileName = dir.file("again.jpeg");
    SaveImageFile(*bmp, info);
    ASSERT_EQ(info.Result, 0);
    EXPECT_EQ(CountMarker(ReadAll(dir.file("again.jpeg")), 0xC2), 1); // progressive frame
    info.Interlaced = false;
    info.FileName = dir.file("plain.JPG");
    SaveImageFile(*bmp, info);
    ASSERT_EQ(info.Result, 0);
    EXPECT_EQ(CountMarker(ReadAll(dir.file("plain.JPG")), 0xC0), 1); // baseline frame
}

TEST(JpegAdapter, PaletteImageSavesAsThreeComponentJpegOfItsColours)
{
    TBitmap bmp(16, 16, 8);
    std::vector<TColor> palette(256, 0);
    palette[3] = RGB(0, 200, 0);
    bmp.setPalette(palette);
    for (int y = 0; y < 16; ++y)
        std::fill_n(bmp.scanLine(y), 16, std::uint8_t(3));
    const auto bytes = EncodeJpeg(bmp, {.quality = 100});
    EXPECT_EQ(FrameComponents(bytes), 3);
    const TColor c = DecodeJpeg(bytes).pixelColor(8, 8);
    EXPECT_NEAR(GetRValue(c), 0, 3);
    EXPECT_NEAR(GetGValue(c), 200, 3);
    EXPECT_NEAR(GetBValue(c), 0, 3);
}

TEST(JpegAdapter, FourBitImageIsExpandedThroughItsPalette)
{
    TBitmap bmp(9, 8, 4);
    std::vector<TColor> palette(16, 0);
    palette[0xA] = RGB(250, 250, 0);
    bmp.setPalette(palette);
    for (int y = 0; y < 8; ++y)
        std::fill_n(bmp.scanLine(y), 5, std::uint8_t(0xAA));
    const TColor c = DecodeJpeg(EncodeJpeg(bmp, {.quality = 100})).pixelColor(8, 7);
    EXPECT_NEAR(GetRValue(c), 250, 4);
    EXPECT_NEAR(GetBValue(c), 0, 4);
}

TEST(JpegAdapter, OneBitImageCannotBeSaved)
{
    TempDir dir;
    TBitmap bmp(8, 8, 1);
    try {
        EncodeJpeg(bmp);
        FAIL() << "no exception";
    } catch (const EJPEGError& e) {
        EXPECT_STREQ(e.what(), "Unable to compress at 1 bit resolution");
    }
    // A failed save leaves an existing file as it was and no temporary file behind.
    WriteAll(dir.file("one.jpg"), {1, 2, 3});
    TpxImageInfo info = InfoFor(dir.file("one.jpg"));
    SaveImageFile(bmp, info);
    EXPECT_EQ(info.Result, -1);
    EXPECT_EQ(ReadAll(dir.file("one.jpg")), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(ListDir(dir.path()).size(), 1u);
}

TEST(JpegAdapter, QuantisationTablesStayBaselineAtBothQualityEnds)
{
    for (int quality : {1, 100}) {
        const auto bytes = EncodeJpeg(PhotoLike(16, 16), {.quality = quality});
        std::size_t p = 2;
        int tables = 0;
        while (p + 4 < bytes.size() && bytes[p + 1] != 0xDA) {
            const std::size_t len = (std::size_t(bytes[p + 2]) << 8) | bytes[p + 3];
            if (bytes[p + 1] == 0xDB)
                for (std::size_t q = p + 4; q < p + 2 + len; q += 65) {
                    EXPECT_EQ(bytes[q] >> 4, 0) << "8-bit precision";
                    for (int i = 1; i <= 64; ++i)
                        EXPECT_GE(bytes[q + i], 1);
                    ++tables;
                }
            p += 2 + len;
        }
        EXPECT_EQ(tables, 2) << quality;
    }
}

TEST(JpegAdapter, QuantisedOutputKinds)
{
    const auto bytes = EncodeJpeg(PhotoLike(32, 32));
    const TBitmap b8 = DecodeJpeg(bytes, kJpegOutputColors256);
    EXPECT_EQ(b8.bitCount(), 8);
    EXPECT_LE(b8.palette().size(), 64u);
    EXPECT_GE(b8.palette().size(), 8u);
    const TBitmap b4 = DecodeJpeg(bytes, kJpegOutputColors16);
    EXPECT_EQ(b4.bitCount(), 4);
    EXPECT_LE(b4.palette().size(), 16u);
    // The packed nibbles index the palette: the top-left pixel is near black-blue-green zero.
    const TColor c = b4.pixelColor(0, 0);
    EXPECT_LT(GetRValue(c) + GetGValue(c) + GetBValue(c), 150);
}

TEST(JpegAdapter, GreyFileRefusesColourOutput)
{
    TBitmap grey(8, 8, 24);
    EXPECT_THROW(
        {
            try {
                DecodeJpeg(EncodeJpeg(grey, {.gray = true}), kJpegOutput24);
            } catch (const EJPEGError& e) {
                EXPECT_STREQ(e.what(), "Image is Grayscale but colour output requested");
                throw;
            }
        },
        EJPEGError);
}

TEST(JpegAdapter, CommentAndApplicationMarkersReachTheirHandlers)
{
    const std::vector<std::uint8_t> exif = {'E', 'x', 'i', 'f', 0, 0, 1, 2, 3};
    const auto bytes = EncodeJpeg(PhotoLike(8, 8), {.comment = "made by a test", .app1 = exif});
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    TJPEGStreamDecompressor jpeg;
    std::string comment;
    std::vector<std::uint8_t> app;
    int appNumber = -1;
    jpeg.OnComment = [&](const std::string& text) { comment = text; };
    jpeg.OnAppMarker = [&](int n, std::span<const std::uint8_t> data) {
        appNumber = n;
        app.assign(data.begin(), data.end());
    };
    jpeg.Attach(in);
    EXPECT_EQ(comment, "made by a test");
    EXPECT_EQ(appNumber, 1);
    EXPECT_EQ(app, exif);
    EXPECT_EQ(jpeg.ToBitmap(kJpegOutput24).width(), 8);
}

TEST(JpegAdapter, HandlerExceptionsPassThroughTheLibraryUnchanged)
{
    const auto bytes = EncodeJpeg(PhotoLike(8, 8), {.comment = "x"});
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    TJPEGStreamDecompressor jpeg;
    jpeg.OnComment = [](const std::string&) { throw std::out_of_range("from the handler"); };
    EXPECT_THROW(jpeg.Attach(in), std::out_of_range);
    // The object is still sound: it reads the next stream.
    jpeg.OnComment = nullptr;
    std::istringstream again(std::string(bytes.begin(), bytes.end()));
    jpeg.Attach(again);
    EXPECT_EQ(jpeg.ToBitmap(kJpegOutput24).height(), 8);
}

TEST(JpegAdapter, CompressorIsReusableAfterAFailure)
{
    TJPEGFileCompressor jpeg;
    bool failMarkers = true;
    jpeg.OnWriteMarkers = [&] {
        if (failMarkers)
            throw std::logic_error("marker writer failed");
    };
    std::ostringstream first;
    EXPECT_THROW(jpeg.CompressToStream(PhotoLike(16, 16), first), std::logic_error);
    failMarkers = false;
    std::ostringstream second;
    jpeg.CompressToStream(PhotoLike(16, 16), second);
    const std::string s = second.str();
    EXPECT_EQ(DecodeJpeg({s.begin(), s.end()}).width(), 16);
}

TEST(JpegAdapter, AbortFromProgressReportStopsWithUserInterrupt)
{
    const auto bytes = EncodeJpeg(PhotoLike(64, 64));
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    TJPEGStreamDecompressor jpeg;
    int reports = 0;
    jpeg.OnProgressReport = [&] {
        if (++reports == 2)
            jpeg.Abort();
    };
    jpeg.Attach(in);
    try {
        jpeg.ToBitmap(kJpegOutput24);
        FAIL() << "no exception";
    } catch (const EJPEGError& e) {
        EXPECT_STREQ(e.what(), "User Interrupt");
    }
}

TEST(JpegAdapter, TruncatedFileOpensWithOneWarning)
{
    auto bytes = EncodeJpeg(PhotoLike(64, 64), {.quality = 95});
    bytes.resize(bytes.size() / 2);
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    TJPEGStreamDecompressor jpeg;
    std::vector<std::string> warnings;
    jpeg.OnWarning = [&](const std::string& text) { warnings.push_back(text); };
    jpeg.Attach(in);
    const TBitmap bmp = jpeg.ToBitmap(kJpegOutput24);
    EXPECT_EQ(bmp.height(), 64);
    EXPECT_GE(jpeg.Warnings(), 1);
    EXPECT_EQ(warnings.size(), 1u); // only the first warning is shown at trace level 0
    // The top rows decoded before the cut are the picture's.
    EXPECT_NEAR(GetGValue(bmp.pixelColor(10, 2)), 255 * 2 / 63, 12);
}

TEST(JpegAdapter, JpegBitmapReportsProgressStages)
{
    const auto bytes = EncodeJpeg(PhotoLike(24, 16));
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    TJPEGBitmap picture;
    std::vector<std::string> messages;
    picture.OnProgress = [&](TJpegProgressStage, int, const std::string& text) {
        if (messages.empty() || messages.back() != text)
            messages.push_back(text);
    };
    picture.LoadFromStream(in);
    EXPECT_EQ(picture.Bitmap.width(), 24);
    ASSERT_GE(messages.size(), 3u);
    EXPECT_EQ(messages.front(), "Opening JPEG Image");
    EXPECT_EQ(messages[1], "Decompressing Image");
    EXPECT_EQ(messages.back(), "Decompression completed");
}

TEST(JpegAdapter, BadFilesFailCleanly)
{
    TempDir dir;
    const auto good = EncodeJpeg(PhotoLike(32, 32));
    std::vector<std::uint8_t> corrupt = good;
    for (std::size_t i = corrupt.size() / 3; i < corrupt.size(); i += 7)
        corrupt[i] ^= 0x5A;
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>> cases = {
        {"empty.jpg", {}},
        {"text.jpg", {'h', 'e', 'l', 'l', 'o'}},
        {"png.jpg", {0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 13}},
        {"huge.jpg", WithClaimedSize(good, 65535, 65535)},
        {"large.jpg", WithClaimedSize(good, 65500, 65500)},
        {"large-progressive.jpg", WithClaimedSize(EncodeJpeg(PhotoLike(32, 32), {.progressive = true}), 60000, 60000)},
        {"no-scan.jpg", JpegHeaderOnly(64, 64)},
        {"soi.jpg", {0xFF, 0xD8}},
        {"header.jpg", std::vector<std::uint8_t>(good.begin(), good.begin() + 40)},
    };
    for (const auto& [name, bytes] : cases) {
        WriteAll(dir.file(name), bytes);
        TpxImageInfo info = InfoFor(dir.file(name));
        EXPECT_FALSE(LoadImageFile(info)) << name;
        EXPECT_EQ(info.Result, -1) << name;
    }
    // Damaged entropy data decodes to something or fails, but never crashes.
    WriteAll(dir.file("corrupt.jpg"), corrupt);
    TpxImageInfo info = InfoFor(dir.file("corrupt.jpg"));
    auto bmp = LoadImageFile(info);
    EXPECT_EQ(bool(bmp), info.Result == 0);
}

TEST(JpegAdapter, MissingFileLeavesTheLoadRoutineAsAnException)
{
    TpxImageInfo info = InfoFor("/nonexistent/dir/x.jpg");
    EXPECT_THROW(LoadJpegFile(info), EFileError);
    EXPECT_EQ(info.Result, -1);
}

TEST(JpegAdapter, SaveIntoMissingDirectoryFails)
{
    TpxImageInfo info = InfoFor("/nonexistent/dir/x.jpg");
    SaveImageFile(*std::make_unique<TBitmap>(PhotoLike(8, 8)), info);
    EXPECT_EQ(info.Result, -1);
}

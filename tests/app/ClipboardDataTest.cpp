#include "app/clipboardformat/ClipboardData.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <QMimeData>

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <utility>

namespace kalvo {
namespace {

using test::PatternBitmap;

TEST(ClipboardData, PrivateDibKeepsDepthPaletteAndPixelsAndTheShapeItsBytes)
{
    for (int bits : {1, 4, 8, 24}) {
        const TBitmap picture = PatternBitmap(17, 5, bits);
        const TRegion shape = TRegion::ellipse({0, 0, 17, 5});
        const auto data = CreatePictureData(picture, shape);
        EXPECT_TRUE(OffersPicture(*data));
        EXPECT_TRUE(data->hasImage());
        const TBitmap back = ReadClipboardPicture(*data);
        EXPECT_EQ(back.bitCount(), bits);
        EXPECT_EQ(back.palette(), picture.palette());
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 17; ++x)
                ASSERT_EQ(back.pixelColor(x, y), picture.pixelColor(x, y)) << bits;
        const std::vector<std::uint8_t> bytes = RegionToBytes(shape);
        const QByteArray stored = data->data(QString::fromLatin1(kRegionMimeType));
        EXPECT_EQ(std::vector<std::uint8_t>(stored.begin(), stored.end()), bytes);
        EXPECT_EQ(ReadClipboardRegion(*data), TRegionRef(shape));
        // The image for other programs carries the same colours.
        const TBitmap viaQt = QImageToPicture(qvariant_cast<QImage>(data->imageData()));
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 17; ++x)
                ASSERT_EQ(viaQt.pixelColor(x, y), picture.pixelColor(x, y)) << bits;
    }
}

TEST(ClipboardData, TheImageForOtherProgramsIsMadeWhenAskedAndEqualsTheDirectConversion)
{
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        const TBitmap picture = PatternBitmap(23, 7, bits);
        const auto data = CreatePictureData(picture, std::nullopt);
        EXPECT_TRUE(data->hasImage()) << bits;
        EXPECT_TRUE(data->formats().contains(QStringLiteral("application/x-qt-image"))) << bits;
        const QImage image = qvariant_cast<QImage>(data->imageData());
        EXPECT_EQ(image, PictureToQImage(picture)) << bits;
        EXPECT_EQ(image.colorTable(), PictureToQImage(picture).colorTable()) << bits;
        // Asked again, the same image.
        EXPECT_EQ(qvariant_cast<QImage>(data->imageData()), image) << bits;
    }
}

TEST(ClipboardData, TruncatedOrLyingDibsFailWithAMessage)
{
    const auto data = CreatePictureData(PatternBitmap(64, 64, 24), std::nullopt);
    const QByteArray dib = data->data(QString::fromLatin1(kDibMimeType));
    for (qsizetype n : {qsizetype(0), qsizetype(3), qsizetype(39)})
        EXPECT_ANY_THROW(DecodeClipboardDib(dib.left(n))) << n;
    // Pixel rows cut short are padded with zeros (bottom-up: the top rows are the missing ones).
    const TBitmap half = DecodeClipboardDib(dib.left(40 + 64 * 64 * 3 / 2));
    ASSERT_EQ(half.width(), 64);
    EXPECT_EQ(half.pixelColor(5, 63), PatternBitmap(64, 64, 24).pixelColor(5, 63));
    EXPECT_EQ(half.pixelColor(5, 0), RGB(0, 0, 0));
    QByteArray lying = dib.left(60);
    lying[4] = lying[5] = lying[6] = char(0xFF);
    lying[7] = 0x7F; // width 2^31 - 1
    EXPECT_ANY_THROW(DecodeClipboardDib(lying));
    lying = dib;
    lying[14] = 7; // 7 bits per pixel
    EXPECT_ANY_THROW(DecodeClipboardDib(lying));
}

void AppendChunk(QByteArray& png, const char* type, const QByteArray& body)
{
    QByteArray chunk = QByteArray(type, 4) + body;
    for (int i = 3; i >= 0; --i)
        png.append(char(std::uint32_t(body.size()) >> (8 * i)));
    png.append(chunk);
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(chunk.constData()), uInt(chunk.size()));
    for (int i = 3; i >= 0; --i)
        png.append(char(crc >> (8 * i)));
}

// A PNG claiming width x height, with valid checksums and a few bytes of pixel data.
QByteArray PngHeader(std::uint32_t width, std::uint32_t height)
{
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    QByteArray header;
    for (std::uint32_t v : {width, height})
        for (int i = 3; i >= 0; --i)
            header.append(char(v >> (8 * i)));
    header.append("\x08\x02\0\0\0", 5);
    AppendChunk(png, "IHDR", header);
    AppendChunk(png, "IDAT", QByteArray("\x78\x9c\x63\x00\x00\x00\x01\x00\x01", 9));
    AppendChunk(png, "IEND", QByteArray());
    return png;
}

TEST(ClipboardData, ForeignPicturesBeyondTheLimitAreRefusedBeforeDecoding)
{
    for (auto [w, h] : {std::pair{12000u, 12000u}, std::pair{70000u, 10u}}) {
        try {
            DecodeClipboardImage(PngHeader(w, h), "png");
            FAIL() << w;
        } catch (const std::exception& e) {
            EXPECT_EQ(std::string(e.what()),
                      "Clipboard: Image is too large (" + std::to_string(w) + " x " + std::to_string(h) + ")");
        }
    }
    // Within the limit but without data: the decoder's own failure.
    EXPECT_ANY_THROW(DecodeClipboardImage(PngHeader(100, 100), "png"));
}

TEST(ClipboardData, NoPictureAndBadShapesAreReportedAsSuch)
{
    QMimeData text;
    text.setText(QStringLiteral("x"));
    EXPECT_FALSE(OffersPicture(text));
    try {
        ReadClipboardPicture(text);
        FAIL();
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), kNoClipboardPicture);
    }
    QMimeData shape;
    EXPECT_FALSE(ReadClipboardRegion(shape));
    shape.setData(QString::fromLatin1(kRegionMimeType), QByteArray());
    EXPECT_FALSE(ReadClipboardRegion(shape));
    std::vector<std::uint8_t> bytes = RegionToBytes(TRegion::rect({0, 0, 4, 4}));
    bytes[8] = 200; // claims 200 rectangles
    shape.setData(QString::fromLatin1(kRegionMimeType),
                  QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
    EXPECT_FALSE(ReadClipboardRegion(shape));
}

} // namespace
} // namespace kalvo

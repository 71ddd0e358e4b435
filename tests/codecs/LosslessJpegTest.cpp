// The lossless JPEG transformation engine and the in-place replacement.
#include "codecs/JpegTestSupport.h"
#include "codecs/jpegtran/JpegMarkers.h"
#include "codecs/jpegtran/LosslessReplace.h"
#include "codecs/jpegtran/LosslessTransform.h"
#include "image/ImageErrors.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

using namespace kalvo;
using namespace kalvo::test;

namespace {

std::vector<std::uint8_t> Transformed(const std::vector<std::uint8_t>& jpeg, int code, int copyOption = kJpegCopyAll)
{
    TLosslessRequest request;
    request.Transform = code;
    request.CopyOption = copyOption;
    return TransformJpegData(jpeg, request);
}

using Point = std::pair<int, int>;

timespec ModificationTime(const std::string& file)
{
    struct stat st { };
    ::stat(file.c_str(), &st);
    return st.st_mtim;
}

} // namespace

TEST(LosslessJpeg, Rotate90OfWholeMcuImageMovesEveryPixel)
{
    const auto source = EncodeJpeg(PhotoLike(640, 480));
    const TBitmap before = DecodeJpeg(source);
    const TBitmap after = DecodeJpeg(Transformed(source, kJpegTransformRotate90));
    ASSERT_EQ(after.width(), 480);
    ASSERT_EQ(after.height(), 640);
    // Clockwise: the new pixel (x, y) was at (y, H - 1 - x).
    EXPECT_LT(MeanDiff(after, before, 0, 0, 480, 640, [](int x, int y) { return Point{y, 479 - x}; }), 1.0);
    // A wrong mapping would be far off.
    EXPECT_GT(MeanDiff(after, before, 0, 0, 480, 640, [](int x, int y) { return Point{639 - y, x}; }), 20.0);
}

TEST(LosslessJpeg, FlipsLeavePartialMcuStripsInPlace)
{
    // 100 x 75 at 4:2:0: the iMCU is 16 x 16, leaving a 4-pixel column and an 11-pixel row.
    const auto source = EncodeJpeg(PhotoLike(100, 75));
    const TBitmap before = DecodeJpeg(source);
    const TBitmap h = DecodeJpeg(Transformed(source, kJpegTransformFlipHorizontal));
    ASSERT_EQ(h.width(), 100);
    auto mirrored = [](int x, int y) { return Point{95 - x, y}; };
    auto same = [](int x, int y) { return Point{x, y}; };
    EXPECT_LT(MeanDiff(h, before, 0, 0, 94, 75, mirrored), 2.0);
    EXPECT_LT(MeanDiff(h, before, 97, 0, 100, 75, same), 2.0);
    EXPECT_GT(MeanDiff(h, before, 97, 0, 100, 75, [](int x, int y) { return Point{99 - x, y}; }), 20.0);

    const TBitmap v = DecodeJpeg(Transformed(source, kJpegTransformFlipVertical));
    ASSERT_EQ(v.height(), 75);
    EXPECT_LT(MeanDiff(v, before, 0, 0, 100, 62, [](int x, int y) { return Point{x, 63 - y}; }), 2.0);
    EXPECT_LT(MeanDiff(v, before, 0, 66, 100, 75, same), 2.0);
    EXPECT_GT(MeanDiff(v, before, 0, 66, 100, 75, [](int x, int y) { return Point{x, 74 - y}; }), 20.0);
}

TEST(LosslessJpeg, TrimCutsThePartialStrip)
{
    TLosslessRequest request;
    request.Transform = kJpegTransformFlipHorizontal;
    request.Trim = true;
    const TBitmap trimmed = DecodeJpeg(TransformJpegData(EncodeJpeg(PhotoLike(100, 75)), request));
    EXPECT_EQ(trimmed.width(), 96);
    EXPECT_EQ(trimmed.height(), 75);
}

TEST(LosslessJpeg, TwoHalfTurnsRestoreTheCoefficients)
{
    for (auto [w, h] : {Point{640, 480}, Point{100, 75}}) {
        const auto source = EncodeJpeg(PhotoLike(w, h));
        const auto twice = Transformed(Transformed(source, kJpegTransformRotate180), kJpegTransformRotate180);
        // Re-encoding the untouched coefficients gives the same bytes.
        EXPECT_EQ(twice, Transformed(source, kJpegTransformNone)) << w << "x" << h;
        EXPECT_NE(Transformed(source, kJpegTransformRotate180), Transformed(source, kJpegTransformNone));
    }
}

TEST(LosslessJpeg, MarkersAreCopiedByOption)
{
    const std::vector<std::uint8_t> exif = {'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0, 42};
    const auto source = EncodeJpeg(PhotoLike(32, 32), {.comment = "holiday", .app1 = exif});
    const auto all = Transformed(source, kJpegTransformRotate270, kJpegCopyAll);
    EXPECT_EQ(CountMarker(all, 0xE0), 1); // the JFIF header is not duplicated
    EXPECT_EQ(CountMarker(all, 0xE1), 1);
    EXPECT_EQ(CountMarker(all, 0xFE), 1);
    EXPECT_EQ(CollectCommentSegments(all), CollectCommentSegments(source));

    const auto comments = Transformed(source, kJpegTransformRotate270, kJpegCopyComments);
    EXPECT_EQ(CountMarker(comments, 0xE0), 1);
    EXPECT_EQ(CountMarker(comments, 0xE1), 0);
    EXPECT_EQ(CollectCommentSegments(comments), CollectCommentSegments(source));
    EXPECT_EQ(DecodeJpeg(comments).width(), 32);

    const auto none = Transformed(source, kJpegTransformRotate270, kJpegCopyNone);
    EXPECT_EQ(CountMarker(none, 0xE1), 0);
    EXPECT_EQ(CountMarker(none, 0xFE), 0);
}

TEST(LosslessJpeg, MarkersLargerThanThePictureAreKept)
{
    // Far more marker data than the worst-case size of a 16 x 8 picture.
    std::vector<std::uint8_t> exif = {'E', 'x', 'i', 'f', 0, 0};
    for (int i = 0; i < 60000; ++i)
        exif.push_back(std::uint8_t(i * 7));
    const auto source = EncodeJpeg(PhotoLike(16, 8), {.app1 = exif});
    const auto rotated = Transformed(source, kJpegTransformRotate90);
    EXPECT_EQ(CountMarker(rotated, 0xE1), 1);
    EXPECT_EQ(DecodeJpeg(rotated).width(), 8);
    const auto payload = std::search(rotated.begin(), rotated.end(), exif.begin(), exif.end());
    ASSERT_NE(payload, rotated.end());
    // Without its APP1 segment, the result is the rotation of the picture without the marker.
    const auto app1 = payload - 4;
    std::vector<std::uint8_t> stripped(rotated.begin(), app1);
    stripped.insert(stripped.end(), app1 + 4 + std::ptrdiff_t(exif.size()), rotated.end());
    EXPECT_EQ(stripped, Transformed(EncodeJpeg(PhotoLike(16, 8)), kJpegTransformRotate90));
}

TEST(LosslessJpeg, CropMovesTheOriginToTheMcuGrid)
{
    TLosslessRequest request;
    request.Transform = kJpegTransformCrop;
    request.CropRect = {20, 18, 40, 30}; // 21 x 13 at (20, 18); the iMCU is 16 x 16
    const TBitmap before = DecodeJpeg(EncodeJpeg(PhotoLike(64, 48)));
    const TBitmap cropped = DecodeJpeg(TransformJpegData(EncodeJpeg(PhotoLike(64, 48)), request));
    EXPECT_EQ(cropped.width(), 25);
    EXPECT_EQ(cropped.height(), 15);
    EXPECT_LT(MeanDiff(cropped, before, 0, 0, 25, 15, [](int x, int y) { return Point{x + 16, y + 16}; }), 2.0);
    request.CropRect = {10, 10, 5, 20};
    EXPECT_THROW(TransformJpegData(EncodeJpeg(PhotoLike(64, 48)), request), EPXJpegException);
}

TEST(LosslessJpeg, ForceGreyWritesOneComponent)
{
    TLosslessRequest request;
    request.Transform = kJpegTransformRotate180;
    request.ForceGray = true;
    const TBitmap grey = DecodeJpeg(TransformJpegData(EncodeJpeg(PhotoLike(32, 16)), request));
    EXPECT_EQ(grey.bitCount(), 8);
    EXPECT_EQ(grey.width(), 32);
}

TEST(LosslessJpeg, LeadingJunkIsSkippedOnlyWithinTheFirstHundredBytes)
{
    const auto source = EncodeJpeg(PhotoLike(32, 32));
    for (std::size_t junk : {50u, 99u, 100u, 200u}) {
        std::vector<std::uint8_t> data(junk, 0x20);
        data.insert(data.end(), source.begin(), source.end());
        if (junk < 100)
            EXPECT_EQ(Transformed(data, kJpegTransformRotate90), Transformed(source, kJpegTransformRotate90)) << junk;
        else
            EXPECT_THROW(Transformed(data, kJpegTransformRotate90), EPXJpegException) << junk;
    }
    EXPECT_EQ(FindJpegStart(std::vector<std::uint8_t>{0xFF, 0xD8, 0xFF}), 0u);
    EXPECT_FALSE(FindJpegStart(std::vector<std::uint8_t>{0xFF, 0xD8, 0x00, 0xFF, 0xD8}));
}

TEST(LosslessJpeg, FileTransformWritesTheDestinationOnlyOnSuccess)
{
    TempDir dir;
    WriteAll(dir.file("a.jpg"), EncodeJpeg(PhotoLike(48, 32)));
    ASSERT_TRUE(
        LosslessTransformFile(dir.file("a.jpg"), dir.file("b.jpg"), kJpegTransformRotate90, {}, kJpegCopyAll, false));
    TLosslessRequest request;
    request.Transform = kJpegTransformRotate90;
    EXPECT_EQ(DecodeJpeg(ReadAll(dir.file("b.jpg"))).width(), 32);
    EXPECT_FALSE(LosslessTransformFile(dir.file("missing.jpg"), dir.file("c.jpg"), request));
    EXPECT_FALSE(LosslessTransformFile(dir.file("a.jpg"), dir.file("no/such/dir.jpg"), request));
    WriteAll(dir.file("bad.jpg"), {1, 2, 3});
    EXPECT_FALSE(LosslessTransformFile(dir.file("bad.jpg"), dir.file("d.jpg"), request));
    EXPECT_EQ(ListDir(dir.path()).size(), 3u);
}

TEST(LosslessJpeg, ReplaceRotatesInPlaceAndKeepsTheTimestampWhenAsked)
{
    TempDir dir;
    const std::string file = dir.file("photo.jpg");
    WriteAll(file, EncodeJpeg(PhotoLike(64, 32)));
    const timespec old[2] = {{1000000000, 0}, {1000000000, 500}};
    ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), old, 0), 0);

    ReplaceJpegLossless(file, kJpegTransformRotate90, true);
    EXPECT_EQ(DecodeJpeg(ReadAll(file)).width(), 32);
    EXPECT_EQ(ModificationTime(file).tv_sec, 1000000000);
    EXPECT_EQ(ModificationTime(file).tv_nsec, 500);

    ReplaceJpegLossless(file, kJpegTransformRotate270, false);
    EXPECT_EQ(DecodeJpeg(ReadAll(file)).width(), 64);
    EXPECT_GT(ModificationTime(file).tv_sec, 1000000000 + 100);
    EXPECT_EQ(ListDir(dir.path()), std::vector<std::string>{"photo.jpg"});
}

TEST(LosslessJpeg, ReplaceThroughASymbolicLinkKeepsTheLink)
{
    TempDir dir;
    WriteAll(dir.file("real.jpg"), EncodeJpeg(PhotoLike(64, 32)));
    ASSERT_EQ(::symlink(dir.file("real.jpg").c_str(), dir.file("link.jpg").c_str()), 0);
    ReplaceJpegLossless(dir.file("link.jpg"), kJpegTransformRotate90, false);
    struct stat st { };
    ASSERT_EQ(::lstat(dir.file("link.jpg").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(DecodeJpeg(ReadAll(dir.file("real.jpg"))).width(), 32);
}

TEST(LosslessJpeg, BadSourcesFailWithTheSourceUntouchedAndNoTemporaryFile)
{
    TempDir dir;
    const auto good = EncodeJpeg(PhotoLike(64, 64));
    std::vector<std::uint8_t> junk200(200, 0x41);
    junk200.insert(junk200.end(), good.begin(), good.end());
    std::vector<std::uint8_t> corruptHeader = good;
    corruptHeader[20] ^= 0xFF;
    corruptHeader[21] ^= 0xFF;
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>> cases = {
        {"empty.jpg", {}},
        {"text.jpg", {'n', 'o', 't', ' ', 'j', 'p', 'e', 'g'}},
        {"soi-only.jpg", {0xFF, 0xD8, 0xFF}},
        {"huge.jpg", WithClaimedSize(good, 65535, 65535)},
        {"large.jpg", WithClaimedSize(good, 60000, 60000)},
        {"junk200.jpg", junk200},
        {"cut-header.jpg", std::vector<std::uint8_t>(good.begin(), good.begin() + 30)},
    };
    for (const auto& [name, bytes] : cases) {
        WriteAll(dir.file(name), bytes);
        EXPECT_ANY_THROW(ReplaceJpegLossless(dir.file(name), kJpegTransformRotate90, true)) << name;
        EXPECT_EQ(ReadAll(dir.file(name)), bytes) << name;
    }
    EXPECT_THROW(ReplaceJpegLossless(dir.file("absent.jpg"), kJpegTransformRotate90, false), EFileError);
    EXPECT_EQ(ListDir(dir.path()).size(), cases.size());
}

TEST(LosslessJpeg, TruncatedDataIsTransformedAsFarAsItGoes)
{
    TempDir dir;
    auto bytes = EncodeJpeg(PhotoLike(64, 64));
    bytes.resize(bytes.size() * 2 / 3);
    WriteAll(dir.file("cut.jpg"), bytes);
    ReplaceJpegLossless(dir.file("cut.jpg"), kJpegTransformFlipVertical, false);
    EXPECT_EQ(DecodeJpeg(ReadAll(dir.file("cut.jpg"))).height(), 64);
}

TEST(LosslessJpeg, DialogItemsMapToTransformations)
{
    EXPECT_EQ(LosslessCodeForDialogItem(0), kJpegTransformRotate90);
    EXPECT_EQ(LosslessCodeForDialogItem(1), kJpegTransformRotate180);
    EXPECT_EQ(LosslessCodeForDialogItem(2), kJpegTransformRotate270);
    EXPECT_EQ(LosslessCodeForDialogItem(3), kJpegTransformFlipVertical);
    EXPECT_EQ(LosslessCodeForDialogItem(4), kJpegTransformFlipHorizontal);
    EXPECT_EQ(LosslessCodeForDialogItem(-1), -1);
    EXPECT_EQ(LosslessCodeForDialogItem(5), -1);
}

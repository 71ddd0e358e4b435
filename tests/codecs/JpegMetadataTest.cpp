// EXIF orientation and metadata of JPEG files: opened upright, kept by JPEG and PNG saves, and
// composed into the lossless rotation.
#include "codecs/FormatDispatch.h"
#include "codecs/JpegTestSupport.h"
#include "codecs/exif/ExifBlock.h"
#include "codecs/jpegtran/LosslessReplace.h"
#include "codecs/jpegtran/LosslessTransform.h"
#include "codecs/preview/PreviewPicture.h"
#include "imaging/geometry/OrientBitmap.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace kalvo;
using namespace kalvo::test;

namespace {

std::vector<std::uint8_t> IntelBlock()
{
    return ReadAll(std::string(KALVO_TEST_DATA) + "/exif/intel.bin");
}

// A JPEG of the picture carrying the block as its EXIF.
std::vector<std::uint8_t> JpegWithExif(const TBitmap& picture, const std::vector<std::uint8_t>& tiff)
{
    JpegOptions options;
    options.app1.resize(kExifMarkerPrefix.size() + tiff.size());
    std::copy(kExifMarkerPrefix.begin(), kExifMarkerPrefix.end(), options.app1.begin());
    std::copy(tiff.begin(), tiff.end(), options.app1.begin() + std::ptrdiff_t(kExifMarkerPrefix.size()));
    return EncodeJpeg(picture, options);
}

// An RGB colour profile header followed by filler, longer than one JPEG marker holds.
std::vector<std::uint8_t> LargeProfile()
{
    std::vector<std::uint8_t> p(140000);
    for (std::size_t i = 132; i < p.size(); ++i)
        p[i] = std::uint8_t(i * 7);
    const auto put = [&](std::size_t at, const char* text) {
        std::copy(text, text + 4, p.begin() + std::ptrdiff_t(at));
    };
    p[1] = 0x02, p[2] = 0x22, p[3] = 0xE0; // 140000
    p[8] = 2, p[9] = 0x10;                 // version 2.1
    put(12, "mntr"), put(16, "RGB "), put(20, "XYZ "), put(36, "acsp");
    p[68 + 2] = 0xF6, p[68 + 3] = 0xD6, p[72 + 1] = 1, p[76 + 2] = 0xD3, p[76 + 3] = 0x2D; // D50
    std::fill(p.begin() + 128, p.begin() + 132, 0);                                        // no tags
    return p;
}

std::optional<TBitmap> Load(const std::string& file, TpxImageInfo& info)
{
    info = TpxImageInfo();
    info.FileName = file;
    return LoadImageFile(info);
}

bool Holds(const std::vector<std::uint8_t>& bytes, const std::string& text)
{
    return std::search(bytes.begin(), bytes.end(), text.begin(), text.end()) != bytes.end();
}

} // namespace

TEST(JpegMetadata, OrientedPhotoOpensUprightAndSavesKeepExifAndProfile)
{
    TempDir dir;
    const std::vector<std::uint8_t> jpeg = JpegWithExif(PatternBitmap(32, 16, 24), IntelBlock());
    WriteAll(dir.file("o6.jpg"), jpeg);
    TpxImageInfo info;
    auto upright = Load(dir.file("o6.jpg"), info);
    ASSERT_TRUE(upright);
    EXPECT_EQ(*upright, OrientBitmap(DecodeJpeg(jpeg), TOrientation::Rotate90));
    EXPECT_EQ(info.Width, 16);
    EXPECT_EQ(info.Height, 32);
    EXPECT_EQ(info.Metadata.Exif, IntelBlock());
    // The open dialog's preview shows it upright too.
    const auto preview = LoadPreviewPicture(dir.file("o6.jpg"), 8, 8);
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->Width, 16);
    EXPECT_EQ(preview->Height, 32);
    EXPECT_LT(preview->Picture.width(), preview->Picture.height());

    info.Metadata.IccProfile = LargeProfile();
    const std::vector<std::uint8_t> savedExif = *ExifForSavedPicture(IntelBlock(), 16, 32);
    for (const char* name : {"saved.jpg", "saved.png"}) {
        info.FileName = dir.file(name);
        SaveImageFile(*upright, info);
        ASSERT_EQ(info.Result, 0) << name;
        TpxImageInfo again;
        const auto reopened = Load(dir.file(name), again);
        ASSERT_TRUE(reopened) << name;
        EXPECT_EQ(reopened->width(), 16) << name << " must not turn twice";
        EXPECT_EQ(again.Metadata.Exif, savedExif) << name;
        EXPECT_EQ(again.Metadata.IccProfile, LargeProfile()) << name;
        EXPECT_FALSE(Holds(ReadAll(dir.file(name)), "thumbnail")) << name;
        EXPECT_TRUE(Holds(ReadAll(dir.file(name)), "Model-1")) << name;
    }
    // A picture from a file without metadata saves without it.
    info.FileName = dir.file("plain.png");
    info.Metadata.clear();
    SaveImageFile(*upright, info);
    EXPECT_FALSE(Holds(ReadAll(dir.file("plain.png")), "eXIf"));
}

TEST(JpegMetadata, LosslessRotationTurnsWhatTheUserSeesAndWritesOrientationOne)
{
    TempDir dir;
    const TBitmap stored = PatternBitmap(48, 32, 24);
    const std::vector<std::uint8_t> jpeg = JpegWithExif(stored, IntelBlock());
    WriteAll(dir.file("o6.jpg"), jpeg);
    ReplaceJpegLossless(dir.file("o6.jpg"), kJpegTransformRotate90, false);

    // Shown turned 90 degrees from upright: the stored picture turned 180 degrees, as it is stored.
    TLosslessRequest half;
    half.Transform = kJpegTransformRotate180;
    const TBitmap expected = DecodeJpeg(TransformJpegData(EncodeJpeg(stored), half));
    TpxImageInfo info;
    const auto turned = Load(dir.file("o6.jpg"), info);
    ASSERT_TRUE(turned);
    EXPECT_EQ(*turned, expected);
    EXPECT_EQ(ExifOrientation(info.Metadata.Exif), 1);
    EXPECT_TRUE(Holds(info.Metadata.Exif, "Model-1"));
}

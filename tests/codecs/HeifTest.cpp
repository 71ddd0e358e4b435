// HEIC and AVIF through the format dispatch: the primary image decodes as heif-convert decodes it
// (8-bit, 10-bit HEVC and AV1, alpha over white, rotated), the preview takes a thumbnail that covers the box,
// saving is refused with a reason.
#include "ReferenceTool.h"
#include "codecs/FormatDispatch.h"
#include "codecs/preview/PreviewPicture.h"
#include "imaging/resample/ResizeResample.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

using namespace kalvo;
using namespace kalvo::test;

namespace {

const std::string kDir = std::string(KALVO_TEST_DATA) + "/heif/";

} // namespace

TEST(Heif, PrimaryImageDecodesAsHeifConvertDecodesIt)
{
    TempDir dir;
    struct TCase {
        const char* name;
        int bits; // of heif-convert's samples
    };
    // deep10.avif: `heif-enc -A -b 10 -p chroma=422 -q 90` of a 16-bit PNG gradient (aom asserts
    // on 10-bit 4:2:0 and 4:4:4 here; 4:2:2 is AV1's professional profile, which dav1d decodes).
    for (const TCase c : {TCase{"rgb.heic", 8}, TCase{"rgb.avif", 8}, TCase{"alpha.avif", 8}, TCase{"deep10.heic", 10},
                          TCase{"deep10.avif", 10}, TCase{"thumb.heic", 8},
                          TCase{"rot90.heic", 8} /* rotated a quarter turn: 17 x 29 */}) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(RunTool(std::string("heif-convert ") + kDir + c.name + " " + dir.file("ref.png") + " >/dev/null"));
        ASSERT_TRUE(RunTool("/usr/bin/convert " + dir.file("ref.png") + " pam:" + dir.file("ref.pam")));
        TpxImageInfo info;
        info.FileName = kDir + c.name;
        const auto bitmap = LoadImageFile(info);
        ASSERT_TRUE(bitmap) << info.FailureReason;
        EXPECT_EQ(info.Result, 0);
        EXPECT_EQ(*bitmap, ReadPnm(dir.file("ref.pam"), c.bits == 8 ? 16 : c.bits));
    }
}

TEST(Heif, PreviewUsesAThumbnailOnlyWhenItCoversTheShownSize)
{
    // thumb.heic: 29 x 17 with a 16 x 8 thumbnail.
    TpxImageInfo info;
    info.FileName = kDir + "thumb.heic";
    const TBitmap primary = *LoadImageFile(info);
    const auto fromThumbnail = LoadPreviewPicture(info.FileName, 14, 14); // shown at 14 x 8
    ASSERT_TRUE(fromThumbnail);
    EXPECT_EQ(fromThumbnail->Width, 29);
    EXPECT_EQ(fromThumbnail->Height, 17);
    EXPECT_EQ(fromThumbnail->Picture.width(), 14);
    EXPECT_EQ(fromThumbnail->Picture.height(), 8);
    EXPECT_NE(fromThumbnail->Picture, ResizeResample(primary, 14, 8));
    const auto fromPrimary = LoadPreviewPicture(info.FileName, 16, 16); // 16 x 9: taller than the thumbnail
    ASSERT_TRUE(fromPrimary);
    EXPECT_EQ(fromPrimary->Picture, ResizeResample(primary, 16, 9));
}

TEST(Heif, SavingIsRefusedWithAReasonAndWritesNothing)
{
    TempDir dir;
    TpxImageInfo info;
    info.FileName = dir.file("out.avif");
    TBitmap bitmap = PatternBitmap(4, 4, 24);
    SaveImageFile(bitmap, info);
    EXPECT_EQ(info.Result, -1);
    EXPECT_FALSE(info.FailureReason.empty());
    EXPECT_FALSE(FileExists(info.FileName));
}

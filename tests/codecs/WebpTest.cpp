// WebP through the format dispatch: decoding equals libwebp's own dwebp, lossless round trips
// are exact, the save options reach the encoder, the preview decodes at the shown size.
#include "FileBytes.h"
#include "ReferenceTool.h"
#include "codecs/FormatDispatch.h"
#include "codecs/preview/PreviewFit.h"
#include "codecs/preview/PreviewPicture.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

using namespace kalvo;
using namespace kalvo::test;

namespace {

const std::string kDir = std::string(KALVO_TEST_DATA) + "/webp/";

std::string chunkAt12(const std::vector<std::uint8_t>& bytes)
{
    return bytes.size() < 16 ? std::string() : std::string(bytes.begin() + 12, bytes.begin() + 16);
}

} // namespace

TEST(Webp, DecodingEqualsDwebpPixelForPixelWithAlphaOverWhite)
{
    TempDir dir;
    for (const char* name : {"lossy.webp", "lossless.webp", "lossy_alpha.webp", "lossless_alpha.webp"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(RunTool("dwebp -quiet -pam " + kDir + name + " -o " + dir.file("ref.pam")));
        const auto bitmap = OpenPicture(kDir + name);
        ASSERT_TRUE(bitmap);
        EXPECT_EQ(*bitmap, ReadPnm(dir.file("ref.pam")));
    }
}

TEST(Webp, LosslessRoundTripsAreExactAtEveryDepth)
{
    TempDir dir;
    TpxImageInfo options;
    options.WebpLossless = true;
    for (int bits : {1, 4, 8, 24, 32}) {
        SCOPED_TRACE(bits);
        const TBitmap original = PatternBitmap(37, 23, bits);
        const auto bytes = SaveFileBytes(dir, original, options, "round.webp");
        EXPECT_EQ(chunkAt12(bytes), "VP8L");
        const auto loaded = OpenPicture(dir.file("round.webp"));
        ASSERT_TRUE(loaded);
        EXPECT_EQ(*loaded, original.toTrueColor());
    }
}

TEST(Webp, QualityReachesTheLossyEncoderAndDwebpReadsTheResult)
{
    TempDir dir;
    const TBitmap original = PatternBitmap(64, 48, 24);
    TpxImageInfo options;
    options.WebpQuality = 10;
    const auto low = SaveFileBytes(dir, original, options, "low.webp");
    options.WebpQuality = 95;
    const auto high = SaveFileBytes(dir, original, options, "high.webp");
    EXPECT_EQ(chunkAt12(low), "VP8 ");
    EXPECT_LT(low.size(), high.size());
    ASSERT_TRUE(RunTool("dwebp -quiet -pam " + dir.file("high.webp") + " -o " + dir.file("high.pam")));
    const auto loaded = OpenPicture(dir.file("high.webp"));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(*loaded, ReadPnm(dir.file("high.pam")));
}

TEST(Webp, PreviewIsLibwebpsScaledDecodingAtTheShownSize)
{
    TempDir dir;
    TpxImageInfo options;
    options.WebpQuality = 50;
    SaveFileBytes(dir, PatternBitmap(400, 300, 24), options, "big.webp");
    const auto preview = LoadPreviewPicture(dir.file("big.webp"), 100, 100);
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->Width, 400);
    EXPECT_EQ(preview->Height, 300);
    EXPECT_EQ(FitPreviewSize(400, 300, 100, 100), (TPreviewSize{100, 75}));
    ASSERT_TRUE(RunTool("dwebp -quiet -scale 100 75 -pam " + dir.file("big.webp") + " -o " + dir.file("small.pam")));
    EXPECT_EQ(preview->Picture, ReadPnm(dir.file("small.pam")));
}

TEST(Webp, FailuresKeepTheOldFileAndSayWhy)
{
    TempDir dir;
    TpxImageInfo info;
    info.FileName = dir.file("wide.webp");
    WriteAll(info.FileName, {1, 2, 3});
    TBitmap tooWide = SolidBitmap(16384, 1, 0x336699);
    SaveImageFile(tooWide, info);
    EXPECT_EQ(info.Result, -1);
    EXPECT_NE(info.FailureReason.find("16383"), std::string::npos) << info.FailureReason;
    EXPECT_EQ(ReadAll(info.FileName), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_FALSE(LoadImageFile(info));
    EXPECT_EQ(info.Result, -1);
    EXPECT_NE(info.FailureReason.find("WebP"), std::string::npos) << info.FailureReason;
}

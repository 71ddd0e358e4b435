// kalvo-cli with WebP, TIFF, HEIC and AVIF files: conversions through the format dispatch, the
// WebP save options, and damaged files failing with the decoder's reason and nothing written.
#include "CliTestSupport.h"
#include "codecs/bmp/BmpFormat.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace kalvo;
using namespace kalvo::test;

TEST(CliModernFormats, WebpLosslessRoundTripGivesTheSameBmp)
{
    TempDir dir;
    WriteAll(dir.file("p.bmp"), BmpBytes(PatternBitmap(33, 7, 24)));
    ASSERT_EQ(RunCli({"convert", dir.file("p.bmp"), dir.file("direct.bmp")}).status, 0);
    auto r = RunCli({"convert", dir.file("p.bmp"), dir.file("x.webp"), "--webp-lossless", "--webp-quality", "30"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(RunCli({"convert", dir.file("x.webp"), dir.file("back.bmp")}).status, 0);
    EXPECT_EQ(ReadAll(dir.file("back.bmp")), ReadAll(dir.file("direct.bmp")));
    r = RunCli({"info", dir.file("x.webp")});
    EXPECT_EQ(r.out, "33 7 24 interlaced=0 transparent=0 transparent-color=000000\n");

    r = RunCli({"convert", dir.file("p.bmp"), dir.file("y.webp"), "--webp-quality", "0"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--webp-quality"), std::string::npos) << r.err;
    EXPECT_FALSE(FileExists(dir.file("y.webp")));
}

TEST(CliModernFormats, TiffRoundTripAndHeifReadOnly)
{
    TempDir dir;
    WriteAll(dir.file("p.bmp"), BmpBytes(PatternBitmap(33, 7, 8)));
    ASSERT_EQ(RunCli({"convert", dir.file("p.bmp"), dir.file("direct.bmp")}).status, 0);
    ASSERT_EQ(RunCli({"convert", dir.file("p.bmp"), dir.file("x.tiff")}).status, 0);
    EXPECT_EQ(RunCli({"info", dir.file("x.tiff")}).out, "33 7 8 interlaced=0 transparent=0 transparent-color=000000\n");
    EXPECT_EQ(RunCli({"convert", dir.file("x.tiff"), dir.file("back.bmp")}).status, 0);
    EXPECT_EQ(ReadAll(dir.file("back.bmp")), ReadAll(dir.file("direct.bmp")));

    const std::string heic = std::string(KALVO_TEST_DATA) + "/heif/rgb.heic";
    EXPECT_EQ(RunCli({"info", heic}).out, "29 17 24 interlaced=0 transparent=0 transparent-color=000000\n");
    const auto r = RunCli({"convert", dir.file("p.bmp"), dir.file("x.heic")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("not saved"), std::string::npos) << r.err;
    EXPECT_FALSE(FileExists(dir.file("x.heic")));
}

TEST(CliModernFormats, DamagedFilesFailWithTheReasonAndWriteNothing)
{
    TempDir dir;
    const std::string malformed = std::string(KALVO_TEST_DATA) + "/malformed/";
    for (const char* name : {"webp-truncated-data.webp", "tiff-truncated-strip.tif", "tiff-lying-size.tif",
                             "heic-truncated-data.heic", "avif-lying-ispe-size.avif", "heic-lying-grid-size.heic"}) {
        SCOPED_TRACE(name);
        const auto r = RunCli({"convert", malformed + name, dir.file("out.bmp")});
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find(std::string("cannot open ") + malformed + name + ": "), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find("could not be read or decoded"), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err; // one line, the reason in it
        EXPECT_FALSE(FileExists(dir.file("out.bmp")));
    }
    // The grid's claimed size is refused by libheif's limit before memory is taken for it, not
    // at the bitmap's bounds after decoding.
    const auto grid = RunCli({"convert", malformed + "heic-lying-grid-size.heic", dir.file("out.bmp")});
    EXPECT_NE(grid.err.find("exceeds the maximum image size"), std::string::npos) << grid.err;
}

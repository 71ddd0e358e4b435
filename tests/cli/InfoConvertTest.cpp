#include "CliTestSupport.h"
#include "codecs/FormatDispatch.h"
#include "codecs/JpegTestSupport.h"
#include "codecs/bmp/BmpFormat.h"
#include "codecs/exif/ExifBlock.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

using namespace kalvo;
using namespace kalvo::test;

namespace {

// Counts the lines of a text.
int lines(const std::string& s)
{
    return int(std::count(s.begin(), s.end(), '\n'));
}

} // namespace

TEST(CliInfo, PrintsSizeDepthAndLoadProperties)
{
    TempDir dir;
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        std::string name = std::to_string(bits);
        name.insert(0, 1, 'p');
        name += ".bmp";
        const std::string path = dir.file(name);
        WriteAll(path, BmpBytes(PatternBitmap(11, 3, bits)));
        const auto r = RunCli({"info", path});
        EXPECT_EQ(r.status, 0) << r.err;
        const int held = bits > 8 ? 24 : bits;
        EXPECT_EQ(r.out, "11 3 " + std::to_string(held) + " interlaced=0 transparent=0 transparent-color=000000\n");
    }
}

TEST(CliInfo, RleFileAndFailures)
{
    TempDir dir;
    // 4 x 1 RLE8: a run of four pixels of index 1.
    std::vector<std::uint8_t> rle = BmpBytes(PatternBitmap(4, 1, 8));
    rle[30] = 1; // biCompression = RLE8
    rle.resize(54 + 256 * 4);
    rle.insert(rle.end(), {4, 1, 0, 1});
    WriteAll(dir.file("r.rle"), rle);
    auto r = RunCli({"info", dir.file("r.rle")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, 6), "4 1 8 ");

    r = RunCli({"info", dir.file("missing.bmp")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(lines(r.err), 1);
    EXPECT_NE(r.err.find("missing.bmp"), std::string::npos);

    WriteAll(dir.file("empty.bmp"), {});
    r = RunCli({"info", dir.file("empty.bmp")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(lines(r.err), 1);

    WriteAll(dir.file("x.txt"), {'x'});
    EXPECT_EQ(RunCli({"info", dir.file("x.txt")}).status, 1);

    EXPECT_EQ(RunCli({"info"}).status, 2);
    EXPECT_EQ(RunCli({"info", "a", "b"}).status, 2);
    EXPECT_EQ(RunCli({"frobnicate"}).status, 2);
    EXPECT_EQ(RunCli({"info", "--help"}).status, 0);
}

TEST(CliConvert, RoundTripsAndNeverWritesOnFailure)
{
    TempDir dir;
    const TBitmap original = PatternBitmap(9, 5, 8);
    WriteAll(dir.file("in.bmp"), BmpBytes(original));
    auto r = RunCli({"convert", dir.file("in.bmp"), dir.file("out.dib")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadBmp(ReadAll(dir.file("out.dib"))), original);

    WriteAll(dir.file("keep.bmp"), {7, 7});
    WriteAll(dir.file("bad.bmp"), {'B', 'M', 0});
    r = RunCli({"convert", dir.file("bad.bmp"), dir.file("keep.bmp")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(ReadAll(dir.file("keep.bmp")), (std::vector<std::uint8_t>{7, 7}));

    r = RunCli({"convert", dir.file("in.bmp"), dir.file("out.tga")});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(FileExists(dir.file("out.tga")));

    EXPECT_EQ(RunCli({"convert", dir.file("in.bmp"), dir.file("o.bmp"), "--jpeg-quality", "0"}).status, 2);
    EXPECT_EQ(RunCli({"convert", dir.file("in.bmp"), dir.file("o.bmp"), "--transparent", "12345"}).status, 2);
    EXPECT_EQ(RunCli({"convert", dir.file("in.bmp"), dir.file("o.bmp"), "--bogus"}).status, 2);
    EXPECT_EQ(RunCli({"convert", dir.file("in.bmp"), dir.file("o.bmp"), "--interlaced", "--no-interlaced"}).status, 2);
}

TEST(CliUsage, VersionPrintsTheVersion)
{
    const auto r = RunCli({"--version"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("kalvo-cli ", 0), 0u) << r.out;
    EXPECT_EQ(lines(r.out), 1);
    EXPECT_TRUE(r.err.empty());
}

TEST(CliConvert, AFileThatFailsToDecodeGivesTheDecodersReason)
{
    TempDir dir;
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>> broken = {
        {"x.png", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'}},
        {"x.gif", {'G', 'I', 'F', '8', '9', 'a', 1}},
        {"x.jpg", {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J'}},
        {"x.jp2", {0, 0, 0, 12, 'j', 'P', ' ', ' ', 13, 10, 0x87, 10, 0}},
        {"x.bmp", {'B', 'M', 0}},
    };
    for (const auto& [name, bytes] : broken) {
        SCOPED_TRACE(name);
        WriteAll(dir.file(name), bytes);
        const auto r = RunCli({"convert", dir.file(name), dir.file("out.bmp")});
        EXPECT_EQ(r.status, 1);
        const std::string prefix = "kalvo-cli convert: cannot open " + dir.file(name) + ": ";
        ASSERT_EQ(r.err.rfind(prefix, 0), 0u) << r.err;
        const std::string reason = r.err.substr(prefix.size());
        EXPECT_GT(reason.size(), 1u) << r.err;
        EXPECT_EQ(reason.find("could not be read or decoded"), std::string::npos) << r.err;
        EXPECT_EQ(lines(r.err), 1) << r.err;
    }
}

TEST(CliInfo, OrientedJpegIsReportedUprightAndConvertKeepsItsExif)
{
    TempDir dir;
    const auto tiff = ReadAll(std::string(KALVO_TEST_DATA) + "/exif/intel.bin");
    JpegOptions options;
    options.app1.resize(kExifMarkerPrefix.size() + tiff.size());
    std::copy(kExifMarkerPrefix.begin(), kExifMarkerPrefix.end(), options.app1.begin());
    std::copy(tiff.begin(), tiff.end(), options.app1.begin() + std::ptrdiff_t(kExifMarkerPrefix.size()));
    WriteAll(dir.file("o6.jpg"), EncodeJpeg(PatternBitmap(32, 16, 24), options));
    const auto r = RunCli({"info", dir.file("o6.jpg")});
    EXPECT_EQ(r.out.substr(0, 9), "16 32 24 ") << r.err;
    for (const char* name : {"out.png", "out.jpg"}) {
        ASSERT_EQ(RunCli({"convert", dir.file("o6.jpg"), dir.file(name)}).status, 0);
        TpxImageInfo info;
        info.FileName = dir.file(name);
        const auto reopened = LoadImageFile(info);
        ASSERT_TRUE(reopened);
        EXPECT_EQ(reopened->width(), 16) << name;
        EXPECT_EQ(info.Metadata.Exif, ExifForSavedPicture(tiff, 16, 32)) << name;
    }
}

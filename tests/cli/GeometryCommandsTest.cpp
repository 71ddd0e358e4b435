// kalvo-cli crop, rotate, flip and canvas against ImageMagick's convert on the same files.
#include "CliTestSupport.h"
#include "codecs/bmp/BmpFormat.h"
#include "image/NearestPaletteIndex.h"
#include "imaging/geometry/OrientBitmap.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace kalvo;
using namespace kalvo::test;

namespace {

bool HaveImageMagick()
{
    return std::system("convert -version >/dev/null 2>&1") == 0;
}

// convert IN OPTIONS BMP3:OUT, read back.
TBitmap ImageMagick(const std::string& in, const std::string& options, const std::string& out)
{
    const std::string cmd = "convert '" + in + "' " + options + " 'BMP3:" + out + "'";
    EXPECT_EQ(std::system(cmd.c_str()), 0) << cmd;
    return ReadBmpFile(out);
}

void ExpectSameColours(const TBitmap& actual, const TBitmap& expected, const std::string& what)
{
    ASSERT_EQ(actual.width(), expected.width()) << what;
    ASSERT_EQ(actual.height(), expected.height()) << what;
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            ASSERT_EQ(actual.pixelColor(x, y), expected.pixelColor(x, y)) << what << " at " << x << "," << y;
}

} // namespace

TEST(CliGeometry, EqualsImageMagickPixelForPixelAtEveryDepth)
{
    if (!HaveImageMagick())
        GTEST_SKIP() << "ImageMagick's convert is not installed (scripts/install-deps.sh installs it)";
    TempDir dir;
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"rotate", "--angle", "90"}, "-rotate 90"},
        {{"rotate", "--angle", "180"}, "-rotate 180"},
        {{"rotate", "--angle", "-90"}, "-rotate 270"},
        {{"flip", "--horizontal"}, "-flop"},
        {{"flip", "--vertical"}, "-flip"},
        {{"crop", "--rect", "3,2,20,9"}, "-crop 20x9+3+2"},
        {{"crop", "--rect", "30,15,20,20"}, "-crop 20x20+30+15"},
        {{"canvas", "--size", "40x30"}, "-background white -extent 40x30"},
        {{"canvas", "--size", "50x20", "--anchor", "center", "--background", "102030"},
         "-gravity center -background '#102030' -extent 50x20"},
        {{"canvas", "--size", "20x40", "--anchor", "bottom-right", "--background", "FF0000"},
         "-gravity southeast -background '#FF0000' -extent 20x40"},
        {{"canvas", "--size", "36x9", "--anchor", "top"}, "-gravity north -background white -extent 36x9"},
        {{"canvas", "--size", "8x33", "--anchor", "left", "--background", "00FF00"},
         "-gravity west -background '#00FF00' -extent 8x33"},
    };
    for (int bits : {1, 4, 8, 24}) {
        const std::string in = dir.file("in" + std::to_string(bits) + ".bmp");
        WriteAll(in, BmpBytes(PatternBitmap(37, 23, bits)));
        for (std::size_t i = 0; i < cases.size(); ++i) {
            const auto& [args, options] = cases[i];
            // Fills of colours outside a palette are compared on the full-colour picture only.
            if (bits != 24 && args[0] == "canvas")
                continue;
            std::vector<std::string> argv = {args[0], in, dir.file("k.bmp")};
            argv.insert(argv.end(), args.begin() + 1, args.end());
            const auto r = RunCli(argv);
            ASSERT_EQ(r.status, 0) << options << ": " << r.err;
            const TBitmap ours = ReadBmpFile(dir.file("k.bmp"));
            EXPECT_EQ(ours.bitCount(), bits) << options;
            ExpectSameColours(ours, ImageMagick(in, options, dir.file("m.bmp")),
                              options + " at " + std::to_string(bits) + " bits");
        }
    }
}

TEST(CliGeometry, PalettePicturesKeepDepthPaletteAndIndices)
{
    TempDir dir;
    const TBitmap src = PatternBitmap(13, 6, 4);
    WriteAll(dir.file("in.bmp"), BmpBytes(src));
    auto r = RunCli({"rotate", dir.file("in.bmp"), dir.file("r.bmp"), "--angle", "270"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadBmpFile(dir.file("r.bmp")), OrientBitmap(src, TOrientation::Rotate270));
    // The new area of a palette picture takes the nearest palette entry.
    r = RunCli({"canvas", dir.file("in.bmp"), dir.file("c.bmp"), "--size", "15x6", "--background", "000000"});
    ASSERT_EQ(r.status, 0) << r.err;
    const TBitmap canvas = ReadBmpFile(dir.file("c.bmp"));
    EXPECT_EQ(canvas.bitCount(), 4);
    const TColor nearest = src.palette()[std::size_t(NearestPaletteIndex(src.palette(), clBlack))];
    EXPECT_EQ(canvas.pixelColor(13, 0), nearest);
    EXPECT_EQ(canvas.pixelColor(14, 5), nearest);
    EXPECT_EQ(canvas.pixelColor(12, 5), src.pixelColor(12, 5));
    // A free angle gives a larger full-colour picture with background corners.
    r = RunCli({"rotate", dir.file("in.bmp"), dir.file("f.bmp"), "--angle", "-12.5", "--background", "0000FF"});
    ASSERT_EQ(r.status, 0) << r.err;
    const TBitmap free = ReadBmpFile(dir.file("f.bmp"));
    EXPECT_EQ(free.bitCount(), 24);
    EXPECT_EQ(free.width(), 14); // 13 cos 12.5 + 6 sin 12.5 = 13.99
    EXPECT_EQ(free.pixelColor(0, 0), RGB(0, 0, 255));
}

TEST(CliGeometry, UsageErrorsExitTwoAndWriteNothing)
{
    TempDir dir;
    const std::string in = dir.file("in.bmp"), out = dir.file("out.bmp");
    WriteAll(in, BmpBytes(PatternBitmap(10, 8, 24)));
    const std::vector<std::vector<std::string>> bad = {
        {"crop", in, out},
        {"crop", in, out, "--rect", "10,0,5,5"}, // outside the picture
        {"crop", in, out, "--rect", "0,0,0,5"},  // zero size
        {"crop", in, out, "--rect", "1,2,3"},
        {"crop", in, out, "--rect", "1,2,3,4,"},
        {"rotate", in, out},
        {"rotate", in, out, "--angle", "360.1"},
        {"rotate", in, out, "--angle", "-361"},
        {"rotate", in, out, "--angle", "12.25"},
        {"rotate", in, out, "--angle", "90", "--background", "red"},
        {"flip", in, out},
        {"flip", in, out, "--horizontal", "--vertical"},
        {"canvas", in, out, "--size", "0x5"},
        {"canvas", in, out, "--size", "65536x5"},
        {"canvas", in, out, "--size", "5x5", "--anchor", "middle"},
    };
    for (const auto& args : bad) {
        const auto r = RunCli(args);
        EXPECT_EQ(r.status, 2) << args[0] << " " << args.back() << ": " << r.err;
        EXPECT_FALSE(FileExists(out)) << args.back();
    }
    EXPECT_EQ(RunCli({"flip", dir.file("missing.bmp"), out, "--vertical"}).status, 1);
    // A free rotation too large to hold fails cleanly.
    WriteAll(dir.file("long.bmp"), BmpBytes(PatternBitmap(65535, 1, 1)));
    EXPECT_EQ(RunCli({"rotate", dir.file("long.bmp"), out, "--angle", "45"}).status, 1);
    EXPECT_FALSE(FileExists(out));
}

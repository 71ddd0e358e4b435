#include "CliTestSupport.h"
#include "codecs/bmp/BmpFormat.h"
#include "imaging/resample/ResizeNearest.h"
#include "imaging/resample/ResizeResample.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace kalvo;
using namespace kalvo::test;

TEST(CliResize, PercentAndSizeGiveTheEditorsResult)
{
    TempDir dir;
    const TBitmap source = PatternBitmap(40, 30, 24);
    WriteAll(dir.file("in.bmp"), BmpBytes(source));

    auto r = RunCli({"resize", dir.file("in.bmp"), dir.file("half.bmp"), "--percent", "50", "--resample"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadBmpFile(dir.file("half.bmp")), ResizeResample(source, 20, 15));

    r = RunCli({"resize", dir.file("in.bmp"), dir.file("wide.bmp"), "--size", "7x99", "--keep-aspect"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadBmpFile(dir.file("wide.bmp")), ResizeNearest(source, 7, 5)); // Trunc(30/40*7 + 0.5)

    const TBitmap indexed = PatternBitmap(9, 4, 4);
    WriteAll(dir.file("in4.bmp"), BmpBytes(indexed));
    r = RunCli({"resize", dir.file("in4.bmp"), dir.file("out4.bmp"), "--percent", "300"});
    ASSERT_EQ(r.status, 0) << r.err;
    const TBitmap out4 = ReadBmpFile(dir.file("out4.bmp"));
    EXPECT_EQ(out4.bitCount(), 4);
    EXPECT_EQ(out4.width(), 27);
    EXPECT_EQ(out4.palette(), indexed.palette());
}

TEST(CliResize, UsageErrorsAndFailuresWriteNothing)
{
    TempDir dir;
    WriteAll(dir.file("in.bmp"), BmpBytes(PatternBitmap(4, 4, 24)));
    const std::string out = dir.file("out.bmp");
    EXPECT_EQ(RunCli({"resize", dir.file("in.bmp"), out}).status, 2);
    EXPECT_EQ(RunCli({"resize", dir.file("in.bmp"), out, "--size", "3x3", "--percent", "5"}).status, 2);
    EXPECT_EQ(RunCli({"resize", dir.file("in.bmp"), out, "--size", "0x3"}).status, 2);
    EXPECT_EQ(RunCli({"resize", dir.file("in.bmp"), out, "--size", "3by3"}).status, 2);
    EXPECT_EQ(RunCli({"resize", dir.file("in.bmp"), out, "--percent", "10001"}).status, 2);
    EXPECT_EQ(RunCli({"resize", dir.file("missing.bmp"), out, "--percent", "50"}).status, 1);
    // A side beyond what the program can hold fails cleanly.
    const auto r = RunCli({"resize", dir.file("in.bmp"), out, "--size", "100000x1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(FileExists(out));
}

TEST(CliNegative, InvertsTheWholeImageAndExpandsPalettes)
{
    TempDir dir;
    TBitmap image(2, 1, 24);
    image.scanLine(0)[0] = 10;
    image.scanLine(0)[5] = 200;
    WriteAll(dir.file("in.bmp"), BmpBytes(image));
    auto r = RunCli({"negative", dir.file("in.bmp"), dir.file("out.bmp")});
    ASSERT_EQ(r.status, 0) << r.err;
    const TBitmap out = ReadBmpFile(dir.file("out.bmp"));
    EXPECT_EQ(out.pixelColor(0, 0), RGB(255, 255, 245));
    EXPECT_EQ(out.pixelColor(1, 0), RGB(55, 255, 255));

    TBitmap mono(3, 1, 1);
    mono.scanLine(0)[0] = 0x40; // black, white, black
    WriteAll(dir.file("mono.bmp"), BmpBytes(mono));
    r = RunCli({"negative", dir.file("mono.bmp"), dir.file("mono-out.bmp")});
    ASSERT_EQ(r.status, 0) << r.err;
    const TBitmap monoOut = ReadBmpFile(dir.file("mono-out.bmp"));
    EXPECT_EQ(monoOut.bitCount(), 24);
    EXPECT_EQ(monoOut.pixelColor(0, 0), clWhite);
    EXPECT_EQ(monoOut.pixelColor(1, 0), clBlack);
    EXPECT_EQ(RunCli({"negative", dir.file("in.bmp")}).status, 2);
}

#include "CliTestSupport.h"
#include "codecs/bmp/BmpFormat.h"
#include "imaging/colour/ReduceColors.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

using namespace kalvo;
using namespace kalvo::test;

namespace {

std::string text(const std::vector<std::uint8_t>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

void writeText(const std::string& file, const std::string& content)
{
    WriteAll(file, std::vector<std::uint8_t>(content.begin(), content.end()));
}

} // namespace

TEST(CliReduce, EveryPathGivesTheEditorsResult)
{
    TempDir dir;
    const TBitmap source = PatternBitmap(33, 17, 24);
    WriteAll(dir.file("in.bmp"), BmpBytes(source));
    for (int colors : {256, 16, 2})
        for (auto palette : {TReducePalette::Optimized, TReducePalette::Fixed})
            for (bool dither : {false, true}) {
                std::vector<std::string> args{"reduce",
                                              dir.file("in.bmp"),
                                              dir.file("out.bmp"),
                                              "--colors",
                                              std::to_string(colors),
                                              "--palette",
                                              palette == TReducePalette::Fixed ? "fixed" : "optimized"};
                if (dither)
                    args.push_back("--dither");
                const auto r = RunCli(args);
                ASSERT_EQ(r.status, 0) << r.err;
                EXPECT_EQ(ReadBmpFile(dir.file("out.bmp")), ReduceColors(source, colors, palette, dither))
                    << colors << " " << dither;
            }
}

TEST(CliReduce, RefusesWhatTheEditorDoesNotOfferAndBadUsage)
{
    TempDir dir;
    WriteAll(dir.file("in8.bmp"), BmpBytes(PatternBitmap(8, 8, 8)));
    WriteAll(dir.file("in1.bmp"), BmpBytes(PatternBitmap(8, 8, 1)));
    const std::string out = dir.file("out.bmp");
    auto r = RunCli({"reduce", dir.file("in8.bmp"), out, "--colors", "256"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("8 bits per pixel"), std::string::npos) << r.err;
    EXPECT_EQ(RunCli({"reduce", dir.file("in1.bmp"), out, "--colors", "2"}).status, 1);
    EXPECT_FALSE(FileExists(out));
    EXPECT_EQ(RunCli({"reduce", dir.file("in8.bmp"), out, "--colors", "16"}).status, 0);
    EXPECT_EQ(ReadBmpFile(out).bitCount(), 4);

    EXPECT_EQ(RunCli({"reduce", dir.file("in8.bmp"), out}).status, 2);
    EXPECT_EQ(RunCli({"reduce", dir.file("in8.bmp"), out, "--colors", "8"}).status, 2);
    EXPECT_EQ(RunCli({"reduce", dir.file("in8.bmp"), out, "--colors", "16", "--palette", "web"}).status, 2);
    EXPECT_EQ(RunCli({"reduce", dir.file("missing.bmp"), out, "--colors", "16"}).status, 1);
}

TEST(CliExpand, RaisesTheDepthOrFails)
{
    TempDir dir;
    const TBitmap mono = PatternBitmap(13, 5, 1);
    WriteAll(dir.file("in.bmp"), BmpBytes(mono));
    auto r = RunCli({"expand", dir.file("in.bmp"), dir.file("out4.bmp"), "--bits", "4"});
    ASSERT_EQ(r.status, 0) << r.err;
    const TBitmap four = ReadBmpFile(dir.file("out4.bmp"));
    EXPECT_EQ(four.bitCount(), 4);
    EXPECT_EQ(four.palette().size(), 16u);
    EXPECT_EQ(four.toTrueColor(), mono.toTrueColor());

    r = RunCli({"expand", dir.file("out4.bmp"), dir.file("out24.bmp"), "--bits", "24"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadBmpFile(dir.file("out24.bmp")), mono.toTrueColor());

    r = RunCli({"expand", dir.file("out24.bmp"), dir.file("back.bmp"), "--bits", "8"});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(FileExists(dir.file("back.bmp")));
    EXPECT_EQ(RunCli({"expand", dir.file("in.bmp"), dir.file("x.bmp"), "--bits", "16"}).status, 2);
}

TEST(CliCountColors, PrintsTheCount)
{
    TempDir dir;
    TBitmap image(4, 1, 8);
    image.setPalette({RGB(1, 2, 3), RGB(1, 2, 3), RGB(9, 9, 9)});
    image.scanLine(0)[1] = 1;
    image.scanLine(0)[2] = 2;
    WriteAll(dir.file("in.bmp"), BmpBytes(image));
    auto r = RunCli({"count-colors", dir.file("in.bmp")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "2\n");
    EXPECT_EQ(RunCli({"count-colors", dir.file("nothing.bmp")}).status, 1);
}

TEST(CliPalette, ExportThenImport)
{
    TempDir dir;
    TBitmap image(3, 1, 8);
    image.setPalette({RGB(255, 0, 0), RGB(0, 0, 255), RGB(10, 20, 30)});
    image.scanLine(0)[1] = 1;
    image.scanLine(0)[2] = 2;
    WriteAll(dir.file("in.bmp"), BmpBytes(image));
    auto r = RunCli({"palette-export", dir.file("in.bmp"), dir.file("p.pal")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(text(ReadAll(dir.file("p.pal"))), "JASC-PAL\r\n0100\r\n3\r\n255 0 0\r\n0 0 255\r\n10 20 30\r\n");

    TBitmap photo(3, 1, 24);
    photo.fill(RGB(240, 5, 5));
    WriteAll(dir.file("photo.bmp"), BmpBytes(photo));
    r = RunCli({"palette-import", dir.file("photo.bmp"), dir.file("p.pal"), dir.file("out.bmp")});
    ASSERT_EQ(r.status, 0) << r.err;
    const TBitmap out = ReadBmpFile(dir.file("out.bmp"));
    EXPECT_EQ(out.bitCount(), 4);
    EXPECT_EQ(out.palette(), image.palette());
    EXPECT_EQ(out.scanLine(0)[0], 0x00);

    writeText(dir.file("two.pal"), "JASC-PAL\r\n0100\r\n2\r\n0,0,0\r\n255,255,255\r\n");
    r = RunCli({"palette-import", dir.file("photo.bmp"), dir.file("two.pal"), dir.file("mono.bmp")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadBmpFile(dir.file("mono.bmp")).bitCount(), 1);
}

TEST(CliPalette, BadPaletteFilesAndImagesWithoutPalette)
{
    TempDir dir;
    WriteAll(dir.file("photo.bmp"), BmpBytes(PatternBitmap(5, 5, 24)));
    const std::string out = dir.file("out.bmp");
    for (const char* bad : {"", "JASC-PAL\r\n0100\r\n300\r\n", "JASC-PAL\r\n0100\r\n2\r\n1 2 3\r\n",
                            "JASC-PAL\r\n0100\r\n1\r\nred green blue\r\n"}) {
        writeText(dir.file("bad.pal"), bad);
        const auto r = RunCli({"palette-import", dir.file("photo.bmp"), dir.file("bad.pal"), out});
        EXPECT_EQ(r.status, 1) << bad;
        EXPECT_FALSE(FileExists(out));
    }
    EXPECT_EQ(RunCli({"palette-import", dir.file("photo.bmp"), dir.file("none.pal"), out}).status, 1);
    const auto r = RunCli({"palette-export", dir.file("photo.bmp"), dir.file("p.pal")});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(FileExists(dir.file("p.pal")));
    WriteAll(dir.file("in8.bmp"), BmpBytes(PatternBitmap(5, 5, 8)));
    EXPECT_EQ(RunCli({"palette-export", dir.file("in8.bmp"), dir.file("nodir/p.pal")}).status, 1);
    EXPECT_EQ(RunCli({"palette-export", dir.file("in8.bmp")}).status, 2);
}

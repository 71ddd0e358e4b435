// The adjustment and filter subcommands give the library's result on the whole picture and
// refuse bad arguments without writing.
#include "CliTestSupport.h"
#include "codecs/bmp/BmpFormat.h"
#include "imaging/adjust/BrightnessContrast.h"
#include "imaging/adjust/Grayscale.h"
#include "imaging/adjust/HueSaturation.h"
#include "imaging/adjust/Levels.h"
#include "imaging/filter/GaussianBlur.h"
#include "imaging/filter/UnsharpMask.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>

using namespace kalvo;
using namespace kalvo::test;

TEST(CliAdjust, EachSubcommandGivesTheEditorsResult)
{
    TempDir dir;
    const TBitmap source = PatternBitmap(23, 17, 24);
    WriteAll(dir.file("in.bmp"), BmpBytes(source));
    const TLevels input{20, 200, 0.7};
    const struct {
        std::vector<std::string> args;
        std::function<bool(TBitmap&)> op;
    } cases[] = {
        {{"brightness-contrast", "--brightness", "-30", "--contrast", "45"},
         [](TBitmap& b) {
             return ApplyTables(b, TRegionRef{}, nullptr, SameTables(BrightnessContrastTable(-30, 45)));
         }},
        {{"hue-saturation", "--hue", "-90", "--saturation", "40", "--lightness", "-20"},
         [](TBitmap& b) {
             return HueSaturation(b, TRegionRef{}, nullptr, {-90, 40, -20});
         }},
        {{"levels", "--input", "20,200", "--gamma", "0.7"},
         [&](TBitmap& b) {
             return ApplyTables(b, TRegionRef{}, nullptr, LevelsTables({input, input, input}));
         }},
        {{"levels", "--auto"},
         [](TBitmap& b) {
             return ApplyTables(b, TRegionRef{}, nullptr, LevelsTables(AutoLevels(b, TRegionRef{}, nullptr)));
         }},
        {{"grayscale"}, [](TBitmap& b) { return Grayscale(b, TRegionRef{}, nullptr); }},
        {{"blur", "--radius", "2.5"}, [](TBitmap& b) { return GaussianBlur(b, TRegionRef{}, nullptr, 2.5); }},
        {{"sharpen", "--amount", "250", "--radius", "1", "--threshold", "9"},
         [](TBitmap& b) {
             return UnsharpMask(b, TRegionRef{}, nullptr, {250, 1.0, 9});
         }},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {c.args[0], dir.file("in.bmp"), dir.file("out.bmp")};
        args.insert(args.end(), c.args.begin() + 1, c.args.end());
        const auto r = RunCli(args);
        ASSERT_EQ(r.status, 0) << c.args[0] << ": " << r.err;
        TBitmap expected = source;
        ASSERT_TRUE(c.op(expected));
        EXPECT_EQ(ReadBmpFile(dir.file("out.bmp")), expected) << c.args[0];
    }
}

TEST(CliAdjust, BadArgumentsAreUsageErrorsAndWriteNothing)
{
    TempDir dir;
    WriteAll(dir.file("in.bmp"), BmpBytes(PatternBitmap(4, 4, 24)));
    const std::string in = dir.file("in.bmp"), out = dir.file("out.bmp");
    const std::vector<std::string> bad[] = {
        {"brightness-contrast", in, out, "--brightness", "10"},
        {"brightness-contrast", in, out, "--brightness", "101", "--contrast", "0"},
        {"hue-saturation", in, out, "--hue", "181", "--saturation", "0", "--lightness", "0"},
        {"levels", in, out},
        {"levels", in, out, "--auto", "--input", "0,255"},
        {"levels", in, out, "--auto", "--gamma", "2"},
        {"levels", in, out, "--input", "0-255"},
        {"levels", in, out, "--input", "0,255", "--gamma", "0.05"},
        {"blur", in, out, "--radius", "0"},
        {"blur", in, out, "--radius", "1e1"},
        {"sharpen", in, out, "--radius", "1"},
        {"sharpen", in, out, "--amount", "100", "--radius", "1", "--threshold", "256"},
        {"grayscale", in},
    };
    for (const auto& args : bad) {
        const auto r = RunCli(args);
        EXPECT_EQ(r.status, 2) << args[0] << " " << args.back();
        EXPECT_FALSE(r.err.empty());
    }
    EXPECT_EQ(RunCli({"blur", dir.file("missing.bmp"), out, "--radius", "1"}).status, 1);
    EXPECT_FALSE(FileExists(out));
}

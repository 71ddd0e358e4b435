// kalvo-cli's restart with huge pages for large pictures.
#include "CliTestSupport.h"
#include "cli/HugePageRestart.h"
#include "codecs/jpegtran/LosslessTransform.h"
#include "image/BmpFormat.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>
#include <sys/stat.h>

using namespace kalvo;
using namespace kalvo::cli;
using namespace kalvo::test;

namespace {

// How often the dynamic loader handed control to a program in one run (LD_DEBUG=files says so
// once per program start).
int ProgramStarts(const CliResult& r)
{
    int n = 0;
    for (std::size_t at = r.err.find("transferring control"); at != std::string::npos;
         at = r.err.find("transferring control", at + 1))
        ++n;
    return n;
}

std::vector<std::uint8_t> ReadBytes(const std::string& name)
{
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A picture of noise, so that its JPEG stays large.
TBitmap NoiseBitmap(int width, int height)
{
    TBitmap bmp(width, height, 24);
    std::mt19937 random(7);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = bmp.scanLine(y);
        for (int i = 0; i < width * 3; ++i)
            row[i] = std::uint8_t(random());
    }
    return bmp;
}

} // namespace

TEST(HugePageRestart, TunablesAddTheSettingOnce)
{
    EXPECT_EQ(TunablesWithHugePages(nullptr), "glibc.malloc.hugetlb=1");
    EXPECT_EQ(TunablesWithHugePages(""), "glibc.malloc.hugetlb=1");
    EXPECT_EQ(TunablesWithHugePages("glibc.malloc.arena_max=2"), "glibc.malloc.arena_max=2:glibc.malloc.hugetlb=1");
    // A setting of the user's own, whatever its value, is left alone; so is the restarted process.
    EXPECT_EQ(TunablesWithHugePages("glibc.malloc.hugetlb=0"), std::nullopt);
    EXPECT_EQ(TunablesWithHugePages("glibc.malloc.arena_max=2:glibc.malloc.hugetlb=2"), std::nullopt);
}

TEST(HugePageRestart, OnlyExistingLargeFilesCount)
{
    TempDir dir;
    WriteAll(dir.file("small"), std::vector<std::uint8_t>(kHugePageInputBytes - 1));
    WriteAll(dir.file("large"), std::vector<std::uint8_t>(kHugePageInputBytes));
    EXPECT_FALSE(NamesLargeFile({}));
    EXPECT_FALSE(NamesLargeFile({dir.file("small"), dir.file("missing"), dir.path(), "--rotate", "90"}));
    EXPECT_TRUE(NamesLargeFile({"--rotate", "90", dir.file("large")}));
}

TEST(HugePageRestart, LargeInputsRunInARestartedProcessWithTheSameResult)
{
    if (!HugePagesOnRequest())
        GTEST_SKIP() << "the kernel gives no huge pages on request here";
    TempDir dir;
    WriteAll(dir.file("small.bmp"), BmpBytes(PatternBitmap(64, 48, 24)));
    WriteAll(dir.file("large.bmp"), BmpBytes(PatternBitmap(640, 560, 24))); // 1 075 254 bytes
    const std::vector<std::string> debug = {"LD_DEBUG=files"};

    const CliResult small = RunCli({"info", dir.file("small.bmp")}, debug);
    EXPECT_EQ(small.out, "64 48 24 interlaced=0 transparent=0 transparent-color=000000\n");
    EXPECT_EQ(ProgramStarts(small), 1);

    const CliResult large = RunCli({"info", dir.file("large.bmp")}, debug);
    EXPECT_EQ(large.status, 0);
    EXPECT_EQ(large.out, "640 560 24 interlaced=0 transparent=0 transparent-color=000000\n");
    EXPECT_EQ(ProgramStarts(large), 2);

    // A setting of the user's own is kept, without a restart.
    const CliResult own = RunCli({"info", dir.file("large.bmp")}, {"LD_DEBUG=files", "GLIBC_TUNABLES=glibc.malloc.hugetlb=0"});
    EXPECT_EQ(own.out, large.out);
    EXPECT_EQ(ProgramStarts(own), 1);

    // A rotation in the restarted process writes the bytes the transformation gives in this one.
    WriteAll(dir.file("noise.bmp"), BmpBytes(NoiseBitmap(1200, 900)));
    ASSERT_EQ(RunCli({"convert", dir.file("noise.bmp"), dir.file("photo.jpg"), "--jpeg-quality", "95"}).status, 0);
    const std::vector<std::uint8_t> photo = ReadBytes(dir.file("photo.jpg"));
    ASSERT_GE(static_cast<long long>(photo.size()), kHugePageInputBytes);
    TLosslessRequest request;
    request.Transform = kJpegTransformRotate90;
    const std::vector<std::uint8_t> expected = TransformJpegData(photo, request);
    const CliResult rotated = RunCli({"lossless-jpeg", dir.file("photo.jpg"), "--rotate", "90"}, debug);
    EXPECT_EQ(rotated.status, 0);
    EXPECT_EQ(ProgramStarts(rotated), 2);
    EXPECT_EQ(ReadBytes(dir.file("photo.jpg")), expected);

    // Failures still report once, with the failing status.
    std::vector<std::uint8_t> garbage(kHugePageInputBytes + 10, 0x5A);
    WriteAll(dir.file("bad.jpg"), garbage);
    const CliResult bad = RunCli({"info", dir.file("bad.jpg")});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err, "kalvo-cli info: cannot open " + dir.file("bad.jpg") + ": the file could not be read or decoded\n");
}

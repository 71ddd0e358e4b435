// kalvo-cli's restart with huge pages for large pictures.
#include "CliTestSupport.h"
#include "cli/HugePageRestart.h"
#include "codecs/jpegtran/LosslessTransform.h"
#include "codecs/bmp/BmpFormat.h"
#include "startup/HugePageMalloc.h"
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

TEST(HugePageRestart, OnlyExistingLargeFilesCount)
{
    TempDir dir;
    WriteAll(dir.file("small"), std::vector<std::uint8_t>(kHugePageInputBytes - 1));
    WriteAll(dir.file("large"), std::vector<std::uint8_t>(kHugePageInputBytes));
    EXPECT_FALSE(NamesLargeFile({}));
    EXPECT_FALSE(NamesLargeFile({dir.file("small"), dir.file("missing"), dir.path(), "--rotate", "90"}));
    EXPECT_TRUE(NamesLargeFile({"--rotate", "90", dir.file("large")}));
}

TEST(HugePageRestart, OnlyLibrariesWithTheirOwnBuffersNeedIt)
{
    EXPECT_TRUE(LibrariesAllocatePictureBuffers("lossless-jpeg", {"photo.jpg", "--rotate", "90"}));
    EXPECT_TRUE(LibrariesAllocatePictureBuffers("convert", {"photo.bmp", "photo.JP2"}));
    EXPECT_TRUE(LibrariesAllocatePictureBuffers("negative", {"scan.j2k", "out.bmp"}));
    EXPECT_FALSE(LibrariesAllocatePictureBuffers("convert", {"photo.jpg", "photo.png"}));
    EXPECT_FALSE(LibrariesAllocatePictureBuffers("negative", {"photo.bmp", "out.jp2.bmp"}));
}

TEST(HugePageRestart, LargeInputsRunInARestartedProcessWithTheSameResult)
{
    if (!HugePagesOnRequest())
        GTEST_SKIP() << "the kernel gives no huge pages on request here";
    TempDir dir;
    WriteAll(dir.file("small.bmp"), BmpBytes(PatternBitmap(64, 48, 24)));
    WriteAll(dir.file("large.bmp"), BmpBytes(PatternBitmap(640, 560, 24))); // 1 075 254 bytes
    const std::vector<std::string> debug = {"LD_DEBUG=files"};

    // Kalvo's own buffers need no restart; JPEG 2000 of a large picture does.
    EXPECT_EQ(ProgramStarts(RunCli({"negative", dir.file("large.bmp"), dir.file("n.bmp")}, debug)), 1);
    EXPECT_EQ(ProgramStarts(RunCli({"convert", dir.file("small.bmp"), dir.file("s.jp2")}, debug)), 1);
    const CliResult large = RunCli({"convert", dir.file("large.bmp"), dir.file("l.jp2")}, debug);
    EXPECT_EQ(large.status, 0);
    EXPECT_EQ(ProgramStarts(large), 2);
    EXPECT_EQ(RunCli({"info", dir.file("l.jp2")}).out, "640 560 24 interlaced=0 transparent=0 transparent-color=000000\n");

    // A setting of the user's own is kept, without a restart, and gives the same file.
    const CliResult own = RunCli({"convert", dir.file("large.bmp"), dir.file("own.jp2")},
                                 {"LD_DEBUG=files", "GLIBC_TUNABLES=glibc.malloc.hugetlb=0"});
    EXPECT_EQ(ProgramStarts(own), 1);
    EXPECT_EQ(ReadBytes(dir.file("own.jp2")), ReadBytes(dir.file("l.jp2")));

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
    const CliResult bad = RunCli({"lossless-jpeg", dir.file("bad.jpg"), "--rotate", "90"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err.find("kalvo-cli lossless-jpeg: "), 0u) << bad.err;
    EXPECT_EQ(bad.err.find('\n'), bad.err.size() - 1) << bad.err;
    EXPECT_EQ(ReadBytes(dir.file("bad.jpg")), garbage);
}

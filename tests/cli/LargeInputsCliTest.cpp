// kalvo-cli on large inputs of the libraries that allocate their own buffers (lossless JPEG
// transformation, JPEG 2000): one program start, the library's exact bytes, one failure line.
#include "CliTestSupport.h"
#include "codecs/bmp/BmpFormat.h"
#include "codecs/jpegtran/LosslessTransform.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

using namespace kalvo;
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

constexpr std::size_t kLarge = 1 << 20;

} // namespace

TEST(CliLargeInputs, RunInOneProgramStartWithTheLibrariesBytes)
{
    TempDir dir;
    const std::vector<std::string> debug = {"LD_DEBUG=files"};
    WriteAll(dir.file("large.bmp"), BmpBytes(PatternBitmap(640, 560, 24))); // 1 075 254 bytes
    const CliResult large = RunCli({"convert", dir.file("large.bmp"), dir.file("l.jp2")}, debug);
    EXPECT_EQ(large.status, 0);
    EXPECT_EQ(ProgramStarts(large), 1);
    EXPECT_EQ(RunCli({"info", dir.file("l.jp2")}).out,
              "640 560 24 interlaced=0 transparent=0 transparent-color=000000\n");

    // A rotation writes the bytes the transformation gives in this process.
    WriteAll(dir.file("noise.bmp"), BmpBytes(NoiseBitmap(1200, 900)));
    ASSERT_EQ(RunCli({"convert", dir.file("noise.bmp"), dir.file("photo.jpg"), "--jpeg-quality", "95"}).status, 0);
    const std::vector<std::uint8_t> photo = ReadBytes(dir.file("photo.jpg"));
    ASSERT_GE(photo.size(), kLarge);
    TLosslessRequest request;
    request.Transform = kJpegTransformRotate90;
    const std::vector<std::uint8_t> expected = TransformJpegData(photo, request);
    const CliResult rotated = RunCli({"lossless-jpeg", dir.file("photo.jpg"), "--rotate", "90"}, debug);
    EXPECT_EQ(rotated.status, 0);
    EXPECT_EQ(ProgramStarts(rotated), 1);
    EXPECT_EQ(ReadBytes(dir.file("photo.jpg")), expected);

    // Failures report once, with the failing status, and leave the file alone.
    std::vector<std::uint8_t> garbage(kLarge + 10, 0x5A);
    WriteAll(dir.file("bad.jpg"), garbage);
    const CliResult bad = RunCli({"lossless-jpeg", dir.file("bad.jpg"), "--rotate", "90"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err.find("kalvo-cli lossless-jpeg: "), 0u) << bad.err;
    EXPECT_EQ(bad.err.find('\n'), bad.err.size() - 1) << bad.err;
    EXPECT_EQ(ReadBytes(dir.file("bad.jpg")), garbage);
}

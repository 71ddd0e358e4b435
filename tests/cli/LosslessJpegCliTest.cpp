// kalvo-cli lossless-jpeg, and JPEG through info and convert.
#include "CliTestSupport.h"
#include "codecs/bmp/BmpFormat.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace kalvo;
using namespace kalvo::test;

namespace {

// A 48 x 32 JPEG made by the CLI itself from a BMP.
std::string MakeJpeg(const TempDir& dir, const std::string& name, bool progressive = false)
{
    WriteAll(dir.file("src.bmp"), BmpBytes(PatternBitmap(48, 32, 24)));
    std::vector<std::string> args = {"convert", dir.file("src.bmp"), dir.file(name)};
    if (progressive)
        args.push_back("--interlaced");
    EXPECT_EQ(RunCli(args).status, 0);
    return dir.file(name);
}

} // namespace

TEST(CliJpeg, InfoAndConvertHandleJpeg)
{
    TempDir dir;
    const std::string plain = MakeJpeg(dir, "a.jpg");
    EXPECT_EQ(RunCli({"info", plain}).out, "48 32 24 interlaced=0 transparent=0 transparent-color=000000\n");
    const std::string progressive = MakeJpeg(dir, "p.JPEG", true);
    EXPECT_EQ(RunCli({"info", progressive}).out, "48 32 24 interlaced=1 transparent=0 transparent-color=000000\n");
    // Progressive travels into the next JPEG save unless overridden.
    EXPECT_EQ(RunCli({"convert", progressive, dir.file("q.jpe")}).status, 0);
    EXPECT_EQ(RunCli({"info", dir.file("q.jpe")}).out,
              "48 32 24 interlaced=1 transparent=0 transparent-color=000000\n");
    EXPECT_EQ(RunCli({"convert", progressive, dir.file("r.jpg"), "--no-interlaced"}).status, 0);
    EXPECT_EQ(RunCli({"info", dir.file("r.jpg")}).out,
              "48 32 24 interlaced=0 transparent=0 transparent-color=000000\n");
    WriteAll(dir.file("bad.jpg"), {'G', 'I', 'F', '8', '9', 'a'});
    const auto r = RunCli({"info", dir.file("bad.jpg")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("bad.jpg"), std::string::npos);
}

TEST(CliJpeg, LosslessRotationReplacesTheFile)
{
    TempDir dir;
    const std::string file = MakeJpeg(dir, "photo.jpg");
    auto r = RunCli({"lossless-jpeg", file, "--rotate", "90"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(RunCli({"info", file}).out, "32 48 24 interlaced=0 transparent=0 transparent-color=000000\n");
    EXPECT_EQ(RunCli({"lossless-jpeg", file, "--flip", "horizontal", "--keep-timestamp"}).status, 0);
    EXPECT_EQ(RunCli({"info", file}).out, "32 48 24 interlaced=0 transparent=0 transparent-color=000000\n");
    EXPECT_EQ(ListDir(dir.path()).size(), 2u); // src.bmp and photo.jpg, nothing left over
}

TEST(CliJpeg, LosslessUsageAndFailures)
{
    TempDir dir;
    const std::string file = MakeJpeg(dir, "photo.jpg");
    EXPECT_EQ(RunCli({"lossless-jpeg", file}).status, 2);
    EXPECT_EQ(RunCli({"lossless-jpeg", file, "--rotate", "45"}).status, 2);
    EXPECT_EQ(RunCli({"lossless-jpeg", file, "--flip", "diagonal"}).status, 2);
    EXPECT_EQ(RunCli({"lossless-jpeg", file, "--rotate", "90", "--flip", "vertical"}).status, 2);

    WriteAll(dir.file("broken.jpg"), {0xFF, 0xD8, 0xFF, 0xE0, 0, 2});
    const auto r = RunCli({"lossless-jpeg", dir.file("broken.jpg"), "--rotate", "180"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("broken.jpg"), std::string::npos);
    EXPECT_EQ(ReadAll(dir.file("broken.jpg")), (std::vector<std::uint8_t>{0xFF, 0xD8, 0xFF, 0xE0, 0, 2}));
    EXPECT_EQ(RunCli({"lossless-jpeg", dir.file("src.bmp"), "--rotate", "90"}).status, 1);
    EXPECT_EQ(RunCli({"lossless-jpeg", dir.file("none.jpg"), "--rotate", "90"}).status, 1);
    EXPECT_EQ(ListDir(dir.path()).size(), 3u);
}

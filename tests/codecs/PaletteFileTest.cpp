#include "codecs/palette/PaletteFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace kalvo {
namespace {

using test::TempDir;

TEST(PaletteFile, WrittenAndReadBack)
{
    TempDir dir;
    const std::vector<TColor> palette{RGB(0, 0, 0), RGB(255, 128, 1), RGB(17, 34, 51)};
    ASSERT_TRUE(ExportPalette(palette, dir.file("a.pal")));
    EXPECT_EQ(ImportPalette(dir.file("a.pal")), palette);
    const auto bytes = test::ReadAll(dir.file("a.pal"));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "JASC-PAL\r\n0100\r\n3\r\n0 0 0\r\n255 128 1\r\n17 34 51\r\n");
    // Replacing an existing file.
    ASSERT_TRUE(ExportPalette({RGB(1, 1, 1)}, dir.file("a.pal")));
    EXPECT_EQ(ImportPalette(dir.file("a.pal")), std::vector<TColor>{RGB(1, 1, 1)});
    EXPECT_EQ(test::ListDir(dir.path()).size(), 1u);
}

TEST(PaletteFile, NothingWrittenForAnEmptyPaletteOrAnUnwritablePlace)
{
    TempDir dir;
    EXPECT_FALSE(ExportPalette({}, dir.file("empty.pal")));
    EXPECT_FALSE(test::FileExists(dir.file("empty.pal")));
    EXPECT_FALSE(ExportPalette({RGB(1, 2, 3)}, dir.file("missing/dir.pal")));
}

TEST(PaletteFile, UnreadableOrOversizedFilesGiveNoPalette)
{
    TempDir dir;
    EXPECT_FALSE(ImportPalette(dir.file("none.pal")));
    EXPECT_FALSE(ImportPalette(dir.path()));
    std::string big = "JASC-PAL\r\n0100\r\n1\r\n1 2 3\r\n";
    big.resize(kMaxPaletteFileSize + 1, ' ');
    test::WriteAll(dir.file("big.pal"), std::vector<std::uint8_t>(big.begin(), big.end()));
    EXPECT_FALSE(ImportPalette(dir.file("big.pal")));
    big.resize(kMaxPaletteFileSize);
    test::WriteAll(dir.file("big.pal"), std::vector<std::uint8_t>(big.begin(), big.end()));
    EXPECT_EQ(ImportPalette(dir.file("big.pal")), std::vector<TColor>{RGB(1, 2, 3)});
}

} // namespace
} // namespace kalvo

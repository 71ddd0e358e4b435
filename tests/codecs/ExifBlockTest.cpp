// The EXIF block reader: orientation, the block made fit for a saved picture, hostile blocks.
#include "codecs/exif/ExifBlock.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace kalvo;

namespace {

std::vector<std::uint8_t> Block(const std::string& name)
{
    return test::ReadAll(std::string(KALVO_TEST_DATA) + "/exif/" + name);
}

std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}

} // namespace

TEST(ExifBlock, ReadsTheOrientationInBothByteOrders)
{
    for (const char* name : {"intel.bin", "motorola.bin", "no-thumbnail.bin"}) {
        const auto block = Block(name);
        EXPECT_TRUE(IsWellFormedExif(block)) << name;
        EXPECT_EQ(ExifOrientation(block), 6) << name;
    }
}

TEST(ExifBlock, SavedBlockIsUprightSizedAndWithoutThumbnail)
{
    const auto block = Block("intel.bin");
    // Layout (scripts/make-malformed-data.py): IFD0 at 8 with 5 entries, its link at 70, the Exif
    // IFD at 108 (pixel sizes at 118 and 130), IFD1 at 138, the thumbnail at its end.
    ASSERT_EQ(Le32(block, 70), 138u);
    const auto saved = ExifForSavedPicture(block, 70000, 321);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->size(), 138u);
    EXPECT_EQ(Le32(*saved, 70), 0u);
    EXPECT_EQ(ExifOrientation(*saved), 1);
    EXPECT_EQ(Le32(*saved, 118), 70000u);
    EXPECT_EQ(Le32(*saved, 130), 321u);
    EXPECT_TRUE(std::equal(saved->begin() + 74, saved->begin() + 108, block.begin() + 74)); // make, model, date
    const auto motorola = ExifForSavedPicture(Block("motorola.bin"), 5, 6);
    ASSERT_TRUE(motorola);
    EXPECT_EQ(ExifOrientation(*motorola), 1);
    EXPECT_EQ(motorola->size(), 138u);

    // The in-place patch keeps the length and every other byte.
    auto patched = block;
    ASSERT_TRUE(PatchExifInPlace(patched, 1));
    EXPECT_EQ(ExifOrientation(patched), 1);
    patched[8 + 2 + 8] = 6;
    EXPECT_EQ(patched, block);
}

TEST(ExifBlock, HostileBlocksAreRefusedWhole)
{
    const auto block = Block("intel.bin");
    // Every truncation cuts the thumbnail or a directory.
    for (std::size_t n = 0; n < block.size(); ++n) {
        const std::vector<std::uint8_t> cut(block.begin(), block.begin() + std::ptrdiff_t(n));
        ASSERT_FALSE(IsWellFormedExif(cut)) << n;
        ASSERT_EQ(ExifOrientation(cut), 1) << n;
        ASSERT_FALSE(ExifForSavedPicture(cut, 1, 1)) << n;
        auto copy = cut;
        ASSERT_FALSE(PatchExifInPlace(copy, 1)) << n;
        ASSERT_EQ(copy, cut);
    }
    // An orientation outside 1..8 reads as 1; a chain of directories pointing at each other ends.
    auto odd = block;
    odd[18] = 9;
    EXPECT_EQ(ExifOrientation(odd), 1);
    auto loop = block;
    loop[138 + 2 + 24] = 138; // IFD1 links to itself: not followed beyond the thumbnail directory
    EXPECT_TRUE(IsWellFormedExif(loop));
    auto cycle = block;
    cycle[70] = 8;
    EXPECT_FALSE(IsWellFormedExif(cycle));
}

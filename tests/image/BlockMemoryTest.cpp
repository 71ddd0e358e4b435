#include "image/BlockMemory.h"
#include "image/Bitmap.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

using namespace kalvo;

TEST(BlockMemory, OneLargeBlockIsKeptAsTheSpareAndComesBackClearedOrForOverwrite)
{
    ReleaseSpareBlock();
    const std::size_t n = std::size_t(8) << 20, other = std::size_t(6) << 20;
    std::uint8_t* a = AllocateBlock(n);
    std::fill(a, a + n, std::uint8_t(7));
    ReleaseBlock(a, n);
    EXPECT_EQ(SpareBlockSize(), n);
    // The same size gets the same memory back, cleared when zero bytes are asked for.
    std::uint8_t* b = AllocateBlock(n);
    EXPECT_EQ(b, a);
    EXPECT_EQ(SpareBlockSize(), 0u);
    EXPECT_TRUE(std::all_of(b, b + n, [](std::uint8_t v) { return v == 0; }));
    b[5] = 9;
    ReleaseBlock(b, n);
    std::uint8_t* c = AllocateBlockForOverwrite(n);
    EXPECT_EQ(c, a);
    EXPECT_EQ(c[5], 9);
    // Another size is mapped afresh; giving it back replaces the spare, so at most one is kept.
    std::uint8_t* d = AllocateBlock(other);
    ReleaseBlock(c, n);
    ReleaseBlock(d, other);
    EXPECT_EQ(SpareBlockSize(), other);
    ReleaseSpareBlock();
    EXPECT_EQ(SpareBlockSize(), 0u);
    // Small blocks never become the spare.
    ReleaseBlock(AllocateBlock(100), 100);
    EXPECT_EQ(SpareBlockSize(), 0u);
}

TEST(BlockMemory, SameLayoutKeepsSizeDepthPaletteAndTransparency)
{
    TBitmap source(30, 20, 8);
    source.setPalette({RGB(1, 2, 3), RGB(4, 5, 6)});
    source.setTransparent(true);
    source.setTransparentColor(RGB(4, 5, 6));
    const TBitmap layout = TBitmap::sameLayout(source);
    EXPECT_EQ(layout.width(), 30);
    EXPECT_EQ(layout.height(), 20);
    EXPECT_EQ(layout.bitCount(), 8);
    EXPECT_EQ(layout.stride(), source.stride());
    EXPECT_EQ(layout.byteSize(), source.byteSize());
    EXPECT_EQ(layout.palette(), source.palette());
    EXPECT_TRUE(layout.transparent());
    EXPECT_EQ(layout.transparentColor(), RGB(4, 5, 6));
    EXPECT_TRUE(TBitmap::sameLayout(TBitmap()).empty());
}

TEST(BlockMemory, FreePageReportingIsReadFromTheBalloonDevicesFeatureBits)
{
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("kalvo-balloon-" + std::to_string(::getpid()));
    fs::create_directories(dir / "virtio3");
    fs::create_directories(dir / "module");
    auto features = [&](const char* device, const char* bits) {
        std::ofstream(dir / device / "features") << bits << "\n";
    };
    features("module", "11111111");
    EXPECT_FALSE(BalloonReportsFreePages(dir.string())); // only virtio* entries are devices
    features("virtio3", "0110010000000000");
    EXPECT_TRUE(BalloonReportsFreePages(dir.string()));
    features("virtio3", "0110000000000000");
    EXPECT_FALSE(BalloonReportsFreePages(dir.string()));
    features("virtio3", "01100");
    EXPECT_FALSE(BalloonReportsFreePages(dir.string()));
    fs::remove_all(dir);
    EXPECT_FALSE(BalloonReportsFreePages(dir.string()));
}

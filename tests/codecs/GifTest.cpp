#include "GifTestFiles.h"

#include "FileBytes.h"
#include "codecs/FormatDispatch.h"
#include "codecs/gif/GifCodec.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

using namespace kalvo;
using namespace kalvo::test;

namespace {

using TLoaded = TLoadedFile;

TLoaded loadBytes(const TempDir& dir, const std::vector<std::uint8_t>& bytes, const std::string& name = "in.gif")
{
    return LoadFileBytes(dir, bytes, name);
}

std::vector<std::uint8_t> saveBytes(const TempDir& dir, const TBitmap& bitmap, const TpxImageInfo& info)
{
    return SaveFileBytes(dir, bitmap, info, "out.gif");
}

const std::vector<TColor> kMap = {RGB(0, 0, 0), RGB(255, 0, 0), RGB(0, 200, 0), RGB(10, 20, 250)};

TGifFrameLayout fullFrame(int width, int height, int seed, std::size_t colors)
{
    TGifFrameLayout frame;
    frame.width = width;
    frame.height = height;
    for (int i = 0; i < width * height; ++i)
        frame.indices.push_back(std::uint8_t((i * 7 + seed) % int(colors)));
    return frame;
}

void expectFramePixels(const TBitmap& bitmap, const TGifFrameLayout& frame, const std::vector<TColor>& map)
{
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x)
            ASSERT_EQ(bitmap.pixelColor(frame.left + x, frame.top + y),
                      map[frame.indices[std::size_t(y * frame.width + x)]])
                << x << "," << y;
}

} // namespace

TEST(GifLoad, Gif87aWithoutControlBlockIsOpaque)
{
    TempDir dir;
    TGifLayout layout;
    layout.version = "GIF87a";
    layout.width = 9;
    layout.height = 5;
    layout.globalMap = kMap;
    layout.frames = {fullFrame(9, 5, 1, kMap.size())};
    const TLoaded loaded = loadBytes(dir, BuildGif(layout));
    ASSERT_TRUE(loaded.bitmap);
    EXPECT_EQ(loaded.info.Result, 0);
    EXPECT_FALSE(loaded.info.Transparent);
    EXPECT_EQ(loaded.info.TransparentColor, 0u);
    EXPECT_FALSE(loaded.info.Interlaced);
    EXPECT_EQ(loaded.info.Width, 9);
    EXPECT_EQ(loaded.info.Height, 5);
    EXPECT_EQ(loaded.bitmap->bitCount(), 4);
    EXPECT_EQ(loaded.bitmap->palette(), kMap);
    expectFramePixels(*loaded.bitmap, layout.frames[0], kMap);
}

TEST(GifLoad, DepthFollowsTheColourMapSize)
{
    TempDir dir;
    for (const std::size_t colors : {2u, 16u, 32u, 256u}) {
        TGifLayout layout;
        layout.width = 20;
        layout.height = 3;
        for (std::size_t i = 0; i < colors; ++i)
            layout.globalMap.push_back(RGB(int(i), 255 - int(i), 7));
        layout.frames = {fullFrame(20, 3, 2, colors)};
        const TLoaded loaded = loadBytes(dir, BuildGif(layout));
        ASSERT_TRUE(loaded.bitmap) << colors;
        EXPECT_EQ(loaded.bitmap->bitCount(), colors == 2 ? 1 : colors == 16 ? 4 : 8);
        expectFramePixels(*loaded.bitmap, layout.frames[0], layout.globalMap);
    }
}

TEST(GifLoad, ControlBlockDecidesTheTransparency)
{
    TempDir dir;
    TGifLayout layout;
    layout.width = 4;
    layout.height = 4;
    layout.globalMap = kMap;
    layout.frames = {fullFrame(4, 4, 0, kMap.size())};
    layout.frames[0].control = std::array<std::uint8_t, 4>{1, 0, 0, 2};
    TLoaded loaded = loadBytes(dir, BuildGif(layout));
    ASSERT_TRUE(loaded.bitmap);
    EXPECT_TRUE(loaded.info.Transparent);
    EXPECT_EQ(loaded.info.TransparentColor, kMap[2]);
    EXPECT_TRUE(loaded.bitmap->transparent());
    EXPECT_EQ(loaded.bitmap->transparentColor(), kMap[2]);

    // A control block without the flag still names its colour.
    layout.frames[0].control = std::array<std::uint8_t, 4>{0, 0, 0, 3};
    loaded = loadBytes(dir, BuildGif(layout));
    ASSERT_TRUE(loaded.bitmap);
    EXPECT_FALSE(loaded.info.Transparent);
    EXPECT_EQ(loaded.info.TransparentColor, kMap[3]);
}

TEST(GifLoad, InterlacedFrameLandsOnItsRows)
{
    TempDir dir;
    TGifLayout layout;
    layout.width = 5;
    layout.height = 11;
    layout.globalMap = kMap;
    layout.frames = {fullFrame(5, 11, 3, kMap.size())};
    layout.frames[0].interlaced = true;
    const TLoaded loaded = loadBytes(dir, BuildGif(layout));
    ASSERT_TRUE(loaded.bitmap);
    EXPECT_TRUE(loaded.info.Interlaced);
    expectFramePixels(*loaded.bitmap, layout.frames[0], kMap);

    const TGifFacts saved = InspectGif(saveBytes(dir, *loaded.bitmap, loaded.info));
    ASSERT_EQ(saved.frames.size(), 1u);
    EXPECT_TRUE(saved.frames[0].interlaced);
    for (int i = 0; i < 55; ++i)
        ASSERT_EQ(saved.frames[0].activeMap[saved.frames[0].indices[std::size_t(i)]],
                  kMap[layout.frames[0].indices[std::size_t(i)]]);
}

TEST(GifLoad, SmallFrameIsDrawnOnTheScreenBackground)
{
    TempDir dir;
    TGifLayout layout;
    layout.width = 8;
    layout.height = 6;
    layout.globalMap = {RGB(1, 2, 3), RGB(4, 5, 6)};
    TGifFrameLayout frame = fullFrame(3, 2, 0, 4);
    frame.left = 2;
    frame.top = 3;
    frame.localMap = kMap;
    layout.frames = {frame};
    const TLoaded loaded = loadBytes(dir, BuildGif(layout));
    ASSERT_TRUE(loaded.bitmap);
    EXPECT_EQ(loaded.bitmap->width(), 8);
    EXPECT_EQ(loaded.bitmap->height(), 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool inside = x >= 2 && x < 5 && y >= 3 && y < 5;
            if (!inside) {
                ASSERT_EQ(loaded.bitmap->pixelColor(x, y), RGB(1, 2, 3)) << x << "," << y;
            }
        }
    expectFramePixels(*loaded.bitmap, frame, kMap);
}

TEST(GifLoad, BackgroundOutsideAFullLocalMapGivesAFullColourScreen)
{
    TempDir dir;
    TGifLayout layout;
    layout.width = 20;
    layout.height = 3;
    layout.globalMap = {RGB(1, 2, 3), RGB(4, 5, 6)};
    TGifFrameLayout frame = fullFrame(16, 2, 0, 256);
    frame.left = 3;
    frame.top = 1;
    for (int i = 0; i < 256; ++i)
        frame.localMap.push_back(RGB(i, 100, 200));
    layout.frames = {frame};
    const TLoaded loaded = loadBytes(dir, BuildGif(layout));
    ASSERT_TRUE(loaded.bitmap);
    EXPECT_EQ(loaded.bitmap->bitCount(), 24);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool inside = x >= 3 && x < 19 && y >= 1;
            if (!inside) {
                ASSERT_EQ(loaded.bitmap->pixelColor(x, y), RGB(1, 2, 3)) << x << "," << y;
            }
        }
    expectFramePixels(*loaded.bitmap, frame, frame.localMap);
}

TEST(GifLoad, AnimationOpensAsItsFirstFrameAndSavesAsOne)
{
    TempDir dir;
    TGifLayout layout;
    layout.width = 6;
    layout.height = 4;
    layout.globalMap = kMap;
    layout.frames = {fullFrame(6, 4, 0, 4), fullFrame(6, 4, 1, 4), fullFrame(6, 4, 2, 4)};
    for (TGifFrameLayout& frame : layout.frames)
        frame.control = std::array<std::uint8_t, 4>{0, 10, 0, 0};
    const TLoaded loaded = loadBytes(dir, BuildGif(layout));
    ASSERT_TRUE(loaded.bitmap);
    expectFramePixels(*loaded.bitmap, layout.frames[0], kMap);
    const TGifFacts saved = InspectGif(saveBytes(dir, *loaded.bitmap, loaded.info));
    ASSERT_EQ(saved.frames.size(), 1u);
    for (int i = 0; i < 24; ++i)
        ASSERT_EQ(saved.frames[0].activeMap[saved.frames[0].indices[std::size_t(i)]],
                  kMap[layout.frames[0].indices[std::size_t(i)]]);
}

TEST(GifSave, TransparentGifKeepsItsColour)
{
    TempDir dir;
    TGifLayout layout;
    layout.width = 7;
    layout.height = 3;
    layout.globalMap = kMap;
    layout.frames = {fullFrame(7, 3, 0, kMap.size())};
    layout.frames[0].control = std::array<std::uint8_t, 4>{1, 0, 0, 1};
    const TLoaded loaded = loadBytes(dir, BuildGif(layout));
    ASSERT_TRUE(loaded.bitmap);
    const std::vector<std::uint8_t> bytes = saveBytes(dir, *loaded.bitmap, loaded.info);
    const TGifFacts saved = InspectGif(bytes);
    EXPECT_EQ(saved.version, "GIF89a");
    ASSERT_EQ(saved.frames.size(), 1u);
    EXPECT_TRUE(saved.frames[0].transparentFlag);
    EXPECT_EQ(saved.frames[0].activeMap[std::size_t(saved.frames[0].transparentIndex)], kMap[1]);
    const TLoaded again = loadBytes(dir, bytes);
    EXPECT_TRUE(again.info.Transparent);
    EXPECT_EQ(again.info.TransparentColor, kMap[1]);
}

TEST(GifSave, ColourMapHoldsTheUsedColoursOnceAndTheTransparentColour)
{
    TempDir dir;
    TBitmap bitmap(4, 2, 8);
    std::vector<TColor> palette(256);
    for (int i = 0; i < 256; ++i)
        palette[std::size_t(i)] = RGB(i, 1, 2);
    palette[10] = palette[20] = RGB(255, 0, 0);
    palette[30] = RGB(0, 0, 255);
    bitmap.setPalette(palette);
    const std::uint8_t pixels[8] = {10, 20, 30, 10, 30, 30, 20, 10};
    for (int i = 0; i < 8; ++i)
        bitmap.scanLine(i / 4)[i % 4] = pixels[i];

    TGifFacts saved = InspectGif(saveBytes(dir, bitmap, TpxImageInfo{}));
    ASSERT_EQ(saved.frames.size(), 1u);
    EXPECT_EQ(saved.globalMap, (std::vector<TColor>{RGB(255, 0, 0), RGB(0, 0, 255)}));
    EXPECT_TRUE(saved.frames[0].hasControl);
    EXPECT_FALSE(saved.frames[0].transparentFlag);
    EXPECT_EQ(saved.frames[0].indices, (std::vector<std::uint8_t>{0, 0, 1, 0, 1, 1, 0, 0}));

    TpxImageInfo info;
    info.Transparent = true;
    info.TransparentColor = RGB(0, 255, 0);
    saved = InspectGif(saveBytes(dir, bitmap, info));
    EXPECT_EQ(saved.globalMap, (std::vector<TColor>{RGB(255, 0, 0), RGB(0, 0, 255), RGB(0, 255, 0), 0}));
    EXPECT_TRUE(saved.frames[0].transparentFlag);
    EXPECT_EQ(saved.frames[0].transparentIndex, 2);
}

TEST(GifSave, TransparentColourThatDoesNotFitFails)
{
    TempDir dir;
    TBitmap bitmap(256, 1, 8);
    std::vector<TColor> palette;
    for (int i = 0; i < 256; ++i) {
        palette.push_back(RGB(i, i, 0));
        bitmap.scanLine(0)[i] = std::uint8_t(i);
    }
    bitmap.setPalette(palette);
    TpxImageInfo info;
    info.FileName = dir.file("full.gif");
    info.Transparent = true;
    info.TransparentColor = RGB(0, 0, 9);
    SaveImageFile(bitmap, info);
    EXPECT_EQ(info.Result, -1);
    EXPECT_TRUE(ListDir(dir.path()).empty());
    info.TransparentColor = RGB(7, 7, 0);
    SaveImageFile(bitmap, info);
    EXPECT_EQ(info.Result, 0);
}

TEST(GifSave, PhotoGetsAtMost256NearestColoursWithoutDither)
{
    TempDir dir;
    TBitmap photo(96, 80, 24);
    std::mt19937 random(5);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x) {
            std::uint8_t* p = photo.scanLine(y) + 3 * x;
            p[0] = std::uint8_t(x * 2 + random() % 9);
            p[1] = std::uint8_t(y * 3 + random() % 9);
            p[2] = std::uint8_t((x + y) + random() % 9);
        }
    TpxImageInfo info;
    info.Interlaced = true;
    const TGifFacts saved = InspectGif(saveBytes(dir, photo, info));
    ASSERT_EQ(saved.frames.size(), 1u);
    EXPECT_TRUE(saved.frames[0].interlaced);
    const std::vector<TColor>& map = saved.frames[0].activeMap;
    std::set<TColor> used;
    for (const std::uint8_t index : saved.frames[0].indices)
        used.insert(map[index]);
    EXPECT_GT(used.size(), 128u);
    EXPECT_LE(used.size(), 256u);
    // Each pixel carries the nearest of the colours in use: no error diffusion.
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x) {
            const TColor original = photo.pixelColor(x, y);
            auto distance = [&](TColor c) {
                const int dr = GetRValue(c) - GetRValue(original), dg = GetGValue(c) - GetGValue(original),
                          db = GetBValue(c) - GetBValue(original);
                return dr * dr + dg * dg + db * db;
            };
            int best = 1 << 30;
            for (const TColor c : used)
                best = std::min(best, distance(c));
            const TColor got = map[saved.frames[0].indices[std::size_t(y * photo.width() + x)]];
            ASSERT_EQ(distance(got), best) << x << "," << y;
        }
}

TEST(GifSave, PaletteDepthsRoundTrip)
{
    TempDir dir;
    for (const int depth : {1, 4, 8}) {
        const TBitmap bitmap = PatternBitmap(13, 7, depth);
        TLoaded loaded = loadBytes(dir, saveBytes(dir, bitmap, TpxImageInfo{}));
        ASSERT_TRUE(loaded.bitmap) << depth;
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 13; ++x)
                ASSERT_EQ(loaded.bitmap->pixelColor(x, y), bitmap.pixelColor(x, y)) << depth;
    }
}

namespace {

void expectRefused(const TempDir& dir, const std::vector<std::uint8_t>& bytes, const std::string& what)
{
    const TLoaded loaded = loadBytes(dir, bytes);
    EXPECT_FALSE(loaded.bitmap) << what;
    EXPECT_EQ(loaded.info.Result, -1) << what;
    EXPECT_THROW(ReadGif(bytes), EGifError) << what;
}

TGifLayout validLayout()
{
    TGifLayout layout;
    layout.width = 6;
    layout.height = 5;
    layout.globalMap = kMap;
    layout.frames = {fullFrame(6, 5, 0, kMap.size())};
    return layout;
}

} // namespace

TEST(GifBadInput, TruncatedFilesFail)
{
    TempDir dir;
    TGifLayout layout = validLayout();
    layout.frames[0].control = std::array<std::uint8_t, 4>{1, 0, 0, 0};
    const std::vector<std::uint8_t> bytes = BuildGif(layout);
    ASSERT_TRUE(loadBytes(dir, bytes).bitmap);
    // Everything up to the end of the frame's data is needed; the trailer is not.
    for (std::size_t length = 0; length + 2 < bytes.size(); ++length)
        expectRefused(dir, std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + long(length)),
                      "prefix of " + std::to_string(length));
}

TEST(GifBadInput, MalformedFramesFail)
{
    TempDir dir;
    TGifLayout layout = validLayout();
    layout.frames[0].left = 1; // reaches past the screen's right edge
    expectRefused(dir, BuildGif(layout), "frame outside the screen");

    layout = validLayout();
    layout.globalMap.clear();
    expectRefused(dir, BuildGif(layout), "no colour map");

    layout = validLayout();
    layout.frames[0].indices[7] = 9; // the map has four entries
    layout.frames[0].codeSize = 4;
    expectRefused(dir, BuildGif(layout), "pixel outside the colour map");

    layout = validLayout();
    layout.frames[0].codeSize = 8;
    layout.frames[0].rawCodes = {256, 1, 2, 400, 257}; // code 400 is not in the table
    expectRefused(dir, BuildGif(layout), "LZW code out of range");

    layout = validLayout();
    layout.frames.clear();
    expectRefused(dir, BuildGif(layout), "no image");

    layout = validLayout();
    layout.width = 0;
    layout.frames[0].width = 0;
    expectRefused(dir, BuildGif(layout), "empty screen");

    std::vector<std::uint8_t> notGif = BuildGif(validLayout());
    notGif[2] = 'X';
    expectRefused(dir, notGif, "not a GIF signature");
    notGif[2] = 'F';
    notGif[4] = '8';
    expectRefused(dir, notGif, "GIF88a");
    expectRefused(dir, {}, "empty file");
}

TEST(GifBadInput, HugeFramesNeedTheirData)
{
    TempDir dir;
    TGifLayout layout = validLayout();
    layout.width = layout.height = 65535;
    layout.frames[0].width = layout.frames[0].height = 65535;
    layout.frames[0].rawCodes = {4, 0, 5};
    expectRefused(dir, BuildGif(layout), "4 GB screen");
    layout.width = layout.height = 30000;
    layout.frames[0].width = layout.frames[0].height = 30000;
    try {
        ReadGif(BuildGif(layout));
        ADD_FAILURE() << "a 900 MB frame from a few bytes was accepted";
    } catch (const EGifError& e) {
        EXPECT_STREQ(e.what(), "GIF: Not enough image data");
    }
}

#include "RegionTestSupport.h"

#include "image/ImageErrors.h"
#include "image/Region.h"
#include "image/RegionBuilder.h"
#include "image/StreamErrors.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace kalvo;
using namespace kalvo::test;

namespace {

std::vector<std::uint8_t> expectedStream(const TRect& bounds, const std::vector<TRect>& rects)
{
    std::vector<std::uint8_t> v;
    const auto n = std::uint32_t(rects.size());
    for (std::uint32_t x : {32u, 1u, n, n * 16})
        AppendLE32(v, x);
    for (const TRect& r : std::vector<TRect>{bounds})
        for (int x : {r.left, r.top, r.right, r.bottom})
            AppendLE32(v, std::uint32_t(x));
    for (const TRect& r : rects)
        for (int x : {r.left, r.top, r.right, r.bottom})
            AppendLE32(v, std::uint32_t(x));
    return v;
}

TRegion buildFrom(const std::vector<TRect>& rects)
{
    TRegionBuilder b;
    for (const TRect& r : rects)
        EXPECT_TRUE(b.add(r));
    return b.finish();
}

std::string loadError(const std::vector<std::uint8_t>& bytes)
{
    try {
        TRegionRef r = RegionFromBytes(bytes);
        return r ? "present" : "absent";
    } catch (const std::exception& e) {
        return e.what();
    }
}

} // namespace

TEST(RegionStream, EmptyRegionIsBareHeaderAndLoadsAsPresentEmpty)
{
    const auto bytes = RegionToBytes(TRegion());
    EXPECT_EQ(bytes, expectedStream(TRect{}, {}));
    ASSERT_EQ(bytes.size(), 32u);
    TRegionRef back = RegionFromBytes(bytes);
    ASSERT_TRUE(back.has_value());
    EXPECT_TRUE(back->isEmpty());
}

TEST(RegionStream, OneRectangleAndComplexRegionBytes)
{
    const TRegion one = TRegion::rect(TRect{5, 7, 2, 3});
    EXPECT_EQ(RegionToBytes(one), expectedStream(TRect{2, 3, 5, 7}, {TRect{2, 3, 5, 7}}));

    TRegion two;
    TRegion::combine(two, TRegion::rect({0, 0, 4, 2}), TRegion::rect({2, 1, 6, 3}), RGN_OR);
    const std::vector<TRect> banded{{0, 0, 4, 1}, {0, 1, 6, 2}, {2, 2, 6, 3}};
    EXPECT_EQ(RegionToBytes(two), expectedStream(TRect{0, 0, 6, 3}, banded));

    TRegion holes;
    TRegion::combine(holes, TRegion::rect({0, 0, 5, 3}), TRegion::rect({1, 1, 2, 2}), RGN_DIFF);
    TRegion::combine(holes, holes, TRegion::rect({3, 1, 4, 2}), RGN_DIFF);
    const std::vector<TRect> bands{{0, 0, 5, 1}, {0, 1, 1, 2}, {2, 1, 3, 2}, {4, 1, 5, 2}, {0, 2, 5, 3}};
    EXPECT_EQ(RegionToBytes(holes), expectedStream(TRect{0, 0, 5, 3}, bands));
}

TEST(RegionStream, OverFourThousandRectanglesSaveAndLoadUnchanged)
{
    const auto rects = CheckerRects(100, 100); // 5000 rectangles, two chunks
    const TRegion region = UnionOf(rects);
    ASSERT_EQ(region.rectCount(), 5000u);
    const auto bytes = RegionToBytes(region);
    EXPECT_EQ(bytes, expectedStream(TRect{0, 0, 100, 100}, rects));

    std::stringstream stream;
    TRegion::SaveToStream(region, stream);
    EXPECT_EQ(stream.str(), std::string(bytes.begin(), bytes.end()));
    TRegionRef back = TRegion(TRegion::rect({0, 0, 1, 1}));
    TRegion::LoadFromStream(back, stream);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, region);
    EXPECT_EQ(RegionToBytes(*back), bytes);
}

TEST(RegionStream, BuilderMatchesQtUnionsAndStaysUsable)
{
    // Uncoalesced rows and touching rectangles come out in the canonical form of Qt's unions.
    const std::vector<TRect> rows{{0, 0, 2, 1}, {2, 0, 4, 1}, {0, 1, 4, 2}, {1, 2, 3, 3}, {1, 3, 3, 4}};
    const TRegion built = buildFrom(rows);
    EXPECT_EQ(built, UnionOf(rows));
    EXPECT_EQ(built.rects(), (std::vector<TRect>{{0, 0, 4, 2}, {1, 2, 3, 4}}));
    TRegion diff;
    EXPECT_EQ(TRegion::combine(diff, built, UnionOf(rows), RGN_XOR), rcEmpty);
}

TEST(RegionStream, ShortOrEmptyStreamGivesAbsentRegion)
{
    EXPECT_EQ(loadError({}), "absent");
    auto header = MakeRegionStream(0, {});
    header.pop_back();
    EXPECT_EQ(loadError(header), "absent");
}

TEST(RegionStream, CountBeyondDataRaisesReadErrorAndLeavesRegionAbsent)
{
    const auto bytes = MakeRegionStream(2, {{0, 0, 1, 1}});
    std::stringstream stream(std::string(bytes.begin(), bytes.end()));
    TRegionRef region = TRegion::rect({0, 0, 3, 3});
    EXPECT_THROW(TRegion::LoadFromStream(region, stream), EReadError);
    EXPECT_FALSE(region.has_value());
    // A count near 2^32 over a few bytes fails at the first short chunk, without a huge buffer.
    EXPECT_EQ(loadError(MakeRegionStream(0xFFFFFFFFu, {{0, 0, 1, 1}})), "Stream read error");
    EXPECT_EQ(loadError(MakeRegionStream(0x80000000u, {})), "Stream read error");
}

TEST(RegionStream, CorruptRectanglesAreRefused)
{
    const std::string create = "TRegion.LoadFromStream: Cannot Create Region";
    EXPECT_EQ(loadError(MakeRegionStream(1, {{5, 0, 2, 1}})), create);               // inverted
    EXPECT_EQ(loadError(MakeRegionStream(1, {{0, 4, 1, 4}})), create);               // no area
    EXPECT_EQ(loadError(MakeRegionStream(2, {{0, 2, 1, 3}, {0, 0, 1, 1}})), create); // bands out of order
    EXPECT_EQ(loadError(MakeRegionStream(2, {{0, 0, 4, 1}, {2, 0, 6, 1}})), create); // overlap in band
    EXPECT_EQ(loadError(MakeRegionStream(2, {{0, 0, 4, 2}, {5, 1, 6, 3}})), create); // bands overlap
    EXPECT_EQ(loadError(MakeRegionStream(1, {{-(1 << 30), 0, 1, 1}})), create);      // far outside
    EXPECT_EQ(loadError(MakeRegionStream(1, {{0, 0, 1, 1}}, 40)), create);           // header size
    EXPECT_EQ(loadError(MakeRegionStream(1, {{0, 0, 1, 1}}, 32, 2)), create);        // type
    // Chunks that are banded on their own but not after each other.
    auto rects = CheckerRects(80, 100);
    rects.push_back(TRect{0, 0, 1, 1});
    EXPECT_EQ(loadError(MakeRegionStream(std::uint32_t(rects.size()), rects)),
              "TRegion.LoadFromStream: Cannot Add Region");
}

TEST(RegionStream, LyingSizeFieldNegativeCoordinatesAndTrailingBytesAreAccepted)
{
    auto bytes = MakeRegionStream(2, {{-5, -3, -1, 0}, {2, -3, 4, 0}}, 32, 1, 0xDEADBEEF);
    bytes.push_back(0x77);
    TRegionRef region = RegionFromBytes(bytes);
    ASSERT_TRUE(region.has_value());
    EXPECT_EQ(region->rects(), (std::vector<TRect>{{-5, -3, -1, 0}, {2, -3, 4, 0}}));
    EXPECT_EQ(region->boundingRect(), (TRect{-5, -3, 4, 0}));
    // A wrong type with no rectangles still gives the empty region.
    TRegionRef empty = RegionFromBytes(MakeRegionStream(0, {}, 32, 7));
    ASSERT_TRUE(empty.has_value());
    EXPECT_TRUE(empty->isEmpty());
}

TEST(RegionStream, BandsSplitByTheChunkBoundaryJoinAgain)
{
    // 49 rectangles a row: the 4000-rectangle boundary falls inside row 81.
    const auto checker = CheckerRects(98, 90);
    const TRegionRef a = RegionFromBytes(MakeRegionStream(std::uint32_t(checker.size()), checker));
    ASSERT_TRUE(a.has_value());
    EXPECT_EQ(*a, UnionOf(checker));

    // 4500 one-row stripes of three equal columns, as another writer might list them: equal bands
    // merge across chunk boundaries into three rectangles.
    std::vector<TRect> rows;
    for (int y = 0; y < 1500; ++y)
        for (int x : {0, 10, 20})
            rows.push_back(TRect{x, y, x + 5, y + 1});
    const TRegionRef b = RegionFromBytes(MakeRegionStream(4500, rows));
    ASSERT_TRUE(b.has_value());
    EXPECT_EQ(b->rects(), (std::vector<TRect>{{0, 0, 5, 1500}, {10, 0, 15, 1500}, {20, 0, 25, 1500}}));
    EXPECT_EQ(RegionToBytes(*b).size(), 32u + 3 * 16);
}

TEST(RegionStream, OffsetRegionSurvivesRoundTrip)
{
    TRegion r = UnionOf({{0, 0, 3, 1}, {1, 1, 2, 3}});
    r.offset(-10, 4);
    EXPECT_EQ(r.rects(), (std::vector<TRect>{{-10, 4, -7, 5}, {-9, 5, -8, 7}}));
    EXPECT_EQ(*RegionFromBytes(RegionToBytes(r)), r);
}

// The image bitmap and the DIB container share their stream errors and their bitmap-info header,
// so that code handling both (the clipboard) sees one type of each.
#include "DibTestSupport.h"
#include "codecs/bmp/DibRecord.h"
#include "codecs/bmp/LvDIBErrors.h"
#include "image/Region.h"
#include "image/SepDib.h"
#include "image/StreamErrors.h"

#include <gtest/gtest.h>

#include <sstream>
#include <type_traits>

using namespace kalvo;
using namespace kalvo::test;

static_assert(std::is_same_v<decltype(TSepDIB::bmiHeader), decltype(TDibRecord::Header)>);

TEST(SharedTypes, OneHeaderFilledByTheImageIsTheContainersHeader)
{
    TBitmap bitmap(5, 3, 8);
    bitmap.setPalette(std::vector<TColor>(256, RGB(1, 2, 3)));
    TSepDIB descriptor;
    FillSepDIB(descriptor, bitmap);
    TDibRecord record;
    record.Header = descriptor.bmiHeader;
    EXPECT_EQ(record.Header.biSize, 40u);
    EXPECT_EQ(record.Width(), 5);
    EXPECT_EQ(record.AbsHeight(), 3);
    EXPECT_EQ(record.Header.biPlanes, 1);
    EXPECT_EQ(record.Stride(), 8u);
}

TEST(SharedTypes, ShortReadsOfRegionsAndDibsAreOneError)
{
    auto readError = [](auto&& read) -> std::string {
        try {
            read();
        } catch (const EReadError& e) {
            return e.what();
        }
        return "(no EReadError)";
    };
    // A region-stream header announcing two rectangles, without them.
    std::vector<std::uint8_t> header(32, 0);
    Put32(header, 0, 32);
    Put32(header, 4, 1);
    Put32(header, 8, 2);
    Put32(header, 12, 32);
    Put32(header, 24, 1);
    Put32(header, 28, 1);
    std::stringstream stream(std::string(header.begin(), header.end()));
    TRegionRef region;
    EXPECT_EQ(readError([&] { TRegion::LoadFromStream(region, stream); }), "Stream read error");
    TLvDIB dib;
    EXPECT_EQ(readError([&] {
                  dib.LoadFromStream(BmpFile(PackedDib(4, 4, 24, 0, 0, {}, {1, 2, 3}), 0));
              }),
              "Stream read error");
}

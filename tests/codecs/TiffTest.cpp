// TIFF through the format dispatch: every kind of the test files decodes as ImageMagick decodes
// it, palette and grey pictures keep their depth, round trips are exact, saving uses Deflate.
#include "FileBytes.h"
#include "ReferenceTool.h"
#include "codecs/FormatDispatch.h"
#include "codecs/tiff/TiffCodec.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

using namespace kalvo;
using namespace kalvo::test;

namespace {

const std::string kDir = std::string(KALVO_TEST_DATA) + "/tiff/";

TBitmap imageMagickPicture(const TempDir& dir, const std::string& file)
{
    EXPECT_TRUE(RunTool("/usr/bin/convert '" + file + "[0]' -depth 16 pam:" + dir.file("ref.pam")));
    return ReadPnm(dir.file("ref.pam"));
}

} // namespace

TEST(Tiff, EveryKindDecodesAsImageMagickDecodesItAtItsDepth)
{
    const std::map<std::string, int> depths = {{"bilevel-g4.tif", 1},
                                               {"bilevel-miniswhite.tif", 8},
                                               {"grey16.tif", 8},
                                               {"grey2.tif", 4},
                                               {"grey4.tif", 4},
                                               {"grey8-deflate.tif", 8},
                                               {"grey8-jpeg.tif", 8},
                                               {"pal1.tif", 1},
                                               {"pal4-none.tif", 4},
                                               {"pal8-lzw.tif", 8},
                                               {"rgb16-deflate.tif", 24},
                                               {"rgb8-deflate-tiled.tif", 24},
                                               {"rgb8-jpeg.tif", 24},
                                               {"rgb8-jpeg-tiled.tif", 24} /* YCbCr */,
                                               {"rgb8-jpeg-tiles.tif", 24},
                                               {"rgb8-lzw.tif", 24},
                                               {"rgb8-none.tif", 24},
                                               {"rgb8-packbits.tif", 24},
                                               {"rgb8-planar.tif", 24},
                                               {"rgba8-lzw.tif", 24},
                                               {"ycbcr-jpeg-strips.tif", 24},
                                               {"two-pages.tif", 24}};
    EXPECT_EQ(ListDir(kDir).size(), depths.size());
    TempDir dir;
    for (const auto& [name, depth] : depths) {
        SCOPED_TRACE(name);
        const auto bitmap = OpenPicture(kDir + name);
        ASSERT_TRUE(bitmap);
        EXPECT_EQ(bitmap->bitCount(), depth);
        EXPECT_EQ(bitmap->toTrueColor(), imageMagickPicture(dir, kDir + name));
    }
    // A file of several pages opens its first.
    EXPECT_EQ(*OpenPicture(kDir + "two-pages.tif"), *OpenPicture(kDir + "rgb8-lzw.tif"));
}

TEST(Tiff, RoundTripsAreExactWithDeflateAndImageMagickAgrees)
{
    TempDir dir;
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        SCOPED_TRACE(bits);
        const TBitmap original = PatternBitmap(37, 23, bits);
        SaveFileBytes(dir, original, TpxImageInfo(), "round.tif");
        const auto loaded = OpenPicture(dir.file("round.tif"));
        ASSERT_TRUE(loaded);
        EXPECT_EQ(*loaded, bits <= 8 ? original : original.toTrueColor());
        EXPECT_EQ(loaded->toTrueColor(), imageMagickPicture(dir, dir.file("round.tif")));
        EXPECT_TRUE(RunTool("test \"$(/usr/bin/identify -format %C " + dir.file("round.tif") + ")\" = Zip"));
    }
    // Several tiles: the data check counts them all (a 1000 x 1000 picture from 64 small tiles).
    ASSERT_TRUE(
        RunTool("/usr/bin/convert -size 1000x1000 xc:'#336699' -compress zip -define tiff:tile-geometry=128x128 "
                + dir.file("tiles.tif")));
    EXPECT_EQ(OpenPicture(dir.file("tiles.tif"))->toTrueColor(), SolidBitmap(1000, 1000, RGB(0x33, 0x66, 0x99)));
    // Several strips.
    const TBitmap large = PatternBitmap(601, 500, 24);
    SaveFileBytes(dir, large, TpxImageInfo(), "large.tiff");
    EXPECT_EQ(*OpenPicture(dir.file("large.tiff")), large);
}

TEST(Tiff, PreviewTakesTheShownRowsFromTheBandsThatHoldThem)
{
    TempDir dir;
    SaveFileBytes(dir, PatternBitmap(601, 500, 24), TpxImageInfo(), "strips.tif"); // 4 strips
    std::vector<std::string> files = {dir.file("strips.tif")};
    for (const std::string& name : ListDir(kDir))
        files.push_back(kDir + name);
    int sampled = 0;
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        const std::vector<std::uint8_t> bytes = ReadAll(file);
        const TBitmap full = ReadTiff(bytes).bitmap;
        for (const int rows : {1, 7}) {
            // At the full width JPEG pages too are decoded at full scale, as libtiff decodes them.
            const TTiffPreview preview = ReadTiffPreview(bytes, [&](int width, int) {
                return TTiffShownSize{width, rows};
            });
            EXPECT_EQ(preview.width, full.width());
            EXPECT_EQ(preview.height, full.height());
            if (preview.bitmap.height() == full.height()) { // converted by libtiff: read whole
                EXPECT_EQ(preview.bitmap, full);
                continue;
            }
            ++sampled;
            TBitmap expected(full.width(), rows, full.bitCount());
            expected.setPalette(full.palette());
            for (int i = 0; i < rows; ++i)
                std::memcpy(expected.scanLine(i), full.scanLine((2 * i + 1) * full.height() / (2 * rows)),
                            full.stride());
            EXPECT_EQ(preview.bitmap, expected);
        }
    }
    EXPECT_GE(sampled, 2 * 17); // all but the planar and two-colour-channel kinds
}

// A JPEG-compressed page shown small is decoded at an eighth of its size: each pixel is the mean of
// its 8 x 8 block (within the rounding of the subsampled chroma) whichever the colour space and
// layout; in tiles, whose padding is the writer's, a block that straddles the page's edge repeats
// its neighbour. Smooth 100 x 70 pictures: YCbCr 4:2:0 strips of 16 rows (tiffcp -c jpeg:90 -r
// 16), RGB tiles of 32 x 32 and grey strips (ImageMagick -compress jpeg).
TEST(Tiff, PreviewDecodesJpegPagesAtAnEighthOfTheirSize)
{
    for (const char* name : {"ycbcr-jpeg-strips.tif", "rgb8-jpeg-tiles.tif", "grey8-jpeg.tif"}) {
        SCOPED_TRACE(name);
        const std::vector<std::uint8_t> bytes = ReadAll(kDir + name);
        const TBitmap full = ReadTiff(bytes).bitmap;
        const int rows = 3;
        const TTiffPreview preview = ReadTiffPreview(bytes, [&](int width, int) {
            return TTiffShownSize{(width + 7) / 8, rows};
        });
        ASSERT_EQ(preview.bitmap.width(), (full.width() + 7) / 8);
        ASSERT_EQ(preview.bitmap.height(), rows);
        EXPECT_EQ(preview.bitmap.bitCount(), full.bitCount());
        const bool tiled = std::string(name) == "rgb8-jpeg-tiles.tif";
        int worst = 0;
        for (int i = 0; i < rows; ++i) {
            const int top = (2 * i + 1) * full.height() / (2 * rows) / 8 * 8;
            for (int x = 0; x < preview.bitmap.width(); ++x) {
                const int left = 8 * (tiled ? std::min(x, full.width() / 8 - 1) : x);
                int sum[3] = {}, count = 0;
                for (int y = top; y < std::min(top + 8, full.height()); ++y)
                    for (int u = left; u < std::min(left + 8, full.width()); ++u, ++count) {
                        const TColor c = full.pixelColor(u, y);
                        sum[0] += GetRValue(c), sum[1] += GetGValue(c), sum[2] += GetBValue(c);
                    }
                const TColor shown = preview.bitmap.pixelColor(x, i);
                const int got[3] = {GetRValue(shown), GetGValue(shown), GetBValue(shown)};
                for (int k = 0; k < 3; ++k)
                    worst = std::max(worst, std::abs(got[k] - (sum[k] + count / 2) / count));
            }
        }
        EXPECT_LE(worst, 2);
    }
}

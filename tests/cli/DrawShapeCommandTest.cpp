#include "CliTestSupport.h"
#include "codecs/bmp/BmpFormat.h"
#include "imaging/raster/ShapeMask.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace kalvo;
using namespace kalvo::test;

TEST(CliDrawShape, DrawsTheToolsAliasedFigureAtThePicturesDepth)
{
    TempDir dir;
    TBitmap indexed(20, 12, 8);
    indexed.setPalette({clBlack, RGB(0, 250, 0), RGB(250, 0, 0)});
    WriteAll(dir.file("in.bmp"), BmpBytes(indexed));
    auto r = RunCli({"draw-shape", dir.file("in.bmp"), dir.file("out.bmp"), "--shape", "rect", "--from", "15,9", "--to",
                     "2,1", "--color", "FF0000", "--fill", "both", "--fill-color", "00FF00"});
    ASSERT_EQ(r.status, 0) << r.err;
    const TBitmap out = ReadBmpFile(dir.file("out.bmp"));
    ASSERT_EQ(out.bitCount(), 8);
    const TShapeCoverage expected = AliasedShapeCoverage({TShapeKind::Rect, TShapeFill::Both, {15, 9}, {2, 1}, 1, 8});
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 20; ++x) {
            const QPoint s = QPoint(x, y) - expected.Stroke.Origin;
            const bool stroke = expected.Stroke.Area().contains(x, y) && expected.Stroke.Table[s.y()][s.x()];
            const bool inside = x > 2 && x < 15 && y > 1 && y < 9;
            EXPECT_EQ(out.scanLine(y)[x], stroke ? 2 : (inside ? 1 : 0)) << x << "," << y;
        }
    EXPECT_EQ(out.scanLine(1)[2], 2); // both corner pixels are on the outline
    EXPECT_EQ(out.scanLine(9)[15], 2);

    EXPECT_EQ(
        RunCli({"draw-shape", dir.file("in.bmp"), dir.file("x.bmp"), "--shape", "star", "--from", "1,1", "--to", "2,2"})
            .status,
        2);
    EXPECT_EQ(RunCli({"draw-shape", dir.file("in.bmp"), dir.file("x.bmp"), "--shape", "line", "--from", "1"}).status,
              2);
    EXPECT_FALSE(FileExists(dir.file("x.bmp")));
}

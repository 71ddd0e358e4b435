#include "image/PaintBitmap.h"
#include "RegionTestSupport.h"
#include "support/TestSupport.h"

#include <QRegion>

#include <gtest/gtest.h>

#include <string>

using namespace kalvo;

namespace {

// The palette index (or, at 24 bits, whether the pixel is not black) of every pixel as text rows.
std::string Picture(const TBitmap& b)
{
    std::string out;
    for (int y = 0; y < b.height(); ++y) {
        for (int x = 0; x < b.width(); ++x) {
            const std::uint8_t* row = b.scanLine(y);
            int v = 0;
            switch (b.bitCount()) {
            case 1: v = (row[x / 8] >> (7 - x % 8)) & 1; break;
            case 4: v = (row[x / 2] >> (x % 2 ? 0 : 4)) & 15; break;
            case 8: v = row[x]; break;
            default: v = b.pixelColor(x, y) != 0; break;
            }
            out += v == 0 ? '.' : char(v < 10 ? '0' + v : 'a' + v - 10);
        }
        out += '\n';
    }
    return out;
}

TBitmap Grey8(int w, int h)
{
    return TBitmap(w, h, 8); // default palette: the grey ramp, entry i = RGB(i, i, i)
}

} // namespace

TEST(PaintBitmap, OnePixelPolylineLeavesOutOnlyItsFinalPixelAtEveryDepth)
{
    const TPoints points{{0, 0}, {4, 0}, {4, 3}};
    const std::string expected = "11111.\n"
                                 "....1.\n"
                                 "....1.\n"
                                 "......\n";
    for (int bits : {1, 4, 24}) {
        TBitmap b(6, 4, bits);
        // White: index 1 of the mono palette, 15 of the standard sixteen.
        const QRect changed = DrawPixelLines(b, points, false, clWhite, std::nullopt);
        std::string want = expected;
        if (bits == 4)
            for (char& c : want)
                c = c == '1' ? 'f' : c;
        EXPECT_EQ(Picture(b), want) << bits;
        EXPECT_EQ(changed, QRect(0, 0, 5, 3)) << bits;
    }
    TBitmap grey = Grey8(6, 4);
    DrawPixelLines(grey, points, false, RGB(101, 99, 100), std::nullopt);
    EXPECT_EQ(grey.scanLine(0)[2], 100); // the nearest grey
    EXPECT_EQ(grey.scanLine(3)[4], 0);

    // A single point draws nothing; segments in pairs are drawn separately.
    TBitmap one(6, 4, 4);
    EXPECT_TRUE(DrawPixelLines(one, {{2, 2}}, false, clWhite, std::nullopt).isEmpty());
    DrawPixelLines(one, {{0, 0}, {0, 3}, {5, 0}, {3, 0}}, true, clWhite, std::nullopt);
    EXPECT_EQ(Picture(one),
              "f...ff\n"
              "f.....\n"
              "f.....\n"
              "......\n");
}

TEST(PaintBitmap, LinesAreClippedToTheRegionAndNeedAStorableColour)
{
    TBitmap b(6, 3, 4);
    DrawPixelLines(b, {{0, 1}, {6, 1}}, false, RGB(255, 0, 0), TRegion::rect({2, 0, 4, 3}));
    EXPECT_EQ(Picture(b),
              "......\n"
              "..99..\n"
              "......\n");
    // An image whose palette is empty cannot take any colour.
    TBitmap empty(4, 4, 8);
    empty.setPalette({});
    bool stored = true;
    EXPECT_TRUE(DrawPixelLines(empty, {{0, 0}, {3, 3}}, false, clWhite, std::nullopt, &stored).isEmpty());
    EXPECT_FALSE(stored);
    EXPECT_FALSE(FillRegion(empty, std::nullopt, clWhite));
}

TEST(PaintBitmap, FillRegionTakesTheColourOrTheNearestIndex)
{
    TBitmap b(5, 2, 1);
    ASSERT_TRUE(FillRegion(b, TRegion::rect({1, -3, 4, 200}), RGB(200, 200, 200))); // clipped to the image
    EXPECT_EQ(Picture(b), ".111.\n.111.\n");
    TBitmap t(3, 2, 24);
    ASSERT_TRUE(FillRegion(t, std::nullopt, RGB(1, 2, 3)));
    EXPECT_EQ(t.pixelColor(2, 1), RGB(1, 2, 3));
    // 5-5-5 words and 32-bit words keep their own layouts.
    TBitmap w16(2, 1, 16), w32(2, 1, 32);
    FillRegion(w16, TRegion::rect({1, 0, 2, 1}), RGB(255, 8, 0));
    EXPECT_EQ(w16.scanLine(0)[2], 0x20);
    EXPECT_EQ(w16.scanLine(0)[3], 0x7C);
    EXPECT_EQ(w16.scanLine(0)[1], 0);
    FillRegion(w32, std::nullopt, RGB(1, 2, 3));
    EXPECT_EQ(w32.scanLine(0)[4], 3);
    EXPECT_EQ(w32.scanLine(0)[5], 2);
    EXPECT_EQ(w32.scanLine(0)[6], 1);
    EXPECT_EQ(w32.scanLine(0)[7], 0);
    TBitmap g = Grey8(9, 1);
    FillRegion(g, TRegion::rect({3, 0, 9, 1}), RGB(7, 7, 7));
    EXPECT_EQ(g.scanLine(0)[2], 0);
    EXPECT_EQ(g.scanLine(0)[3], 7);
    EXPECT_EQ(g.scanLine(0)[8], 7);
}

TEST(PaintBitmap, CopyKeepsIndicesWithTheSamePaletteAndMapsColoursOtherwise)
{
    // 4-bit into 4-bit with the same palette: indices copied at the offset, clipped.
    TBitmap source(3, 2, 4);
    FillRegion(source, std::nullopt, RGB(255, 0, 0));
    TBitmap target(6, 4, 4);
    const QRect changed = CopyBitmapClipped(target, source, 2, 1, TRegion::rect({0, 0, 4, 4}));
    EXPECT_EQ(Picture(target),
              "......\n"
              "..99..\n"
              "..99..\n"
              "......\n");
    EXPECT_EQ(changed, QRect(2, 1, 2, 2));

    // 24-bit into 1-bit: each pixel through the nearest entry; beyond the target edge nothing.
    TBitmap colour(3, 1, 24);
    colour.fill(clWhite);
    TBitmap mono(4, 1, 1);
    CopyBitmapClipped(mono, colour, 2, 0, std::nullopt);
    EXPECT_EQ(Picture(mono), "..11\n");

    // 1-bit into 1-bit, unaligned, without clipping.
    TBitmap bits(3, 1, 1);
    FillRegion(bits, TRegion::rect({0, 0, 1, 1}), clWhite);
    FillRegion(bits, TRegion::rect({2, 0, 3, 1}), clWhite);
    TBitmap into(8, 1, 1);
    CopyBitmapClipped(into, bits, 5, 0, std::nullopt);
    EXPECT_EQ(Picture(into), ".....1.1\n");

    // 8-bit into 4-bit: through the colours to the nearest entry (grey 128 is the standard grey).
    TBitmap grey = Grey8(2, 1);
    grey.scanLine(0)[1] = 128;
    TBitmap sixteen(2, 1, 4);
    CopyBitmapClipped(sixteen, grey, 0, 0, std::nullopt);
    EXPECT_EQ(Picture(sixteen), ".8\n");

    // 8-bit with another palette into 8-bit: the indices as they are.
    TBitmap other(1, 1, 8);
    other.setPalette(std::vector<TColor>(256, RGB(50, 50, 50)));
    other.scanLine(0)[0] = 7;
    TBitmap target8 = Grey8(2, 1);
    CopyBitmapClipped(target8, other, 1, 0, std::nullopt);
    EXPECT_EQ(target8.scanLine(0)[1], 7);
}

TEST(PaintBitmap, CopyDrawsAtAnOffsetClippedToTargetAndRegionAtEveryDepth)
{
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        const TBitmap source = test::PatternBitmap(11, 7, bits);
        TBitmap target(13, 9, bits);
        target.setPalette(source.palette());
        const TBitmap blank = target;
        const TRegion clip = test::FromQRegion(QRegion(QRect(0, 0, 13, 9)).subtracted(QRegion(5, 4, 2, 2)));
        CopyBitmapClipped(target, source, 3, -2, clip);
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 13; ++x) {
                const int sx = x - 3, sy = y + 2;
                const bool inside = sx >= 0 && sx < 11 && sy >= 0 && sy < 7 && clip.contains(x, y);
                const TColor expected = inside ? source.pixelColor(sx, sy) : blank.pixelColor(x, y);
                ASSERT_EQ(target.pixelColor(x, y), expected) << bits << " bits at " << x << ", " << y;
            }
    }
    // A true-colour target takes the colours of a palette source.
    const TBitmap source = test::PatternBitmap(4, 3, 8);
    TBitmap target(4, 3, 24);
    CopyBitmapClipped(target, source, 0, 0, std::nullopt);
    EXPECT_EQ(target.pixelColor(3, 2), source.pixelColor(3, 2));
}

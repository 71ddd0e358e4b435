#include "canvas/FrameComposer.h"
#include "canvas/NearestStretch.h"
#include "support/MemoryLimit.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace kalvo {
namespace {

using test::PatternBitmap;

std::uint32_t At(const QImage& frame, int x, int y)
{
    return reinterpret_cast<const std::uint32_t*>(frame.constScanLine(y))[x];
}

// Every drawn frame pixel shows image pixel (scroll + min(pos * 100 / zoom, source - 1)).
void ExpectNearestMapping(const TBitmap& image, const TFrameSource& s, const QImage& frame)
{
    for (int y = 0; y < s.DrawHeight; ++y)
        for (int x = 0; x < s.DrawWidth; ++x) {
            const int ix = s.ScrollX + std::min(x * 100 / s.Zoom, s.SourceWidth - 1);
            const int iy = s.ScrollY + std::min(y * 100 / s.Zoom, s.SourceHeight - 1);
            ASSERT_EQ(At(frame, x, y), FramePixel(image.pixelColor(ix, iy)))
                << "frame " << x << "," << y << " zoom " << s.Zoom;
        }
}

TEST(FrameComposer, StretchesTheVisiblePartAtEveryKindOfZoom)
{
    const TBitmap image = PatternBitmap(37, 29, 24);
    for (int zoom : {10, 33, 50, 75, 100, 150, 200, 300, 1000}) {
        TViewGeometry g;
        g.ImageWidth = 37;
        g.ImageHeight = 29;
        g.ClientWidth = 40;
        g.ClientHeight = 30;
        g.Zoom = zoom;
        g.ScrollX = 5;
        g.ScrollY = 3;
        g.RecalcLayout();
        g.UpdateView();
        QImage frame = CreateFrameBuffer(g.DisplayWidth + 1, g.DisplayHeight + 1);
        const TFrameSource s = FrameSourceOf(g);
        ComposeFrame(image, s, frame);
        ExpectNearestMapping(image, s, frame);
    }
}

TEST(FrameComposer, PaletteImagesGoThroughTheirPalette)
{
    for (int bits : {1, 4, 8, 16, 32}) {
        const TBitmap image = PatternBitmap(23, 11, bits);
        for (int zoom : {50, 100, 250}) {
            const TFrameSource s{2, 1, 21, 10, 21 * zoom / 100, 10 * zoom / 100, zoom};
            QImage frame = CreateFrameBuffer(s.DrawWidth + 1, s.DrawHeight + 1);
            ComposeFrame(image, s, frame);
            ExpectNearestMapping(image, s, frame);
        }
    }
}

TEST(FrameComposer, MagnifiedPixelsAreSolidBlocks)
{
    TBitmap image(2, 1, 24);
    image.scanLine(0)[2] = 0xFF; // pixel 0 red
    image.scanLine(0)[3] = 0xFF; // pixel 1 blue
    QImage frame = CreateFrameBuffer(9, 5);
    ComposeFrame(image, {0, 0, 2, 1, 8, 4, 400}, frame);
    for (int y = 0; y < 4; ++y) {
        EXPECT_EQ(At(frame, 3, y), 0xFFFF0000u);
        EXPECT_EQ(At(frame, 4, y), 0xFF0000FFu);
    }
    // Outside the drawn area nothing is written.
    EXPECT_EQ(At(frame, 8, 0), 0xFF000000u);
    EXPECT_EQ(At(frame, 0, 4), 0xFF000000u);
}

TEST(FrameComposer, ZoomedOutFramesReadTheReducedCopy)
{
    const TBitmap image = PatternBitmap(203, 101, 24);
    TReducedImages reduced;
    EXPECT_EQ(TReducedImages::FactorFor(51), 1);
    EXPECT_EQ(TReducedImages::FactorFor(50), 2);
    EXPECT_EQ(TReducedImages::FactorFor(25), 4);
    EXPECT_EQ(TReducedImages::FactorFor(33), 3);
    EXPECT_EQ(TReducedImages::FactorFor(10), 10);
    EXPECT_EQ(TReducedImages::FactorFor(1), 100);
    for (int zoom : {50, 33, 25, 15, 10, 3}) {
        const TFrameSource s{7, 5, 190, 90, 190 * zoom / 100, 90 * zoom / 100, zoom};
        QImage frame = CreateFrameBuffer(s.DrawWidth + 1, s.DrawHeight + 1);
        ComposeFrame(image, s, frame, &reduced);
        const int k = TReducedImages::FactorFor(zoom);
        for (int y = 0; y < s.DrawHeight; ++y)
            for (int x = 0; x < s.DrawWidth; ++x) {
                const int ix = s.ScrollX + std::min(x * 100 / zoom, s.SourceWidth - 1);
                const int iy = s.ScrollY + std::min(y * 100 / zoom, s.SourceHeight - 1);
                // The pixel shown lies less than one screen pixel away from the mapped one.
                ASSERT_EQ(At(frame, x, y), FramePixel(image.pixelColor(ix / k * k, iy / k * k)))
                    << x << "," << y << " zoom " << zoom;
            }
    }
    EXPECT_FALSE(reduced.Empty());
    EXPECT_EQ(reduced.Level(image, 4).width(), 51);
    EXPECT_EQ(reduced.Level(image, 4).height(), 26);
}

TEST(FrameComposer, APatchShowsAsIfCopiedIntoTheImage)
{
    const TBitmap image = PatternBitmap(203, 101, 24);
    TBitmap patch(41, 23, 24);
    for (int y = 0; y < patch.height(); ++y)
        for (int x = 0; x < 3 * patch.width(); ++x)
            patch.scanLine(y)[x] = std::uint8_t(~image.scanLine(y)[x + 6]);
    for (const QPoint at : {QPoint(30, 20), QPoint(-5, 90), QPoint(180, 2)})
        for (int zoom : {300, 100, 75, 50, 33, 10}) {
            TBitmap patched = image;
            for (int y = std::max(at.y(), 0); y < std::min(at.y() + 23, 101); ++y)
                for (int x = std::max(at.x(), 0); x < std::min(at.x() + 41, 203); ++x)
                    std::copy_n(patch.scanLine(y - at.y()) + 3 * (x - at.x()), 3, patched.scanLine(y) + 3 * x);
            const TFrameSource s{7, 5, 190, 90, 190 * zoom / 100, 90 * zoom / 100, zoom};
            TReducedImages reduced, reducedPatched;
            QImage frame = CreateFrameBuffer(s.DrawWidth + 1, s.DrawHeight + 1), expected = frame.copy();
            ComposeFrame(image, s, frame, &reduced);
            ComposeFramePatch(image, patch, at, s, frame, TReducedImages::FactorFor(zoom));
            ComposeFrame(patched, s, expected, &reducedPatched);
            ASSERT_EQ(frame, expected) << at.x() << "," << at.y() << " zoom " << zoom;
        }
}

TEST(FrameComposer, WithoutMemoryForTheReducedCopyTheFrameComesFromTheImage)
{
    if (!test::MemoryLimitsWork())
        GTEST_SKIP() << "address-space limits do not work under AddressSanitizer";
    const TBitmap image = PatternBitmap(4000, 4000, 24);
    const TFrameSource s{40, 80, 800, 600, 200, 150, 25};
    QImage frame = CreateFrameBuffer(s.DrawWidth + 1, s.DrawHeight + 1);
    // The copy for 25 % would take 4 MB; 1 MB is left.
    EXPECT_EQ(test::RunWithMemoryLimit(std::size_t(1) << 20,
                                       [&]() -> std::string {
                                           TReducedImages reduced;
                                           ComposeFrame(image, s, frame, &reduced);
                                           if (!reduced.Empty())
                                               return "a reduced copy was made";
                                           ExpectNearestMapping(image, s, frame);
                                           return ::testing::Test::HasFailure() ? "wrong pixels" : "";
                                       }),
              "");
}

TEST(FrameComposer, EdgeIsOnePixelRightOfAndBelowTheDrawnArea)
{
    QImage frame = CreateFrameBuffer(6, 5);
    PaintFrameEdge(frame, 4, 3, RGB(1, 2, 3));
    for (int y = 0; y <= 3; ++y)
        EXPECT_EQ(At(frame, 4, y), 0xFF010203u);
    for (int x = 0; x <= 4; ++x)
        EXPECT_EQ(At(frame, x, 3), 0xFF010203u);
    EXPECT_EQ(At(frame, 5, 3), 0xFF000000u);
    EXPECT_EQ(At(frame, 4, 4), 0xFF000000u);
    EXPECT_EQ(At(frame, 3, 2), 0xFF000000u);
}

TEST(FrameComposer, RequestsBeyondImageOrFrameAreLimited)
{
    const TBitmap image = PatternBitmap(10, 10, 24);
    QImage frame = CreateFrameBuffer(8, 8);
    // Source and drawn sizes larger than image and frame: only what exists is drawn.
    ComposeFrame(image, {6, 6, 50, 50, 100, 100, 100}, frame);
    EXPECT_EQ(At(frame, 3, 3), FramePixel(image.pixelColor(9, 9)));
    EXPECT_EQ(At(frame, 7, 7), FramePixel(image.pixelColor(9, 9)));
    QImage untouched = CreateFrameBuffer(4, 4);
    ComposeFrame(TBitmap(), {0, 0, 4, 4, 4, 4, 100}, untouched);
    EXPECT_EQ(At(untouched, 0, 0), 0xFF000000u);
}

} // namespace
} // namespace kalvo

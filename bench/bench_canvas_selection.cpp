// The magic-wand click on a 24-megapixel photograph-like picture (6000 x 4000, smooth colour
// fields with grain) at tolerance 10 in a 1920 x 1080 canvas on the offscreen platform: the whole
// click until the outline is on screen, and its parts (fill, region, outline, zoomed outline).
// Then a marching-ants step and a rubber-band redraw on that selection, fitted and at 100 %.
#include "canvas/OutlineOverlay.h"
#include "canvas/PxImage.h"
#include "image/Outline.h"
#include "image/RegionConvert.h"
#include "imaging/raster/FloodMask.h"
#include "support/CanvasBench.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

using namespace kalvo;

constexpr int kW = 6000, kH = 4000;
const QPoint kSeed(3000, 1200);

// A sky-like gradient over the upper part, hills of other colours below, and a little grain.
const TBitmap& Photo()
{
    static const TBitmap image = [] {
        TBitmap b(kW, kH, 24);
        std::uint32_t seed = 7;
        for (int y = 0; y < kH; ++y) {
            std::uint8_t* row = b.scanLine(y);
            for (int x = 0; x < kW; ++x) {
                seed = seed * 1664525u + 1013904223u;
                const int grain = int(seed >> 29) - 4;
                const double hill = 2400 + 500 * std::sin(x / 700.0) + 200 * std::sin(x / 130.0);
                int r, g, bl;
                if (y < hill) {
                    r = 90 + y / 80;
                    g = 140 + y / 90;
                    bl = 220 - y / 100;
                } else {
                    r = 60 + int(30 * std::sin(x / 50.0 + y / 70.0));
                    g = 110 + int(40 * std::sin(y / 90.0));
                    bl = 50;
                }
                row[3 * x] = std::uint8_t(std::clamp(bl + grain, 0, 255));
                row[3 * x + 1] = std::uint8_t(std::clamp(g + grain, 0, 255));
                row[3 * x + 2] = std::uint8_t(std::clamp(r + grain, 0, 255));
            }
        }
        return b;
    }();
    return image;
}

struct TCanvasSetup {
    TpxImage canvas;
    explicit TCanvasSetup(bool fit)
    {
        canvas.SetBitmap(Photo());
        canvas.resize(1924, 1084);
        canvas.show();
        QCoreApplication::processEvents();
        if (fit)
            canvas.SetAutoStretch(true);
        else
            canvas.SetZoom(100);
        TToolSettings settings = canvas.ToolSettings();
        settings.MagicWandTolerance = 10;
        canvas.SetToolSettings(settings);
        canvas.SetMouseMode(mmSelectMagicWand);
        canvas.viewport()->repaint();
    }
    void click()
    {
        QWidget* vp = canvas.viewport();
        const QPoint p = canvas.ImageToScreen(kSeed);
        bench::SendMouse(vp, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
        bench::SendMouse(vp, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
        vp->repaint();
    }
};

void BM_MagicWandClick(benchmark::State& state)
{
    TCanvasSetup s(state.range(0) != 0);
    if (!s.canvas.AutoStretch())
        s.canvas.SetScrollPosition(kSeed.x() - 900, kSeed.y() - 500);
    for (auto _ : state) {
        s.canvas.DeleteSelection();
        s.click();
    }
    state.counters["selected_px"] = s.canvas.Region() ? double(s.canvas.Region()->boundingRect().width()) : 0;
    state.counters["outline_pts"] = double(s.canvas.Outline().size());
}
BENCHMARK(BM_MagicWandClick)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_MagicWandFill(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(FloodMask(Photo(), kSeed.x(), kSeed.y(), 10));
}
BENCHMARK(BM_MagicWandFill)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_MagicWandRegion(benchmark::State& state)
{
    const TBitmap mask = *FloodMask(Photo(), kSeed.x(), kSeed.y(), 10);
    for (auto _ : state)
        benchmark::DoNotOptimize(MonoBitmapToRegion(mask));
}
BENCHMARK(BM_MagicWandRegion)->Unit(benchmark::kMillisecond)->Iterations(5);

const TRegion& WandRegion()
{
    static const TRegion region = MonoBitmapToRegion(*FloodMask(Photo(), kSeed.x(), kSeed.y(), 10));
    return region;
}

void BM_MagicWandOutline(benchmark::State& state)
{
    const TRegionRef region = WandRegion();
    for (auto _ : state) {
        TPoints points;
        benchmark::DoNotOptimize(RegionToPoints(region, points));
    }
}
BENCHMARK(BM_MagicWandOutline)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_MagicWandZoomedOutline(benchmark::State& state)
{
    TPoints points;
    RegionToPoints(WandRegion(), points);
    const TRect box = WandRegion().boundingRect();
    for (auto _ : state)
        benchmark::DoNotOptimize(ScaleOutline(points, box, 28));
}
BENCHMARK(BM_MagicWandZoomedOutline)->Unit(benchmark::kMillisecond)->Iterations(5);

// One ants tick: the outline drawn with the next phase into the frame and shown.
void BM_AntsStep(benchmark::State& state)
{
    TCanvasSetup s(state.range(0) != 0);
    s.click();
    if (!s.canvas.AutoStretch())
        s.canvas.SetScrollPosition(kSeed.x() - 900, 2400 - 500);
    s.canvas.viewport()->repaint();
    for (auto _ : state) {
        s.canvas.AntsTimerTimer();
        QCoreApplication::processEvents(); // the repaint the tick asked for
    }
}
BENCHMARK(BM_AntsStep)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// One pointer move of a rectangle drag over that selection and the repaint it asks for.
void BM_RubberBandRedraw(benchmark::State& state)
{
    TCanvasSetup s(state.range(0) != 0);
    s.click();
    s.canvas.SetMouseMode(mmSelectRect);
    QWidget* vp = s.canvas.viewport();
    const QPoint start(100, 100);
    bench::SendMouse(vp, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    int step = 0;
    for (auto _ : state) {
        step = (step + 1) % 500;
        bench::SendMouse(vp, QEvent::MouseMove, QPoint(600 + step, 400 + step), Qt::NoButton, Qt::LeftButton);
        vp->repaint();
    }
    bench::SendMouse(vp, QEvent::MouseButtonRelease, QPoint(600, 400), Qt::LeftButton, Qt::NoButton);
}
BENCHMARK(BM_RubberBandRedraw)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return kalvo::bench::RunCanvasBenchmarks(argc, argv);
}

// Composing one canvas frame for a 1920 x 1080 client from a 6000 x 4000 image, against copying
// the frame buffer's bytes once (measured in the same run), and animating the selection outline.
#include "canvas/FrameComposer.h"
#include "canvas/OutlineOverlay.h"
#include "canvas/ViewGeometry.h"
#include "image/Outline.h"
#include "image/Region.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

namespace {

using namespace kalvo;

constexpr int kClientWidth = 1920, kClientHeight = 1080;
constexpr int kImageWidth = 6000, kImageHeight = 4000;

const TBitmap& Image(int bitCount)
{
    static TBitmap image24, image8;
    TBitmap& image = bitCount == 24 ? image24 : image8;
    if (image.empty()) {
        image = TBitmap(kImageWidth, kImageHeight, bitCount);
        std::uint32_t seed = 12345;
        for (std::size_t i = 0; i < image.byteSize(); ++i) {
            seed = seed * 1664525u + 1013904223u;
            image.bits()[i] = std::uint8_t(seed >> 24);
        }
    }
    return image;
}

// The view scrolled to the middle of the image.
TViewGeometry View(int zoom)
{
    TViewGeometry g;
    g.ImageWidth = kImageWidth;
    g.ImageHeight = kImageHeight;
    g.ClientWidth = kClientWidth;
    g.ClientHeight = kClientHeight;
    g.Zoom = zoom;
    g.RecalcLayout();
    g.ScrollX = (kImageWidth - g.VisibleWidth) / 2;
    g.ScrollY = (kImageHeight - g.VisibleHeight) / 2;
    g.ClampScroll();
    g.UpdateView();
    return g;
}

// The fastest of several copies of the frame buffer's bytes, in seconds.
double CopySeconds(const QImage& frame)
{
    std::vector<std::uint8_t> target(std::size_t(frame.sizeInBytes()));
    double best = 1e9;
    for (int i = 0; i < 20; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        std::memcpy(target.data(), frame.constBits(), target.size());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    return best;
}

void BM_ComposeFrame(benchmark::State& state)
{
    const int zoom = int(state.range(0));
    const TBitmap& image = Image(int(state.range(1)));
    const TViewGeometry g = View(zoom);
    QImage frame = CreateFrameBuffer(g.DisplayWidth + 1, g.DisplayHeight + 1);
    const TFrameSource source = FrameSourceOf(g);
    // The reduced copies are built once per image (timed separately below); frames reuse them.
    TReducedImages reduced;
    const auto b0 = std::chrono::steady_clock::now();
    if (TReducedImages::FactorFor(zoom) > 1)
        reduced.Level(image, TReducedImages::FactorFor(zoom));
    const double build = std::chrono::duration<double>(std::chrono::steady_clock::now() - b0).count();
    double best = 1e9;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        ComposeFrame(image, source, frame, &reduced);
        PaintFrameEdge(frame, g.DrawWidth, g.DrawHeight, clWhite);
        benchmark::ClobberMemory();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    const double copy = CopySeconds(frame);
    state.counters["frame_px"] = double(frame.width()) * frame.height();
    state.counters["best_ms"] = best * 1e3;
    state.counters["copy_ms"] = copy * 1e3;
    state.counters["ratio"] = best / copy;
    state.counters["reduce_once_ms"] = build * 1e3;
    state.SetBytesProcessed(std::int64_t(state.iterations()) * frame.sizeInBytes());
}
BENCHMARK(BM_ComposeFrame)
    ->ArgNames({"zoom", "bits"})
    ->Args({10, 24})
    ->Args({25, 24})
    ->Args({100, 24})
    ->Args({400, 24})
    ->Args({3000, 24})
    ->Args({100, 8})
    ->Unit(benchmark::kMillisecond);

// One ants step: the outline of a 3000 x 2000 rectangular selection redrawn into the frame at
// the next phase (no recomposition).
void BM_AntsStep(benchmark::State& state)
{
    const int zoom = int(state.range(0));
    const TViewGeometry g = View(zoom);
    QImage frame = CreateFrameBuffer(g.DisplayWidth + 1, g.DisplayHeight + 1);
    const TRegionRef region = TRegion::rect({1500, 1000, 4500, 3000});
    TPoints outline;
    RegionToPoints(region, outline);
    const TZoomedOutline zoomed = ScaleOutline(outline, region->boundingRect(), zoom);
    TOutlinePlacement place{g.Zoomed(g.ScrollX), g.Zoomed(g.ScrollY), g.DisplayWidth, g.DisplayHeight, 0};
    for (auto _ : state) {
        place.Phase = (place.Phase + 1) & 7;
        DrawOutlineSegments(frame, zoomed.Points, place);
        benchmark::ClobberMemory();
    }
    state.counters["segments"] = double(zoomed.Points.size() / 2);
}
BENCHMARK(BM_AntsStep)->ArgName("zoom")->Arg(25)->Arg(100)->Arg(400)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();

// Region conversions, the region stream and the colour-range fill on large inputs.
// The checkerboards are the worst case for regions: one rectangle per selected pixel.
#include "image/Outline.h"
#include "image/PixelAccess.h"
#include "image/RegionConvert.h"
#include "imaging/raster/FloodMask.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>

using namespace kalvo;

namespace {

TBitmap checkerMono(int size)
{
    TBitmap b(size, size, 1);
    for (int y = 0; y < size; ++y)
        std::memset(b.scanLine(y), (y % 2) ? 0x55 : 0xAA, b.stride());
    return b;
}

TBitmap noiseMask8(int w, int h)
{
    TBitmap m(w, h, 8);
    std::mt19937 rng(1);
    for (std::size_t i = 0; i < m.byteSize(); ++i)
        m.bits()[i] = (rng() & 1) ? 255 : 0;
    return m;
}

void BM_MonoBitmapToRegion(benchmark::State& state)
{
    const TBitmap bw = checkerMono(int(state.range(0)));
    std::size_t rects = 0;
    for (auto _ : state) {
        TRegion r = MonoBitmapToRegion(bw);
        rects = r.rectCount();
        benchmark::DoNotOptimize(r);
    }
    state.counters["rects"] = double(rects);
    state.SetItemsProcessed(std::int64_t(state.iterations() * rects));
}

void BM_RegionStreamLoad(benchmark::State& state)
{
    const TRegion region = MonoBitmapToRegion(checkerMono(int(state.range(0))));
    const std::vector<std::uint8_t> bytes = RegionToBytes(region);
    for (auto _ : state) {
        TRegionRef r = RegionFromBytes(bytes);
        benchmark::DoNotOptimize(r);
    }
    state.counters["rects"] = double(region.rectCount());
    state.SetItemsProcessed(std::int64_t(state.iterations() * region.rectCount()));
}

void BM_RegionStreamSave(benchmark::State& state)
{
    const TRegion region = MonoBitmapToRegion(checkerMono(int(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(RegionToBytes(region));
    state.SetItemsProcessed(std::int64_t(state.iterations() * region.rectCount()));
}

void BM_ScaleRegion(benchmark::State& state)
{
    const TRegionRef region = MonoBitmapToRegion(checkerMono(int(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(ScaleRegion(region, 2));
    state.SetItemsProcessed(std::int64_t(state.iterations() * region->rectCount()));
}

void BM_Bitmap8ToPoints(benchmark::State& state)
{
    const TBitmap mask = noiseMask8(6000, 4000);
    TPoints points;
    for (auto _ : state)
        benchmark::DoNotOptimize(Bitmap8ToPoints(&mask, points));
    state.counters["points"] = double(points.size());
}

void BM_MaskToRegion(benchmark::State& state)
{
    const TBitmap mask = noiseMask8(6000, 4000);
    for (auto _ : state)
        benchmark::DoNotOptimize(MaskToRegion(mask));
}

// range(0) = 0: one colour, the whole image is filled; 1: noise, a tolerance of 20 on a
// photo-like gradient with grain.
void BM_FloodMask(benchmark::State& state)
{
    TBitmap img(6000, 4000, 24);
    std::mt19937 rng(3);
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const int grain = state.range(0) ? int(rng() % 24) : 0;
            PutPixel(x, img.scanLine(y), 24, RGB(90 + grain, 120 + grain, 60 + x / 200 + grain));
        }
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(FloodMask(img, 3000, 2000, state.range(0) ? 20 : 0));
}

} // namespace

BENCHMARK(BM_MonoBitmapToRegion)->Arg(1000)->Arg(3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RegionStreamLoad)->Arg(1000)->Arg(3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RegionStreamSave)->Arg(1000)->Arg(3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScaleRegion)->Arg(1000)->Arg(3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Bitmap8ToPoints)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MaskToRegion)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloodMask)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

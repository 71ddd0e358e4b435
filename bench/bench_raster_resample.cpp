// Timings of the smooth resampler, a brush stroke and the drop shadow on a 24-megapixel image.
#include "image/Outline.h"
#include "imaging/effects/DropShadow.h"
#include "imaging/raster/BrushStamp.h"
#include "imaging/resample/ResizeNearest.h"
#include "imaging/resample/ResizeResample.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstring>

using namespace kalvo;

namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;

// Smooth colour gradients with a little deterministic noise, like a photograph.
const TBitmap& Photo()
{
    static const TBitmap photo = [] {
        TBitmap b(kWidth, kHeight, 24);
        std::uint32_t seed = 12345;
        for (int y = 0; y < kHeight; ++y) {
            std::uint8_t* p = b.scanLine(y);
            for (int x = 0; x < kWidth; ++x, p += 3) {
                seed = seed * 1664525u + 1013904223u;
                const int noise = int(seed >> 28) - 8;
                p[0] = std::uint8_t(std::clamp(int(128 + 100 * std::sin(x * 0.002)) + noise, 0, 255));
                p[1] = std::uint8_t(std::clamp(int(128 + 100 * std::cos(y * 0.003)) + noise, 0, 255));
                p[2] = std::uint8_t(std::clamp((x + y) * 255 / (kWidth + kHeight) + noise, 0, 255));
            }
        }
        return b;
    }();
    return photo;
}

void BM_ResizeResampleHalf(benchmark::State& state)
{
    const TBitmap& photo = Photo();
    for (auto _ : state)
        benchmark::DoNotOptimize(ResizeResample(photo, kWidth / 2, kHeight / 2));
    state.counters["Mpx/s"] = benchmark::Counter(double(kWidth) * kHeight / 1e6,
                                                 benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ResizeResampleHalf)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ResizeNearestHalf(benchmark::State& state)
{
    const TBitmap& photo = Photo();
    for (auto _ : state)
        benchmark::DoNotOptimize(ResizeNearest(photo, kWidth / 2, kHeight / 2));
}
BENCHMARK(BM_ResizeNearestHalf)->Unit(benchmark::kMillisecond)->UseRealTime();

// 1000 dabs of a round tip of size 100 at hardness 0, five pixels apart, through an all-selected
// mask (the brush always paints through the mask).
void BM_BrushStroke1000Dabs(benchmark::State& state)
{
    TBitmap image = Photo();
    TBitmap mask(kWidth, kHeight, 8);
    TpxPenBrush tip;
    BuildBrush(tip, 100, 0, TpxBrushStyle::pxsRound);
    for (auto _ : state) {
        TBrushTrail trail;
        StampBrush(image, &mask, 200, 2000, tip, RGB(255, 0, 0), trail);
        StrokeBrushLine(image, &mask, 200, 2000, 5195, 2000, 5, tip, RGB(255, 0, 0), trail);
    }
    long weights = 0;
    for (int r = 0; r < tip.Size; ++r)
        for (int c = 0; c < tip.Size; ++c)
            weights += tip.Mask[r][c] != 0;
    state.counters["ns/dab"] = benchmark::Counter(
        1000, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["ns/pixel"] = benchmark::Counter(
        1000.0 * tip.Size * tip.Size, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["tip px"] = double(weights);
}
BENCHMARK(BM_BrushStroke1000Dabs)->Unit(benchmark::kMillisecond)->UseRealTime();

// The shadow of an elliptical selection filling most of the image, obscure 20.
void BM_DropShadowObscure20(benchmark::State& state)
{
    const TBitmap& photo = Photo();
    TBitmap mask(kWidth, kHeight, 8);
    std::memset(mask.bits(), 255, mask.byteSize());
    for (int y = 0; y < kHeight; ++y) {
        const double v = (y - kHeight / 2.0) / (kHeight * 0.4);
        if (std::abs(v) >= 1)
            continue;
        const int half = int(kWidth * 0.4 * std::sqrt(1 - v * v));
        std::memset(mask.scanLine(y) + kWidth / 2 - half, 0, std::size_t(2 * half));
    }
    TPoints outline;
    Bitmap8ToPoints(&mask, outline);
    for (auto _ : state)
        benchmark::DoNotOptimize(DropShadow(photo, mask, outline, {10, 10, 20, 50, clBlack}));
    state.counters["outline pts"] = double(outline.size());
}
BENCHMARK(BM_DropShadowObscure20)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();

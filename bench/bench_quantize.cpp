// Colour reduction and colour count on a 6000 x 4000 (24-megapixel) photo-like picture.
// `bench_quantize --write-sample FILE.bmp` writes the picture for scripts/bench-quantize.sh, which
// compares kalvo-cli against ImageMagick and pngquant.
#include "image/BmpFormat.h"
#include "imaging/colour/CountColors.h"
#include "imaging/colour/ReduceColors.h"
#include "imaging/quantize/MedianCutReduce.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <vector>

using namespace kalvo;

namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;

// Smooth colour fields (large waves, a few soft light spots) with sensor-like noise.
TBitmap PhotoLikePicture()
{
    TBitmap bmp(kWidth, kHeight, 24);
    std::vector<double> sx(kWidth), cx(kWidth), sy(kHeight), cy(kHeight);
    for (int x = 0; x < kWidth; ++x) {
        sx[std::size_t(x)] = std::sin(x / 900.0);
        cx[std::size_t(x)] = std::cos(x / 410.0);
    }
    for (int y = 0; y < kHeight; ++y) {
        sy[std::size_t(y)] = std::sin(y / 700.0 + 1.0);
        cy[std::size_t(y)] = std::cos(y / 330.0);
    }
    const double spots[3][3] = {{1500, 1200, 700}, {4200, 2600, 900}, {3000, 600, 500}};
    std::uint32_t seed = 12345;
    auto noise = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return int((seed >> 24) % 13) - 6;
    };
    for (int y = 0; y < kHeight; ++y) {
        std::uint8_t* p = bmp.scanLine(y);
        for (int x = 0; x < kWidth; ++x, p += 3) {
            double light = 0;
            for (const auto& s : spots) {
                const double dx = (x - s[0]) / s[2], dy = (y - s[1]) / s[2];
                light += 60.0 / (1.0 + dx * dx + dy * dy);
            }
            const double a = sx[std::size_t(x)] * sy[std::size_t(y)], b = cx[std::size_t(x)] * cy[std::size_t(y)];
            const double r = 110 + 70 * a + 25 * b + light;
            const double g = 100 + 50 * b - 30 * a + 0.8 * light;
            const double bl = 90 + 60 * (a * b) + 40 * sy[std::size_t(y)] + 0.5 * light;
            p[2] = std::uint8_t(std::clamp(int(r) + noise(), 0, 255));
            p[1] = std::uint8_t(std::clamp(int(g) + noise(), 0, 255));
            p[0] = std::uint8_t(std::clamp(int(bl) + noise(), 0, 255));
        }
    }
    return bmp;
}

const TBitmap& Picture()
{
    static const TBitmap picture = PhotoLikePicture();
    return picture;
}

void BM_MedianCut256(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ReduceColorsMedianCut(Picture(), 8, false));
}
BENCHMARK(BM_MedianCut256)->Unit(benchmark::kMillisecond);

void BM_MedianCut256Dither(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ReduceColorsMedianCut(Picture(), 8, true));
}
BENCHMARK(BM_MedianCut256Dither)->Unit(benchmark::kMillisecond);

void BM_FixedReduce(benchmark::State& state)
{
    const int colors = int(state.range(0));
    const bool dither = state.range(1) != 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(ReduceColors(Picture(), colors, TReducePalette::Fixed, dither));
}
BENCHMARK(BM_FixedReduce)->Args({256, 0})->Args({256, 1})->Args({16, 0})->Args({16, 1})->Args({2, 1})
    ->Unit(benchmark::kMillisecond);

// The reference for the colour count: one pass that reads every pixel and forms its value.
void BM_OnePassOverPixels(benchmark::State& state)
{
    const TBitmap& image = Picture();
    for (auto _ : state) {
        std::uint32_t folded = 0;
        for (int y = 0; y < image.height(); ++y) {
            const std::uint8_t* p = image.scanLine(y);
            for (int x = 0; x < image.width(); ++x, p += 3)
                folded ^= (std::uint32_t(p[0]) << 16 | std::uint32_t(p[1]) << 8 | p[2]) + std::uint32_t(x);
        }
        benchmark::DoNotOptimize(folded);
    }
}
BENCHMARK(BM_OnePassOverPixels)->Unit(benchmark::kMillisecond);

void BM_CountColors(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(CountColors(Picture()));
}
BENCHMARK(BM_CountColors)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--write-sample") == 0) {
        std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
        WriteBmp(Picture(), out);
        return out ? 0 : 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

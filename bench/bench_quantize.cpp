// Colour reduction and colour count on a 6000 x 4000 (24-megapixel) photo-like picture.
// `bench_quantize --write-sample FILE.bmp [landscape|waves]` writes the picture (or a second,
// more colourful one) for scripts/bench-quantize.sh, which compares kalvo-cli against
// ImageMagick and pngquant.
#include "codecs/bmp/BmpFormat.h"
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

// Colourful smooth fields (large waves, a few soft light spots) with sensor-like noise.
TBitmap WavesPicture()
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

// A landscape: sky with a bright sun glow, textured hills, four shaded balls with hard edges,
// and sensor-like noise on every channel.
TBitmap LandscapePicture()
{
    struct Ball {
        double cx, cy, radius, r, g, b;
    };
    const Ball balls[] = {{0.2, 0.7, 0.12, 200, 40, 30},
                          {0.55, 0.8, 0.09, 230, 200, 60},
                          {0.85, 0.65, 0.07, 60, 60, 160},
                          {0.4, 0.35, 0.05, 240, 240, 240}};
    TBitmap bmp(kWidth, kHeight, 24);
    std::uint32_t seed = 12345;
    auto noise = [&seed] {
        int sum = 0;
        for (int k = 0; k < 4; ++k) {
            seed = seed * 1664525u + 1013904223u;
            sum += int(seed >> 24);
        }
        return sum / 64 - 8;
    };
    for (int y = 0; y < kHeight; ++y) {
        std::uint8_t* p = bmp.scanLine(y);
        const double v = double(y) / kHeight;
        for (int x = 0; x < kWidth; ++x, p += 3) {
            const double u = double(x) / kWidth;
            const double horizon = 0.45 + 0.06 * std::sin(u * 9.0) + 0.03 * std::sin(u * 23.0 + 1);
            double r, g, b;
            if (v < horizon) {
                const double t = v / horizon;
                const double sun = std::exp(-((u - 0.75) * (u - 0.75) + (v - 0.15) * (v - 0.15)) * 60);
                r = 90 + 110 * t + 120 * sun;
                g = 140 + 80 * t + 100 * sun;
                b = 230 - 20 * t + 40 * sun;
            } else {
                const double t = (v - horizon) / (1 - horizon);
                const double grass = 12 * std::sin(x * 0.05 + std::sin(y * 0.03) * 3) * std::cos(y * 0.07);
                r = 70 + 60 * t + grass;
                g = 110 - 30 * t + grass;
                b = 40 + 10 * t + 0.5 * grass;
            }
            for (const Ball& o : balls) {
                const double dx = (u - o.cx) * kWidth / kHeight, dy = v - o.cy;
                const double d2 = (dx * dx + dy * dy) / (o.radius * o.radius);
                if (d2 < 1) {
                    const double shade = 0.55 + 0.45 * std::sqrt(1 - d2) - 0.3 * dx / o.radius;
                    r = o.r * shade;
                    g = o.g * shade;
                    b = o.b * shade;
                }
            }
            p[2] = std::uint8_t(std::clamp(int(r) + noise(), 0, 255));
            p[1] = std::uint8_t(std::clamp(int(g) + noise(), 0, 255));
            p[0] = std::uint8_t(std::clamp(int(b) + noise(), 0, 255));
        }
    }
    return bmp;
}

const TBitmap& Picture()
{
    static const TBitmap picture = LandscapePicture();
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

// 16 and 2 colours (depth 4 and 1), dithered: the result is repacked to 4 or 1 bit.
void BM_MedianCutDitherDepth(benchmark::State& state)
{
    const int depth = int(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(ReduceColorsMedianCut(Picture(), depth, true));
}
BENCHMARK(BM_MedianCutDitherDepth)->Arg(4)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_FixedReduce(benchmark::State& state)
{
    const int colors = int(state.range(0));
    const bool dither = state.range(1) != 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(ReduceColors(Picture(), colors, TReducePalette::Fixed, dither));
}
BENCHMARK(BM_FixedReduce)
    ->Args({256, 0})
    ->Args({256, 1})
    ->Args({16, 0})
    ->Args({16, 1})
    ->Args({2, 1})
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
    if ((argc == 3 || argc == 4) && std::strcmp(argv[1], "--write-sample") == 0) {
        const bool waves = argc == 4 && std::strcmp(argv[3], "waves") == 0;
        std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
        WriteBmp(waves ? WavesPicture() : Picture(), out);
        return out ? 0 : 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

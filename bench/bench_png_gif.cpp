// PNG and GIF decoding and encoding of a 24-megapixel (6000 x 4000) photograph-like image: smooth
// colour fields with sensor-like noise, so that it has millions of colours. The encoders write to
// /dev/null; scripts/bench-png-gif.sh times the whole command against ImageMagick on the same
// picture, written as a BMP by `bench_png_gif --write-sample FILE`.
#include "codecs/bmp/BmpFormat.h"
#include "codecs/gif/GifCodec.h"
#include "codecs/png/PngCodec.h"
#include "imaging/quantize/OctreeQuantizer.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <vector>

namespace {

using namespace kalvo;

constexpr int kWidth = 6000, kHeight = 4000;

const TBitmap& Photo()
{
    static TBitmap photo;
    if (photo.empty()) {
        photo = TBitmap(kWidth, kHeight, 24);
        std::uint32_t seed = 7;
        for (int y = 0; y < kHeight; ++y) {
            std::uint8_t* row = photo.scanLine(y);
            for (int x = 0; x < kWidth; ++x) {
                seed = seed * 1664525u + 1013904223u;
                const int noise = int(seed >> 29) - 4;
                const double u = x / 700.0, v = y / 500.0;
                row[3 * x] = std::uint8_t(std::clamp(int(128 + 90 * std::sin(u + 0.3 * v)) + noise, 0, 255));
                row[3 * x + 1] = std::uint8_t(std::clamp(int(120 + 80 * std::cos(v - 0.5 * u)) + noise, 0, 255));
                row[3 * x + 2] = std::uint8_t(std::clamp(int(110 + 100 * std::sin(u * v * 0.2)) + noise, 0, 255));
            }
        }
    }
    return photo;
}

const TBitmap& Photo8()
{
    static const TBitmap reduced = OctreeQuantize(Photo(), 256);
    return reduced;
}

std::vector<std::uint8_t> Encoded(void (*encode)(std::FILE*))
{
    char* buffer = nullptr;
    std::size_t size = 0;
    std::FILE* memory = open_memstream(&buffer, &size);
    encode(memory);
    std::fclose(memory);
    std::vector<std::uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

void SetPixels(benchmark::State& state)
{
    state.SetItemsProcessed(std::int64_t(state.iterations()) * kWidth * kHeight);
    state.counters["MP"] = kWidth * kHeight / 1e6;
}

void BM_PngDecode(benchmark::State& state)
{
    static const std::vector<std::uint8_t> png = Encoded([](std::FILE* f) { WritePng(Photo(), {}, f); });
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadPng(png));
    SetPixels(state);
}

void BM_PngEncode(benchmark::State& state)
{
    std::FILE* null = std::fopen("/dev/null", "wb");
    for (auto _ : state)
        WritePng(Photo(), {}, null);
    std::fclose(null);
    SetPixels(state);
}

void BM_GifDecode(benchmark::State& state)
{
    static const std::vector<std::uint8_t> gif = Encoded([](std::FILE* f) { WriteGif(Photo8(), {}, f); });
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadGif(gif));
    SetPixels(state);
}

// The full-colour save: octree quantisation, nearest-colour mapping and LZW.
void BM_GifEncodeTrueColor(benchmark::State& state)
{
    std::FILE* null = std::fopen("/dev/null", "wb");
    for (auto _ : state)
        WriteGif(Photo(), {}, null);
    std::fclose(null);
    SetPixels(state);
}

void BM_GifEncodeIndexed(benchmark::State& state)
{
    std::FILE* null = std::fopen("/dev/null", "wb");
    for (auto _ : state)
        WriteGif(Photo8(), {}, null);
    std::fclose(null);
    SetPixels(state);
}

void BM_OctreeQuantize(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(OctreeQuantize(Photo(), 256));
    SetPixels(state);
}

BENCHMARK(BM_PngDecode)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PngEncode)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_GifDecode)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_GifEncodeTrueColor)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_GifEncodeIndexed)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_OctreeQuantize)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--write-sample") == 0) {
        std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
        kalvo::WriteBmp(Photo(), out);
        return out ? 0 : 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// Reading a 24-megapixel 24-bit BMP through the DIB container against the image bitmap's own
// reader, and the container's pixel-format changes on the same picture.
#include "codecs/bmp/LvDIB.h"
#include "image/BmpFormat.h"

#include <benchmark/benchmark.h>

#include <vector>

using namespace kalvo;

namespace {

const std::vector<std::uint8_t>& photoBmp()
{
    static const std::vector<std::uint8_t> bytes = [] {
        TBitmap bmp(6000, 4000, 24);
        std::uint32_t seed = 1;
        for (int y = 0; y < bmp.height(); ++y) {
            std::uint8_t* row = bmp.scanLine(y);
            for (int x = 0; x < bmp.width() * 3; ++x) {
                seed = seed * 1664525u + 1013904223u;
                row[x] = std::uint8_t((x / 3 + y) / 40 + (seed >> 29));
            }
        }
        return BmpBytes(bmp);
    }();
    return bytes;
}

void BM_ReadBmpImageBitmap(benchmark::State& state)
{
    const auto& bytes = photoBmp();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadBmp(bytes));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes.size()));
}
BENCHMARK(BM_ReadBmpImageBitmap)->Unit(benchmark::kMillisecond);

void BM_ReadBmpThroughContainer(benchmark::State& state)
{
    const auto& bytes = photoBmp();
    for (auto _ : state) {
        TLvDIB dib;
        dib.LoadFromStream(bytes);
        benchmark::DoNotOptimize(dib.ToBitmap());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes.size()));
}
BENCHMARK(BM_ReadBmpThroughContainer)->Unit(benchmark::kMillisecond);

void BM_ContainerTo8BitAndRle8(benchmark::State& state)
{
    TLvDIB source;
    source.LoadFromStream(photoBmp());
    for (auto _ : state) {
        TLvDIB dib;
        dib.Assign(source);
        dib.SetPixelFormat(lvPf8Bit);
        benchmark::DoNotOptimize(dib.Width());
    }
}
BENCHMARK(BM_ContainerTo8BitAndRle8)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

BENCHMARK_MAIN();

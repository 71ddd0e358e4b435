// The per-pixel whole-image operations on a 24-megapixel 24-bit picture, each beside one copy
// of its pixels (memcpy into a buffer already touched): the negative with no selection, through
// a mask half fully selected and half feathered, and the clear through the mask.
#include "imaging/effects/ClearSelection.h"
#include "imaging/effects/NegativeImage.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

using namespace kalvo;

namespace {

TBitmap& photo()
{
    static TBitmap bmp = [] {
        TBitmap b(6000, 4000, 24);
        for (int y = 0; y < b.height(); ++y)
            for (std::size_t i = 0; i < b.stride(); ++i)
                b.scanLine(y)[i] = std::uint8_t(i * 7 + y);
        return b;
    }();
    return bmp;
}

// Rows 0..2999 fully selected, the rest feathered (value by column).
const TBitmap& mask()
{
    static const TBitmap m = [] {
        TBitmap b(6000, 4000, 8);
        for (int y = 3000; y < b.height(); ++y)
            for (int x = 0; x < b.width(); ++x)
                b.scanLine(y)[x] = std::uint8_t(x);
        return b;
    }();
    return m;
}

void BM_CopyPixelsOnce(benchmark::State& state)
{
    std::vector<std::uint8_t> copy(photo().byteSize());
    std::memcpy(copy.data(), photo().bits(), copy.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), photo().bits(), copy.size());
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(copy.size()));
}
BENCHMARK(BM_CopyPixelsOnce)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_NegativeWhole(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(NegativeImage(photo(), TRegionRef{}, nullptr));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(photo().byteSize()));
}
BENCHMARK(BM_NegativeWhole)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_NegativeThroughMask(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(NegativeImageArea(photo(), std::nullopt, &mask()));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(photo().byteSize()));
}
BENCHMARK(BM_NegativeThroughMask)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ClearThroughMask(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ClearThroughMask(photo(), mask(), RGB(10, 20, 30)));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(photo().byteSize()));
}
BENCHMARK(BM_ClearThroughMask)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
BENCHMARK_MAIN();

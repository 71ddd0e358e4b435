// The photo adjustments and filters on a 12-megapixel picture, whole and on the area a preview
// dialog shows (260 x 220 at 1 : 1), which is what the dialogs compute per preview.
#include "imaging/adjust/BrightnessContrast.h"
#include "imaging/adjust/Grayscale.h"
#include "imaging/adjust/HueSaturation.h"
#include "imaging/adjust/Levels.h"
#include "imaging/filter/GaussianBlur.h"
#include "imaging/filter/UnsharpMask.h"
#include "support/SamplePicture.h"

#include <benchmark/benchmark.h>

using namespace kalvo;

namespace {

TBitmap& photo()
{
    static TBitmap bmp = bench::SamplePicture(4000, 3000, 7);
    return bmp;
}

// The whole picture (range 0) or the preview's area in its middle (range 1).
std::optional<QRect> area(const benchmark::State& state)
{
    if (state.range(0) == 0)
        return std::nullopt;
    return QRect(1870, 1390, 260, 220);
}

void finish(benchmark::State& state)
{
    const std::int64_t pixels = state.range(0) == 0 ? std::int64_t(photo().width()) * photo().height() : 260 * 220;
    state.SetItemsProcessed(std::int64_t(state.iterations()) * pixels);
}

void BM_BrightnessContrast(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(
            ApplyTablesArea(photo(), area(state), nullptr, SameTables(BrightnessContrastTable(10, 20))));
    finish(state);
}
BENCHMARK(BM_BrightnessContrast)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Levels(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ApplyTablesArea(photo(), area(state), nullptr,
                                                 LevelsTables(AutoLevelsArea(photo(), area(state), nullptr))));
    finish(state);
}
BENCHMARK(BM_Levels)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_HueSaturation(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(HueSaturationArea(photo(), area(state), nullptr, {30, 20, 5}));
    finish(state);
}
BENCHMARK(BM_HueSaturation)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Grayscale(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(GrayscaleArea(photo(), area(state), nullptr));
    finish(state);
}
BENCHMARK(BM_Grayscale)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Arguments: whole or area, sigma.
void BM_GaussianBlur(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(GaussianBlurArea(photo(), area(state), nullptr, double(state.range(1))));
    finish(state);
}
BENCHMARK(BM_GaussianBlur)
    ->Args({0, 1})
    ->Args({0, 5})
    ->Args({0, 10})
    ->Args({1, 10})
    ->Args({1, 100})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_UnsharpMask(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(UnsharpMaskArea(photo(), area(state), nullptr, {100, 1.0, 0}));
    finish(state);
}
BENCHMARK(BM_UnsharpMask)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    photo(); // made before the first measurement
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

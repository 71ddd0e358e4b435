// Quarter turns, mirrors and the free rotation of a 24-megapixel picture: the core operations
// behind kalvo-cli rotate and flip and the editor's 回転・反転 menu.
#include "imaging/geometry/OrientBitmap.h"
#include "imaging/geometry/RotateByAngle.h"
#include "support/SamplePicture.h"

#include <benchmark/benchmark.h>

namespace {

using namespace kalvo;

const TBitmap& Photo(int bits)
{
    static const TBitmap photo = bench::SamplePicture(6000, 4000, 7);
    static const TBitmap indexed = [] {
        TBitmap b(6000, 4000, 8);
        for (int y = 0; y < b.height(); ++y)
            for (int x = 0; x < b.width(); ++x)
                b.scanLine(y)[x] = std::uint8_t(x * 7 + y * 13);
        return b;
    }();
    return bits == 24 ? photo : indexed;
}

// range(0): the orientation; range(1): the depth.
void BM_OrientBitmap(benchmark::State& state)
{
    const TBitmap& source = Photo(int(state.range(1)));
    for (auto _ : state) {
        TBitmap turned = OrientBitmap(source, TOrientation(state.range(0)));
        benchmark::DoNotOptimize(turned.bits());
    }
}

void BM_RotateByAngle(benchmark::State& state)
{
    for (auto _ : state) {
        TBitmap turned = RotateByAngle(Photo(24), int(state.range(0)), clWhite);
        benchmark::DoNotOptimize(turned.bits());
    }
}

} // namespace

BENCHMARK(BM_OrientBitmap)
    ->ArgNames({"orientation", "bits"})
    ->Args({int(TOrientation::Rotate90), 24})
    ->Args({int(TOrientation::Rotate180), 24})
    ->Args({int(TOrientation::FlipHorizontal), 24})
    ->Args({int(TOrientation::FlipVertical), 24})
    ->Args({int(TOrientation::Rotate90), 8})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_RotateByAngle)->Arg(300)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();

// The undo history on a 24-megapixel picture: recording a snapshot against copying the pixels
// once, reading a swapped snapshot back against reading its file, and the resident memory of 16
// snapshots before and after the idle swap.
#include "app/undo/UndoList.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <fstream>
#include <string>
#include <unistd.h>

using namespace kalvo;

namespace {

const TBitmap& photo()
{
    static const TBitmap bmp = [] {
        TBitmap b(6000, 4000, 24);
        for (int y = 0; y < b.height(); ++y)
            std::memset(b.scanLine(y), y & 0xFF, b.stride());
        return b;
    }();
    return bmp;
}

double residentMB()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return double(resident) * double(::sysconf(_SC_PAGESIZE)) / 1e6;
}

void BM_CopyPixelsOnce(benchmark::State& state)
{
    for (auto _ : state) {
        TByteBuffer copy(photo().byteSize());
        std::memcpy(copy.data(), photo().bits(), photo().byteSize());
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK(BM_CopyPixelsOnce)->Unit(benchmark::kMillisecond);

void BM_RecordSnapshot(benchmark::State& state)
{
    for (auto _ : state) {
        TUndoList list;
        AddUndoItem(list, "反転", &photo(), nullptr, nullptr, false, false);
        benchmark::DoNotOptimize(list.data());
    }
}
BENCHMARK(BM_RecordSnapshot)->Unit(benchmark::kMillisecond);

void BM_ReadSwappedSnapshot(benchmark::State& state)
{
    TUndoList list;
    AddUndoItem(list, "反転", &photo(), nullptr, nullptr, false, false);
    SwapOutUndoItems(list, 0);
    for (auto _ : state) {
        TBitmap image;
        std::optional<TBitmap> mask;
        TRegionRef region;
        bool modified = false;
        GetUndoItem(list, 0, image, mask, region, modified);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_ReadSwappedSnapshot)->Unit(benchmark::kMillisecond);

void BM_ReadSnapshotFileOnly(benchmark::State& state)
{
    TUndoList list;
    AddUndoItem(list, "反転", &photo(), nullptr, nullptr, false, false);
    SwapOutUndoItems(list, 0);
    const std::string name = *list[0]->ImageStream->FileName();
    for (auto _ : state) {
        std::ifstream in(name, std::ios::binary);
        TByteBuffer bytes(photo().byteSize() + 54);
        in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_ReadSnapshotFileOnly)->Unit(benchmark::kMillisecond);

void BM_SixteenSnapshotsIdleSwap(benchmark::State& state)
{
    for (auto _ : state) {
        TUndoList list;
        const double base = residentMB();
        for (int i = 0; i < 16; ++i)
            AddUndoItem(list, "反転", &photo(), nullptr, nullptr, false, false);
        const double before = residentMB();
        SwapOutUndoItems(list, 3);
        const double after = residentMB();
        state.counters["snapshot_MB"] = double(photo().byteSize()) / 1e6;
        state.counters["rss_before_swap_MB"] = before - base;
        state.counters["rss_after_swap_MB"] = after - base;
    }
}
BENCHMARK(BM_SixteenSnapshotsIdleSwap)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();

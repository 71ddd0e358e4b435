// The undo history on a 24-megapixel picture: recording a snapshot against copying the pixels
// once, reading a swapped snapshot back against reading its file, the resident memory of 16
// snapshots before and after the idle swap, and the history of 16 brush strokes kept as whole
// pictures against kept as their boxes.
#include "app/undo/UndoList.h"
#include "image/PixelBox.h"

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

// 16 strokes of a 31-pixel brush, each along a 500-pixel diagonal: the history's memory when each
// step keeps the whole picture (as every step did before) and when it keeps the stroke's box.
void BM_SixteenStrokesHistoryMemory(benchmark::State& state)
{
    for (auto _ : state) {
        TUndoList whole, boxes;
        for (int i = 0; i < 16; ++i) {
            const int x = 100 + 340 * i, y = 200 + 150 * (i % 4);
            const TRect stroke{x - 15, y - 15, x + 500 + 16, y + 500 + 16};
            AddUndoItem(whole, "描画", &photo(), nullptr, nullptr, false, true);
            AddPartialUndoItem(boxes, "描画", photo(), stroke, nullptr, nullptr, false, true);
        }
        const auto total = [](const TUndoList& list) {
            std::size_t bytes = 0;
            for (const auto& item : list)
                bytes += UndoItemMemory(*item);
            return double(bytes) / 1e6;
        };
        state.counters["whole_pictures_MB"] = total(whole);
        state.counters["boxes_MB"] = total(boxes);
    }
}
BENCHMARK(BM_SixteenStrokesHistoryMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

// What a brush stroke's step adds: finding the changed box between the picture before and after
// the stroke (24 MP, a 531-pixel box in the middle), and copying it.
void BM_StrokeBoxOfAChange(benchmark::State& state)
{
    TBitmap after = photo();
    for (int y = 1800; y < 2331; ++y)
        std::memset(after.scanLine(y) + 3 * 2700, 0x7F, 3 * 531);
    for (auto _ : state) {
        const TRect box = ChangedBox(photo(), after);
        TBitmap kept = CopyBox(photo(), ByteAlignedBox(photo(), box));
        benchmark::DoNotOptimize(kept.bits());
    }
}
BENCHMARK(BM_StrokeBoxOfAChange)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

// JPEG 2000 decoding and encoding of a 2000 x 1500 photo-like picture, in memory and through the
// format dispatch. `bench_jpeg2k --write-sample FILE.bmp` writes the picture for
// scripts/bench-jpeg2k.sh, which compares against opj_compress and opj_decompress.
#include "codecs/FormatDispatch.h"
#include "codecs/bmp/BmpFormat.h"
#include "codecs/jpeg2000/Jpeg2kDecode.h"
#include "codecs/jpeg2000/Jpeg2kEncode.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "support/SamplePicture.h"

using namespace kalvo;

namespace {

constexpr int kWidth = 2000;
constexpr int kHeight = 1500;

const TBitmap& Picture()
{
    static const TBitmap picture = bench::SamplePicture(kWidth, kHeight, 2024);
    return picture;
}

const std::vector<std::uint8_t>& LosslessJp2()
{
    static const std::vector<std::uint8_t> file = EncodeJpeg2k(Picture(), TJpeg2kInfo{}, false);
    return file;
}

std::string TempFile(const char* name)
{
    return (std::filesystem::temp_directory_path() / name).string();
}

void BM_DecodeJp2(benchmark::State& state)
{
    TJpeg2kInfo info;
    info.Threads = int(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodeJpeg2k(LosslessJp2(), info));
}
BENCHMARK(BM_DecodeJp2)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_EncodeJp2(benchmark::State& state)
{
    TJpeg2kInfo info;
    info.Threads = int(state.range(0));
    info.Rate = double(state.range(1)) / 10.0;
    for (auto _ : state)
        benchmark::DoNotOptimize(EncodeJpeg2k(Picture(), info, false));
}
// Threads, rate x 10: lossless and the default lossy rate 0.8.
BENCHMARK(BM_EncodeJp2)->Args({1, 10})->Args({2, 10})->Args({2, 8})->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadJpeg2kFile(benchmark::State& state)
{
    const std::string path = TempFile("kalvo-bench-load.jp2");
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(LosslessJp2().data()), std::streamsize(LosslessJp2().size()));
    TpxImageInfo info;
    info.FileName = path;
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadImageFile(info));
    std::remove(path.c_str());
}
BENCHMARK(BM_LoadJpeg2kFile)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SaveJpeg2kFile(benchmark::State& state)
{
    TpxImageInfo info;
    info.FileName = TempFile("kalvo-bench-save.jp2");
    TBitmap bitmap = Picture();
    for (auto _ : state)
        SaveImageFile(bitmap, info);
    std::remove(info.FileName.c_str());
}
BENCHMARK(BM_SaveJpeg2kFile)->Unit(benchmark::kMillisecond)->UseRealTime();

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

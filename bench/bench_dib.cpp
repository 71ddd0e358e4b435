// Reading a 24-megapixel 24-bit BMP through the DIB container against the image bitmap's own
// reader, and the container's pixel-format changes on the same picture.
#include "codecs/bmp/BmpFormat.h"
#include "codecs/bmp/LvDIB.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
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

std::string photoPath()
{
    return std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/kalvo-bench-dib.bmp";
}

// The picture as a file in the temporary directory (both readers read files).
const std::string& photoFile()
{
    static const std::string path = [] {
        const std::string p = photoPath();
        std::ofstream out(p, std::ios::binary);
        out.write(reinterpret_cast<const char*>(photoBmp().data()), std::streamsize(photoBmp().size()));
        return p;
    }();
    return path;
}

void BM_ReadBmpImageBitmap(benchmark::State& state)
{
    const auto& file = photoFile();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadBmpFile(file));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(photoBmp().size()));
}
BENCHMARK(BM_ReadBmpImageBitmap)->Unit(benchmark::kMillisecond);

void BM_ReadBmpThroughContainer(benchmark::State& state)
{
    const auto& file = photoFile();
    for (auto _ : state) {
        TLvDIB dib;
        dib.LoadFromFile(file);
        benchmark::DoNotOptimize(dib.ToBitmap());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(photoBmp().size()));
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

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The reading benchmarks leave a 72 MB picture file behind otherwise.
    std::remove(photoPath().c_str());
    return 0;
}

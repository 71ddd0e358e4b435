// The open dialog's preview of 24-megapixel (6000 x 4000) pictures: the reduced JPEG, JPEG 2000
// and WebP decodings and the full PNG and TIFF loads behind LoadPreviewPicture, beside the
// editor's full JPEG load.
// Each benchmark also reports peak_MB, the growth of the peak resident memory over one preview
// (the process's peak is reset through /proc/self/clear_refs first), and process_cpu_ms, the CPU
// time of all the process's threads per preview.
#include "codecs/FormatDispatch.h"
#include "codecs/jpeg/JpegCompressor.h"
#include "codecs/preview/PreviewPicture.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/SamplePicture.h"

using namespace kalvo;

namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;
constexpr int kBox = 150;

std::string ScratchFile(const std::string& name)
{
    const std::string dir = std::filesystem::exists("/dev/shm") ? "/dev/shm"
                                                                : std::filesystem::temp_directory_path().string();
    return dir + "/kalvo-bench-preview-" + name;
}

// The sample picture saved under name (the extension picks the format), written once.
std::string Sample(const std::string& name, bool progressive = false)
{
    const std::string path = ScratchFile(name);
    if (!std::filesystem::exists(path)) {
        TBitmap picture = bench::SamplePicture(kWidth, kHeight, 2026);
        TpxImageInfo info;
        info.FileName = path;
        info.JpegQuality = 90;
        info.Interlaced = progressive;
        SaveImageFile(picture, info);
    }
    return path;
}

long statusKilobytes(const char* key)
{
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word)
        if (word == key) {
            long kb = 0;
            status >> kb;
            return kb;
        }
    return 0;
}

// Peak memory growth of one call, in megabytes.
template <class F>
double PeakGrowthMB(F&& f)
{
    std::ofstream("/proc/self/clear_refs") << "5";
    const long before = statusKilobytes("VmRSS:");
    f();
    return double(statusKilobytes("VmHWM:") - before) / 1024.0;
}

// User and system time of the whole process, in milliseconds.
double ProcessCpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

void RunPreview(benchmark::State& state, const std::string& file)
{
    state.counters["peak_MB"] = PeakGrowthMB([&] {
        if (!LoadPreviewPicture(file, kBox, kBox))
            state.SkipWithError("preview failed");
    });
    const double cpuBefore = ProcessCpuMs();
    for (auto _ : state) {
        auto preview = LoadPreviewPicture(file, kBox, kBox);
        benchmark::DoNotOptimize(preview);
    }
    // The decoders' helper threads (libwebp's) count too, which the CPU column leaves out.
    state.counters["process_cpu_ms"] = benchmark::Counter(ProcessCpuMs() - cpuBefore,
                                                          benchmark::Counter::kAvgIterations);
}

void BM_PreviewJpeg24MP(benchmark::State& state)
{
    RunPreview(state, Sample("baseline.jpg"));
}
BENCHMARK(BM_PreviewJpeg24MP)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PreviewProgressiveJpeg24MP(benchmark::State& state)
{
    RunPreview(state, Sample("progressive.jpg", true));
}
BENCHMARK(BM_PreviewProgressiveJpeg24MP)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PreviewJpeg2000_24MP(benchmark::State& state)
{
    RunPreview(state, Sample("picture.jp2"));
}
BENCHMARK(BM_PreviewJpeg2000_24MP)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PreviewPng24MP(benchmark::State& state)
{
    RunPreview(state, Sample("picture.png"));
}
BENCHMARK(BM_PreviewPng24MP)->Unit(benchmark::kMillisecond)->UseRealTime();

// libwebp's scaled decoding straight to the shown size.
void BM_PreviewWebp24MP(benchmark::State& state)
{
    RunPreview(state, Sample("picture.webp"));
}
BENCHMARK(BM_PreviewWebp24MP)->Unit(benchmark::kMillisecond)->UseRealTime();

// Only the strips holding the shown rows are decoded (Deflate, Kalvo's 256 KiB strips).
void BM_PreviewTiff24MP(benchmark::State& state)
{
    RunPreview(state, Sample("picture.tif"));
}
BENCHMARK(BM_PreviewTiff24MP)->Unit(benchmark::kMillisecond)->UseRealTime();

// What the preview would cost with the editor's own full load.
void BM_FullLoadJpeg24MP(benchmark::State& state)
{
    TpxImageInfo info;
    info.FileName = Sample("baseline.jpg");
    state.counters["peak_MB"] = PeakGrowthMB([&] { benchmark::DoNotOptimize(LoadImageFile(info)); });
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadImageFile(info));
}
BENCHMARK(BM_FullLoadJpeg24MP)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    // KALVO_PREVIEW_FILE=/some/picture adds the preview of that file (other kinds of TIFF, real
    // photographs).
    if (const char* file = std::getenv("KALVO_PREVIEW_FILE"))
        benchmark::RegisterBenchmark("BM_PreviewFile", [file](benchmark::State& state) { RunPreview(state, file); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (const char* name : {"baseline.jpg", "progressive.jpg", "picture.jp2", "picture.png"})
        std::remove(ScratchFile(name).c_str());
    return 0;
}

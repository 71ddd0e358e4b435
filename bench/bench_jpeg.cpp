// JPEG decoding, encoding and lossless rotation of a 24-megapixel (6000 x 4000) photo-like
// picture through the format dispatch and the lossless engine, beside the plain library doing
// the same work. `bench_jpeg --write-sample FILE.bmp|FILE.jpg` writes the picture and
// `bench_jpeg --save-bmp-as-jpeg IN.bmp OUT.jpg QUALITY` runs the save path alone, for
// scripts/bench-jpeg.sh, which compares against djpeg, cjpeg and jpegtran.
#include "codecs/FormatDispatch.h"
#include "codecs/bmp/BmpFormat.h"
#include "codecs/jpegtran/LosslessTransform.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include <jpeglib.h>

#include "support/SamplePicture.h"

using namespace kalvo;

namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;

const TBitmap& Picture()
{
    static const TBitmap picture = bench::SamplePicture(kWidth, kHeight, 2026);
    return picture;
}

std::string ScratchDir()
{
    return std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path().string();
}

// The sample saved as a quality-90 JPEG, written once.
const std::string& SampleJpeg()
{
    static const std::string path = [] {
        TpxImageInfo info;
        info.FileName = ScratchDir() + "/kalvo-bench-sample.jpg";
        info.JpegQuality = 90;
        TBitmap copy = Picture();
        SaveImageFile(copy, info);
        return info.FileName;
    }();
    return path;
}

void BM_LoadJpegFile(benchmark::State& state)
{
    TpxImageInfo info;
    info.FileName = SampleJpeg();
    for (auto _ : state) {
        auto bmp = LoadImageFile(info);
        benchmark::DoNotOptimize(bmp);
    }
}
BENCHMARK(BM_LoadJpegFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// The plain library with the same settings into one buffer: the floor for the adapter.
void BM_PlainLibraryDecode(benchmark::State& state)
{
    const std::vector<std::uint8_t> data = ReadJpegFileBytes(SampleJpeg());
    std::vector<std::uint8_t> pixels;
    for (auto _ : state) {
        jpeg_decompress_struct cinfo{};
        jpeg_error_mgr err{};
        cinfo.err = jpeg_std_error(&err);
        jpeg_create_decompress(&cinfo);
        jpeg_mem_src(&cinfo, data.data(), static_cast<unsigned long>(data.size()));
        jpeg_read_header(&cinfo, TRUE);
        cinfo.out_color_space = JCS_EXT_BGR;
        jpeg_start_decompress(&cinfo);
        const std::size_t stride = (std::size_t(cinfo.output_width) * 3 + 3) & ~std::size_t(3);
        pixels.assign(stride * cinfo.output_height, 0);
        while (cinfo.output_scanline < cinfo.output_height) {
            JSAMPROW row = pixels.data() + stride * cinfo.output_scanline;
            jpeg_read_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_decompress(&cinfo);
        jpeg_destroy_decompress(&cinfo);
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(BM_PlainLibraryDecode)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SaveJpegFile(benchmark::State& state)
{
    TBitmap bitmap = Picture();
    TpxImageInfo info;
    info.FileName = ScratchDir() + "/kalvo-bench-save.jpg";
    for (auto _ : state)
        SaveImageFile(bitmap, info);
    std::remove(info.FileName.c_str());
}
BENCHMARK(BM_SaveJpegFile)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LosslessRotate90(benchmark::State& state)
{
    const std::vector<std::uint8_t> data = ReadJpegFileBytes(SampleJpeg());
    TLosslessRequest request;
    request.Transform = kJpegTransformRotate90;
    for (auto _ : state) {
        auto rotated = TransformJpegData(data, request);
        benchmark::DoNotOptimize(rotated.data());
    }
}
BENCHMARK(BM_LosslessRotate90)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--write-sample") == 0) {
        const std::string target = argv[2];
        if (target.size() > 4 && target.compare(target.size() - 4, 4, ".bmp") == 0) {
            std::ofstream out(target, std::ios::binary | std::ios::trunc);
            WriteBmp(Picture(), out);
            return out ? 0 : 1;
        }
        TpxImageInfo info;
        info.FileName = target;
        info.JpegQuality = 90;
        TBitmap copy = Picture();
        SaveImageFile(copy, info);
        return info.Result == 0 ? 0 : 1;
    }
    // The save path alone: the image bitmap's own BMP reader, then the JPEG save of the dispatch.
    if (argc == 5 && std::strcmp(argv[1], "--save-bmp-as-jpeg") == 0) {
        TBitmap bitmap = ReadBmpFile(argv[2]);
        TpxImageInfo info;
        info.FileName = argv[3];
        info.JpegQuality = std::atoi(argv[4]);
        SaveImageFile(bitmap, info);
        return info.Result == 0 ? 0 : 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::remove((ScratchDir() + "/kalvo-bench-sample.jpg").c_str());
    return 0;
}

// libFuzzer target: the JPEG stream decompressor (header, marker handlers, every output kind).
#include "codecs/jpeg/JpegDecompressor.h"

#include <cstdint>
#include <exception>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    // The first byte picks the output kind; the rest is the file.
    const int kind = data[0] % 4;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
    try {
        kalvo::TJPEGStreamDecompressor jpeg;
        std::size_t markerBytes = 0;
        jpeg.OnComment = [&](const std::string& text) { markerBytes += text.size(); };
        jpeg.OnAppMarker = [&](int, std::span<const std::uint8_t> bytes) { markerBytes += bytes.size(); };
        jpeg.Attach(in);
        // Huge but valid pictures only cost time and memory; the size guard has its own tests.
        if (std::int64_t(jpeg.ImageWidth()) * jpeg.ImageHeight() > 1'000'000)
            return 0;
        kalvo::TBitmap bmp = jpeg.ToBitmap(kind == 0 ? jpeg.DefaultOutputKind() : kind);
        jpeg.Detach();
    } catch (const std::exception&) {
    }
    return 0;
}

// libFuzzer target: the JPEG stream decompressor (header, marker handlers, every output kind),
// and decoding in two bands against decoding in one: both fail, or both give the same pixels.
#include "codecs/jpeg/JpegDecompressor.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <optional>
#include <sstream>
#include <string>

namespace {

// The picture decoded in two bands meeting at a row picked by selector, or nothing on failure.
std::optional<kalvo::TBitmap> decodeInBands(const std::string& file, int kind, int selector)
{
    try {
        std::istringstream in(file);
        kalvo::TJPEGStreamDecompressor upper;
        upper.Attach(in);
        if (!upper.CanDecodeInBands(kind))
            return std::nullopt;
        const int split = selector == 0 ? upper.BandSplitRow() : upper.ImageHeight() * selector / 64;
        return upper.ToBitmapInBands(kind, split, [&](kalvo::TBitmap& bitmap) {
            std::istringstream again(file);
            kalvo::TJPEGStreamDecompressor lower;
            lower.Attach(again);
            lower.ReadRowsFrom(bitmap, kind, split);
        });
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

bool sameRows(const kalvo::TBitmap& a, const kalvo::TBitmap& b)
{
    if (a.width() != b.width() || a.height() != b.height() || a.bitCount() != b.bitCount())
        return false;
    const std::size_t bytes = (std::size_t(a.width()) * std::size_t(a.bitCount()) + 7) / 8;
    for (int y = 0; y < a.height(); ++y)
        if (std::memcmp(a.scanLine(y), b.scanLine(y), bytes) != 0)
            return false;
    return true;
}

} // namespace

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
        const int outputKind = kind == 0 ? jpeg.DefaultOutputKind() : kind;
        const bool bands = jpeg.CanDecodeInBands(outputKind);
        std::optional<kalvo::TBitmap> whole;
        try {
            whole = jpeg.ToBitmap(outputKind);
            jpeg.Detach();
        } catch (const std::exception&) {
        }
        if (bands) {
            const std::optional<kalvo::TBitmap> banded = decodeInBands(in.str(), outputKind, (data[0] >> 2) % 64);
            if (whole.has_value() != banded.has_value() || (whole && !sameRows(*whole, *banded)))
                std::abort();
        }
    } catch (const std::exception&) {
    }
    return 0;
}

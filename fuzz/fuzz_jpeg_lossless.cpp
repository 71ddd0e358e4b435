// libFuzzer target: the lossless JPEG transformation (start-of-image search, marker copying,
// the transformation itself).
#include "codecs/jpegtran/LosslessTransform.h"

#include <cstdint>
#include <exception>

namespace {

// The pixel count a frame header claims, or 0; huge but valid pictures only cost time and memory.
std::int64_t ClaimedPixels(const std::uint8_t* data, std::size_t size)
{
    for (std::size_t i = 0; i + 8 < size; ++i)
        if (data[i] == 0xFF && data[i + 1] >= 0xC0 && data[i + 1] <= 0xCF && data[i + 1] != 0xC4 && data[i + 1] != 0xC8
            && data[i + 1] != 0xCC)
            return std::int64_t((data[i + 5] << 8) | data[i + 6]) * ((data[i + 7] << 8) | data[i + 8]);
    return 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    // The first two bytes choose the request; the rest is the file.
    kalvo::TLosslessRequest request;
    request.Transform = data[0] % 9;
    request.CopyOption = (data[0] / 9) % 3;
    request.Trim = data[1] & 1;
    request.ForceGray = data[1] & 2;
    request.CropRect = {data[1] >> 4, data[1] & 0x0C, 40, 30};
    if (ClaimedPixels(data + 2, size - 2) > 1'000'000)
        return 0;
    try {
        auto out = kalvo::TransformJpegData({data + 2, size - 2}, request);
        (void)out;
    } catch (const std::exception&) {
    }
    return 0;
}

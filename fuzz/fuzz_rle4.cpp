// libFuzzer target: the RLE4 decoder. The first two bytes choose the size.
#include "codecs/bmp/RleDecode.h"
#include "image/ImageErrors.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const int w = data[0] % 64 + 1, h = data[1] % 64 + 1;
    const std::size_t stride = (std::size_t(w) * 4 + 31) / 32 * 4;
    std::vector<std::uint8_t> out(stride * std::size_t(h));
    // Both rule sets, the container's and the general reader's, on the same data.
    for (auto mode : {kalvo::TRleMode::Exact, kalvo::TRleMode::Lenient}) {
        try {
            kalvo::DecodeRle4({data + 2, size - 2}, w, h, out.data(), std::ptrdiff_t(stride), mode);
        } catch (const kalvo::ERleDecodeError&) {
        }
    }
    return 0;
}

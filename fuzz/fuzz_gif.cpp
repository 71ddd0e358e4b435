// libFuzzer target: the GIF decoder.
#include "codecs/gif/GifCodec.h"

#include <cstdint>
#include <exception>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Large screens are legitimate but slow to fill; skipping them keeps the fuzzer on the decoder.
    if (size >= 10
        && std::size_t(data[6] | data[7] << 8) * std::size_t(data[8] | data[9] << 8) > (std::size_t(1) << 20))
        return 0;
    try {
        kalvo::TDecodedImage gif = kalvo::ReadGif({data, size});
        (void)gif;
    } catch (const std::exception&) {
    }
    return 0;
}

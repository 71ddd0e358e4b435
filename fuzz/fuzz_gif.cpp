// libFuzzer target: the GIF decoder.
#include "codecs/gif/GifCodec.h"

#include <cstdint>
#include <exception>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        kalvo::TGifImage gif = kalvo::ReadGif({data, size});
        (void)gif;
    } catch (const std::exception&) {
    }
    return 0;
}

// libFuzzer target: the HEIF decoder (HEIC and AVIF primary images and thumbnails).
#include "codecs/heif/HeifCodec.h"

#include <cstdint>
#include <exception>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        kalvo::TDecodedImage heif = kalvo::ReadHeif({data, size});
        (void)heif;
        kalvo::THeifPreview preview = kalvo::ReadHeifPreview({data, size}, [](int, int) { return std::pair(8, 8); });
        (void)preview;
    } catch (const std::exception&) {
    }
    return 0;
}

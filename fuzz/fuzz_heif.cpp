// libFuzzer target: the HEIF decoder (HEIC and AVIF primary images and thumbnails).
#include "codecs/heif/HeifCodec.h"

#include <cstdint>
#include <exception>
#include <stdexcept>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        // Large pictures are legitimate but slow to decode; the preview's size question comes
        // before any decoding, so skipping them there keeps the fuzzer on the parser.
        kalvo::THeifPreview preview = kalvo::ReadHeifPreview({data, size}, [](int width, int height) {
            if (std::int64_t(width) * height > (std::int64_t(1) << 20))
                throw std::length_error("large picture");
            return std::pair(8, 8);
        });
        (void)preview;
        kalvo::TDecodedImage heif = kalvo::ReadHeif({data, size});
        (void)heif;
    } catch (const std::exception&) {
    }
    return 0;
}

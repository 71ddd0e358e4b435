// libFuzzer target: the WebP decoder, at full size and scaled as the preview asks.
#include "codecs/webp/WebpCodec.h"

#include <cstdint>
#include <exception>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    try {
        const kalvo::TWebpSize picture = kalvo::ReadWebpSize(bytes);
        // Large pictures are legitimate but slow; skipping them keeps the fuzzer on the decoder.
        if (std::int64_t(picture.width) * picture.height > (std::int64_t(1) << 20))
            return 0;
        kalvo::TDecodedImage full = kalvo::ReadWebp(bytes);
        (void)full;
        kalvo::TBitmap scaled = kalvo::ReadWebpScaled(bytes, (picture.width + 2) / 3, (picture.height + 2) / 3);
        (void)scaled;
    } catch (const std::exception&) {
    }
    return 0;
}

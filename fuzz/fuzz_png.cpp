// libFuzzer target: the PNG decoder.
#include "codecs/png/PngCodec.h"

#include <cstdint>
#include <exception>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Large images are legitimate but slow to decode; skipping them keeps the fuzzer on the decoder.
    auto be32 = [&](std::size_t at) {
        return (std::size_t(data[at]) << 24) | (std::size_t(data[at + 1]) << 16) | (std::size_t(data[at + 2]) << 8)
            | data[at + 3];
    };
    if (size >= 24 && be32(16) * be32(20) > (std::size_t(1) << 20))
        return 0;
    try {
        kalvo::TDecodedImage png = kalvo::ReadPng({data, size});
        (void)png;
    } catch (const std::exception&) {
    }
    return 0;
}

// libFuzzer target: the PNG decoder.
#include "codecs/png/PngCodec.h"

#include <cstdint>
#include <exception>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        kalvo::TPngImage png = kalvo::ReadPng({data, size});
        (void)png;
    } catch (const std::exception&) {
    }
    return 0;
}

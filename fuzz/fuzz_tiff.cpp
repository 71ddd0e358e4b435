// libFuzzer target: the TIFF decoder (first page, every kind libtiff turns into colours).
#include "codecs/tiff/TiffCodec.h"

#include <cstdint>
#include <exception>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        kalvo::TDecodedImage tiff = kalvo::ReadTiff({data, size});
        (void)tiff;
    } catch (const std::exception&) {
    }
    return 0;
}

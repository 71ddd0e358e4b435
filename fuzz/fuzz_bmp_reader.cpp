// libFuzzer target: the image bitmap's general BMP reader.
#include "codecs/bmp/BmpFormat.h"

#include <cstdint>
#include <exception>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        kalvo::TBitmap bmp = kalvo::ReadBmp({data, size});
        (void)bmp;
    } catch (const std::exception&) {
    }
    return 0;
}

// libFuzzer target: the DIB container's BMP file reader and the copy into an image bitmap.
#include "codecs/bmp/LvDIB.h"

#include <cstdint>
#include <exception>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        kalvo::TLvDIB::DefaultUseFMO = false;
        kalvo::TLvDIB dib;
        dib.LoadFromStream({data, size});
        kalvo::TBitmap bmp = dib.ToBitmap();
        (void)bmp;
    } catch (const std::exception&) {
    }
    return 0;
}

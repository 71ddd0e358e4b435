// libFuzzer target: the DIB container's clipboard (packed DIB) reader, then a change to 24 bits
// and back, which runs the RLE decoders and the reductions on whatever was read.
#include "codecs/bmp/LvDIB.h"

#include <cstdint>
#include <exception>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        kalvo::TLvDIB::DefaultUseFMO = false;
        const std::vector<std::uint8_t> block(data, data + size);
        kalvo::TLvDIB dib;
        dib.LoadFromClipboardFormat(8, &block);
        if (dib.Width() * dib.Height() < 1 << 12) {
            dib.SetPixelFormat(kalvo::lvPf24Bit);
            dib.SetPixelFormat(kalvo::lvPf4BitRLE);
        }
    } catch (const std::exception&) {
    }
    return 0;
}

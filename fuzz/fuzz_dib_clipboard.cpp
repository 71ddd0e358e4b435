// libFuzzer target: the DIB container's clipboard (packed DIB) reader, then a change to 24 bits
// and back, which runs the RLE decoders and the reductions on whatever was read. The direct reader
// of plain packed DIBs must give the container's picture whenever it gives one.
#include "codecs/bmp/LvDIB.h"
#include "codecs/bmp/PackedDib.h"

#include <cstdint>
#include <cstring>
#include <exception>
#include <optional>
#include <vector>

namespace {

void checkDirectReader(const std::vector<std::uint8_t>& block, const kalvo::TLvDIB& dib)
{
    std::optional<kalvo::TBitmap> plain;
    try {
        plain = kalvo::UnpackPlainDib(block);
    } catch (const std::exception&) {
        __builtin_trap(); // the container read it, so its header is sound
    }
    if (!plain)
        return;
    const kalvo::TBitmap expected = dib.ToBitmap();
    if (plain->width() != expected.width() || plain->height() != expected.height()
        || plain->bitCount() != expected.bitCount() || plain->palette() != expected.palette())
        __builtin_trap();
    for (int y = 0; y < expected.height(); ++y)
        if (std::memcmp(plain->scanLine(y), expected.scanLine(y), expected.stride()) != 0)
            __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        kalvo::TLvDIB::DefaultUseFMO = false;
        const std::vector<std::uint8_t> block(data, data + size);
        kalvo::TLvDIB dib;
        dib.LoadFromClipboardFormat(8, &block);
        checkDirectReader(block, dib);
        if (dib.Width() * dib.Height() < 1 << 12) {
            dib.SetPixelFormat(kalvo::lvPf24Bit);
            dib.SetPixelFormat(kalvo::lvPf4BitRLE);
        }
    } catch (const std::exception&) {
    }
    return 0;
}

#include "codecs/bmp/DibRecord.h"

#include "codecs/bmp/LvDIBErrors.h"

namespace kalvo {

TBitmapInfoHeader BlankDibHeader(int width, int height, int colors, int bitCount)
{
    TBitmapInfoHeader h{};
    h.biSize = 40;
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = std::uint16_t(bitCount);
    h.biCompression = BI_RGB;
    h.biXPelsPerMeter = 3780;
    h.biYPelsPerMeter = 3780;
    h.biClrUsed = std::uint32_t(colors);
    return h;
}

TDibRecord DeriveRecord(const TDibRecord& source, std::size_t size, bool useFMO, int bitCount,
                        std::uint32_t compression)
{
    TDibRecord out;
    out.Header = source.Header;
    out.Colors = source.Colors;
    out.Memory = TDibMemory(size, useFMO);
    out.Size = size;
    out.Header.biBitCount = std::uint16_t(bitCount);
    out.Header.biCompression = compression;
    out.Header.biSizeImage = 0;
    return out;
}

void RequireFormat(const TDibRecord& record, int bitCount, std::uint32_t compression, const char* name)
{
    if (record.Header.biBitCount != bitCount || record.Header.biCompression != compression)
        throw ELvDIBBadDIBType(std::string(name) + ": Invalid Bitcount & Compression Combination");
}

} // namespace kalvo

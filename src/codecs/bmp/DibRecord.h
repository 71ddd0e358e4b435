#pragma once
// A DIB store record: the information header, the colour table and the pixel memory. Pixel-format
// conversions take a record and produce a new one; the source is never changed.
#include "codecs/bmp/DibMemory.h"
#include "codecs/bmp/DibTypes.h"

#include <string>
#include <vector>

namespace kalvo {

struct TDibRecord {
    TBitmapInfoHeader Header;
    TDibColors Colors{};
    TDibMemory Memory;
    std::size_t Size = 0; // bytes of pixel data

    long Width() const { return Header.biWidth; }
    long AbsHeight() const { return Header.biHeight < 0 ? -long(Header.biHeight) : long(Header.biHeight); }
    std::size_t Stride() const { return DibStride(Header.biWidth, Header.biBitCount); }
    std::uint8_t* Bits() { return Memory.Bits(); }
    const std::uint8_t* Bits() const { return Memory.Bits(); }
    // Row r in memory order (for a bottom-up DIB row 0 is the bottom row).
    std::uint8_t* Row(long r) { return Bits() + std::size_t(r) * Stride(); }
    const std::uint8_t* Row(long r) const { return Bits() + std::size_t(r) * Stride(); }
};

// A new record with the source's header and colour table, new zero-filled memory of size bytes,
// the given bit count and compression, and biSizeImage 0.
TDibRecord DeriveRecord(const TDibRecord& source, std::size_t size, bool useFMO, int bitCount,
                        std::uint32_t compression);

// The 40-byte information header and the record's biClrUsed colour entries (at most 256), as a
// packed DIB or a BMP file stores them before the pixels.
std::vector<std::uint8_t> PackedDibHeader(const TDibRecord& record);

// The header of a blank DIB: 40 bytes, one plane, no compression, 3780 dots per metre.
TBitmapInfoHeader BlankDibHeader(int width, int height, int colors, int bitCount);

// Raises ELvDIBBadDIBType "<name>: Invalid Bitcount & Compression Combination" unless the
// record has the given bit count and compression.
void RequireFormat(const TDibRecord& record, int bitCount, std::uint32_t compression, const char* name);

} // namespace kalvo

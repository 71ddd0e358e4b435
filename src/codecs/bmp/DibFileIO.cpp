// Reading and writing the DIB container's store as a BMP file.
#include "codecs/bmp/DibMasks.h"
#include "codecs/bmp/DibReader.h"
#include "codecs/bmp/LvDIBErrors.h"
#include "codecs/bmp/LvInternalDIB.h"
#include "image/Bitmap.h"

#include <cstring>

namespace kalvo {

namespace {

bool validInfoBitCount(int bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// The colour table after a 40-byte header; masks first when the file has bit fields.
void readColorTable(TDibReader& in, TDibRecord& rec)
{
    const std::uint64_t clrUsed = rec.Header.biClrUsed;
    const bool fields = rec.Header.biCompression == BI_BITFIELDS;
    const std::uint64_t entries = std::min<std::uint64_t>(clrUsed, 256) + (fields ? 3 : 0);
    in.Read(rec.Colors.data(), std::size_t(entries) * 4);
    if (clrUsed > 256)
        in.Skip((clrUsed - 256) * 4);
}

void checkSize(const TDibRecord& rec)
{
    if (rec.Header.biWidth <= 0 || rec.Header.biHeight == 0)
        throw ELvDIBInvalidDIB("TLvInternalDIB.LoadFromStream: Invalid Width or Height");
    const int bits = rec.Header.biBitCount > 8 ? 24 : rec.Header.biBitCount;
    if (rec.AbsHeight() > TBitmap::kMaxDimension
        || !TBitmap::fitsBounds(int(std::min<long>(rec.Width(), TBitmap::kMaxDimension + 1L)), int(rec.AbsHeight()),
                                bits))
        throw ELvDIBInvalidDIB("TLvInternalDIB.LoadFromStream: Image is too large");
}

void readPixels(TDibReader& in, TDibRecord& rec, bool useFMO, const TLvInternalDIB::TAdoptPixels& adopt)
{
    const int bits = rec.Header.biBitCount;
    if (bits == 16 || bits == 32) {
        ReadBitFieldPixels(in, rec, useFMO);
        return;
    }
    rec.Size = rec.Stride() * std::size_t(rec.AbsHeight());
    if (rec.Size > in.Left())
        throw EReadError(); // checked before the memory is obtained
    if (adopt) {
        rec.Memory = adopt(in.Pos(), rec.Size);
        return;
    }
    rec.Memory = TDibMemory(rec.Size, useFMO);
    in.Read(rec.Bits(), rec.Size);
}

} // namespace

void TLvInternalDIB::LoadFromStream(std::span<const std::uint8_t> data, const TAdoptPixels& adopt)
{
    TDibReader in(data);
    if (in.U16() != 0x4D42)
        throw ELvDIBInvalidDIBFile("TLvInternalDIB.LoadFromFile: File type is invalid");
    in.Skip(8);
    const std::uint32_t bfOffBits = in.U32();
    const std::uint32_t headerSize = in.U32();
    TDibRecord rec;
    auto& h = rec.Header;
    if (headerSize == 40) {
        ReadInfoHeaderFields(in, h);
        if (!validInfoBitCount(h.biBitCount))
            throw ELvDIBInvalidDIB("TLvInternalDIB.LoadFromStream: Invalid BitCout");
        if (h.biClrUsed == 0 && h.biBitCount <= 8)
            h.biClrUsed = 1u << h.biBitCount;
        readColorTable(in, rec);
        const std::uint64_t t = 14 + 40 + std::uint64_t(h.biClrUsed) * 4 + (h.biCompression == BI_BITFIELDS ? 12 : 0);
        if (t > bfOffBits)
            throw ELvDIBInvalidDIB("TLvInternalDIB.LoadFromFile: bfOffBits is too small");
        in.Skip(bfOffBits - t);
        if (h.biClrUsed > 256)
            h.biClrUsed = 256;
    } else if (headerSize == 12) {
        const int width = in.U16(), height = in.U16();
        const int planes = in.U16(), bits = in.U16();
        if (bits != 1 && bits != 4 && bits != 8 && bits != 24)
            throw ELvDIBInvalidDIB("TLvInternalDIB.LoadFromStream: Invalid BitCount");
        const int n = bits <= 8 ? (1 << bits) : 0;
        for (int i = 0; i < n; ++i) {
            std::uint8_t t[3];
            in.Read(t, 3);
            rec.Colors[i] = {t[0], t[1], t[2], 0};
        }
        const std::uint64_t t = 14 + 12 + 3 * std::uint64_t(n);
        if (t > bfOffBits)
            throw ELvDIBInvalidDIB("TLvInternalDIB.LoadFromFile: bfOffBits is too small");
        in.Skip(bfOffBits - t);
        h.biSize = 40;
        h.biWidth = width;
        h.biHeight = height;
        h.biPlanes = std::uint16_t(planes);
        h.biBitCount = std::uint16_t(bits);
        h.biXPelsPerMeter = h.biYPelsPerMeter = 3780;
        h.biClrUsed = std::uint32_t(n);
    } else {
        throw ELvDIBInvalidDIB("TLvInternalDIB.LoadFromStream: Invalid Bitmap Header Size");
    }
    checkSize(rec);
    readPixels(in, rec, UseFMO, adopt);
    TakeRecord(std::move(rec));
}

namespace {

void put16(std::uint8_t* p, std::uint32_t v)
{
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}
void put32(std::uint8_t* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = std::uint8_t(v >> (8 * i));
}

} // namespace

std::vector<std::uint8_t> PackedDibHeader(const TDibRecord& rec)
{
    const auto& h = rec.Header;
    const std::uint32_t colors = std::min<std::uint32_t>(h.biClrUsed, 256);
    std::vector<std::uint8_t> out(40 + 4 * std::size_t(colors));
    std::uint8_t* p = out.data();
    put32(p, 40);
    put32(p + 4, std::uint32_t(h.biWidth));
    put32(p + 8, std::uint32_t(h.biHeight));
    put16(p + 12, h.biPlanes);
    put16(p + 14, h.biBitCount);
    put32(p + 16, h.biCompression);
    put32(p + 20, h.biSizeImage);
    put32(p + 24, std::uint32_t(h.biXPelsPerMeter));
    put32(p + 28, std::uint32_t(h.biYPelsPerMeter));
    put32(p + 32, colors);
    put32(p + 36, h.biClrImportant);
    std::memcpy(p + 40, rec.Colors.data(), 4 * std::size_t(colors));
    return out;
}

void TLvInternalDIB::SaveToStream(std::ostream& out) const
{
    const auto header = PackedDibHeader(Rec);
    std::uint8_t file[14] = {'B', 'M'};
    put32(file + 2, std::uint32_t(14 + header.size() + Rec.Size));
    put32(file + 10, std::uint32_t(14 + header.size()));
    out.write(reinterpret_cast<const char*>(file), 14);
    out.write(reinterpret_cast<const char*>(header.data()), std::streamsize(header.size()));
    out.write(reinterpret_cast<const char*>(Rec.Bits()), std::streamsize(Rec.Size));
}

std::vector<std::uint8_t> TLvInternalDIB::SaveToClipboardFormat() const
{
    std::vector<std::uint8_t> block = PackedDibHeader(Rec);
    block.insert(block.end(), Rec.Bits(), Rec.Bits() + Rec.Size);
    return block;
}

} // namespace kalvo

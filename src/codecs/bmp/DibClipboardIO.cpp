// Reading the DIB container's store from a packed DIB, the clipboard's DIB form.
#include "codecs/bmp/DibMasks.h"
#include "codecs/bmp/DibReader.h"
#include "codecs/bmp/LvDIBErrors.h"
#include "codecs/bmp/LvInternalDIB.h"
#include "codecs/bmp/PackedDib.h"
#include "image/Bitmap.h"

#include <cstring>

namespace kalvo {

namespace {

// Plain rows may come shorter than the image needs; they are padded with zeros up to this much
// expansion, so that a tiny block cannot claim a huge picture.
constexpr std::size_t kMaxShortDataExpansion = 4096;

// Header and colour table; returns the offset L where the pixels start.
std::size_t readHeader(std::span<const std::uint8_t> data, TDibRecord& rec)
{
    TDibReader in(data);
    const std::uint32_t size = in.U32();
    auto& h = rec.Header;
    if (size == 40) {
        ReadInfoHeaderFields(in, h);
        std::uint64_t c = h.biClrUsed;
        if (c == 0 && h.biBitCount <= 8 && (h.biBitCount == 1 || h.biBitCount == 4 || h.biBitCount == 8))
            c = 1u << h.biBitCount;
        const std::uint64_t l = 40 + c * 4 + (h.biCompression == BI_BITFIELDS ? 12 : 0);
        const std::uint64_t tableBytes = std::min<std::uint64_t>(l, 1076) - 40;
        in.Read(rec.Colors.data(), std::size_t(tableBytes));
        h.biClrUsed = std::uint32_t(std::min<std::uint64_t>(c, 256));
        if (l > data.size())
            throw EReadError();
        return std::size_t(l);
    }
    if (size == 12) {
        const int width = in.U16(), height = in.U16(), planes = in.U16(), bits = in.U16();
        const int n = (bits == 1 || bits == 4 || bits == 8) ? (1 << bits) : 0;
        for (int i = 0; i < n; ++i) {
            const std::uint8_t* t = in.Take(3);
            rec.Colors[i] = {t[0], t[1], t[2], 0};
        }
        h.biWidth = width;
        h.biHeight = height;
        h.biPlanes = std::uint16_t(planes);
        h.biBitCount = std::uint16_t(bits);
        h.biXPelsPerMeter = h.biYPelsPerMeter = 3780;
        h.biClrUsed = std::uint32_t(n);
        return 12 + 3 * std::size_t(n);
    }
    throw ELvDIBInvalidDIB("TLvDIB.LoadFromClipboardFormat: Invalid Clipboard Data");
}

// Header and colour table, checked as the store takes them; returns where the pixels start.
std::size_t readCheckedHeader(std::span<const std::uint8_t> data, TDibRecord& rec)
{
    const std::size_t l = readHeader(data, rec);
    const auto& h = rec.Header;
    if (h.biWidth <= 0 || h.biHeight == 0)
        throw ELvDIBInvalidDIB("TLvInternalDIB.LoadFromStream: Invalid Width or Height");
    const int bits = h.biBitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        throw ELvDIBInvalidDIB("TLvInternalDIB.LoadFromClipboardFormat: Invalid biBitCount");
    if (rec.AbsHeight() > TBitmap::kMaxDimension
        || !TBitmap::fitsBounds(int(std::min<long>(rec.Width(), TBitmap::kMaxDimension + 1L)), int(rec.AbsHeight()),
                                bits > 8 ? 24 : bits))
        throw ELvDIBInvalidDIB("TLvInternalDIB.LoadFromStream: Image is too large");
    return l;
}

} // namespace

std::optional<TBitmap> UnpackPlainDib(std::span<const std::uint8_t> data)
{
    TDibRecord rec;
    const std::size_t l = readCheckedHeader(data, rec);
    const auto& h = rec.Header;
    const int bits = h.biBitCount;
    if (h.biCompression != BI_RGB || (bits != 1 && bits != 4 && bits != 8 && bits != 24))
        return std::nullopt;
    if (data.size() - l < rec.Stride() * std::size_t(rec.AbsHeight()))
        return std::nullopt; // rows cut short: the store pads them
    return BitmapFromDibRows(h, rec.Colors, data.data() + l);
}

void TLvInternalDIB::LoadFromClipboardFormat(std::span<const std::uint8_t> data)
{
    TDibRecord rec;
    const std::size_t l = readCheckedHeader(data, rec);
    auto& h = rec.Header;
    const int bits = h.biBitCount;
    TDibReader in(data, l);
    if (bits == 16 || bits == 32) {
        ReadBitFieldPixels(in, rec, UseFMO);
    } else {
        const std::size_t given = in.Left();
        std::size_t size = given;
        if (h.biCompression == BI_RGB) {
            // Plain rows: exactly the rows the image needs, zeros where the block ends early.
            size = rec.Stride() * std::size_t(rec.AbsHeight());
            if (size > (given + 4096) * kMaxShortDataExpansion)
                throw EReadError();
        }
        rec.Memory = TDibMemory(size, UseFMO);
        rec.Size = size;
        std::memcpy(rec.Bits(), in.Take(std::min(given, size)), std::min(given, size));
    }
    TakeRecord(std::move(rec));
}

} // namespace kalvo

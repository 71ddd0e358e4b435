// Copies between the DIB container and the image bitmap.
#include "codecs/bmp/DibConvert.h"
#include "codecs/bmp/LvDIB.h"
#include "codecs/bmp/PackedDib.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <stdexcept>

namespace kalvo {

namespace {

// The depth a DIB holds a bitmap at: 16 and 32 bits become 24.
int dibBitCount(const TBitmap& source)
{
    return source.bitCount() == 16 || source.bitCount() == 32 ? 24 : source.bitCount();
}

// The pixels a DIB holds of a bitmap.
struct TDibPixels {
    std::optional<TBitmap> converted;
    const TBitmap* pixels = nullptr;
    int bits = 0;

    explicit TDibPixels(const TBitmap& source) : bits(dibBitCount(source))
    {
        if (bits != source.bitCount())
            converted = source.toTrueColor();
        pixels = converted ? &*converted : &source;
    }
};

// Header and colour table of the DIB of those pixels; a palette picture gets all 2^bits entries.
void describe(const TDibPixels& dib, TDibRecord& rec)
{
    rec.Header = BlankDibHeader(dib.pixels->width(), dib.pixels->height(), 0, dib.bits);
    if (dib.bits <= 8) {
        rec.Header.biClrUsed = 1u << dib.bits;
        PaletteToRGBQuads(dib.pixels->palette(), std::span(rec.Colors).first(256), 255);
    }
}

// The rows bottom-up (image row y is memory row height - 1 - y), each padded with zeros to the
// DIB's stride.
void copyRowsBottomUp(const TBitmap& pixels, std::uint8_t* bits, std::size_t stride)
{
    const std::size_t rowBytes = std::min(stride, pixels.stride());
    for (int y = 0; y < pixels.height(); ++y) {
        std::uint8_t* row = bits + std::size_t(pixels.height() - 1 - y) * stride;
        std::memcpy(row, pixels.scanLine(y), rowBytes);
        std::memset(row + rowBytes, 0, stride - rowBytes);
    }
}

} // namespace

void TLvDIB::Assign(const TBitmap& source)
{
    const TDibPixels dib(source);
    auto store = std::make_shared<TLvInternalDIB>(FInternalDIB->UseFMO);
    store->CreateDIB(dib.pixels->width(), dib.pixels->height(), 0, dib.bits);
    auto& rec = store->Rec;
    describe(dib, rec);
    copyRowsBottomUp(*dib.pixels, rec.Bits(), rec.Stride());
    store->UpdatePalette();
    takeStore(std::move(store));
}

std::size_t PackedDibSize(const TBitmap& source)
{
    const int bits = dibBitCount(source);
    const std::size_t colors = bits <= 8 ? std::size_t(1) << bits : 0;
    return 40 + 4 * colors + DibStride(source.width(), bits) * std::size_t(source.height());
}

void WritePackedDib(const TBitmap& source, std::span<std::uint8_t> out)
{
    if (source.empty() || out.size() != PackedDibSize(source))
        throw std::length_error("WritePackedDib: wrong buffer size");
    const TDibPixels dib(source);
    TDibRecord rec;
    describe(dib, rec);
    const std::vector<std::uint8_t> header = PackedDibHeader(rec);
    std::memcpy(out.data(), header.data(), header.size());
    copyRowsBottomUp(*dib.pixels, out.data() + header.size(), rec.Stride());
}

TBitmap TLvDIB::ToBitmap() const
{
    const TLvPixelFormat format = PixelFormat();
    const TDibRecord* rec = &FInternalDIB->Rec;
    TDibRecord decoded;
    if (format == lvPf4BitRLE) {
        decoded = Convert4BitRLETo4BitRGB(*rec, false);
        rec = &decoded;
    } else if (format == lvPf8BitRLE) {
        decoded = Convert8BitRLETo8BitRGB(*rec, false);
        rec = &decoded;
    }
    return BitmapFromDibRows(rec->Header, rec->Colors, rec->Bits());
}

TBitmap BitmapFromDibRows(const TBitmapInfoHeader& header, const TDibColors& colors, const std::uint8_t* rows)
{
    const int bits = header.biBitCount;
    const int h = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    // Every row is copied whole, padding included.
    TBitmap bitmap = TBitmap::forOverwrite(header.biWidth, h, bits);
    if (bits <= 8)
        bitmap.setPalette(RGBQuadsToPalette(colors, int(std::min<std::uint32_t>(header.biClrUsed, 256))));
    const bool topDown = header.biHeight < 0;
    const std::size_t stride = DibStride(header.biWidth, bits);
    for (int y = 0; y < h; ++y)
        std::memcpy(bitmap.scanLine(y), rows + std::size_t(topDown ? y : h - 1 - y) * stride, bitmap.stride());
    return bitmap;
}

} // namespace kalvo

// Copies between the DIB container and the image bitmap.
#include "codecs/bmp/DibConvert.h"
#include "codecs/bmp/LvDIB.h"

#include <cstring>
#include <optional>

namespace kalvo {

void TLvDIB::Assign(const TBitmap& source)
{
    const int bits = source.bitCount() == 16 || source.bitCount() == 32 ? 24 : source.bitCount();
    std::optional<TBitmap> converted;
    if (bits != source.bitCount())
        converted = source.toTrueColor();
    const TBitmap& pixels = converted ? *converted : source;
    auto store = std::make_shared<TLvInternalDIB>(FInternalDIB->UseFMO);
    store->CreateDIB(pixels.width(), pixels.height(), 0, bits);
    auto& rec = store->Rec;
    if (bits <= 8) {
        rec.Header.biClrUsed = 1u << bits;
        PaletteToRGBQuads(pixels.palette(), std::span(rec.Colors).first(256), 255);
    }
    // The store is bottom-up: image row y is memory row height - 1 - y.
    const std::size_t rowBytes = std::min(rec.Stride(), pixels.stride());
    for (int y = 0; y < pixels.height(); ++y)
        std::memcpy(rec.Row(pixels.height() - 1 - y), pixels.scanLine(y), rowBytes);
    store->UpdatePalette();
    takeStore(std::move(store));
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
    const int bits = rec->Header.biBitCount;
    TBitmap bitmap(int(rec->Width()), int(rec->AbsHeight()), bits);
    if (bits <= 8)
        bitmap.setPalette(RGBQuadsToPalette(rec->Colors, int(std::min<std::uint32_t>(rec->Header.biClrUsed, 256))));
    const bool topDown = rec->Header.biHeight < 0;
    const int h = bitmap.height();
    for (int y = 0; y < h; ++y)
        std::memcpy(bitmap.scanLine(y), rec->Row(topDown ? y : h - 1 - y), bitmap.stride());
    return bitmap;
}

} // namespace kalvo

#include "codecs/bmp/LvInternalDIB.h"

#include "codecs/bmp/LvDIBErrors.h"
#include "image/Bitmap.h"

namespace kalvo {

void TLvInternalDIB::CreateDIB(int width, int height, int colors, int bitCount)
{
    if (width <= 0 || height == 0 || colors < 0 || colors > 256
        || (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24)
        || !TBitmap::fitsBounds(width, height < 0 ? -height : height, bitCount))
        throw ELvDIBInvalidDIBPara("TLvInternalDIB.CreateDIB: Invalid Parameters");
    TDibRecord rec;
    rec.Header = BlankDibHeader(width, height, colors, bitCount);
    rec.Size = std::size_t(height < 0 ? -height : height) * DibStride(width, bitCount);
    rec.Memory = TDibMemory(rec.Size, UseFMO);
    TakeRecord(std::move(rec));
}

void TLvInternalDIB::TakeRecord(TDibRecord&& rec)
{
    Rec = std::move(rec);
    Width = Rec.Header.biWidth;
    Height = int(Rec.AbsHeight());
    UpdatePalette();
}

TLvPixelFormat TLvInternalDIB::GetPixelFormat() const
{
    const auto& h = Rec.Header;
    switch (h.biBitCount) {
    case 1:
        if (h.biCompression == BI_RGB)
            return lvPf1Bit;
        throw ELvDIBInvalidDIB("TLvInternalDIB.GetPixelFormat: Invalid DIB(1Bit)");
    case 4:
        if (h.biCompression == BI_RGB)
            return lvPf4Bit;
        if (h.biCompression == BI_RLE4)
            return lvPf4BitRLE;
        throw ELvDIBInvalidDIB("TLvInternalDIB.GetPixelFormat: Invalid DIB(4Bit)");
    case 8:
        if (h.biCompression == BI_RGB)
            return lvPf8Bit;
        if (h.biCompression == BI_RLE8)
            return lvPf8BitRLE;
        throw ELvDIBInvalidDIB("TLvInternalDIB.GetPixelFormat: Invalid DIB(8Bit)");
    case 24:
        if (h.biCompression == BI_RGB)
            return lvPf24Bit;
        throw ELvDIBInvalidDIB("TLvInternalDIB.GetPixelFormat: Invalid DIB(24Bit)");
    default: throw ELvDIBInvalidDIB("TLvInternalDIB.GetPixelFormat: Invalid DIB(Illegal BitCount)");
    }
}

void TLvInternalDIB::UpdatePalette()
{
    FPaletteHandle.reset();
    PaletteChanged = true;
}

const std::optional<std::vector<TColor>>& TLvInternalDIB::Palette()
{
    if (!FPaletteHandle && Rec.Header.biClrUsed != 0)
        FPaletteHandle = RGBQuadsToPalette(Rec.Colors, int(std::min<std::uint32_t>(Rec.Header.biClrUsed, 256)));
    return FPaletteHandle;
}

} // namespace kalvo

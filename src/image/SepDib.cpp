#include "image/SepDib.h"

#include "image/PixelAccess.h"

namespace kalvo {

void FillSepDIB(TSepDIB& descriptor, const TBitmap& bitmap)
{
    descriptor = TSepDIB{};
    TBitmapInfoHeader& h = descriptor.bmiHeader;
    h.biSize = sizeof(TBitmapInfoHeader);
    h.biWidth = bitmap.width();
    h.biHeight = bitmap.height();
    h.biPlanes = 1;
    h.biBitCount = std::uint16_t(GetBitCount(bitmap));
    h.biCompression = 0;
    if (h.biBitCount <= 8)
        PaletteToRGBQuads(bitmap.palette(), descriptor.bmiColors, 255);
}

} // namespace kalvo

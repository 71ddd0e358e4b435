#include "codecs/bmp/ColorResolution.h"

#include "codecs/bmp/LvDIB.h"

namespace kalvo {

std::optional<TBitmap> ChangeColorResolution(const TBitmap& image, int bits)
{
    TLvPixelFormat target;
    switch (bits) {
    case 1: target = lvPf1Bit; break;
    case 4: target = lvPf4Bit; break;
    case 8: target = lvPf8Bit; break;
    case 24: target = lvPf24Bit; break;
    default: return std::nullopt;
    }
    TLvDIB dib;
    dib.Assign(image);
    dib.SetPixelFormat(target);
    return dib.ToBitmap();
}

} // namespace kalvo

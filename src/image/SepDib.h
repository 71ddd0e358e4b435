#pragma once
// The drawing descriptor kept beside an image: a bitmap-info header and a colour table, so that
// the image can be drawn and stretched from its own pixel store.
#include "image/Bitmap.h"
#include "image/Palette.h"

#include <cstdint>

namespace kalvo {

struct TBitmapInfoHeader {
    std::uint32_t biSize;
    std::int32_t biWidth;
    std::int32_t biHeight;
    std::uint16_t biPlanes;
    std::uint16_t biBitCount;
    std::uint32_t biCompression;
    std::uint32_t biSizeImage;
    std::int32_t biXPelsPerMeter;
    std::int32_t biYPelsPerMeter;
    std::uint32_t biClrUsed;
    std::uint32_t biClrImportant;
};
static_assert(sizeof(TBitmapInfoHeader) == 40);

struct TSepDIB {
    TBitmapInfoHeader bmiHeader;
    TRGBQuad bmiColors[256];
};

// Zero-fills the descriptor, then sets header size 40, the width, the (positive) height, one
// plane, the bits per pixel and compression 0; at 8 bits or fewer copies the palette (up to 256
// entries) into the colour table, which stays zero for deeper images.
void FillSepDIB(TSepDIB& descriptor, const TBitmap& bitmap);

} // namespace kalvo

#pragma once
// The drawing descriptor kept beside an image: a bitmap-info header and a colour table, so that
// the image can be drawn and stretched from its own pixel store.
#include "image/Bitmap.h"
#include "image/BitmapInfoHeader.h"
#include "image/Palette.h"

namespace kalvo {

struct TSepDIB {
    TBitmapInfoHeader bmiHeader;
    TRGBQuad bmiColors[256];
};

// Zero-fills the descriptor, then sets header size 40, the width, the (positive) height, one
// plane, the bits per pixel and compression 0; at 8 bits or fewer copies the palette (up to 256
// entries) into the colour table, which stays zero for deeper images.
void FillSepDIB(TSepDIB& descriptor, const TBitmap& bitmap);

} // namespace kalvo

#pragma once
// Turns an image bitmap into a QImage for display.
#include "image/Bitmap.h"

#include <QImage>

namespace kalvo {

// A QImage with the bitmap's pixels: 24 bits as BGR888, 8 and 4 bits as indexed 8-bit with the
// palette, 1 bit as mono. The result owns its pixels.
QImage BitmapToQImage(const TBitmap& bitmap);

} // namespace kalvo

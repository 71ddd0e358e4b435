#pragma once
// Turns a decoded OpenJPEG image into an image bitmap.
#include "codecs/jpeg2000/Jpeg2kInfo.h"
#include "image/Bitmap.h"

#include <openjpeg.h>

namespace kalvo {

// Grey images use their first plane, RGB and YCbCr images their first three (a code stream
// without colour space counts as grey below three planes and as RGB from three). Each plane is
// sampled at (x - left offset) div step and (y - top offset) div step, 0 outside the plane, and
// scaled to trunc(v / (2^precision - 1) * 255). YCbCr goes through YCbCrTables. A one-plane
// image of precision 1 gives a 1-bit bitmap (bit set for a sample not 0), anything else a
// 24-bit one. Fills BitsPerSample, SamplesPerPixel, the size and the resolution of info.
// Returns an empty bitmap for any other colour space, missing planes or an oversized image.
TBitmap ImageToBitmap(const opj_image_t& image, TJpeg2kInfo& info);

} // namespace kalvo

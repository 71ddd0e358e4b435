#pragma once
// Encoding image bitmaps as JP2 files or JPEG 2000 code streams.
#include "codecs/jpeg2000/Jpeg2kInfo.h"
#include "image/Bitmap.h"

#include <cstdint>
#include <vector>

namespace kalvo {

// Encodes bitmap with the reversible wavelet in one quality layer and returns the bytes: a bare
// code stream when codeStream is true, a JP2 file otherwise. Components are unsigned, of
// precision info.BitsPerSample (1..16), full size, with M = 2^precision - 1: colour
// (ColorMode 1 or 2) gives red, green, blue as trunc(byte / 255 * M); grey (ColorMode 0) gives
// trunc(((21 r + 71 g + 8 b) div 100) / 255 * M). A 1-bit bitmap is always written as 1-bit grey
// (sample 1 for a set bit); other depths than 1 and 24 are encoded from their 24-bit copy.
// info.Rate below 1 limits the size to that fraction of the uncompressed size (compression ratio
// 1 / Rate); 1 or more sets no limit (lossless). info.Progression picks LRCP or RLCP.
// Throws EJpeg2kError for an empty bitmap, a rate that is not positive, an unsupported precision
// or when the encoder fails.
std::vector<std::uint8_t> EncodeJpeg2k(const TBitmap& bitmap, const TJpeg2kInfo& info, bool codeStream);

} // namespace kalvo

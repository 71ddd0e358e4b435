#pragma once
// Decoding JP2 files and JPEG 2000 code streams held in memory.
#include "codecs/jpeg2000/Jpeg2kInfo.h"
#include "image/Bitmap.h"

#include <cstdint>
#include <span>

namespace kalvo {

// Decodes data (recognised by its signature, see DetectJpeg2kFormat) as ImageToBitmap
// describes, with info.Threads worker threads. Returns an empty bitmap when the data is not JPEG
// 2000, is truncated or undecodable, is larger than the bitmap bounds or info.MaxSamples, or has an
// unsupported colour space.
TBitmap DecodeJpeg2k(std::span<const std::uint8_t> data, TJpeg2kInfo& info);

} // namespace kalvo

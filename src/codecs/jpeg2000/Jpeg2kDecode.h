#pragma once
// Decoding JP2 files and JPEG 2000 code streams held in memory.
#include "codecs/jpeg2000/Jpeg2kInfo.h"
#include "image/Bitmap.h"

#include <cstdint>
#include <span>

namespace kalvo {

// Most samples (over all planes, palette planes included) a picture may have to be decoded;
// larger headers are refused before OpenJPEG allocates anything.
constexpr std::uint64_t kMaxJpeg2kSamples = std::uint64_t(1) << 28;

// Decodes data (recognised by its signature, see DetectJpeg2kFormat) as ImageToBitmap
// describes, with info.Threads worker threads. Returns an empty bitmap when the data is not JPEG
// 2000, is truncated or undecodable, is too large, or has an unsupported colour space.
TBitmap DecodeJpeg2k(std::span<const std::uint8_t> data, TJpeg2kInfo& info);

} // namespace kalvo

#pragma once
// HEIF pictures over libheif (HEIC with its HEVC decoder, AVIF with its AV1 decoders): decoding
// the primary image of the file, with its rotation, mirroring and cropping applied.
#include "codecs/CodecRoutines.h"
#include "image/Bitmap.h"

#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>
#include <utility>

namespace kalvo {

// Any failure: not a HEIF file, no decoder for its compression, damaged or truncated data, sizes
// beyond the bitmap's bounds. The message carries libheif's own.
class EHeifError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Decodes the primary image as a 24-bit bitmap: deeper samples scaled to 8 bits, alpha laid over
// white. No load properties. Throws EHeifError.
TDecodedImage ReadHeif(std::span<const std::uint8_t> data);

struct THeifPreview {
    int width = 0; // of the primary image
    int height = 0;
    TBitmap bitmap; // the smallest stored version (thumbnail or primary image) covering the box
};

// The size a picture of the given size is shown at.
using THeifShownSize = std::function<std::pair<int, int>(int width, int height)>;

// For the preview: the file's smallest thumbnail at least as large as the primary image is shown
// at, or the primary image when no thumbnail is that large. Throws EHeifError.
THeifPreview ReadHeifPreview(std::span<const std::uint8_t> data, const THeifShownSize& shownSize);

} // namespace kalvo

#pragma once
// The WebP codec over libwebp: decoding a still WebP picture (lossy or lossless, with or
// without alpha) into a 24-bit bitmap, at full or reduced size, and encoding a bitmap as lossy or
// lossless WebP.
#include "codecs/CodecRoutines.h"
#include "image/Bitmap.h"

#include <cstdint>
#include <cstdio>
#include <span>
#include <stdexcept>

namespace kalvo {

// Any failure of the WebP codec: not a WebP file, damaged or truncated data, an animation,
// sizes beyond the bitmap's bounds or libwebp's, write errors.
class EWebpError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TWebpSize {
    int width = 0;
    int height = 0;
};

// The picture's size from its header. Throws EWebpError.
TWebpSize ReadWebpSize(std::span<const std::uint8_t> data);

// Decodes the picture as a 24-bit bitmap; pixels with alpha are laid over white. No load
// properties (not interlaced, no transparent colour). Throws EWebpError.
TDecodedImage ReadWebp(std::span<const std::uint8_t> data);

// Decodes the picture scaled by libwebp to width x height for the open dialog's preview (dwebp
// -scale). Throws EWebpError.
TBitmap ReadWebpScaled(std::span<const std::uint8_t> data, int width, int height);

struct TWebpOptions {
    int quality = 80; // 1..100; for lossless, how hard the encoder tries
    bool lossless = false;
};

// Writes the bitmap (converted to 24 bits when shallower) as a still WebP picture without
// alpha. Throws EWebpError.
void WriteWebp(const TBitmap& bitmap, const TWebpOptions& options, std::FILE* out);

} // namespace kalvo

#pragma once
// The PNG codec over libpng: decoding a PNG byte stream into an image bitmap with its
// transparency and interlace properties, and encoding an image bitmap as PNG.
#include "codecs/CodecRoutines.h"
#include "image/Bitmap.h"

#include <cstdint>
#include <cstdio>
#include <span>
#include <stdexcept>

namespace kalvo {

// Any failure of the PNG codec: invalid or truncated data, CRC errors, unknown critical chunks,
// images beyond the bitmap's bounds, write errors.
class EPngError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Decodes a whole PNG file. The properties: interlaced for Adam7; transparent with a tRNS chunk
// or an alpha channel; the transparent colour is the one the tRNS chunk names (for palette
// images the first entry of alpha 0), otherwise 0. Palette images stay indexed (2-bit ones become 4-bit), greyscale
// images become indexed with a grey ramp, everything else 24-bit; 16-bit samples are scaled to
// 8 bits and alpha channels are not applied. The bitmap is marked transparent when every tRNS
// entry is fully opaque or fully transparent. Throws EPngError.
TDecodedImage ReadPng(std::span<const std::uint8_t> data);

// Writes the bitmap as PNG: indexed with the bitmap's depth and palette below 16 bits per pixel,
// 8-bit truecolour otherwise; filter Sub, compression level 7, data chunks of at most 65535
// bytes. With transparency an indexed image gets a tRNS chunk that makes the first palette entry
// of the colour transparent, a truecolour image an alpha channel that is 0 exactly on the pixels
// of that colour. Throws EPngError.
void WritePng(const TBitmap& bitmap, const TImageProperties& options, std::FILE* out);

} // namespace kalvo

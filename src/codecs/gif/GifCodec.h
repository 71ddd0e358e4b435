#pragma once
// The GIF codec over giflib: decoding the first frame of a GIF (87a or 89a) onto its logical
// screen, and encoding an image bitmap as a single-frame GIF89a.
#include "codecs/CodecRoutines.h"
#include "image/Bitmap.h"

#include <cstdint>
#include <cstdio>
#include <span>
#include <stdexcept>

namespace kalvo {

// Any failure of the GIF codec: invalid or truncated data, bad LZW codes, pixels outside the
// colour map, frames outside the screen, a missing colour map, write errors, a full colour map.
class EGifError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Decodes the first frame. The properties are its interlace and transparency flags and the
// colour its graphic control extension's transparent index selects (0 without one). A frame that covers the logical
// screen gives the bitmap as it is; a smaller one is drawn opaquely onto a screen of background index 0 (the global
// map's first colour). The bitmap is indexed (1, 4 or 8 bits) with the frame's colour map, or 24-bit when the
// background colour does not fit into that map. Throws EGifError.
TDecodedImage ReadGif(std::span<const std::uint8_t> data);

// Writes the bitmap as one GIF89a frame with a graphic control extension. Palette bitmaps keep
// their indices; deeper ones are reduced to at most 256 colours by the octree quantiser with
// nearest-colour mapping. The colour map holds only the colours in use (duplicates merged); the
// transparent colour is added when missing. Throws EGifError.
void WriteGif(const TBitmap& bitmap, const TImageProperties& options, std::FILE* out);

} // namespace kalvo

#pragma once
// The shape shared by the load and save routines of the codecs that decode a whole file held in
// memory and encode to a stdio file (PNG, GIF).
#include "codecs/ImageInfo.h"
#include "image/Bitmap.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <span>

namespace kalvo {

// The load properties a file carries into the document record, and back into a save.
struct TImageProperties {
    bool interlaced = false;
    bool transparent = false;
    TColor transparentColor = 0;
    TImageMetadata metadata;
};

struct TDecodedImage {
    TBitmap bitmap;
    TImageProperties properties;
};

using TWholeFileDecoder = TDecodedImage (*)(std::span<const std::uint8_t> data);

// Maps info.FileName and decodes it. Any failure returns nothing with Result -1 and the
// decoder's message in FailureReason; success fills
// Width, Height, Interlaced, Transparent, TransparentColor and Metadata and sets Result to 0.
std::optional<TBitmap> LoadWithDecoder(TpxImageInfo& info, TWholeFileDecoder decode);

// The properties of the record that a save reads.
TImageProperties SaveProperties(const TpxImageInfo& info);

// Replaces info.FileName atomically with what encode writes to the stdio file it is given.
// Result is 0 only when the file was written completely; any failure leaves -1, the encoder's
// message in FailureReason and the old file.
void SaveWithEncoder(TpxImageInfo& info, const std::function<void(std::FILE* out)>& encode);

} // namespace kalvo

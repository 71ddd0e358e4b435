#pragma once
// The packed DIB (header, colour table, bottom-up pixel rows) of an image bitmap, written straight
// into a buffer: the same bytes as TLvDIB::Assign followed by SaveToClipboardFormat, without the
// container's store in between (a copy of a large picture to the clipboard then touches one
// buffer instead of three).
#include "image/Bitmap.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace kalvo {

// Bytes of the packed DIB of source (16 and 32 bits become 24; palette pictures carry 2^bits
// colours).
std::size_t PackedDibSize(const TBitmap& source);
// Writes it into out, which must hold exactly PackedDibSize(source) bytes (std::length_error
// otherwise, and for an empty bitmap).
void WritePackedDib(const TBitmap& source, std::span<std::uint8_t> out);

} // namespace kalvo

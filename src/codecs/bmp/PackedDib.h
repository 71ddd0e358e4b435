#pragma once
// The packed DIB (header, colour table, pixel rows) straight between an image bitmap and a buffer:
// the same bytes and pictures as going through the DIB container (TLvDIB::Assign and
// SaveToClipboardFormat, LoadFromClipboardFormat and ToBitmap), without the container's store in
// between, so that copying or pasting a large picture touches one buffer instead of three.
#include "codecs/bmp/DibTypes.h"
#include "image/Bitmap.h"
#include "image/BitmapInfoHeader.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace kalvo {

// Bytes of the packed DIB of source (16 and 32 bits become 24; palette pictures carry 2^bits
// colours).
std::size_t PackedDibSize(const TBitmap& source);
// Writes it into out, which must hold exactly PackedDibSize(source) bytes (std::length_error
// otherwise, and for an empty bitmap).
void WritePackedDib(const TBitmap& source, std::span<std::uint8_t> out);

// The picture of a packed DIB read straight from its bytes, when they hold plain rows (1, 4, 8 or
// 24 bits, no compression) in full: what the container reads and ToBitmap gives, without its
// store. Nothing for other kinds, which the container reads; throws as the container does for
// malformed headers.
std::optional<TBitmap> UnpackPlainDib(std::span<const std::uint8_t> data);

// The picture of DIB pixel rows (bottom-up unless biHeight is negative) with the header's colour
// table (biClrUsed entries).
TBitmap BitmapFromDibRows(const TBitmapInfoHeader& header, const TDibColors& colors, const std::uint8_t* rows);

} // namespace kalvo

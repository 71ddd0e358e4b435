#pragma once
// Conversion of 16- and 32-bit bit-field pixels to 24 bits while a DIB is read.
#include "codecs/bmp/DibRecord.h"

#include <cstdint>

namespace kalvo {

class TDibReader;

// Reads |height| source rows of a 16- or 32-bit DIB from reader into rec (already holding a
// 24-bit header and zeroed memory of the destination size). masks are red, green, blue; a zero
// mask is "TLvInternalDIB.LoadFromStream: Invalid Masks".
void ReadBitFieldRows(TDibReader& reader, int sourceBits, const std::uint32_t masks[3], TDibRecord& rec);

// The default masks of a 16-bit (5-5-5) or 32-bit DIB without bit fields.
void DefaultMasks(int sourceBits, std::uint32_t masks[3]);

} // namespace kalvo

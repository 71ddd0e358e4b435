#pragma once
// Conversion of 16- and 32-bit bit-field pixels to 24 bits while a DIB is read.
#include "codecs/bmp/DibRecord.h"

namespace kalvo {

class TDibReader;

// Reads the pixels of a 16- or 32-bit DIB whose header and colour table (the red, green and blue
// masks first for BI_BITFIELDS, otherwise the default 5-5-5 or 8-8-8 masks apply) are in rec.
// rec becomes 24-bit BI_RGB with new memory and the colour table without the masks. EReadError,
// before any memory is obtained, when reader holds fewer bytes than the rows; a zero mask is
// "TLvInternalDIB.LoadFromStream: Invalid Masks".
void ReadBitFieldPixels(TDibReader& reader, TDibRecord& rec, bool useFMO);

} // namespace kalvo

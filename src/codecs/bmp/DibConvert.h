#pragma once
// The DIB container's elementary pixel-format conversions. Each takes a store record and returns
// a new one (same header and colour table, new memory); a source of the wrong depth or
// compression raises ELvDIBBadDIBType "<name>: Invalid Bitcount & Compression Combination".
#include "codecs/bmp/DibRecord.h"
#include "image/Color.h"
#include "imaging/ProgressCallback.h"

#include <functional>

namespace kalvo {

// Unpacking and expanding (colour table and biClrUsed kept).
TDibRecord Convert1BitRGBTo4BitRGB(const TDibRecord& src, bool useFMO);
TDibRecord Convert1BitRGBTo8BitRGB(const TDibRecord& src, bool useFMO);
TDibRecord Convert4BitRGBTo8BitRGB(const TDibRecord& src, bool useFMO);
TDibRecord Convert1BitRGBToTrueColor(const TDibRecord& src, bool useFMO);
TDibRecord Convert4BitRGBToTrueColor(const TDibRecord& src, bool useFMO);
TDibRecord Convert8BitRGBToTrueColor(const TDibRecord& src, bool useFMO);

// RLE decoders (ELvDIBInvalidDIB "…: Bad RLE Data n" for bad data) and encoders
// (ELvDIBCompressionFailed "…: Compression Failed" when the output would not fit the
// uncompressed size). Encoded output is always bottom-up.
TDibRecord Convert4BitRLETo4BitRGB(const TDibRecord& src, bool useFMO);
TDibRecord Convert8BitRLETo8BitRGB(const TDibRecord& src, bool useFMO);
TDibRecord Convert4BitRGBTo4BitRLE(const TDibRecord& src, bool useFMO);
TDibRecord Convert8BitRGBTo8BitRLE(const TDibRecord& src, bool useFMO);

// Colour reductions. The 4- and 8-bit ones report once per palette entry of the split with the
// number of entries done (2^depth steps in all); the 1-bit ones set a pixel when its colour
// equals bwColor.
TDibRecord ConvertTrueColorTo8BitRGBLow(const TDibRecord& src, bool useFMO, const TProgressCallback& step);
TDibRecord ConvertTrueColorTo4BitRGBLow(const TDibRecord& src, bool useFMO, const TProgressCallback& step);
TDibRecord ConvertTrueColorTo8BitRGBHigh(const TDibRecord& src, bool useFMO, const TProgressCallback& step);
TDibRecord ConvertTrueColorTo4BitRGBHigh(const TDibRecord& src, bool useFMO, const TProgressCallback& step);
TDibRecord Convert8BitRGBTo4BitRGB(const TDibRecord& src, bool useFMO, const TProgressCallback& step);
TDibRecord ConvertTrueColorTo1BitRGB(const TDibRecord& src, bool useFMO, TColor bwColor);
TDibRecord Convert8BitTo1BitRGB(const TDibRecord& src, bool useFMO, TColor bwColor);
TDibRecord Convert4BitRGBTo1BitRGB(const TDibRecord& src, bool useFMO, TColor bwColor);

} // namespace kalvo

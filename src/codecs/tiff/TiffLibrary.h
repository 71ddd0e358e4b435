#pragma once
// libtiff, opened on the first TIFF file: the functions the TIFF codec calls, resolved from the
// library's versioned soname. Tiff() throws ETiffError "TIFF: cannot load libtiff.so.N" when the
// library is missing.
#include "codecs/tiff/TiffCodec.h"

#include <tiffio.h>

// clang-format off
#define KALVO_TIFF_FUNCTIONS(X) \
    X(TIFFCleanup) \
    X(TIFFClientOpenExt) \
    X(TIFFComputeStrip) \
    X(TIFFComputeTile) \
    X(TIFFFlush) \
    X(TIFFGetField) \
    X(TIFFGetFieldDefaulted) \
    X(TIFFGetStrileByteCount) \
    X(TIFFIsTiled) \
    X(TIFFNumberOfStrips) \
    X(TIFFNumberOfTiles) \
    X(TIFFOpenOptionsAlloc) \
    X(TIFFOpenOptionsFree) \
    X(TIFFOpenOptionsSetErrorHandlerExtR) \
    X(TIFFOpenOptionsSetMaxSingleMemAlloc) \
    X(TIFFOpenOptionsSetWarningHandlerExtR) \
    X(TIFFRGBAImageBegin) \
    X(TIFFRGBAImageEnd) \
    X(TIFFRGBAImageGet) \
    X(TIFFRGBAImageOK) \
    X(TIFFReadEncodedStrip) \
    X(TIFFReadEncodedTile) \
    X(TIFFReadRawStrip) \
    X(TIFFReadRawTile) \
    X(TIFFScanlineSize) \
    X(TIFFSetField) \
    X(TIFFTileRowSize) \
    X(TIFFTileSize) \
    X(TIFFWriteDirectory) \
    X(TIFFWriteScanline)
// clang-format on

namespace kalvo {

struct TTiffLibrary {
#define KALVO_TIFF_MEMBER(name) decltype(&::name) name = nullptr;
    KALVO_TIFF_FUNCTIONS(KALVO_TIFF_MEMBER)
#undef KALVO_TIFF_MEMBER
};

const TTiffLibrary& Tiff();

} // namespace kalvo

#pragma once
// JPEG-compressed TIFF pages read past libtiff's JPEG codec: the raw strips or tiles (with the
// tables the page keeps apart) go to the program's own JPEG decoder, which can decode at a reduced
// scale. Used by the open dialog's preview.
#include "codecs/tiff/TiffHandle.h"
#include "image/Bitmap.h"

#include <span>

namespace kalvo {

// How the page's samples are stored: its photometric tag (YCbCr, RGB or grey), untouched by
// libtiff's JPEG colour mode.
struct TTiffJpegLayout {
    bool usable = false; // JPEG, 8-bit contiguous samples: YCbCr or RGB of 3, or grey of 1
    bool grey = false;
};

TTiffJpegLayout TiffJpegLayout(TTiffHandle& handle);

// The page decoded at eighths/8 of its size (each side rounded up): row i of the bitmap (as wide
// as the reduced page; 24 bits, or 8 for grey with its palette left to the caller) is the reduced
// row that holds the page's row sources[i] (ascending). Only the strips or rows of tiles holding
// those rows are read. fileSize bounds the raw data taken. Throws ETiffError.
void ReadTiffJpegRows(TTiffHandle& handle, std::size_t fileSize, int eighths, std::span<const int> sources,
                      TBitmap& bitmap);

} // namespace kalvo

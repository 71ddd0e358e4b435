#pragma once
// The document record shared by the main window and the format dispatch.
#include "codecs/ImageMetadata.h"
#include "image/Color.h"

#include <string>

namespace kalvo {

struct TpxImageInfo {
    std::string FileName;     // full path of the file to load or save
    int Height = 0;           // pixel size of the last loaded (or created) image
    bool Interlaced = false;  // last load was progressive JPEG / interlaced PNG or GIF
    int Result = 0;           // outcome of the last load or save: 0 success, -1 failure
    bool Transparent = false; // last load declared a transparent colour (PNG, GIF)
    TColor TransparentColor = 0;
    int JpegQuality = 80;    // 1..100
    int Jpeg2kQuality = 400; // lossy quality; the dialog offers 1..200
    bool Jpeg2kReversible = true;
    int Width = 0;
    TImageMetadata Metadata; // EXIF and ICC profile of the last load, written again by saves
    int WebpQuality = 80;    // 1..100
    bool WebpLossless = false;
    std::string FailureReason; // the codec's account of the last failed load or save, when it gives one
};

} // namespace kalvo

#pragma once
// Fast loading of a picture file for the open dialog's preview: the picture's size and depth and
// a copy reduced to the preview box. JPEG files are decoded at a reduced scale, JPEG 2000
// files at a reduced resolution level, WebP by libwebp's scaling decoder, TIFF from the strips
// that hold the shown rows and HEIF from a covering thumbnail, so that a large photograph
// previews in a fraction of the time and memory of a full load; the other formats are loaded in
// full and scaled down.
#include "codecs/preview/PreviewFit.h"
#include "image/Bitmap.h"

#include <atomic>
#include <optional>
#include <string>

namespace kalvo {

struct TPreviewPicture {
    int Width = 0; // the picture's own size
    int Height = 0;
    int BitCount = 0; // bits per pixel of the picture as the editor loads it; 0 when unknown
    TBitmap Picture;  // FitPreviewSize(Width, Height, box) pixels: the picture itself when it
                      // fits the box, else a smooth 24-bit reduction
};

// Loads fileName (its codec chosen by extension as the format dispatch does) for a preview box
// of boxWidth x boxHeight pixels. Returns nothing for an unknown extension, a missing, damaged
// or oversized file, or when cancel becomes true during the work; never throws.
std::optional<TPreviewPicture> LoadPreviewPicture(const std::string& fileName, int boxWidth, int boxHeight,
                                                  const std::atomic<bool>* cancel = nullptr);

} // namespace kalvo

#pragma once
// The reduced-size decoders behind LoadPreviewPicture. Each returns the picture's own size in
// width and height and a bitmap no smaller than FitPreviewSize of it in the box; each throws on
// any failure.
#include "image/Bitmap.h"

#include <atomic>
#include <string>
#include <utility>

namespace kalvo {

struct TReducedDecode {
    int width = 0;
    int height = 0;
    TBitmap bitmap;
};

// A codec's own preview result (picture size and bitmap) as a reduced decoding.
template <typename TPreview>
TReducedDecode ReducedFrom(TPreview&& preview)
{
    return {preview.width, preview.height, std::move(preview.bitmap)};
}

// The most pixels a reduced decoding may produce (24 MB at 24 bits): a preview needs far fewer,
// and a larger claim is a hostile or exotic file that the preview skips.
inline constexpr long long kMaxPreviewDecodePixels = 8LL << 20;

// JPEG through libjpeg's scaled decoding at the smallest eighth that still covers the box; the
// decoding stops with an exception soon after cancel becomes true. Throws when even the eighth
// size exceeds kMaxPreviewDecodePixels.
TReducedDecode DecodeJpegForPreview(const std::string& fileName, int boxWidth, int boxHeight,
                                    const std::atomic<bool>* cancel);

// JPEG 2000 through OpenJPEG's reduced resolution levels.
TReducedDecode DecodeJpeg2kForPreview(const std::string& fileName, int boxWidth, int boxHeight);

// WebP through libwebp's scaling decoder, straight at the preview's size.
TReducedDecode DecodeWebpForPreview(const std::string& fileName, int boxWidth, int boxHeight);

// TIFF with only the strips or rows of tiles decoded that hold the shown rows (point-sampled
// rows at the picture's full width); other kinds of TIFF in full.
TReducedDecode DecodeTiffForPreview(const std::string& fileName, int boxWidth, int boxHeight);

// HEIC and AVIF through the smallest stored thumbnail that covers the shown size, if any.
TReducedDecode DecodeHeifForPreview(const std::string& fileName, int boxWidth, int boxHeight);

} // namespace kalvo

// Scaled JPEG decoding for the preview.
#include "codecs/exif/ExifBlock.h"
#include "codecs/jpeg/JpegDecompressor.h"
#include "codecs/jpeg/JpegMetadata.h"
#include "codecs/preview/PreviewDecoders.h"
#include "codecs/preview/PreviewFit.h"
#include "image/ImageErrors.h"
#include "imaging/geometry/OrientBitmap.h"

#include <cstdint>
#include <fstream>
#include <utility>

namespace kalvo {

namespace {

// The library rounds scaled sizes up: ceil(size * eighths / 8).
int scaledSize(int size, int eighths)
{
    return int((std::int64_t(size) * eighths + 7) / 8);
}

int coveringEighths(int width, int height, TPreviewSize fit)
{
    for (int e = 1; e < 8; ++e)
        if (scaledSize(width, e) >= fit.width && scaledSize(height, e) >= fit.height)
            return e;
    return 8;
}

} // namespace

TReducedDecode DecodeJpegForPreview(const std::string& fileName, int boxWidth, int boxHeight,
                                    const std::atomic<bool>* cancel)
{
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        throw EFileError("Cannot open file \"" + fileName + "\"");
    TJPEGStreamDecompressor jpeg;
    // A thumbnail does not need the exact transform nor the smoothing of the editor's load.
    jpeg.DCTMethod = JDCT_IFAST;
    jpeg.FancyUpsampling = false;
    jpeg.BlockSmoothing = false;
    if (cancel)
        jpeg.OnProgressReport = [&] {
            if (cancel->load(std::memory_order_relaxed))
                jpeg.Abort();
        };
    TJpegMetadataReader metadata;
    jpeg.OnAppMarker = [&](int app, std::span<const std::uint8_t> payload) {
        if (app == 1)
            metadata.addAppMarker(app, payload);
    };
    jpeg.Attach(in);
    // The preview shows the picture upright, as the editor opens it.
    const auto orientation = TOrientation(ExifOrientation(metadata.take().Exif));
    const bool swap = SwapsSides(orientation);
    const int storedWidth = jpeg.ImageWidth(), storedHeight = jpeg.ImageHeight();
    TReducedDecode result;
    result.width = swap ? storedHeight : storedWidth;
    result.height = swap ? storedWidth : storedHeight;
    TPreviewSize fit = FitPreviewSize(result.width, result.height, boxWidth, boxHeight);
    if (swap)
        std::swap(fit.width, fit.height);
    const int eighths = coveringEighths(storedWidth, storedHeight, fit);
    if ((long long)scaledSize(storedWidth, eighths) * scaledSize(storedHeight, eighths) > kMaxPreviewDecodePixels)
        throw EJPEGError("Image is too large for a preview");
    jpeg.SetScaleEighths(eighths);
    // At an eighth only the DC coefficients count, and a progressive file sends them first.
    result.bitmap = eighths == 1 ? jpeg.ToBitmapFromFirstScans(jpeg.DefaultOutputKind())
                                 : jpeg.ToBitmap(jpeg.DefaultOutputKind());
    jpeg.Detach();
    if (orientation != TOrientation::Normal)
        result.bitmap = OrientBitmap(result.bitmap, orientation);
    return result;
}

} // namespace kalvo

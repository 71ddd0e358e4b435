// Scaled JPEG decoding for the preview.
#include "codecs/jpeg/JpegDecompressor.h"
#include "codecs/preview/PreviewDecoders.h"
#include "codecs/preview/PreviewFit.h"
#include "image/ImageErrors.h"

#include <cstdint>
#include <fstream>

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
    jpeg.Attach(in);
    TReducedDecode result;
    result.width = jpeg.ImageWidth();
    result.height = jpeg.ImageHeight();
    const TPreviewSize fit = FitPreviewSize(result.width, result.height, boxWidth, boxHeight);
    const int eighths = coveringEighths(result.width, result.height, fit);
    if ((long long)scaledSize(result.width, eighths) * scaledSize(result.height, eighths)
        > kMaxPreviewDecodePixels)
        throw EJPEGError("Image is too large for a preview");
    jpeg.SetScaleEighths(eighths);
    // At an eighth only the DC coefficients count, and a progressive file sends them first.
    result.bitmap = eighths == 1 ? jpeg.ToBitmapFromFirstScans(jpeg.DefaultOutputKind())
                                 : jpeg.ToBitmap(jpeg.DefaultOutputKind());
    jpeg.Detach();
    return result;
}

} // namespace kalvo

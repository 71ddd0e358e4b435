// Reduced-resolution JPEG 2000 decoding for the preview.
#include "codecs/MappedFile.h"
#include "codecs/jpeg2000/Jpeg2kDecode.h"
#include "codecs/jpeg2000/Jpeg2kError.h"
#include "codecs/jpeg2000/Jpeg2kSignature.h"
#include "codecs/preview/PreviewDecoders.h"
#include "codecs/preview/PreviewFit.h"

#include <cstdint>

namespace kalvo {

namespace {

int reducedSize(std::uint32_t size, int factor)
{
    return int((std::uint64_t(size) + (std::uint64_t(1) << factor) - 1) >> factor);
}

} // namespace

TReducedDecode DecodeJpeg2kForPreview(const std::string& fileName, int boxWidth, int boxHeight)
{
    const TMappedFile file(fileName);
    const auto geometry = ReadJpeg2kGeometry(file.bytes(), DetectJpeg2kFormat(file.bytes()));
    if (!geometry || geometry->x1 <= geometry->x0 || geometry->y1 <= geometry->y0)
        throw EJpeg2kError("Not a JPEG 2000 picture");
    const std::uint32_t width = geometry->x1 - geometry->x0;
    const std::uint32_t height = geometry->y1 - geometry->y0;
    if (width > std::uint32_t(TBitmap::kMaxDimension) || height > std::uint32_t(TBitmap::kMaxDimension))
        throw EJpeg2kError("The picture is too large");
    const TPreviewSize fit = FitPreviewSize(int(width), int(height), boxWidth, boxHeight);
    TJpeg2kInfo info;
    // Each level halves the size (rounding up); stop while the reduced picture still covers the
    // box.
    while (info.ReduceFactor < 16 && reducedSize(width, info.ReduceFactor + 1) >= fit.width
           && reducedSize(height, info.ReduceFactor + 1) >= fit.height)
        ++info.ReduceFactor;
    TReducedDecode result;
    result.width = int(width);
    result.height = int(height);
    result.bitmap = DecodeJpeg2k(file.bytes(), info);
    if (result.bitmap.empty())
        throw EJpeg2kError("The picture cannot be decoded");
    return result;
}

} // namespace kalvo

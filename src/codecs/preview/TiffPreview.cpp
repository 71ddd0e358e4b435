// TIFF for the preview: only the strips (or rows of tiles) holding the shown rows are decoded.
#include "codecs/MappedFile.h"
#include "codecs/preview/PreviewDecoders.h"
#include "codecs/preview/PreviewFit.h"
#include "codecs/tiff/TiffCodec.h"

namespace kalvo {

TReducedDecode DecodeTiffForPreview(const std::string& fileName, int boxWidth, int boxHeight)
{
    const TMappedFile file(fileName);
    TTiffPreview preview = ReadTiffPreview(
        file.bytes(), [&](int width, int height) { return FitPreviewSize(width, height, boxWidth, boxHeight).height; });
    return ReducedFrom(std::move(preview));
}

} // namespace kalvo

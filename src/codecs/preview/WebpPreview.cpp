// WebP for the preview: libwebp scales while it decodes, straight to the shown size.
#include "codecs/MappedFile.h"
#include "codecs/preview/PreviewDecoders.h"
#include "codecs/preview/PreviewFit.h"
#include "codecs/webp/WebpCodec.h"

namespace kalvo {

TReducedDecode DecodeWebpForPreview(const std::string& fileName, int boxWidth, int boxHeight)
{
    const TMappedFile file(fileName);
    const TWebpSize size = ReadWebpSize(file.bytes());
    const TPreviewSize fit = FitPreviewSize(size.width, size.height, boxWidth, boxHeight);
    if (fit.width <= 0 || fit.height <= 0)
        throw EWebpError("WebP: Nothing to show");
    TReducedDecode result;
    result.width = size.width;
    result.height = size.height;
    result.bitmap = ReadWebpScaled(file.bytes(), fit.width, fit.height);
    return result;
}

} // namespace kalvo

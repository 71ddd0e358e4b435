// HEIC and AVIF for the preview: a stored thumbnail that covers the shown size when the file has
// one, otherwise the primary image.
#include "codecs/MappedFile.h"
#include "codecs/heif/HeifCodec.h"
#include "codecs/preview/PreviewDecoders.h"
#include "codecs/preview/PreviewFit.h"

namespace kalvo {

TReducedDecode DecodeHeifForPreview(const std::string& fileName, int boxWidth, int boxHeight)
{
    const TMappedFile file(fileName);
    // The box bounds the shown size from above; the thumbnail must cover what is shown.
    THeifPreview preview = ReadHeifPreview(file.bytes(), [&](int width, int height) {
        const TPreviewSize fit = FitPreviewSize(width, height, boxWidth, boxHeight);
        return std::pair(fit.width, fit.height);
    });
    return ReducedFrom(std::move(preview));
}

} // namespace kalvo

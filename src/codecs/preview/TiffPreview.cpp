// TIFF for the preview: only the strips (or rows of tiles) holding the shown rows are decoded,
// JPEG-compressed ones at a reduced scale.
#include "codecs/MappedFile.h"
#include "codecs/preview/PreviewDecoders.h"
#include "codecs/preview/PreviewFit.h"
#include "codecs/tiff/TiffCodec.h"

namespace kalvo {

TReducedDecode DecodeTiffForPreview(const std::string& fileName, int boxWidth, int boxHeight)
{
    const TMappedFile file(fileName);
    TTiffPreview preview = ReadTiffPreview(file.bytes(), [&](int width, int height) {
        const TPreviewSize fit = FitPreviewSize(width, height, boxWidth, boxHeight);
        return TTiffShownSize{fit.width, fit.height};
    });
    return ReducedFrom(std::move(preview));
}

} // namespace kalvo

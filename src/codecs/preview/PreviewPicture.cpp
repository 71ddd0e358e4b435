#include "codecs/preview/PreviewPicture.h"

#include "codecs/FileExtension.h"
#include "codecs/FormatDispatch.h"
#include "codecs/preview/PreviewDecoders.h"
#include "imaging/resample/ResizeResample.h"

#include <stdexcept>

namespace kalvo {

namespace {

bool cancelled(const std::atomic<bool>* cancel)
{
    return cancel && cancel->load(std::memory_order_relaxed);
}

// The other formats load as the editor loads them.
TReducedDecode decodeInFull(const std::string& fileName)
{
    TpxImageInfo info;
    info.FileName = fileName;
    std::optional<TBitmap> bitmap = LoadImageFile(info);
    if (!bitmap || info.Result != 0 || bitmap->empty())
        throw std::runtime_error("The picture cannot be loaded");
    TReducedDecode result;
    result.width = bitmap->width();
    result.height = bitmap->height();
    result.bitmap = std::move(*bitmap);
    return result;
}

TReducedDecode decode(const std::string& fileName, int boxWidth, int boxHeight, const std::atomic<bool>* cancel)
{
    switch (FormatFromFileName(fileName)) {
    case TImageFormat::Jpeg: return DecodeJpegForPreview(fileName, boxWidth, boxHeight, cancel);
    case TImageFormat::Jpeg2000: return DecodeJpeg2kForPreview(fileName, boxWidth, boxHeight);
    case TImageFormat::Webp: return DecodeWebpForPreview(fileName, boxWidth, boxHeight);
    case TImageFormat::Bmp:
    case TImageFormat::Gif:
    case TImageFormat::Png: return decodeInFull(fileName);
    case TImageFormat::Tiff: return DecodeTiffForPreview(fileName, boxWidth, boxHeight);
    case TImageFormat::Heif: return DecodeHeifForPreview(fileName, boxWidth, boxHeight);
    case TImageFormat::None: break;
    }
    throw std::runtime_error("No picture format for this file name");
}

} // namespace

std::optional<TPreviewPicture> LoadPreviewPicture(const std::string& fileName, int boxWidth, int boxHeight,
                                                  const std::atomic<bool>* cancel)
{
    try {
        TReducedDecode decoded = decode(fileName, boxWidth, boxHeight, cancel);
        if (cancelled(cancel))
            return std::nullopt;
        TPreviewPicture preview;
        preview.Width = decoded.width;
        preview.Height = decoded.height;
        preview.BitCount = decoded.bitmap.bitCount();
        const TPreviewSize fit = FitPreviewSize(decoded.width, decoded.height, boxWidth, boxHeight);
        if (fit.width <= 0)
            return std::nullopt;
        if (decoded.bitmap.width() == fit.width && decoded.bitmap.height() == fit.height)
            preview.Picture = std::move(decoded.bitmap);
        else
            preview.Picture = ResizeResample(decoded.bitmap, fit.width, fit.height);
        return preview;
    } catch (...) {
        return std::nullopt;
    }
}

} // namespace kalvo

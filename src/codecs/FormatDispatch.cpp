#include "codecs/FormatDispatch.h"

#include "codecs/FileExtension.h"
#include "codecs/FormatRoutines.h"

namespace kalvo {

std::optional<TBitmap> LoadImageFile(TpxImageInfo& info)
{
    info.Result = -1;
    info.FailureReason.clear();
    // Only the readers of formats that carry metadata fill it in again.
    info.Metadata.clear();
    switch (FormatFromFileName(info.FileName)) {
    case TImageFormat::Jpeg: return LoadJpegFile(info);
    case TImageFormat::Jpeg2000: return LoadJpeg2kFile(info);
    case TImageFormat::Bmp: return LoadBmpFile(info);
    case TImageFormat::Gif: return LoadGifFile(info);
    case TImageFormat::Png: return LoadPngFile(info);
    case TImageFormat::Webp: return LoadWebpFile(info);
    case TImageFormat::Tiff: return LoadTiffFile(info);
    case TImageFormat::Heif: return LoadHeifFile(info);
    case TImageFormat::None: break;
    }
    return std::nullopt;
}

void SaveImageFile(TBitmap& bitmap, TpxImageInfo& info)
{
    info.Result = -1;
    info.FailureReason.clear();
    switch (FormatFromFileName(info.FileName)) {
    case TImageFormat::Jpeg: SaveJpegFile(bitmap, info); break;
    case TImageFormat::Jpeg2000: SaveJpeg2kFile(bitmap, info); break;
    case TImageFormat::Bmp: SaveBmpFile(bitmap, info); break;
    case TImageFormat::Gif: SaveGifFile(bitmap, info); break;
    case TImageFormat::Png: SavePngFile(bitmap, info); break;
    case TImageFormat::Webp: SaveWebpFile(bitmap, info); break;
    case TImageFormat::Tiff: SaveTiffFile(bitmap, info); break;
    case TImageFormat::Heif: SaveHeifFile(info); break;
    case TImageFormat::None: break;
    }
}

void SetPlainLoadProperties(TpxImageInfo& info, const TBitmap& bitmap)
{
    info.Width = bitmap.width();
    info.Height = bitmap.height();
    info.Interlaced = false;
    info.Transparent = false;
    info.TransparentColor = 0;
}

} // namespace kalvo

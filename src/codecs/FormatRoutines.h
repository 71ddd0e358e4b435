#pragma once
// The per-format load and save routines behind the format dispatch. Each sets info.Result to -1
// on entry and to 0 as its last step.
#include "codecs/ImageInfo.h"
#include "image/Bitmap.h"

#include <optional>

namespace kalvo {

std::optional<TBitmap> LoadJpegFile(TpxImageInfo& info);
void SaveJpegFile(const TBitmap& bitmap, TpxImageInfo& info);

std::optional<TBitmap> LoadJpeg2kFile(TpxImageInfo& info);
void SaveJpeg2kFile(TBitmap& bitmap, TpxImageInfo& info);

std::optional<TBitmap> LoadBmpFile(TpxImageInfo& info);
void SaveBmpFile(const TBitmap& bitmap, TpxImageInfo& info);

std::optional<TBitmap> LoadGifFile(TpxImageInfo& info);
void SaveGifFile(const TBitmap& bitmap, TpxImageInfo& info);

std::optional<TBitmap> LoadPngFile(TpxImageInfo& info);
void SavePngFile(const TBitmap& bitmap, TpxImageInfo& info);

std::optional<TBitmap> LoadWebpFile(TpxImageInfo& info);
void SaveWebpFile(const TBitmap& bitmap, TpxImageInfo& info);

std::optional<TBitmap> LoadTiffFile(TpxImageInfo& info);
void SaveTiffFile(const TBitmap& bitmap, TpxImageInfo& info);

std::optional<TBitmap> LoadHeifFile(TpxImageInfo& info);
// Refuses: Result -1 with the reason.
void SaveHeifFile(TpxImageInfo& info);

// Clears the load properties (a BMP, JPEG or JPEG 2000 load) and records the size.
void SetPlainLoadProperties(TpxImageInfo& info, const TBitmap& bitmap);

} // namespace kalvo

#pragma once
// The single door between the document and image files. Both operations choose the codec from
// the file name's extension alone and report their outcome in info.Result (0 success, -1
// failure).
#include "codecs/ImageInfo.h"
#include "image/Bitmap.h"

#include <optional>

namespace kalvo {

// Loads info.FileName. On success returns the bitmap and fills Width, Height, Interlaced,
// Transparent, TransparentColor and Metadata (JPEG: EXIF and ICC profile; the picture comes
// upright by its EXIF orientation); on failure returns nothing. Codec failures show only as
// Result -1; the few steps the format routines leave unguarded may raise instead (also with
// Result -1).
std::optional<TBitmap> LoadImageFile(TpxImageInfo& info);

// Saves bitmap to info.FileName with the save options of info. The target is replaced only by a
// complete file. The JPEG 2000 save converts bitmap to 24 bits and lets a failure to create the
// file escape as an exception (Result -1).
void SaveImageFile(TBitmap& bitmap, TpxImageInfo& info);

} // namespace kalvo

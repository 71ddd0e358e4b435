#pragma once
// The drop shadow behind the selected object.
#include "image/Bitmap.h"
#include "image/Geometry.h"
#include "imaging/ProgressCallback.h"

#include <optional>

namespace kalvo {

struct TDropShadowParams {
    int OffsetX = 2; // -100..100 pixels
    int OffsetY = 2;
    int Obscure = 5;       // 0..100, the blur size
    int AlphaChannel = 50; // 0..100, transparency in per cent
    TColor Color = clBlack;
};

// A copy of the 24-bit image with the shadow drawn: the selection mask shifted by the offset,
// narrowed by a hard round tip of size Obscure + 1 along the shifted outline and softened by a
// soft tip of twice that size along its new outline, then blended in the shadow colour outside
// the fully selected object (fading through its soft edge) with the given transparency. The
// outline is the selection outline as point pairs. None when the outline has fewer than two
// points, the mask is not an 8-bit bitmap of the image's size, or the image is not 24-bit.
// The progress callback, when given, receives the percentage of rows done before each row.
std::optional<TBitmap> DropShadow(const TBitmap& image, const TBitmap& mask, const TPoints& outline,
                                  const TDropShadowParams& params, const TProgressCallback& progress = {});

} // namespace kalvo
